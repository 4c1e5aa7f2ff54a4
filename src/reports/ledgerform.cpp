#include "reports/ledgerform.h"

#include "app/appcontext.h"
#include "reports/formpen.h"
#include "reports/textfit.h"
#include "reports/ledgerline.h"
#include "reports/fonts.h"
#include "reports/printcanvas.h"
#include "reports/printpaper.h"

namespace minasel::reports {

namespace {

constexpr int kPad = LedgerForm::kPad;
constexpr int kHeadingPitch = 130;  // heading lines at 5 points

struct Group {
    int first;
    int last;
    const char* title;
};

// Over the pay items, the social insurance and the tax and other deductions.
constexpr Group kGroups[] = {
    {0, 11, "給     与     の     内     訳"},
    {14, 17, "社会保険料控除額"},
    {19, 23, "所得税・市町村民税および一般控除額"},
};
// The three other allowances share the heading "その他手当" inside the pay group.
constexpr Group kOthers = {7, 9, "その他手当"};

const char* const kHeadings[LedgerForm::kColumns][3] = {
    {"基 本 給"}, {"役員報酬"}, {"時間外手当"}, {"食事/通勤"}, {"家族/住宅", "手  当"}, {"付加給/", "資格"},
    {"休日出勤/", "緊急呼出"}, {"１"}, {"２"}, {"３～９"}, {"遅欠控除"}, {"給与総額 A"}, {"非課税額", "B"},
    {"課税分", "給与額", "C"}, {"健 保"}, {"厚保及び", "基金掛金"}, {"雇 保"}, {"社保計 D"},
    {"差引控除", "後の給与額", "E"}, {"所得税"}, {"市町村民税"}, {"その他控除", "１～５"}, {"控除計 F"},
    {"年末調整 G"}, {"差引支給額", "H"},
};

const Group* groupOf(int column)
{
    for (const Group& g : kGroups)
        if (column >= g.first && column <= g.last)
            return &g;
    return nullptr;
}

bool inOthers(int column)
{
    return column >= kOthers.first && column <= kOthers.last;
}

} // namespace

double LedgerForm::scaleFor(int paperCode)
{
    return paperCode == PaperA4 ? 1.0 : paperCode == PaperB4 ? 1.25 : 0.0;
}

bool LedgerForm::setUpPage(AppContext& ctx, PrintCanvas& canvas, int paperCode, FormPen& pen)
{
    const double scale = scaleFor(paperCode);
    pen.setScale(scale == 0.0 ? 1.0 : scale);
    const int size = pen.points(kPageFontPoints);
    if (scale == 0.0 || !setPrintPaper(ctx, canvas, minchoFont(), size, paperCode, kOrientation, 0, 0)) {
        canvas.abortDocument();
        return false;
    }
    pen.fontSetTo(size);
    return true;
}

LedgerOutcome LedgerForm::endDocument(AppContext& ctx, PrintCanvas& canvas, FormPen& pen, const QString& procedure)
{
    pen.resetFont(pen.points(kPageFontPoints));
    return finishDocument(ctx, canvas, procedure) ? LedgerOutcome::Printed : LedgerOutcome::Failed;
}

QStringList LedgerForm::footerRules()
{
    return {QStringLiteral(" A - B = C "), QStringLiteral(" C - D = E "), QStringLiteral(" E - F + B + G = H ")};
}

void LedgerForm::drawFooter(FormPen& pen, int x, int y)
{
    int at = x;
    for (const QString& rule : footerRules()) {
        pen.text(at, y, rule, 8);
        at += textWidth(rule, 8) + 600;
    }
}

void LedgerForm::drawHeadings(int top, int groupBottom, int bottom, int tableBottom) const
{
    const int textHeight = kHeadingPoints * 20;
    for (const Group& g : kGroups) {
        m_pen.centred(edge(g.first), edge(g.last + 1), (top + groupBottom - kGroupPoints * 20) / 2,
                      QString::fromUtf8(g.title), kGroupPoints);
        m_pen.line(edge(g.first), groupBottom, edge(g.last + 1), groupBottom);
    }
    const int othersBottom = (groupBottom + bottom) / 2;
    m_pen.centred(edge(kOthers.first), edge(kOthers.last + 1), (groupBottom + othersBottom - textHeight) / 2,
                  QString::fromUtf8(kOthers.title), kHeadingPoints);
    m_pen.line(edge(kOthers.first), othersBottom, edge(kOthers.last + 1), othersBottom);

    for (int c = 0; c < kColumns; ++c) {
        const int boxTop = inOthers(c) ? othersBottom : groupOf(c) ? groupBottom : top;
        QStringList lines;
        for (const char* l : kHeadings[c])
            if (l)
                lines << QString::fromUtf8(l);
        int y = boxTop + (bottom - boxTop - (int(lines.size()) * kHeadingPitch - (kHeadingPitch - textHeight))) / 2;
        for (const QString& l : lines) {
            m_pen.centred(edge(c), edge(c + 1), y, l, kHeadingPoints);
            y += kHeadingPitch;
        }
    }

    // Rules between columns start under the heading they stand in.
    for (int i = 0; i <= kColumns; ++i) {
        int from = top;
        if (i > 0 && i < kColumns) {
            if (inOthers(i - 1) && inOthers(i))
                from = othersBottom;
            else if (groupOf(i - 1) && groupOf(i - 1) == groupOf(i))
                from = groupBottom;
        }
        m_pen.line(edge(i), from, edge(i), tableBottom);
    }
}

void LedgerForm::money(int column, int y, double value) const
{
    m_pen.number(edge(column + 1) - kPad, y, value, QStringLiteral("#,###"), kValuePoints, m_width - 2 * kPad);
}

void LedgerForm::drawLine(const LedgerLine& l, int top, int height) const
{
    const int up = upperY(top, height);
    const int low = lowerY(top, height);
    const int mid = singleY(top, height);
    const int room = m_width - 2 * kPad;

    money(0, mid, double(l.basic));
    money(1, mid, double(l.directors));
    money(2, up, double(l.overtime));
    if (l.overtimeHours != 0)
        m_pen.number(edge(3) - kPad, low, l.overtimeHours, overtimeHoursFormat(), kValuePoints, room);
    money(3, up, double(l.meal));
    money(3, low, double(l.commuting));
    money(4, up, double(l.family));
    money(4, low, double(l.housing));
    money(5, up, double(l.additional));
    money(5, low, double(l.qualification));
    money(6, up, double(l.holidayWork));
    money(6, low, double(l.callOut));
    const QString names[3] = {l.otherName1, l.otherName2, l.otherName3};
    const qint64 others[3] = {l.otherAllowances[0], l.otherAllowances[1], l.otherAllowances3to9()};
    for (int i = 0; i < 3; ++i) {
        m_pen.fitted(edge(7 + i) + kPad, up, names[i], kValuePoints, room);
        money(7 + i, low, double(others[i]));
    }
    const qint64 singles[] = {l.absenceDeduction, l.totalPay(), l.nonTaxable(), l.taxablePay(), l.health,
                              l.pension, l.employmentInsurance, l.socialInsurance(), l.afterInsurance(), l.tax,
                              l.residentTax, l.otherDeductionTotal(), l.deductionTotal(), l.yearEnd, l.netPay()};
    for (int i = 0; i < 15; ++i)
        money(10 + i, mid, double(singles[i]));
}

} // namespace minasel::reports
