#include "gensenfixture.h"
#include "reports/gensenbatch.h"
#include "reports/gensenlayout.h"
#include "reports/pdfcanvas.h"
#include "reports/recordingcanvas.h"
#include "support/golden.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::reports;
using minasel::test::Values;

namespace {

constexpr int X0 = 1226;
constexpr int Y0 = 1000;

class GensenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.exec(QStringLiteral("UPDATE JYUGYOIN SET ZIP = '150-0001', ADD1 = '東京都渋谷区神宮前1-2-3' "
                                            "WHERE CID = '01' AND JGICODE = '00002'")));
    }
    // The slip of 00002 made from the stored rows.
    GensenData slip(int year = 2026)
    {
        GensenBatch batch(dir.ctx(), QStringLiteral("test"));
        EXPECT_TRUE(batch.prepare(year, {{QStringLiteral("00002"), QString()}}));
        return batch.slips().value(0);
    }
    GensenData slipOf(Values nentyo, const Values& sinkoku = {}, int year = 2026)
    {
        nentyo["SIKYUYEAR"] = QString::number(year);
        test::storeFullSlip(dir, nentyo, sinkoku);
        return slip(year);
    }
    test::TestDataDir dir;
};

// The texts of a box (x1 <= x < x2, relative to the copy's origin) on one line,
// left to right, joined.
QString boxText(const RecordingCanvas& c, int x1, int x2, int y, int page = 1)
{
    QList<RecordingCanvas::Text> found;
    for (const auto& t : c.texts())
        if (t.page == page && std::abs(t.y - (Y0 + y)) <= 30 && t.x >= X0 + x1 && t.x < X0 + x2)
            found << t;
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.x < b.x; });
    QString s;
    for (const auto& t : found)
        s += t.text;
    return s;
}

RecordingCanvas valuesOf(const GensenData& d, int copy = GensenLayout::TaxOffice)
{
    RecordingCanvas c;
    GensenLayout::print_gensen_data(c, copy, d);
    return c;
}

} // namespace

// The figures the slip works out from the stored rows, by hand; where every other
// value of this slip stands is the reviewed call list (PlainPageMatchesTheReviewedCallList).
TEST_F(GensenTest, FiguresWorkedOutForTheSlipStandInTheirBoxes)
{
    test::storeFullSlip(dir);
    const RecordingCanvas c = valuesOf(slip());
    struct Box {
        int x1, x2, y;
        const char* text;
    };
    const Box boxes[] = {
        // 8,000,000 + 800,000 + 200,000; 370,000 withheld less 21,400 refunded.
        {1130, 2780, 2040, "9000000"}, {5950, 7600, 2040, "348600"},
        // 1,200,000 + 30,000 + 60,000 (内 60,000).
        {0, 1900, 3220, "1290000"}, {0, 900, 3130, "60,000"},
        // 2026: 9,000,000 − 1,950,000 − 50,000 adjustment = 7,000,000 → basic 620,000;
        // (9,000,000 − 8,500,000) × 10 % = 50,000; a relative with 900,000 → 610,000.
        {4250, 4967, 5130, "620,000"}, {5567, 6283, 5130, "50,000"}, {6883, 7600, 5130, "610,000"},
        // The 特定親族 in the row after the dependants; the birthday 1988-09-20 by era.
        {660, 2120, 5900, "佐藤 三郎"}, {3500, 3800, 5920, "特親"},
        {5460, 6140, 6770, "昭和"}, {6140, 6620, 6770, "63"}, {6620, 7100, 6770, "09"}, {7100, 7600, 6770, "20"},
    };
    for (const Box& b : boxes)
        EXPECT_EQ(boxText(c, b.x1, b.x2, b.y), QString::fromUtf8(b.text)) << b.x1 << "," << b.y;
    // The main amounts end in the 185-twip cells the form fixes: 支払金額 at 2710, 源泉徴収税額 at 7460.
    EXPECT_EQ(c.textsAt(X0 + 2710 - 185 + 42, Y0 + 2040), QStringList{QStringLiteral("0")});
    EXPECT_EQ(c.textsAt(X0 + 7460 - 185 + 42, Y0 + 2040), QStringList{QStringLiteral("0")});
    EXPECT_EQ(c.textsAt(X0 + 7460 - 6 * 185 + 42, Y0 + 2040), QStringList{QStringLiteral("3")});
}

TEST_F(GensenTest, WithoutTheAdjustmentOnlyPayAndWithheldTaxAndNoZeroCounts)
{
    Values v = test::fullNentyo();
    v["NETYOKBN"] = "0";
    for (const char* column : {"FAMINUM", "FAMINUM1", "FAMINUM2", "FAMINUM3", "FAMINUM4", "FAMINUM5", "SYUGAISYA",
                               "SYUGAISYA1", "SYUGAISYA2"})
        v[column] = "0";
    const RecordingCanvas c = valuesOf(slipOf(v));
    EXPECT_EQ(boxText(c, 1130, 2780, 2040), QStringLiteral("9000000"));
    EXPECT_EQ(boxText(c, 5950, 7600, 2040), QStringLiteral("370000"));   // all that was withheld
    EXPECT_EQ(boxText(c, 2780, 5950, 2040), QString());
    EXPECT_EQ(boxText(c, 2100, 7600, 2745), QString());                  // every count 0: nothing
    EXPECT_EQ(boxText(c, 900, 7600, 4080), QString());                   // no premiums without the adjustment
    EXPECT_EQ(boxText(c, 4250, 7600, 5130), QString());
}

TEST_F(GensenTest, YearCaptionsAndTheMunicipalReportYear)
{
    EXPECT_EQ(GensenLayout::yearCaption(2019), QStringLiteral("令和元年分"));
    EXPECT_EQ(GensenLayout::yearCaption(2020), QStringLiteral("令和2年分"));
    EXPECT_EQ(GensenLayout::yearCaption(2018), QStringLiteral("平成30年分"));
    test::storeFullSlip(dir);
    GensenData d = slip();
    struct Case {
        int year;
        const char* report;
        int y;
    } cases[] = {{2026, "9", 956}, {2027, "10", 886}};
    for (const Case& k : cases) {
        d.year = k.year;
        RecordingCanvas c;
        GensenLayout::PrintByPlainPaper(c, GensenLayout::Municipal1, d);
        EXPECT_EQ(c.textsAt(1020, k.y), QStringList{QString::fromLatin1(k.report)}) << k.year;
        EXPECT_NE(c.find(GensenLayout::yearCaption(k.year)), nullptr);
    }
}

TEST_F(GensenTest, LeavingInTheYearWinsOverJoining)
{
    test::storeFullSlip(dir);
    struct Case {
        const char *joined, *left, *joinMark, *leaveMark, *date;
    } cases[] = {{"20260401", "20261130", "", "*", "081130"},   // 令和8年11月30日
                 {"20260401", "", "*", "", "080401"},
                 {"20250401", "20270131", "", "", ""}};
    for (const Case& k : cases) {
        ASSERT_TRUE(dir.exec(QStringLiteral("UPDATE JYUGYOIN SET NYUSYABI = '%1', TAISYABI = '%2' WHERE JGICODE = '00002'")
                                 .arg(QString::fromLatin1(k.joined), QString::fromLatin1(k.left))));
        const RecordingCanvas c = valuesOf(slip());
        EXPECT_EQ(boxText(c, 3420, 3760, 6770), QString::fromLatin1(k.joinMark)) << k.joined;
        EXPECT_EQ(boxText(c, 3760, 4100, 6770), QString::fromLatin1(k.leaveMark)) << k.left;
        EXPECT_EQ(boxText(c, 4100, 5460, 6770), QString::fromLatin1(k.date)) << k.left;
    }
}

TEST_F(GensenTest, RecipientCopyCarriesNoIndividualNumber)
{
    test::storeFullSlip(dir);
    const GensenData d = slip();
    RecordingCanvas c;
    for (int copy = 1; copy <= 4; ++copy) {
        GensenLayout::PrintByPlainPaper(c, copy, d);
        GensenLayout::print_gensen_data(c, copy, d);
    }
    ASSERT_EQ(c.pageCount(), 4);
    auto digit = [](const QString& t) { return t.size() == 1 && t[0].isDigit(); };
    // What the tax office's copy has that the recipient's has not.
    QMultiMap<QString, QString> onRecipient;
    for (const auto& t : c.texts())
        if (t.page == 4)
            onRecipient.insert(QStringLiteral("%1,%2").arg(t.x).arg(t.y), t.text);
    int digits = 0;
    QStringList others;
    for (const auto& t : c.texts()) {
        if (t.page != 3)
            continue;
        const QString at = QStringLiteral("%1,%2").arg(t.x).arg(t.y);
        if (onRecipient.contains(at, t.text))
            onRecipient.remove(at, t.text);
        else if (digit(t.text))
            ++digits;
        else
            others << t.text;
    }
    // Recipient, spouse, two dependants, the 特定親族, one under 16 and the payer's own number.
    EXPECT_EQ(digits, 7 * 12);
    EXPECT_EQ(others, (QStringList{"税", "務", "署", "提", "出", "整 理 欄", "①", "②", "（備考）", "3 7 5 - 1",
                                   "佐藤 五郎 123456789018"}));
    // The municipal copies carry the numbers as the tax office's does (and the year of the report).
    int municipal = 0;
    for (const auto& t : c.texts())
        if (digit(t.text))
            municipal += t.page == 1 ? 1 : t.page == 4 ? -1 : 0;
    EXPECT_EQ(municipal, 7 * 12 + 1);
}

TEST_F(GensenTest, BasicDeductionShownByTheRuleOfItsYear)
{
    struct Case {
        int year;
        const char* declared;   // the employee's own estimate of total income, if any
        const char* shown;
    } cases[] = {
        {2024, "", ""},                  // the standard 480,000 is not written
        {2024, "24200000", "320,000"},   // any other amount is
        {2025, "", "880,000"},           // pay 4,000,000 → 2,760,000 of income
        {2026, "", "1,040,000"},
        {2026, "30000000", "0"},         // since 2025 always written, 0 too
    };
    for (const Case& k : cases) {
        dir.exec(QStringLiteral("DELETE FROM NENTYO"));
        dir.exec(QStringLiteral("DELETE FROM NENTYOSINKOKU"));
        Values v = test::fullNentyo();
        v["kyuryo"] = "4000000";
        v["syoyo"] = "0";
        v["MAEKEI"] = "0";
        v["TYOUSEISW"] = "0";
        Values s{{"CID", "01"}, {"SIKYUYEAR", QString::number(k.year)}, {"JGICODE", "00002"}};
        if (*k.declared) {
            s["KIHONSW"] = "1";
            s["KIHONSYOTOKU"] = QString::fromLatin1(k.declared);
        }
        const RecordingCanvas c = valuesOf(slipOf(v, s, k.year));
        EXPECT_EQ(boxText(c, 4250, 4967, 5130), QString::fromLatin1(k.shown)) << k.year << " " << k.declared;
        EXPECT_EQ(boxText(c, 5567, 7600, 5130), QString()) << "no adjustment, no 特定親族";
    }
}

TEST_F(GensenTest, OffsetMovesEveryValueAndNothingElse)
{
    test::storeFullSlip(dir);
    const GensenData d = slip();
    RecordingCanvas still;
    RecordingCanvas moved;
    GensenLayout::print_gensen_data_genshi(still, d, 0, 0);
    GensenLayout::print_gensen_data_genshi(moved, d, GensenLayout::mmToTwips(2.5), GensenLayout::mmToTwips(-1.0));
    EXPECT_EQ(still.lineCount(), 0);   // values only
    ASSERT_EQ(still.texts().size(), moved.texts().size());
    ASSERT_GT(still.texts().size(), 150);
    for (int i = 0; i < still.texts().size(); ++i) {
        const auto& a = still.texts()[i];
        const auto& b = moved.texts()[i];
        // 2.5 mm = 141.7 twips, -1 mm = -56.7 twips.
        EXPECT_EQ(b.x - a.x, 142);
        EXPECT_EQ(b.y - a.y, -57);
        EXPECT_EQ(a.text, b.text);
    }
    // The preprinted form takes every value the plain copy does, at the same places,
    // and the number of its year.
    const RecordingCanvas plain = valuesOf(d);
    EXPECT_EQ(still.texts().first().text, QStringLiteral("8"));
    EXPECT_EQ(plain.calls(), still.calls().mid(2));   // after the font and the year

    // The calibration sheet: outlines and samples move, its own heading does not.
    RecordingCanvas sheet0;
    RecordingCanvas sheet1;
    GensenLayout::printCalibration(sheet0, 0, 0, QStringLiteral("P"), 0, 0);
    GensenLayout::printCalibration(sheet1, 142, -57, QStringLiteral("P"), 0, 0);
    ASSERT_EQ(sheet0.calls().size(), sheet1.calls().size());
    ASSERT_GT(sheet0.lineCount(), 400);
    for (int i = 0; i < sheet0.texts().size(); ++i) {
        const bool heading = sheet0.texts()[i].y >= 10000;
        EXPECT_EQ(sheet1.texts()[i].x - sheet0.texts()[i].x, heading ? 0 : 142);
    }
}

TEST_F(GensenTest, PlainPageMatchesTheReviewedCallList)
{
    test::storeFullSlip(dir);
    RecordingCanvas c;
    GensenLayout::PrintByPlainPaper(c, GensenLayout::TaxOffice, slip());
    GensenLayout::print_gensen_data(c, GensenLayout::TaxOffice, slip());
    test::expectGolden(c, QStringLiteral(MINASEL_GOLDEN_DIR "/gensen_taxoffice.txt"));
}

TEST_F(GensenTest, SlipsThatCannotBeMadePrintNothing)
{
    test::storeFullSlip(dir);
    struct Case {
        const char* sql;
        QStringList codes;
        QString message;
    } cases[] = {
        {"", {"00002", "00003"},
         QStringLiteral("年末調整データが登録されていない従業員があります（従業員番号：00003）。\n"
                        "年末調整を登録した後、印刷して下さい。")},
        {"DELETE FROM JYUGYOIN WHERE JGICODE = '00002'", {"00002"},
         QStringLiteral("従業員マスタに登録されていない従業員があります（従業員番号：00002）。")},
        {"UPDATE COMPANY SET COMPANY = '', ADRS1 = '', ADRSTDHK = '', HOJINNUM = ''", {"00002"},
         QStringLiteral("支払者（会社情報）が登録されていません。会社情報を登録した後、印刷して下さい。")},
    };
    for (const Case& k : cases) {
        if (*k.sql)
            ASSERT_TRUE(dir.exec(QString::fromUtf8(k.sql)));
        QList<PickerEntry> chosen;
        for (const QString& code : k.codes)
            chosen.append({code, QString()});
        GensenBatch batch(dir.ctx(), QStringLiteral("PrtGensen.cmdPrint_Click"));
        EXPECT_FALSE(batch.prepare(2026, chosen));
        RecordingCanvas c;
        EXPECT_EQ(batch.print(c, GensenBatch::Paper::Plain), GensenBatch::Outcome::NothingToPrint);
        EXPECT_TRUE(c.texts().isEmpty());
        EXPECT_EQ(dir.messages().lastText(), k.message);
    }
    GensenData out;
    QString error;
    EXPECT_FALSE(set_gensen_data(2026, {QStringLiteral("01")}, {}, &out, &error));
    // A stored text where a number belongs is a failure, logged, not a slip with 0 on it.
    ASSERT_TRUE(dir.exec(QStringLiteral("UPDATE NENTYO SET kyuryo = '八百万'")));
    GensenBatch batch(dir.ctx(), QStringLiteral("PrtGensen.cmdPrint_Click"));
    EXPECT_FALSE(batch.prepare(2026, {{QStringLiteral("00002"), QString()}}));
    QFile log(dir.path() + QStringLiteral("/kyuyo.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(QStringLiteral("[PrtGensen.cmdPrint_Click]")));
}

// The real PDF: B5 portrait pages, four per employee, the Japanese text there.
TEST_F(GensenTest, PdfHasFourB5PagesPerEmployeeAndItsText)
{
    test::storeFullSlip(dir);
    Values other = test::fullNentyo();
    other["JGICODE"] = "00003";
    ASSERT_TRUE(db::WriteNentyoTable(dir.ctx(), test::tableRow(db::Table::Nentyo, other)));
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("gensen.pdf"));
    GensenBatch batch(dir.ctx(), QStringLiteral("test"));
    ASSERT_TRUE(batch.prepare(2026, {{"00002", ""}, {"00003", ""}}));
    PdfCanvas canvas(path);
    ASSERT_TRUE(canvas.open());
    ASSERT_EQ(batch.print(canvas, GensenBatch::Paper::Plain), GensenBatch::Outcome::Printed);
    const QString info = test::runTool(QStringLiteral("pdfinfo"), {path});
    if (info.isNull())
        GTEST_SKIP() << "poppler-utils not installed";
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+8\\b")))) << info.toStdString();
    // JIS B5 is 182 x 257 mm: 515.9 x 728.5 points, portrait.
    const auto m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    ASSERT_TRUE(m.hasMatch());
    EXPECT_NEAR(m.captured(1).toDouble(), 515.9, 1.0);
    EXPECT_NEAR(m.captured(2).toDouble(), 728.5, 1.0);
    const QString text = test::runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    for (const char* s : {"給 与 所 得 の 源 泉 徴 収 票", "給与支払報告書（個人別明細書）", "令和8年分", "佐藤 花子",
                          "鈴木 一郎", "特定親族", "控除対象扶養親族等の数", "ミナセル商事株式会社"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s;
    EXPECT_EQ(text.count(QStringLiteral("受給者交付用")), 2);
}
