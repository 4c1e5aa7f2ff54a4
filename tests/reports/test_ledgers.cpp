#include "ledgerfixture.h"
#include "reports/formpen.h"
#include "reports/textfit.h"
#include "reports/getudaityoform.h"
#include "reports/kojindaityoform.h"
#include "reports/ledgerperiod.h"
#include "reports/ledgertable.h"
#include "reports/recordingcanvas.h"
#include "support/golden.h"


using namespace minasel;
using namespace minasel::reports;

namespace {

class LedgerTest : public test::LedgerFixture {
protected:
    QList<LedgerLine> lines(const QString& start, const QString& end)
    {
        QList<LedgerLine> out;
        DbError error;
        EXPECT_TRUE(LedgerData(dir.ctx().db(), QStringLiteral("01")).readPeriod(start, end, &out, &error));
        return out;
    }
    void printMonthly(RecordingCanvas& canvas, const QList<LedgerLine>& l, int paper = PaperA4)
    {
        GetuDaityoForm form(dir.ctx(), QStringLiteral("PrtGetuDaityo.print_data"));
        ASSERT_EQ(form.print(canvas, paper, l), LedgerOutcome::Printed);
    }
    void printIndividual(RecordingCanvas& canvas, const QStringList& codes, int paper = PaperA4)
    {
        QList<PickerEntry> chosen;
        for (const QString& c : codes)
            chosen.append({c, {}});
        KojinDaityoForm form(dir.ctx());
        ASSERT_EQ(form.print(canvas, paper, QStringLiteral("2026"), chosen), LedgerOutcome::Printed);
    }
};

// The text on `page` whose right edge is `right` at `y`, trimmed ("" when none).
QString figureAt(const RecordingCanvas& c, int page, int right, int y)
{
    for (const auto& t : c.texts())
        if (t.page == page && t.y == y && t.x + textWidth(t.text, t.size) == right)
            return t.text.trimmed();
    return {};
}

QStringList textsOnPage(const RecordingCanvas& c, int page)
{
    QStringList out;
    for (const auto& t : c.texts())
        if (t.page == page)
            out << t.text;
    return out;
}

int amountRight(int column)   // right edge of a monthly amount column's figures, A4
{
    return GetuDaityoForm::kHoursRight + (column + 1) * GetuDaityoForm::kAmountWidth - LedgerForm::kPad;
}

void expectGolden(const RecordingCanvas& canvas, const QString& name)
{
    test::expectGolden(canvas, QStringLiteral(MINASEL_GOLDEN_DIR "/") + name);
}

} // namespace

TEST(LedgerPeriodTest, FieldsGiveTheSpanOrTheRefusal)
{
    using P = LedgerPeriod::Problem;
    struct Case {
        const char *y1, *m1, *y2, *m2;
        P problem;
        const char *start, *end;
    } const cases[] = {
        {"", "05", "2025", "06", P::NoStartYear, "", ""},
        {"2025", "", "2025", "06", P::NoStartMonth, "", ""},
        {"2025", "05", "2025", "04", P::Reversed, "202505", "202504"},
        {"2024", "12", "2025", "1", P::None, "202412", "202501"},
        {"2025", "5", "", "", P::None, "202505", "202505"},   // only a start: that one month
    };
    for (const Case& c : cases) {
        const LedgerPeriod p = LedgerPeriod::check(c.y1, c.m1, c.y2, c.m2);
        EXPECT_EQ(p.problem, c.problem) << c.y1 << c.m1;
        if (c.problem != P::NoStartYear && c.problem != P::NoStartMonth) {
            EXPECT_EQ(p.start, QString(c.start));
            EXPECT_EQ(p.end, QString(c.end));
        }
    }
    EXPECT_EQ(LedgerPeriod::check("2025", "05", "2025", "04").message(),
              QStringLiteral("開始・終了期間が間違いました。再入力して下さい。"));
}

// The sums the ledger works out for one line, by hand (see fullStatement); where the
// stored values of the line stand is the reviewed call list (OnePageOfEachLedger...).
TEST_F(LedgerTest, EveryFormulaOnOneLineStandsInItsColumn)
{
    statement("202611", 2, 1, test::fullStatement());
    RecordingCanvas canvas;
    printMonthly(canvas, lines("202611", "202611"));
    const int top = GetuDaityoForm::lineTop(0);
    const int h = GetuDaityoForm::kLineHeight;
    const int up = LedgerForm::upperY(top, h), low = LedgerForm::lowerY(top, h), mid = LedgerForm::singleY(top, h);
    struct Figure {
        int column, y;
        const char* text;
    } const figures[] = {
        {2, up, "19,000"}, {2, low, "14.0"},   // six overtime amounts and hours added
        {9, low, "1,200"},                      // allowances 3 to 9
        {11, mid, "319,200"}, {12, mid, "10,000"}, {13, mid, "309,200"}, {17, mid, "44,350"}, {18, mid, "264,850"},
        {21, mid, "3,500"}, {22, mid, "22,500"}, {24, mid, "254,750"},
    };
    for (const Figure& f : figures)
        EXPECT_EQ(figureAt(canvas, 1, amountRight(f.column), f.y), QString::fromUtf8(f.text)) << "column " << f.column;
}

TEST_F(LedgerTest, PagesBreakAfterFifteenLinesAndAtEachMonthSalaryFirst)
{
    addEmployees(16);
    for (int e = 1; e <= 16; ++e)
        statement("202611", e, 1, {{"KIHONKYU", "100000"}, {"BATIME", "96"}}, e == 4 ? "3" : "1");
    statement("202612", 1, 1, {{"KIHONKYU", "100000"}});
    statement("202612", 2, 1, {{"KIHONKYU", "150000"}});
    statement("202611", 3, 2, {{"KIHONKYU", "300000"}});
    statement("202612", 4, 2, {{"KIHONKYU", "200000"}});
    RecordingCanvas canvas;
    printMonthly(canvas, lines("202611", "202612"));
    ASSERT_EQ(canvas.pageCount(), 5);
    struct Page {
        const char* title;
        const char* kind;
        int lines;
        const char* total;   // the month's basic pay, "" when the month goes on
    } const pages[] = {
        {"2026年11月 分 給 料 台 帳", "給与", 15, ""},
        {"2026年11月 分 給 料 台 帳", "給与", 1, "1,600,000"},
        {"2026年12月 分 給 料 台 帳", "給与", 2, "250,000"},
        {"2026年11月 分 給 料 台 帳", "賞与", 1, "300,000"},
        {"2026年12月 分 給 料 台 帳", "賞与", 1, "200,000"},
    };
    const int totalY = LedgerForm::singleY(GetuDaityoForm::kTotalTop, GetuDaityoForm::kLineHeight);
    for (int p = 1; p <= 5; ++p) {
        const Page& want = pages[p - 1];
        const QStringList texts = textsOnPage(canvas, p);
        EXPECT_TRUE(texts.contains(QString::fromUtf8(want.title))) << p;
        EXPECT_EQ(texts.count(QString::fromUtf8(want.kind)), want.lines) << p;
        EXPECT_EQ(texts.contains(QStringLiteral("合　　計")), *want.total != 0) << p;
        EXPECT_EQ(figureAt(canvas, p, amountRight(0), totalY), QString::fromUtf8(want.total)) << p;
    }
    EXPECT_TRUE(textsOnPage(canvas, 2).contains(QStringLiteral("社員 16")));
    // The part-timer's hours worked are summed apart from the others' hours absent.
    EXPECT_TRUE(textsOnPage(canvas, 2).contains(QStringLiteral("出")));
}

TEST_F(LedgerTest, B4IsTheA4FormEnlargedByFiveQuarters)
{
    statement("202611", 2, 1, test::fullStatement());
    statement("202603", 2, 1, test::fullStatement());
    RecordingCanvas a4, b4;
    printMonthly(a4, lines("202611", "202611"), PaperA4);
    printMonthly(b4, lines("202611", "202611"), PaperB4);
    EXPECT_EQ(a4.calls().first(), QStringLiteral("paper 9"));
    EXPECT_EQ(b4.calls().first(), QStringLiteral("paper 12"));
    EXPECT_TRUE(b4.calls().contains(QStringLiteral("orientation 2")));
    const auto* titleA4 = a4.find(QStringLiteral("2026年11月 分 給 料 台 帳"));
    const auto* titleB4 = b4.find(QStringLiteral("2026年11月 分 給 料 台 帳"));
    ASSERT_TRUE(titleA4 && titleB4);
    EXPECT_EQ(titleA4->y, 400);
    EXPECT_EQ(titleB4->y, 500);
    EXPECT_EQ(titleA4->size, 14);
    EXPECT_EQ(titleB4->size, 17);
    const int mid = LedgerForm::singleY(GetuDaityoForm::lineTop(0), GetuDaityoForm::kLineHeight);
    EXPECT_EQ(figureAt(b4, 1, qRound(amountRight(24) * 1.25 + 0.1), qRound(mid * 1.25 + 0.1)),
              QStringLiteral("254,750"));

    // Individual ledger: month lines 400 twips apart on A4, 500 on B4.
    RecordingCanvas ka4, kb4;
    printIndividual(ka4, {"00002"}, PaperA4);
    printIndividual(kb4, {"00002"}, PaperB4);
    const int basicRight = KojinDaityoForm::kAttendanceRight + KojinDaityoForm::kAmountWidth - LedgerForm::kPad;
    for (int month : {3, 11}) {
        const int y = LedgerForm::singleY(KojinDaityoForm::monthTop(month), KojinDaityoForm::kLineHeight);
        EXPECT_EQ(figureAt(ka4, 1, basicRight, y), QStringLiteral("250,000"));
        EXPECT_EQ(figureAt(kb4, 1, qRound(basicRight * 1.25 + 0.1), qRound(y * 1.25 + 0.1)), QStringLiteral("250,000"));
    }
    EXPECT_EQ(KojinDaityoForm::monthTop(11) - KojinDaityoForm::monthTop(3), 8 * 400);
}

TEST_F(LedgerTest, IndividualLedgerPutsEachMonthOnItsLineAndBonusesBelow)
{
    statement("202603", 2, 1, {{"KIHONKYU", "240000"}, {"SYUKINNUM", "21"}});
    statement("202604", 2, 1, {{"KIHONKYU", "241000"}});
    statement("202606", 2, 2, {{"KIHONKYU", "300000"}});
    statement("202612", 2, 2, {{"KIHONKYU", "310000"}});
    statement("202605", 4, 1, {{"KIHONKYU", "90000"}, {"BATIME", "80"}}, "3");
    statement("202605", 1, 1, {{"YHOSYU", "500000"}}, "0");
    RecordingCanvas canvas;
    printIndividual(canvas, {"00001", "00002", "00004"});
    ASSERT_EQ(canvas.pageCount(), 3);   // one employee a page, in the list's order
    const int basicRight = KojinDaityoForm::kAttendanceRight + KojinDaityoForm::kAmountWidth - LedgerForm::kPad;
    const int h = KojinDaityoForm::kLineHeight;
    for (int m = 1; m <= 12; ++m) {
        const QString want = m == 3 ? "240,000" : m == 4 ? "241,000" : "";
        EXPECT_EQ(figureAt(canvas, 2, basicRight, LedgerForm::singleY(KojinDaityoForm::monthTop(m), h)), want) << m;
    }
    EXPECT_EQ(figureAt(canvas, 2, basicRight, LedgerForm::singleY(KojinDaityoForm::kBonusTop, h)), "300,000");
    EXPECT_EQ(figureAt(canvas, 2, basicRight, LedgerForm::singleY(KojinDaityoForm::kBonusTop + h, h)), "310,000");
    EXPECT_EQ(figureAt(canvas, 2, basicRight, LedgerForm::singleY(KojinDaityoForm::kTotalTop, h)), "1,091,000");
    EXPECT_EQ(figureAt(canvas, 2, KojinDaityoForm::kAttendanceRight - LedgerForm::kPad,
                       LedgerForm::upperY(KojinDaityoForm::monthTop(3), h)),
              "21");
    EXPECT_TRUE(textsOnPage(canvas, 1).contains(QStringLiteral("役員")));
    EXPECT_TRUE(textsOnPage(canvas, 2).contains(QStringLiteral("正社員")));
    EXPECT_TRUE(textsOnPage(canvas, 3).contains(QStringLiteral("パート")));
    EXPECT_TRUE(textsOnPage(canvas, 3).contains(QStringLiteral("出")));   // hours worked for a part-timer
    for (const char* kind : {"0", "1", "2", "3", "4", "5", "6"}) {
        LedgerEmployee e;
        e.employeeKind = kind;
        EXPECT_EQ(e.jobName().isEmpty(), *kind >= '5') << kind;   // classes after 4 print no job name
    }
}

TEST_F(LedgerTest, GridTotalsEqualThePrintedTotals)
{
    addEmployees(6);
    statement("202611", 2, 1, test::fullStatement());
    statement("202611", 4, 1, {{"KIHONKYU", "90000"}, {"BATIME", "80.5"}, {"TUKINTEATE", "4000"}}, "3");
    statement("202611", 5, 1, {{"KIHONKYU", "1234567890"}, {"NENTYOMONEY", "-5000"}});
    statement("202611", 6, 1, {{"KIHONKYU", "1"}});
    const QList<LedgerLine> month = lines("202611", "202611");
    RecordingCanvas canvas;
    printMonthly(canvas, month);
    const LedgerTable table = LedgerTable::monthly(month);
    ASSERT_EQ(table.rows.size(), 5);
    const QStringList& total = table.rows.last().cells;
    EXPECT_EQ(total[0], QStringLiteral("合計"));
    const int y = LedgerForm::singleY(GetuDaityoForm::kTotalTop, GetuDaityoForm::kLineHeight);
    // Printed column -> grid column, for the figures both show alone.
    const std::pair<int, int> same[] = {{0, 3},   {10, 24}, {11, 25}, {12, 26}, {13, 27}, {14, 28}, {15, 29},
                                        {16, 30}, {17, 31}, {18, 32}, {19, 33}, {20, 34}, {22, 40}, {23, 41}, {24, 42}};
    for (auto [printed, grid] : same)
        EXPECT_EQ(figureAt(canvas, 1, amountRight(printed), y), total[grid]) << printed;
    EXPECT_EQ(total[3], QStringLiteral("1,234,907,891"));   // past the 32-bit range
    EXPECT_EQ(total[2], QStringLiteral("出 80.5h 欠 2.5h"));
    // The CSV of the grid: LedgerScreenTest.MonthlyDisplayListsTheMonthsAndExportsTheGrid.
}

TEST_F(LedgerTest, OnePageOfEachLedgerMatchesTheReviewedCallList)
{
    statement("202611", 2, 1, test::fullStatement());
    statement("202611", 4, 1, {{"KIHONKYU", "90000"}, {"BATIME", "80.5"}, {"SYUKINNUM", "12"}}, "3");
    statement("202606", 2, 2, {{"KIHONKYU", "300000"}, {"HEALTH", "15000"}, {"TAX", "9000"}});
    RecordingCanvas monthly, individual;
    printMonthly(monthly, lines("202611", "202611"));
    expectGolden(monthly, QStringLiteral("getudaityo_page.txt"));
    printIndividual(individual, {"00002"});
    expectGolden(individual, QStringLiteral("kojindaityo_page.txt"));
}
