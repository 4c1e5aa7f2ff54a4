#include "reports/employeelistlayout.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "reports/fonts.h"
#include "reports/printcanvas.h"
#include "reports/printpaper.h"
#include "reports/textfit.h"

namespace minasel::reports {

namespace {

using L = EmployeeListLayout;
using F = ListField;

constexpr int kPad = 40;           // between a cell's edge and its text
constexpr int kCaptionSize = 9;
constexpr int kItemNameSize = 7;   // names of the other allowances and deductions
constexpr int kAddressSize = 9;
constexpr int kMoneyX = 5800;      // where the pay columns begin
constexpr int kMoneyWidth = 880;
constexpr int kItemWidth = 1060;

// One cell of a band: its heading (one or two lines), the row (0 to 2) and the
// horizontal extent, and the value it holds.
struct Cell {
    QStringList caption;
    int row;
    int x;
    int width;
    F field;
    int item = 0;
};

const QList<Cell>& cells()
{
    static const QList<Cell> list = [] {
        QList<Cell> c{
            {{QStringLiteral("従業員番号")}, 0, 400, 900, F::Code},
            {{QStringLiteral("氏　名")}, 0, 1300, 2600, F::Name},
            {{QStringLiteral("性別")}, 0, 3900, 600, F::Sex},
            {{QStringLiteral("生年月日")}, 0, 4500, 1300, F::Birthday},
            {{QStringLiteral("在籍区分")}, 1, 400, 900, F::Kbn},
            {{QStringLiteral("職務内容")}, 1, 1300, 2000, F::Syokumu},
            {{QStringLiteral("入社年月日")}, 1, 3300, 1250, F::Nyusyabi},
            {{QStringLiteral("退社年月日")}, 1, 4550, 1250, F::Taisyabi},
            {{QStringLiteral("郵便番号")}, 2, 400, 900, F::Zip},
            {{QStringLiteral("自宅住所")}, 2, 1300, 3100, F::Address},
            {{QStringLiteral("電話番号")}, 2, 4400, 1400, F::Tel},
        };
        const std::pair<QStringList, F> fixed[] = {
            {{QStringLiteral("基本給")}, F::Kihonkyu},
            {{QStringLiteral("役員報酬")}, F::Yhosyu},
            {{QStringLiteral("食事手当")}, F::Food},
            {{QStringLiteral("通勤手当")}, F::Tukin},
            {{QStringLiteral("資格手当")}, F::Sikaku},
            {{QStringLiteral("住宅手当")}, F::Home},
            {{QStringLiteral("家族手当")}, F::Family},
            {{QStringLiteral("付加給")}, F::Fukakyu},
            {{QStringLiteral("健康保険料")}, F::Health},
            {{QStringLiteral("厚生年金"), QStringLiteral("保険料")}, F::Nenkin},
            {{QStringLiteral("市町村民税")}, F::Simizei},
            {{QStringLiteral("時間割賃金")}, F::TimeMoney},
        };
        int x = kMoneyX;
        for (const auto& [caption, field] : fixed) {
            c.append(Cell{caption, 0, x, kMoneyWidth, field});
            x += kMoneyWidth;
        }
        for (int n = 0; n < EmployeeList::kAllowances; ++n)
            c.append(Cell{{QStringLiteral("その他手当%1").arg(n + 1)}, 1, kMoneyX + n * kItemWidth, kItemWidth, F::Allowance, n});
        const int afterAllowances = kMoneyX + EmployeeList::kAllowances * kItemWidth;
        c.append(Cell{{QStringLiteral("扶養家族数")}, 1, afterAllowances, L::kRight - afterAllowances, F::FamiNum});
        for (int n = 0; n < EmployeeList::kDeductions; ++n)
            c.append(Cell{{QStringLiteral("その他控除%1").arg(n + 1)}, 2, kMoneyX + n * kItemWidth, kItemWidth, F::Deduction, n});
        c += QList<Cell>{
            {{QStringLiteral("配偶者")}, 2, 11100, 600, F::Haigu},
            {{QStringLiteral("第一子")}, 2, 11700, 600, F::Child1},
            {{QStringLiteral("第二子")}, 2, 12300, 600, F::Child2},
            {{QStringLiteral("外国人")}, 2, 12900, 600, F::Gaijin},
            {{QStringLiteral("健康保険区分")}, 2, 13500, 1760, F::Kaigo},
            {{QStringLiteral("雇保"), QStringLiteral("計算")}, 2, 15260, 550, F::Koyo},
            {{QStringLiteral("所得税"), QStringLiteral("計算")}, 2, 15810, 550, F::CalcTax},
        };
        return c;
    }();
    return list;
}

// Writes texts with the fewest font changes, and leaves the page set-up's font behind.
class Pen {
public:
    explicit Pen(PrintCanvas& c) : m_c(c) {}
    ~Pen() { size(L::kFontSize); }

    void size(int points)
    {
        if (points != m_size) {
            SetPrintFont(m_c, minchoFont(), points);
            m_size = points;
        }
    }
    void text(int x, int y, const QString& s, int points)
    {
        if (s.isEmpty())
            return;
        size(points);
        PrintAt(m_c, x, y, s);
    }
    // Left, centred or right in the cell [x, x + width), shrunk and cut to fit;
    // a text of `points` stands `top` below the row top, a smaller one lower by
    // half the difference, so that the line keeps its middle.
    enum class Align { Left, Centre, Right };
    void fitted(int x, int width, int top, const QString& s, int points, Align align = Align::Left)
    {
        FittedText t = fitText(s, points, width - 2 * kPad);
        // An amount is never cut: at the smallest size it keeps its right edge and grows to the left.
        if (align == Align::Right)
            t.text = s;
        const int w = textWidth(t.text, t.points);
        const int left = align == Align::Left ? x + kPad
            : align == Align::Right           ? x + width - kPad - w
                                              : x + (width - w) / 2;
        text(left, top + (points - t.points) * 10, t.text, t.points);
    }
    void line(int x1, int y1, int x2, int y2) { m_c.drawLine(x1, y1, x2, y2); }

private:
    PrintCanvas& m_c;
    int m_size = -1;
};

// The top of a single line of `points` in the middle of a row.
int middle(int rowTop, int points)
{
    return rowTop + (L::kRowHeight - points * 20) / 2;
}

} // namespace

void EmployeeListLayout::printPageHead(PrintCanvas& canvas, int page, const QString& companyName)
{
    Pen p(canvas);
    const int bottom = bandTop(kBandsPerPage) + kBandHeight;
    p.line(kLeft, kHeadTop, kRight, kHeadTop);
    p.line(kLeft, kHeadTop, kLeft, bottom);
    p.line(kRight, kHeadTop, kRight, bottom);
    for (int band = 1; band <= kBandsPerPage + 1; ++band)
        p.line(kLeft, bandTop(band), kRight, bandTop(band));
    // The particulars apart from the pay items, down the whole page.
    p.line(kMoneyX, kHeadTop, kMoneyX, bottom);
    // The heading band is ruled cell by cell, so that each value below has its column.
    for (int row = 1; row < 3; ++row)
        p.line(kLeft, kHeadTop + row * kRowHeight, kRight, kHeadTop + row * kRowHeight);
    for (const Cell& c : cells())
        if (c.x != kLeft && c.x != kMoneyX)
            p.line(c.x, kHeadTop + c.row * kRowHeight, c.x, kHeadTop + (c.row + 1) * kRowHeight);

    p.fitted(kLeft, kRight - kLeft, 350, title(), 16, Pen::Align::Centre);
    p.fitted(kLeft, 6000, 700, companyName, kFontSize);
    p.fitted(kRight - 1500, 1500, 700, QStringLiteral("P. %1").arg(page), kFontSize, Pen::Align::Right);

    for (const Cell& c : cells()) {
        const int rowTop = kHeadTop + c.row * kRowHeight;
        if (c.caption.size() == 1) {
            p.fitted(c.x, c.width, middle(rowTop, kCaptionSize), c.caption[0], kCaptionSize, Pen::Align::Centre);
        } else {
            p.fitted(c.x, c.width, rowTop + 25, c.caption[0], kCaptionSize, Pen::Align::Centre);
            p.fitted(c.x, c.width, rowTop + 225, c.caption[1], kCaptionSize, Pen::Align::Centre);
        }
    }
}

void EmployeeListLayout::printData(PrintCanvas& canvas, int band, const EmployeeListEntry& entry)
{
    Pen p(canvas);
    const masters::Employee& e = entry.employee;
    for (const Cell& c : cells()) {
        const int rowTop = bandTop(band) + c.row * kRowHeight;
        switch (c.field) {
        case F::Address:
            p.fitted(c.x, c.width, rowTop + 25, e.add1, kAddressSize);
            p.fitted(c.x, c.width, rowTop + 225, e.add2, kAddressSize);
            break;
        case F::Allowance:
        case F::Deduction: {
            // The item's own name over its amount: the heading only numbers it.
            const auto& items = c.field == F::Allowance ? entry.allowances : entry.deductions;
            if (c.item < items.size()) {
                p.fitted(c.x, c.width, rowTop + 30, items[c.item].name, kItemNameSize);
                p.fitted(c.x, c.width, rowTop + 200, formatNumber(items[c.item].amount, QStringLiteral("#,###")),
                         kFontSize, Pen::Align::Right);
            }
            break;
        }
        default: {
            const QString text = EmployeeList::text(entry, c.field, ListMedium::Print, c.item);
            // Narrow cells hold marks (性別, 有, する): centred.
            const Pen::Align align = EmployeeList::isNumeric(c.field) ? Pen::Align::Right
                : c.width <= 600                                      ? Pen::Align::Centre
                                                                      : Pen::Align::Left;
            p.fitted(c.x, c.width, middle(rowTop, kFontSize), text, kFontSize, align);
        }
        }
    }
}

EmployeeListLayout::Outcome EmployeeListLayout::print(AppContext& ctx, PrintCanvas& canvas,
                                                      const QList<EmployeeListEntry>& entries)
{
    if (entries.isEmpty())
        return Outcome::NothingToPrint;
    if (!setPrintPaper(ctx, canvas, minchoFont(), kFontSize, kPaper, kOrientation, 0, 0)) {
        canvas.abortDocument();
        return Outcome::Refused;
    }
    const int total = int(entries.size());
    int page = 1;
    int band = 1;
    for (int i = 0; i < total; ++i) {
        if (band == 1)
            printPageHead(canvas, page, ctx.companyName);
        printData(canvas, band, entries[i]);
        if (band < kBandsPerPage) {
            ++band;
        } else if (i + 1 < total) {
            // A new page only when someone is left for it: no blank page after a full last page.
            canvas.newPage();
            ++page;
            band = 1;
            SetPrintFont(canvas, minchoFont(), kFontSize);
        }
    }
    if (!finishDocument(ctx, canvas, QStringLiteral("prtJyugyoin.print_data")))
        return Outcome::Failed;
    return Outcome::Printed;
}

} // namespace minasel::reports
