#include "reports/kojindaityoform.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "reports/formpen.h"
#include "reports/textfit.h"
#include "reports/printcanvas.h"

namespace minasel::reports {

namespace {

constexpr int kPad = LedgerForm::kPad;
constexpr int kCaptionPoints = 6;
constexpr int kBonusLabelRight = KojinDaityoForm::kLeft + 220;

// A box of the header block: its caption cell and the value cell after it.
struct HeaderBox {
    int row;
    int left;
    int captionRight;
    int right;
    const char* caption[3];
};

constexpr int kFormRight = KojinDaityoForm::kAttendanceRight + LedgerForm::kColumns * KojinDaityoForm::kAmountWidth;

constexpr HeaderBox kBoxes[] = {
    {0, 300, 1200, 3200, {"健康保険", "記号・番号"}},
    {0, 3200, 4200, 6200, {"雇用保険番号"}},
    {0, 6200, 7200, 9200, {"基礎年金番号"}},
    {0, 9200, 10200, 12000, {"厚生年金基金", "加入員番号"}},
    {0, 12000, 12700, 14700, {"入  社", "年月日"}},
    {0, 14700, 15100, kFormRight, {"職", "名"}},
    {1, 300, 700, 6800, {"住", "所"}},
    {1, 6800, 7500, 9800, {"生  年", "月  日", "(年齢)"}},
    {1, 9800, 10200, 10900, {"性", "別"}},
    {1, 10900, 11300, 14300, {"氏", "名"}},
    {1, 14300, 15000, kFormRight, {"従業員", "番  号"}},
};

enum Box { Kenpo, Koyo, Kiso, Kikin, Joined, Job, Address, Birthday, Sex, Name, Code };

int rowTop(int row)
{
    return KojinDaityoForm::kHeaderTop + row * KojinDaityoForm::kHeaderRow;
}

// The attendance hours of a totals line, worked and absent kept apart.
QString totalHoursText(const LedgerLine& t)
{
    QStringList parts;
    if (t.hoursWorked != 0)
        parts << QStringLiteral("出") + formatNumber(t.hoursWorked, LedgerForm::hoursFormat());
    if (t.absenceHours != 0)
        parts << QStringLiteral("欠") + formatNumber(t.absenceHours, LedgerForm::hoursFormat());
    return parts.join(QLatin1Char(' '));
}

} // namespace

LedgerLine KojinDaityo::salaryTotal() const
{
    LedgerLine t;
    t.isTotal = true;
    for (const LedgerLine& l : salary)
        t.add(l);
    return t;
}

LedgerLine KojinDaityo::total() const
{
    LedgerLine t = salaryTotal();
    for (const LedgerLine& l : bonus)
        t.add(l);
    return t;
}

bool KojinDaityoForm::read(AppContext& ctx, const QString& code, const QString& year, KojinDaityo* out, bool* found,
                           const QString& titleProcedure, const QString& dataProcedure)
{
    const LedgerData data(ctx.db(), ctx.companyId);
    DbError error;
    if (!data.readEmployee(code, &out->employee, found, &error)) {
        ctx.reportError(error.code, error.description, titleProcedure);
        return false;
    }
    if (!*found)
        return true;
    if (!data.readEmployeeYear(code, year, 1, &out->salary, &error)
        || !data.readEmployeeYear(code, year, 2, &out->bonus, &error)) {
        ctx.reportError(error.code, error.description, dataProcedure);
        return false;
    }
    return true;
}

void KojinDaityoForm::print_frame(FormPen& pen) const
{
    // Header block.
    for (int row = 0; row <= 2; ++row)
        pen.line(kLeft, rowTop(row), kFormRight, rowTop(row));
    for (const HeaderBox& b : kBoxes) {
        const int top = rowTop(b.row);
        pen.line(b.left, top, b.left, top + kHeaderRow);
        pen.line(b.captionRight, top, b.captionRight, top + kHeaderRow);
        int lines = 0;
        while (lines < 3 && b.caption[lines])
            ++lines;
        int y = top + (kHeaderRow - lines * 150 + 30) / 2;
        for (int i = 0; i < lines; ++i, y += 150)
            pen.centred(b.left, b.captionRight, y, QString::fromUtf8(b.caption[i]), kCaptionPoints);
    }
    pen.line(kFormRight, rowTop(0), kFormRight, rowTop(2));
    const HeaderBox& birthday = kBoxes[Birthday];
    const QString age = QStringLiteral("(　　　　歳)");
    pen.text(birthday.right - kPad - textWidth(age, 7), rowTop(1) + (kHeaderRow - 140) / 2, age, 7);

    // Table.
    const int bottom = kTotalTop + kLineHeight;
    const LedgerForm columns(pen, kAttendanceRight, kAmountWidth);
    pen.line(kLeft, kTop, kFormRight, kTop);
    pen.line(kLeft, kHeadBottom, kFormRight, kHeadBottom);
    for (int m = 2; m <= 12; ++m)
        pen.line(kLeft, monthTop(m), kFormRight, monthTop(m));
    pen.line(kLeft, kBonusTop, kFormRight, kBonusTop);
    for (int i = 1; i < kBonusLines; ++i)
        pen.line(kBonusLabelRight, kBonusTop + i * kLineHeight, kFormRight, kBonusTop + i * kLineHeight);
    pen.line(kLeft, kTotalTop, kFormRight, kTotalTop);
    pen.line(kLeft, bottom, kFormRight, bottom);
    for (int x : {kLeft, kMonthRight})
        pen.line(x, kTop, x, bottom);
    pen.line(kBonusLabelRight, kBonusTop, kBonusLabelRight, kTotalTop);

    const int h = LedgerForm::kHeadingPoints;
    pen.centred(kLeft, kMonthRight, (kTop + kHeadBottom - h * 20) / 2, QStringLiteral("月"), h);
    pen.centred(kMonthRight, kAttendanceRight, kTop + 80, QStringLiteral("出／欠"), h);
    pen.text(kMonthRight + kPad + 20, kHeadBottom - 300, QStringLiteral("出　   日"), h);
    pen.text(kMonthRight + kPad + 20, kHeadBottom - 170, QStringLiteral("　　   ｈ"), h);
    columns.drawHeadings(kTop, kGroupBottom, kHeadBottom, bottom);

    // The bonus section's label, one character under the other.
    const QString label = QStringLiteral("賞与等");
    const int step = (kTotalTop - kBonusTop) / (int(label.size()) + 1);
    for (int i = 0; i < label.size(); ++i)
        pen.centred(kLeft, kBonusLabelRight, kBonusTop + (i + 1) * step - 70, label.mid(i, 1), 7);
    LedgerForm::drawFooter(pen, kLeft, bottom + 120);
}

void KojinDaityoForm::print_title_data(FormPen& pen, const QString& year, const LedgerEmployee& e, int page) const
{
    // Title: the year, then the two names of the form, "兼" between them.
    const QString yearText = year + QStringLiteral("年 分 ");
    const QString first = QStringLiteral("源 泉 徴 収 簿");
    const QString second = QStringLiteral("賃 金 台 帳");
    const int width = textWidth(yearText, 12) + textWidth(first, 16) + 600
        + textWidth(second, 16);
    int x = (kLeft + kFormRight - width) / 2;
    const int y = 350;
    pen.text(x, y + 80, yearText, 12);
    x += textWidth(yearText, 12);
    pen.text(x, y, first, 16);
    x += textWidth(first, 16) + 200;
    pen.text(x, y + 120, QStringLiteral("兼"), 10);
    pen.text(x + 400, y, second, 16);
    const QString number = QStringLiteral("P.%1").arg(page, 3);
    pen.text(kFormRight - textWidth(number, 8), 600, number, 8);

    // Particulars.
    auto value = [&](Box b, const QString& text, int points, int y = -1) {
        const HeaderBox& box = kBoxes[b];
        const int top = rowTop(box.row) + (y < 0 ? (kHeaderRow - points * 20) / 2 : y);
        pen.fitted(box.captionRight + 80, top, text, points, box.right - box.captionRight - 160);
    };
    value(Joined, e.joinedText(), 8);
    value(Job, e.jobName(), 8);
    value(Address, e.address1, 7, 60);
    value(Address, e.address2, 7, 270);
    value(Sex, e.sex, 8);
    value(Name, e.name, 9);
    value(Code, e.code, 8);
}

void KojinDaityoForm::print_line(FormPen& pen, const LedgerLine& l, int top, const QString& label) const
{
    const int h = kLineHeight;
    pen.text(kMonthRight - kPad - textWidth(label, 7), LedgerForm::singleY(top, h) - 10, label, 7);
    const int up = LedgerForm::upperY(top, h);
    const int low = LedgerForm::lowerY(top, h);
    const int room = kAttendanceRight - kMonthRight - 2 * kPad;
    const int v = LedgerForm::kValuePoints;
    pen.number(kAttendanceRight - kPad, up, l.days, QStringLiteral("##"), v, room);
    if (l.isTotal) {
        pen.fitted(kMonthRight + kPad, low, totalHoursText(l), v, room);
    } else {
        pen.text(kMonthRight + kPad, low, l.attendanceMark(), v);
        if (l.attendanceHours() != 0)
            pen.number(kAttendanceRight - kPad, low, l.attendanceHours(), LedgerForm::hoursFormat(), v, room - 150);
    }
    LedgerForm(pen, kAttendanceRight, kAmountWidth).drawLine(l, top, h);
}

void KojinDaityoForm::print_page(FormPen& pen, const QString& year, const KojinDaityo& d, int part, int parts)
{
    ++m_pages;
    print_frame(pen);
    print_title_data(pen, year, d.employee, m_pages);
    // Every month has its line; the first page carries the statements.
    for (int m = 1; m <= 12; ++m)
        pen.text(kMonthRight - kPad - textWidth(QStringLiteral("%1月").arg(m), 7), monthTop(m) + 130,
                 QStringLiteral("%1月").arg(m), 7);
    if (part == 0)
        for (const LedgerLine& l : d.salary)
            if (l.month() >= 1 && l.month() <= 12)
                print_line(pen, l, monthTop(l.month()), QString());
    for (int i = 0; i < kBonusLines; ++i) {
        const int index = part * kBonusLines + i;
        if (index >= d.bonus.size())
            break;
        const LedgerLine& b = d.bonus[index];
        print_line(pen, b, kBonusTop + i * kLineHeight, QStringLiteral("%1月").arg(b.month()));
    }
    if (part == parts - 1)
        print_line(pen, d.total(), kTotalTop, QStringLiteral("合　計"));
}

KojinDaityoForm::Outcome KojinDaityoForm::print(PrintCanvas& canvas, int paperCode, const QString& year,
                                                const QList<PickerEntry>& employees, const Progress& progress)
{
    m_pages = 0;
    if (employees.isEmpty()) {
        canvas.abortDocument();
        return Outcome::NothingToPrint;
    }
    FormPen pen(canvas);
    if (!LedgerForm::setUpPage(m_ctx, canvas, paperCode, pen))
        return Outcome::Refused;
    for (int i = 0; i < employees.size(); ++i) {
        KojinDaityo d;
        bool found = false;
        if (!read(m_ctx, employees[i].code.trimmed(), year, &d, &found)) {
            canvas.abortDocument();
            return Outcome::Failed;
        }
        if (found) {
            const int parts = std::max(1, int((d.bonus.size() + kBonusLines - 1) / kBonusLines));
            for (int part = 0; part < parts; ++part) {
                if (m_pages > 0)
                    canvas.newPage();
                print_page(pen, year, d, part, parts);
            }
        }
        if (progress)
            progress(i + 1, int(employees.size()));
    }
    if (m_pages == 0) {
        canvas.abortDocument();
        return Outcome::NothingToPrint;
    }
    return LedgerForm::endDocument(m_ctx, canvas, pen, QStringLiteral("PrtKojinDaityo.print_data"));
}

} // namespace minasel::reports
