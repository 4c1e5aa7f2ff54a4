#include "payroll/payslipbatch.h"
#include "payroll/payslipdata.h"
#include "payroll/paysliplayout.h"
#include "payslipfixture.h"
#include "reports/pdfcanvas.h"
#include "reports/printpaper.h"
#include "reports/recordingcanvas.h"
#include "support/golden.h"
#include "support/testdatadir.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace minasel;
using minasel::reports::PickerEntry;
using minasel::reports::RecordingCanvas;
using Outcome = minasel::payroll::PayslipBatch::Outcome;

namespace {

// A regular employee's November salary with every kind of item.
QMap<QString, QString> salaryValues()
{
    return {{"KIHONKYU", "240000"}, {"TUKINTEATE", "12000"}, {"FOODTEATE", "5000"}, {"HOMETEATE", "10000"},
            {"FAMITEATE", "8000"}, {"SIKAKUTEATE", "3000"}, {"FUKAKYU", "2000"}, {"TIMETEATE1", "15000"},
            {"TIMETEATE2", "1000"}, {"SINYATEATE", "500"}, {"KYUJITUTEATE", "10000"}, {"KINKYUTEATE", "5000"},
            {"STEATE1NM", "皆勤手当"}, {"STEATE1", "3000"}, {"STEATE8NM", "調整手当"}, {"STEATE8", "1500"},
            {"STEATE9NM", "特別手当"}, {"STEATE9", "2500"}, {"KEKINMONEY", "4000"}, {"HEALTH", "11890"},
            {"NENKIN", "21960"}, {"KOYOHOKEN", "1500"}, {"TAX", "6000"}, {"SIMIZEI", "9000"},
            {"SKOJYO1NM", "社宅費"}, {"SKOJYO1", "20000"}, {"SKOJYO2NM", "互助会費"}, {"SKOJYO2", "500"},
            {"SYUKINNUM", "20"}, {"YUKYUNUM", "1"}, {"KEKINTIME", "3"}, {"BATIME", "50"}, {"KEKINDAY", "1"},
            {"KEKINDAYTIME", "8"}, {"TIMEOUT1", "10"}, {"TIMEOUT2", "2"}, {"SINYATIME", "1"}, {"SINYATIME60", "1"},
            {"KYUJITUNUM", "1"}, {"KINKYUNUM", "2"}};
}

QMap<QString, QString> bonusValues()
{
    return {{"KIHONKYU", "300000"}, {"HEALTH", "14865"}, {"NENKIN", "27450"}, {"KOYOHOKEN", "1800"},
            {"TAX", "10641"}, {"SKOJYO1NM", "財形"}, {"SKOJYO1", "10000"}, {"SKOJYO2NM", "旅行積立"}, {"SKOJYO2", "3000"}};
}

class PayslipTest : public ::testing::Test {
protected:
    void store(const QString& month, const QString& code, int kind, const QString& employeeKind,
               const QMap<QString, QString>& values)
    {
        ASSERT_TRUE(db::WriteMeisaiTable(dir.ctx(), test::meisaiRow(month, code, kind, employeeKind, values)));
    }

    Outcome printBatch(reports::PrintCanvas& canvas, const QString& month, int kind, const QStringList& codes)
    {
        QList<PickerEntry> chosen;
        for (const QString& c : codes)
            chosen.append({c, payroll::employeeName(dir.ctx().db(), QStringLiteral("01"), c)});
        payroll::PayslipBatch batch(dir.ctx(), QStringLiteral("prtKyuyoSyoyo.print_data"));
        return batch.print(canvas, month, kind, chosen);
    }

    test::TestDataDir dir;
};

void expectGolden(const RecordingCanvas& canvas, const QString& name)
{
    test::expectGolden(canvas, QStringLiteral(MINASEL_GOLDEN_DIR "/") + name);
}

} // namespace

TEST_F(PayslipTest, SalarySlipMatchesTheReviewedCallList)
{
    store("202611", "00002", 1, "1", salaryValues());
    RecordingCanvas canvas;
    ASSERT_EQ(printBatch(canvas, "202611", 1, {"00002"}), Outcome::Printed);
    expectGolden(canvas, QStringLiteral("salary_payslip.txt"));
    // By hand: pay columns 314,500 (the overtime 15,000 + 1,000 + 500 among them) less 70,850.
    EXPECT_EQ(canvas.textsAt(12545, 5780), QStringList{QStringLiteral("  243,650")});
}

TEST_F(PayslipTest, BonusSlipMatchesTheReviewedCallList)
{
    store("202612", "00003", 2, "1", bonusValues());
    RecordingCanvas canvas;
    ASSERT_EQ(printBatch(canvas, "202612", 2, {"00003"}), Outcome::Printed);
    expectGolden(canvas, QStringLiteral("bonus_payslip.txt"));
    // By hand: 300,000 less 14,865 + 27,450 + 1,800 + 10,641 + 10,000 + 3,000 = 67,756.
    EXPECT_EQ(canvas.textsAt(12545, 5780), QStringList{QStringLiteral("  232,244")});
}

TEST_F(PayslipTest, PartTimerShowsHoursWorkedUnderAttendance)
{
    store("202611", "00004", 1, "3", salaryValues());
    RecordingCanvas canvas;
    ASSERT_EQ(printBatch(canvas, "202611", 1, {"00004"}), Outcome::Printed);
    EXPECT_EQ(canvas.textsAt(1760, 6230), QStringList{QStringLiteral("出勤")});
    EXPECT_EQ(canvas.textsAt(1640, 6730), QStringList{QStringLiteral("   50")});
}

TEST_F(PayslipTest, AmountsFillTheirFieldAndKeepTheRightEdgeWhenTooLong)
{
    QMap<QString, QString> v;
    v["KIHONKYU"] = "1234567";        // seven digits, two separators: exactly nine characters
    v["YHOSYU"] = "12345678901";      // far wider than its field
    v["STEATE1NM"] = "とても長い名前の特別調整手当金";   // wider than its cell
    v["STEATE1"] = "1";
    store("202611", "00001", 1, "0", v);
    RecordingCanvas canvas;
    ASSERT_EQ(printBatch(canvas, "202611", 1, {"00001"}), Outcome::Printed);
    EXPECT_EQ(canvas.textsAt(911, 3620), QStringList{QStringLiteral("1,234,567")});
    // Right edge of the field: 2083 + 9 characters of 110 twips.
    const auto* wide = canvas.find(QStringLiteral("12,345,678,901"));
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->y, 3620);
    EXPECT_EQ(wide->x + 14 * 110, 2083 + 9 * 110);
    // The long name is made to fit its cell: smaller, and cut if need be.
    bool nameSeen = false;
    for (const auto& t : canvas.texts())
        if (t.x == 780 && t.y == 3996) {
            nameSeen = true;
            EXPECT_LE(payroll::PayslipLayout::textWidth(t.text, t.size), 1120);
            EXPECT_TRUE(QStringLiteral("とても長い名前の特別調整手当金").startsWith(t.text));
        }
    EXPECT_TRUE(nameSeen);
    // The total still adds up beyond the 32-bit range.
    EXPECT_NE(canvas.find(QStringLiteral("12,346,913,469")), nullptr);
}

TEST_F(PayslipTest, BatchPrintsOneSlipPerPageAndSkipsStatementsGoneMeanwhile)
{
    store("202611", "00001", 1, "0", salaryValues());
    store("202611", "00002", 1, "1", salaryValues());
    store("202611", "00004", 1, "3", salaryValues());
    RecordingCanvas canvas;
    ASSERT_EQ(printBatch(canvas, "202611", 1, {"00001", "00003", "00002", "00004"}), Outcome::Printed);
    EXPECT_EQ(canvas.calls().count(QStringLiteral("page")), 2);
    EXPECT_EQ(canvas.calls().last(), QStringLiteral("end"));
    EXPECT_EQ(canvas.pageCount(), 3);
    QStringList codes;
    for (const auto& t : canvas.texts())
        if (t.x == 7910 && t.y == 2670)
            codes << QStringLiteral("%1@%2").arg(t.text).arg(t.page);
    EXPECT_EQ(codes, (QStringList{"00001@1", "00002@2", "00004@3"}));
    // Each page has the whole ruling.
    EXPECT_EQ(canvas.lineCount() % 3, 0);
}

TEST_F(PayslipTest, RefusedPaperPrintsNothing)
{
    store("202611", "00002", 1, "1", salaryValues());
    RecordingCanvas canvas;
    canvas.refusePaper(13);
    EXPECT_EQ(printBatch(canvas, "202611", 1, {"00002"}), Outcome::Refused);
    EXPECT_TRUE(canvas.texts().isEmpty());
    EXPECT_EQ(canvas.lineCount(), 0);
    EXPECT_TRUE(canvas.aborted());
    EXPECT_EQ(dir.messages().lastText(), reports::paperRefusedMessage());
    EXPECT_EQ(dir.messages().last().icon, Messages::Icon::Exclamation);
}

// The real PDF: JIS B5 landscape pages, the Japanese text extractable, the
// title where the form puts it and at its size.
TEST_F(PayslipTest, PdfHasTheFormsPaperAndText)
{
    store("202611", "00002", 1, "1", salaryValues());
    store("202611", "00004", 1, "3", salaryValues());
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("slips.pdf"));
    reports::PdfCanvas canvas(path);
    ASSERT_TRUE(canvas.open());
    ASSERT_EQ(printBatch(canvas, "202611", 1, {"00002", "00004"}), Outcome::Printed);
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{QStringLiteral("slips.pdf")});

    const QString info = test::runTool(QStringLiteral("pdfinfo"), {path});
    if (info.isNull())
        GTEST_SKIP() << "poppler-utils not installed";
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\b")))) << info.toStdString();
    // JIS B5 is 257 x 182 mm: 728.5 x 515.9 points, landscape.
    const QRegularExpression size(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"));
    const auto m = size.match(info);
    ASSERT_TRUE(m.hasMatch()) << info.toStdString();
    EXPECT_NEAR(m.captured(1).toDouble(), 728.5, 1.0);
    EXPECT_NEAR(m.captured(2).toDouble(), 515.9, 1.0);

    const QString text = test::runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    for (const char* s : {"給 与 明 細 書", "佐藤 花子", "高橋 美咲", "ミナセル商事株式会社", "243,650", "健康保険料", "差 引 支 給 額"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s;

    // The title's box: left at 6,100 twips (305 pt), about 18 pt high.
    const QString bbox = test::runTool(QStringLiteral("pdftotext"),
                                       {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                        QStringLiteral("-l"), QStringLiteral("1"), path, QStringLiteral("-")});
    const QRegularExpression word(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">給</word>"));
    const auto w = word.match(bbox);
    ASSERT_TRUE(w.hasMatch());
    EXPECT_NEAR(w.captured(1).toDouble(), 305.0, 2.0);
    EXPECT_NEAR(w.captured(2).toDouble(), 100.0, 4.0);
    EXPECT_NEAR(w.captured(3).toDouble() - w.captured(2).toDouble(), 18.0, 3.0);
}

// A read that fails midway abandons the document: nothing is left under the
// chosen name, the user is told and the log names the procedure.
TEST_F(PayslipTest, ReadFailureLeavesNothingUnderTheChosenName)
{
    store("202611", "00002", 1, "1", salaryValues());
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("slips.pdf"));
    {
        reports::PdfCanvas canvas(path);
        ASSERT_TRUE(canvas.open());
        ASSERT_TRUE(dir.exec(QStringLiteral("ALTER TABLE MEISAI RENAME TO MEISAI_GONE")));
        EXPECT_EQ(printBatch(canvas, "202611", 1, {"00002"}), Outcome::Failed);
    }
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("エラーが発生しました。ログファイルを確認してください。"));
    EXPECT_TRUE(dir.ctx().log().lines().last().contains(QStringLiteral("[prtKyuyoSyoyo.print_data]")));

    reports::PdfCanvas nowhere(out.filePath(QStringLiteral("missing/folder/slips.pdf")));
    EXPECT_FALSE(nowhere.open());
    EXPECT_FALSE(nowhere.errorString().isEmpty());
}
