#include "reports/getudaityoform.h"

#include "app/appcontext.h"
#include "reports/formpen.h"
#include "reports/textfit.h"
#include "reports/ledgerform.h"
#include "reports/ledgerperiod.h"
#include "reports/printcanvas.h"

namespace minasel::reports {

namespace {
constexpr int kPad = LedgerForm::kPad;
}

GetuDaityoForm::GetuDaityoForm(AppContext& ctx, QString procedure) : m_ctx(ctx), m_procedure(std::move(procedure)) {}

QString GetuDaityoForm::title(const QString& payMonth)
{
    return LedgerPeriod::monthText(payMonth) + QStringLiteral(" 分 給 料 台 帳");
}

void GetuDaityoForm::print_frame(FormPen& pen) const
{
    const LedgerForm columns(pen, kHoursRight, kAmountWidth);
    const int right = columns.right();
    const int bottom = kTotalTop + kLineHeight;
    pen.line(kLeft, kTop, right, kTop);
    pen.line(kLeft, kHeadBottom, right, kHeadBottom);
    for (int i = 1; i <= kLinesPerPage; ++i)
        pen.line(kLeft, lineTop(i), right, lineTop(i));
    pen.line(kLeft, bottom, right, bottom);
    for (int x : {kLeft, kNameRight, kDaysRight})
        pen.line(x, kTop, x, bottom);

    const int textHeight = LedgerForm::kHeadingPoints * 20;
    const int middle = (kTop + kHeadBottom - textHeight) / 2;
    pen.centred(kLeft, kNameRight, middle, QStringLiteral("氏     名"), LedgerForm::kHeadingPoints);
    pen.centred(kNameRight, kDaysRight, middle - 65, QStringLiteral("出勤"), LedgerForm::kHeadingPoints);
    pen.centred(kNameRight, kDaysRight, middle + 65, QStringLiteral("日数"), LedgerForm::kHeadingPoints);
    pen.centred(kDaysRight, kHoursRight, middle - 65, QStringLiteral("出／欠勤"), LedgerForm::kHeadingPoints);
    pen.centred(kDaysRight, kHoursRight, middle + 65, QStringLiteral("時間数"), LedgerForm::kHeadingPoints);
    columns.drawHeadings(kTop, kGroupBottom, kHeadBottom, bottom);
    LedgerForm::drawFooter(pen, kLeft, bottom + 120);
}

void GetuDaityoForm::print_title(FormPen& pen, const QString& payMonth, int page) const
{
    const int right = LedgerForm(pen, kHoursRight, kAmountWidth).right();
    pen.centred(kLeft, right, 400, title(payMonth), 14);
    pen.fitted(kLeft, 760, m_ctx.companyName, 8, 6000);
    const QString number = QStringLiteral("P.%1").arg(page, 3);
    pen.text(right - textWidth(number, 8), 760, number, 8);
}

void GetuDaityoForm::print_line(FormPen& pen, const LedgerLine& l, int top, int height) const
{
    const int up = LedgerForm::upperY(top, height);
    const int low = LedgerForm::lowerY(top, height);
    const int mid = LedgerForm::singleY(top, height);
    const int hoursRoom = kHoursRight - kDaysRight - 2 * kPad;
    if (l.isTotal) {
        pen.centred(kLeft, kNameRight, mid, QStringLiteral("合　　計"), 7);
        // Hours absent and hours worked are not added together.
        if (l.absenceHours != 0) {
            pen.text(kDaysRight + kPad, up, QStringLiteral("欠"), LedgerForm::kValuePoints);
            pen.number(kHoursRight - kPad, up, l.absenceHours, LedgerForm::hoursFormat(), LedgerForm::kValuePoints,
                       hoursRoom - 150);
        }
        if (l.hoursWorked != 0) {
            pen.text(kDaysRight + kPad, low, QStringLiteral("出"), LedgerForm::kValuePoints);
            pen.number(kHoursRight - kPad, low, l.hoursWorked, LedgerForm::hoursFormat(), LedgerForm::kValuePoints,
                       hoursRoom - 150);
        }
    } else {
        pen.fitted(kLeft + kPad, up, l.name, 7, kNameRight - kLeft - 2 * kPad);
        pen.text(kLeft + kPad, low + 10, l.kind == 2 ? QStringLiteral("賞与") : QStringLiteral("給与"), 5);
        pen.text(kDaysRight + kPad, mid, l.attendanceMark(), LedgerForm::kValuePoints);
        if (l.attendanceHours() != 0)
            pen.number(kHoursRight - kPad, mid, l.attendanceHours(), LedgerForm::hoursFormat(),
                       LedgerForm::kValuePoints, hoursRoom - 150);
    }
    pen.number(kDaysRight - kPad, mid, l.days, QStringLiteral("##"), LedgerForm::kValuePoints,
               kDaysRight - kNameRight - 2 * kPad);
    LedgerForm(pen, kHoursRight, kAmountWidth).drawLine(l, top, height);
}

void GetuDaityoForm::print_total(FormPen& pen, const LedgerLine& total) const
{
    print_line(pen, total, kTotalTop, kLineHeight);
}

GetuDaityoForm::Outcome GetuDaityoForm::print(PrintCanvas& canvas, int paperCode, const QList<LedgerLine>& lines,
                                              const Progress& progress)
{
    m_pages = 0;
    if (lines.isEmpty()) {
        canvas.abortDocument();
        return Outcome::NothingToPrint;
    }
    FormPen pen(canvas);
    if (!LedgerForm::setUpPage(m_ctx, canvas, paperCode, pen))
        return Outcome::Refused;

    LedgerLine total;
    int onPage = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const LedgerLine& l = lines[i];
        const bool newMonth = i == 0 || l.payMonth != lines[i - 1].payMonth || l.kind != lines[i - 1].kind;
        if (newMonth || onPage == kLinesPerPage) {
            if (i > 0 && newMonth) {
                print_total(pen, total);
                total = LedgerLine();
            }
            if (m_pages > 0)
                canvas.newPage();
            ++m_pages;
            onPage = 0;
            print_frame(pen);
            print_title(pen, l.payMonth, m_pages);
        }
        print_line(pen, l, lineTop(onPage), kLineHeight);
        total.add(l);
        ++onPage;
        if (progress)
            progress(i + 1, int(lines.size()));
    }
    print_total(pen, total);
    return LedgerForm::endDocument(m_ctx, canvas, pen, m_procedure);
}

} // namespace minasel::reports
