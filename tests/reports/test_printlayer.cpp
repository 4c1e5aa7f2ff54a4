#include "reports/csvwriter.h"
#include "reports/fonts.h"
#include "reports/pdfcanvas.h"
#include "reports/printpaper.h"
#include "reports/recordingcanvas.h"
#include "support/cli.h"
#include "support/testdatadir.h"

#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::reports;

namespace {

QString tool(const QString& name, const QStringList& args)
{
    return test::runCli(name, args).out;   // null when the tool is not installed
}

} // namespace

TEST(Fonts, WindowsFontNamesReachInstalledJapaneseFonts)
{
    installFontSubstitutions();
    const QString mincho = QFontInfo(QFont(QStringLiteral("ＭＳ 明朝"))).family();
    const QString gothic = QFontInfo(QFont(QStringLiteral("ＭＳ ゴシック"))).family();
    EXPECT_TRUE(mincho.contains(QStringLiteral("Mincho")) || mincho.contains(QStringLiteral("Serif")))
        << mincho.toStdString() << " (fonts-ipafont installed?)";
    EXPECT_TRUE(gothic.contains(QStringLiteral("Gothic")) || gothic.contains(QStringLiteral("Sans")))
        << gothic.toStdString();
    EXPECT_NE(mincho, gothic);
}

TEST(PrintPaper, SettingsAreAppliedInOrderAndTheFontLast)
{
    test::TestDataDir dir(false);
    RecordingCanvas c;
    ASSERT_TRUE(setPrintPaper(dir.ctx(), c, QStringLiteral("ＭＳ 明朝"), 10, 13, 2, 25000, 25000));
    EXPECT_EQ(c.calls(), (QStringList{"paper 13", "orientation 2", "font ＭＳ 明朝 10"}));
    RecordingCanvas user;
    ASSERT_TRUE(setPrintPaper(dir.ctx(), user, QStringLiteral("ＭＳ ゴシック"), 9, 256, 1, 6600, 9000));
    EXPECT_EQ(user.calls(), (QStringList{"paper 256", "orientation 1", "custom 6600x9000", "font ＭＳ ゴシック 9"}));
    EXPECT_TRUE(dir.messages().empty());
}

TEST(PrintPaper, RefusalStopsUnlessTheDeviceIsAPdfOutput)
{
    struct Case {
        const char* device;
        bool anyPaper;
        bool refusePaper;
        bool refuseOrientation;
        bool printable;
    };
    const Case cases[] = {
        {"Office Laser", false, true, false, false},
        {"Office Laser", false, false, true, false},
        {"Adobe PDF", false, true, true, true},
        {"Acrobat Distiller", false, true, false, true},
        {"PDF 出力", true, true, true, true},
        {"Office Laser", false, false, false, true},
    };
    for (const Case& k : cases) {
        test::TestDataDir dir(false);
        RecordingCanvas c;
        c.setDeviceName(QString::fromUtf8(k.device));
        c.setAcceptsAnyPaper(k.anyPaper);
        if (k.refusePaper)
            c.refusePaper(12);
        c.refuseOrientation(k.refuseOrientation);
        EXPECT_EQ(setPrintPaper(dir.ctx(), c, QStringLiteral("ＭＳ 明朝"), 10, 12, 1, 0, 0), k.printable) << k.device;
        if (k.printable) {
            EXPECT_TRUE(dir.messages().empty()) << k.device;
            EXPECT_EQ(c.calls().last(), QStringLiteral("font ＭＳ 明朝 10"));
        } else {
            ASSERT_EQ(dir.messages().entries().size(), 1);
            EXPECT_EQ(dir.messages().lastText(),
                      QStringLiteral("選択したプリンタは印刷しようとする帳票のサイズに合わないので、印刷することはできません。\n\nプリンタを切り替えて下さい。"));
            EXPECT_EQ(dir.messages().last().icon, Messages::Icon::Exclamation);
            EXPECT_EQ(dir.messages().last().title, QStringLiteral("ミナセル"));
            EXPECT_FALSE(c.calls().last().startsWith(QLatin1String("font")));
        }
    }
}

TEST(PrintPaper, LedgersTakeB4WhenOfferedElseA4)
{
    RecordingCanvas c;
    c.setPaperCodes({9, 12, 13});
    EXPECT_EQ(chooseLedgerPaper(c), 12);
    c.setPaperCodes({9, 13});
    EXPECT_EQ(chooseLedgerPaper(c), 9);
    c.setPaperCodes({1, 5});
    EXPECT_EQ(chooseLedgerPaper(c), 9);
    PdfCanvas pdf(QStringLiteral("/nonexistent/x.pdf"));
    EXPECT_EQ(chooseLedgerPaper(pdf), 12);
}

// A4, JIS B4 and JIS B5 are measured on real PDFs (PdfCanvasTest, the withholding slip).
TEST(PrintPaper, UnknownCodesAndTheUserSize)
{
    EXPECT_FALSE(pageSizeForCode(999).isValid());
    EXPECT_FALSE(pageSizeForCode(256).isValid());
    const QSizeF user = pageSizeForCode(256, 6600, 9000).size(QPageSize::Point);
    EXPECT_DOUBLE_EQ(user.width(), 450.0);
    EXPECT_DOUBLE_EQ(user.height(), 330.0);
}

// On a real PDF: a page size change between pages, the font kept over a new
// page, Japanese text through the font substitution, and text placed by its top-left corner.
TEST(PdfCanvasTest, PagesFontsAndPositions)
{
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("t.pdf"));
    PdfCanvas c(path);
    ASSERT_TRUE(c.open());
    test::TestDataDir dir(false);
    ASSERT_TRUE(setPrintPaper(dir.ctx(), c, QStringLiteral("ＭＳ ゴシック"), 20, 9, 1, 0, 0));
    PrintAt(c, 1440, 1440, QStringLiteral("源泉徴収票"));
    c.drawLine(1440, 2000, 5760, 2000);
    c.setPaperSize(12);
    c.newPage();
    PrintAt(c, 2880, 720, QStringLiteral("月別賃金台帳"));
    ASSERT_TRUE(c.endDocument());
    EXPECT_EQ(c.pageCount(), 2);

    const QString info = tool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("2"), path});
    if (info.isNull())
        GTEST_SKIP() << "poppler-utils not installed";
    // A4 portrait, then JIS B4 (257 x 364 mm) portrait.
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page +1 size: +595 x 842")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page +2 size: +729 x 1032")))) << info.toStdString();
    const QString fonts = tool(QStringLiteral("pdffonts"), {path});
    EXPECT_TRUE(fonts.contains(QStringLiteral("IPAGothic")) || fonts.contains(QStringLiteral("NotoSans"))) << fonts.toStdString();

    const QString bbox = tool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    const QRegularExpression first(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">源泉徴収票</word>"));
    const auto m = first.match(bbox);
    ASSERT_TRUE(m.hasMatch()) << bbox.toStdString();
    EXPECT_NEAR(m.captured(1).toDouble(), 72.0, 1.5);
    EXPECT_NEAR(m.captured(2).toDouble(), 72.0, 3.0);
    // Five characters of 20 points: 100 points wide, 20 high.
    EXPECT_NEAR(m.captured(3).toDouble() - m.captured(1).toDouble(), 100.0, 3.0);
    EXPECT_NEAR(m.captured(4).toDouble() - m.captured(2).toDouble(), 20.0, 3.0);
    EXPECT_TRUE(bbox.contains(QStringLiteral(">月別賃金台帳<")));   // the font carried over the new page
}

TEST(PdfCanvasTest, AbandonedDocumentLeavesNoFile)
{
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("t.pdf"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    {
        PdfCanvas c(path);
        ASSERT_TRUE(c.open());
        PrintAt(c, 100, 100, QStringLiteral("途中"));
        c.newPage();
        c.abortDocument();
        EXPECT_FALSE(c.endDocument());
    }
    {
        PdfCanvas c(path);   // destroyed without an end: abandoned too
        ASSERT_TRUE(c.open());
        PrintAt(c, 100, 100, QStringLiteral("途中"));
    }
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("previous"));   // the earlier file is untouched
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(Csv, QuotingBomLineEndsAndOwnerOnlyFile)
{
    const QList<QStringList> rows = {{QStringLiteral("氏名"), QStringLiteral("a,b"), QStringLiteral("say \"hi\"")},
                                     {QStringLiteral("x\ny"), QString(), QStringLiteral("1,234")}};
    const QByteArray expected = QByteArray("\xEF\xBB\xBF") + QStringLiteral("氏名").toUtf8()
        + ",\"a,b\",\"say \"\"hi\"\"\"\r\n\"x\ny\",,\"1,234\"\r\n";
    EXPECT_EQ(CsvWriter::encode(rows), expected);
    // A typed formula reaches the spreadsheet as text; a negative amount stays a number.
    EXPECT_EQ(CsvWriter::encode({{QStringLiteral("=1+2"), QStringLiteral("@SUM(A1)"), QStringLiteral("-1,234"),
                                  QStringLiteral("-A1"), QStringLiteral("+81")}}),
              QByteArray("\xEF\xBB\xBF'=1+2,'@SUM(A1),\"-1,234\",'-A1,'+81\r\n"));

    QTemporaryDir dir;
    QString error;
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    ASSERT_TRUE(CsvWriter::write(path, rows, &error)) << error.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), expected);
    EXPECT_EQ(f.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup), 0);

    // A folder that is gone: a message, and nothing written anywhere.
    EXPECT_FALSE(CsvWriter::write(dir.filePath(QStringLiteral("gone/out.csv")), rows, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("gone"))));
}
