#include "transfer/transferlistlayout.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "reports/fonts.h"
#include "reports/formpen.h"
#include "reports/printcanvas.h"
#include "reports/printpaper.h"
#include "reports/textfit.h"

namespace minasel::transfer {

namespace {

using L = TransferListLayout;

constexpr int kLeft = 700;
constexpr int kRight = 11200;
constexpr int kTableTop = 2700;
constexpr int kRowHeight = 310;
constexpr int kPad = 50;

struct Column {
    const char* caption;
    int width;
    bool right;
};
enum { No, Code, Name, Bank, Branch, Kind, Number, Holder, Amount, ColumnCount };
const Column kColumns[ColumnCount] = {
    {"No.", 450, true},      {"従業員番号", 950, false}, {"氏　名", 1700, false},
    {"銀　行", 1750, false}, {"支　店", 1600, false},    {"種目", 450, false},
    {"口座番号", 850, false}, {"受取人名", 1600, false}, {"振込金額", 1150, true},
};

int columnX(int c)
{
    int x = kLeft;
    for (int i = 0; i < c; ++i)
        x += kColumns[i].width;
    return x;
}

// The text of a row of `points` a little below the row's top.
int textTop(int rowTop)
{
    return rowTop + (kRowHeight - L::kFontSize * 20) / 2;
}

void cell(reports::FormPen& p, int column, int rowTop, const QString& s)
{
    const Column& c = kColumns[column];
    const int x = columnX(column);
    const int room = c.width - 2 * kPad;
    if (c.right) {
        const int w = reports::textWidth(s, L::kFontSize);
        p.text(x + c.width - kPad - std::min(w, room), textTop(rowTop), s, L::kFontSize);
    } else {
        p.fitted(x + kPad, textTop(rowTop), s, L::kFontSize, room);
    }
}

void pageHead(reports::FormPen& p, const AppContext& ctx, const TransferFile::Result& d, int page, int pages)
{
    const TransferFile::Request& r = d.request;
    const CompanyBank& c = d.company;
    p.centred(kLeft, kRight, 600, QStringLiteral("振　込　一　覧　表"), 16);
    p.fitted(kLeft, 1250, ctx.companyName, 11, 6500);
    const QString pageText = QStringLiteral("P. %1 / %2").arg(page).arg(pages);
    p.text(kRight - reports::textWidth(pageText, L::kFontSize), 1250, pageText, L::kFontSize);
    p.text(kLeft, 1650,
           QStringLiteral("%1年%2月分　%3　　振込指定日 %4月%5日")
               .arg(r.payMonth.left(4))
               .arg(r.payMonth.mid(4, 2).toInt())
               .arg(TransferFile::kindName(r.kind))
               .arg(r.date.left(2).toInt())
               .arg(r.date.mid(2, 2).toInt()),
           10);
    const QString made = QStringLiteral("作成日 %1").arg(ctx.clock().today().toString(QStringLiteral("yyyy/MM/dd")));
    p.text(kRight - reports::textWidth(made, L::kFontSize), 1650, made, L::kFontSize);
    p.fitted(kLeft, 1980,
             QStringLiteral("依頼人コード %1　依頼人名 %2").arg(c.clientCode, c.clientName), L::kFontSize,
             kRight - kLeft);
    p.fitted(kLeft, 2280,
             QStringLiteral("振込元口座 %1　%2　%3 %4")
                 .arg(c.account.bankText(), c.account.branchText(), c.account.kindName(), c.account.accountNumber),
             L::kFontSize, kRight - kLeft);

    p.line(kLeft, kTableTop, kRight, kTableTop);
    for (int i = 0; i < ColumnCount; ++i) {
        const int x = columnX(i);
        p.centred(x, x + kColumns[i].width, textTop(kTableTop), QString::fromUtf8(kColumns[i].caption), L::kFontSize);
    }
    p.line(kLeft, kTableTop + kRowHeight, kRight, kTableTop + kRowHeight);
}

// The column rules and the bottom line of a page's table with `rows` rows below the heading.
void tableFrame(reports::FormPen& p, int rows)
{
    const int bottom = kTableTop + (rows + 1) * kRowHeight;
    for (int i = 0; i <= ColumnCount; ++i)
        p.line(columnX(i), kTableTop, columnX(i), bottom);
    p.line(kLeft, bottom, kRight, bottom);
}

} // namespace

TransferListLayout::Outcome TransferListLayout::print(AppContext& ctx, reports::PrintCanvas& canvas,
                                                      const TransferFile::Result& d, const QString& procedure)
{
    if (!reports::setPrintPaper(ctx, canvas, reports::minchoFont(), kFontSize, kPaper, kOrientation, 0, 0)) {
        canvas.abortDocument();
        return Outcome::Refused;
    }
    reports::FormPen p(canvas);
    p.fontSetTo(kFontSize);
    const int total = int(d.lines.size());
    const int pages = pageCount(total);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1) {
            canvas.newPage();
            p.resetFont(kFontSize);
        }
        pageHead(p, ctx, d, page, pages);
        const int first = (page - 1) * kLinesPerPage;
        const int count = std::min(kLinesPerPage, total - first);
        for (int i = 0; i < count; ++i) {
            const TransferLine& l = d.lines[first + i];
            const BankAccount& b = l.bank->account;
            const int top = kTableTop + (i + 1) * kRowHeight;
            cell(p, No, top, QString::number(first + i + 1));
            cell(p, Code, top, l.code);
            cell(p, Name, top, l.name);
            cell(p, Bank, top, b.bankText());
            cell(p, Branch, top, b.branchText());
            cell(p, Kind, top, b.kindName());
            cell(p, Number, top, b.accountNumber);
            cell(p, Holder, top, l.bank->holderName);
            cell(p, Amount, top, formatAmount(l.netPay));
        }
        int rows = count;
        if (page == pages) {
            // The count and total are the trailer's, which were checked against the statements.
            const int top = kTableTop + (count + 1) * kRowHeight;
            p.line(kLeft, top, kRight, top);
            cell(p, Name, top, QStringLiteral("合計　%1 件").arg(d.summary.trailerCount));
            cell(p, Amount, top, formatAmount(d.summary.trailerTotal));
            ++rows;
        }
        tableFrame(p, rows);
    }
    return reports::finishDocument(ctx, canvas, procedure) ? Outcome::Printed : Outcome::Failed;
}

} // namespace minasel::transfer
