#include "payroll/paysliplayout.h"

#include "app/valuehelpers.h"
#include "payroll/payslipdata.h"
#include "reports/fonts.h"
#include "reports/printcanvas.h"
#include "reports/textfit.h"

#include <QDate>

namespace minasel::payroll {

using reports::PrintCanvas;

namespace {

constexpr int X0 = PayslipLayout::kX0;
constexpr int Y0 = PayslipLayout::kY0;

// Frame geometry (relative to the origin).
constexpr int kLeft = 250;          // outer left edge
constexpr int kSide = 650;          // right edge of the band-caption column
constexpr int kRight = PayslipLayout::kWidth;
constexpr int kTop = 1230;
constexpr int kPayRows[] = {1560, 1900, 2280};
constexpr int kDeductionTop = 2700;
constexpr int kDeductionRows[] = {3040, 3420, 3740};
constexpr int kAttendanceTop = 4170;
constexpr int kAttendanceValues = 4700;
constexpr int kAttendanceSplit = 4463;
constexpr int kBottom = 5100;
// Cell boundaries between the value columns of the pay and deduction bands.
constexpr int kColumns[] = {1815, 2982, 4147, 5308, 6469, 7645, 8812, 9980, 11145, 12330};
constexpr int kAttendanceColumns[] = {1100, 1525, 2150, 3290, 4600, 5400, 6200};
constexpr int kAttendanceSubColumns[] = {2540, 3960};

// Room for an item name in its cell, and for the employee and company names.
constexpr int kNameRoom = 1120;
constexpr int kEmployeeNameRoom = 2450;
constexpr int kCompanyNameRoom = 6900;

constexpr int kValueSize = 11;

class Pen {
public:
    explicit Pen(PrintCanvas& c) : m_c(c) {}

    void font(int points)
    {
        if (points != m_size) {
            reports::SetPrintFont(m_c, reports::minchoFont(), points);
            m_size = points;
        }
    }
    void text(int x, int y, const QString& s, int points = 10)
    {
        font(points);
        reports::PrintAt(m_c, X0 + x, Y0 + y, s);
    }
    // A name in a cell: smaller when long, cut when still too long.
    void fitted(int x, int y, const QString& s, int points, int room)
    {
        if (s.isEmpty())
            return;
        const reports::FittedText t = reports::fitText(s, points, room);
        text(x, y, t.text, t.points);
        font(points);
    }
    // A number right-aligned in a field of `width` characters; a number longer than
    // its field keeps its right edge and grows to the left.
    void number(int x, int y, double value, const QString& format, int width)
    {
        const QString plain = formatNumber(value, format);
        if (plain.size() <= width) {
            text(x, y, FormatRight(value, format, width), kValueSize);
            return;
        }
        text(x - int(plain.size() - width) * kValueSize * 10, y, plain, kValueSize);
    }
    void money(int x, int y, double v) { number(x, y, v, QStringLiteral("#,###"), 9); }
    void count(int x, int y, double v) { number(x, y, v, QStringLiteral("##"), 2); }
    void hours(int x, int y, double v) { number(x, y, v, QStringLiteral("#####"), 5); }
    void line(int x1, int y1, int x2, int y2) { m_c.drawLine(X0 + x1, Y0 + y1, X0 + x2, Y0 + y2); }

private:
    PrintCanvas& m_c;
    int m_size = -1;
};

} // namespace

QString PayslipLayout::title(int kind)
{
    return kind == 2 ? QStringLiteral("賞 与 明 細 書") : QStringLiteral("給 与 明 細 書");
}

int PayslipLayout::textWidth(const QString& text, int points)
{
    return reports::textWidth(text, points);
}

void PayslipLayout::drawRuling(PrintCanvas& canvas)
{
    Pen p(canvas);
    // Header boxes: affiliation, employee number, name.
    p.line(3700, 620, kRight, 620);
    p.line(3700, 1020, kRight, 1020);
    for (int x : {3700, 4500, 6200, 7200, 9100, 9900, kRight})
        p.line(x, 620, x, 1020);

    // Outer frame and the three bands.
    p.line(kLeft, kTop, kRight, kTop);
    p.line(kLeft, kDeductionTop, kRight, kDeductionTop);
    p.line(kLeft, kAttendanceTop, kRight, kAttendanceTop);
    p.line(kLeft, kBottom, kRight, kBottom);
    p.line(kLeft, kTop, kLeft, kBottom);
    p.line(kRight, kTop, kRight, kBottom);
    p.line(kSide, kTop, kSide, kBottom);

    // Caption and value rows of pay and deductions.
    for (int y : kPayRows)
        p.line(kSide, y, kRight, y);
    for (int y : kDeductionRows)
        p.line(kSide, y, kRight, y);
    for (int x : kColumns) {
        // Net pay spans the last two columns of the last deduction rows.
        const int bottom = x == kColumns[9] ? kDeductionRows[1] : kAttendanceTop;
        p.line(x, kTop, x, bottom);
    }

    // Attendance.
    p.line(kSide, kAttendanceValues, kAttendanceColumns[6], kAttendanceValues);
    p.line(kAttendanceColumns[2], kAttendanceSplit, kAttendanceColumns[4], kAttendanceSplit);
    for (int x : kAttendanceColumns)
        p.line(x, kAttendanceTop, x, kBottom);
    for (int x : kAttendanceSubColumns)
        p.line(x, kAttendanceSplit, x, kBottom);
}

void PayslipLayout::drawCaptions(PrintCanvas& canvas, const PayslipData& d)
{
    Pen p(canvas);
    const bool bonus = d.kind == 2;
    p.text(6000, 0, title(d.kind), 18);
    p.text(3830, 700, QStringLiteral("所 属"));
    p.text(6300, 700, QStringLiteral("社員番号"));
    p.text(9210, 700, QStringLiteral("氏 名"));

    // Band captions.
    p.text(366, 1286, QStringLiteral("支"));
    p.text(366, 1786, QStringLiteral("給"));
    p.text(366, 2286, QStringLiteral("欄"));
    p.text(366, 2758, QStringLiteral("控"));
    p.text(366, 3258, QStringLiteral("除"));
    p.text(366, 3758, QStringLiteral("欄"));
    p.text(369, 4293, QStringLiteral("勤"));
    p.text(369, 4793, QStringLiteral("怠"));

    // Pay, first row.
    if (bonus) {
        p.text(880, 1286, QStringLiteral("基 本 給"));
        p.text(2045, 1286, QStringLiteral("通勤手当"));
        p.text(3220, 1286, QStringLiteral("食事手当"));
        p.text(4370, 1286, QStringLiteral("住宅手当"));
        p.text(5550, 1286, QStringLiteral("家族手当"));
        p.text(6710, 1286, QStringLiteral("資格手当"));
        p.text(7870, 1286, QStringLiteral("付 加 給"));
        p.text(8910, 1286, QStringLiteral("時間外手当"));
        p.text(10065, 1286, QStringLiteral("休日出勤手当"), 9);
        p.text(11210, 1286, QStringLiteral("緊急呼出手当"), 9);
    } else {
        p.text(880, 1286, QStringLiteral("基 本 給"));
        p.text(2045, 1286, QStringLiteral("役員報酬"));
        p.text(3220, 1286, QStringLiteral("通勤手当"));
        p.text(4370, 1286, QStringLiteral("食事手当"));
        p.text(5550, 1286, QStringLiteral("住宅手当"));
        p.text(6710, 1286, QStringLiteral("家族手当"));
        p.text(7870, 1286, QStringLiteral("資格手当"));
        p.text(9030, 1286, QStringLiteral("付 加 給"));
        p.text(10070, 1286, QStringLiteral("時間外手当"));
        p.text(11210, 1286, QStringLiteral("休日出勤手当"), 9);
        p.text(12370, 1286, QStringLiteral("緊急呼出手当"), 9);
    }

    // Pay, second row: the other allowances (8 and 9 share a column), absence, total.
    if (!bonus) {
        static constexpr int kAllowanceX[] = {680, 1830, 2990, 4150, 5310, 6470, 7650};
        for (int i = 0; i < 7; ++i)
            p.fitted(kAllowanceX[i], 1996, d.allowanceNames[i], 10, kNameRoom);
        // Two names in one caption row, 160 twips apart: at 8 points they do not overlap.
        p.fitted(8820, 1916, d.allowanceNames[7], 8, kNameRoom);
        p.fitted(8820, 2076, d.allowanceNames[8], 8, kNameRoom);
    }
    p.text(10170, 1996, QStringLiteral("遅欠控除"));
    p.text(11370, 1996, QStringLiteral("差額支給"));
    p.text(12540, 1996, QStringLiteral("総支給額"));

    // Deductions.
    p.text(780, 2728, QStringLiteral("健康保険料"));
    p.text(1865, 2748, QStringLiteral("厚生年金保険料"), 8);
    p.text(3100, 2728, QStringLiteral("雇用保険料"));
    p.text(4370, 2728, QStringLiteral("所 得 税"));
    p.text(5540, 2728, QStringLiteral("住 民 税"));
    if (bonus) {
        p.fitted(7650, 2728, d.deductionNames[0], 10, kNameRoom);
        p.fitted(8820, 2728, d.deductionNames[1], 10, kNameRoom);
    } else {
        static constexpr int kDeductionX[] = {6470, 7650, 8820, 9990, 11160};
        for (int i = 0; i < 5; ++i)
            p.fitted(kDeductionX[i], 2728, d.deductionNames[i], 10, kNameRoom);
    }
    p.text(7740, 3450, QStringLiteral("その他控除"));
    p.text(9000, 3450, QStringLiteral("控除合計"));
    p.text(10170, 3450, QStringLiteral("年末調整"));
    p.text(11600, 3450, QStringLiteral("差 引 支 給 額"));

    // Attendance.
    p.text(730, 4253, QStringLiteral("出勤"), 8);
    p.text(730, 4493, QStringLiteral("日数"), 8);
    p.text(1114, 4283, QStringLiteral("有給休暇"), 5);
    p.text(1114, 4523, QStringLiteral("取得日数"), 5);
    p.text(1660, 4230, !bonus && d.showsHoursWorked() ? QStringLiteral("出勤") : QStringLiteral("欠勤"), 8);
    p.text(1660, 4400, QStringLiteral("時間"), 8);
    p.text(2330, 4253, QStringLiteral("不 就 労"), 9);
    p.text(2210, 4493, QStringLiteral("回数"), 5);
    p.text(2660, 4493, QStringLiteral("時　　　間"), 5);
    p.text(3620, 4253, QStringLiteral("時 間 外"), 9);
    p.text(3490, 4493, QStringLiteral("合 計"), 5);
    p.text(4050, 4493, QStringLiteral("内 深 夜"), 5);
    p.text(4675, 4253, QStringLiteral("休日出勤"), 8);
    p.text(4675, 4493, QStringLiteral("日    数"), 8);
    p.text(5460, 4253, QStringLiteral("緊急呼出"), 8);
    p.text(5460, 4493, QStringLiteral("回    数"), 8);
}

namespace {
// The levy's part of the health premium, in the empty caption cell under the health
// amount: two lines, as the cell is narrower than the one-line note.
void shienNote(Pen& p, long long shien)
{
    if (shien == 0)
        return;
    p.text(700, 3445, QStringLiteral("うち子ども・子育て"), 6);
    p.text(700, 3585, QStringLiteral("支援金 %1円").arg(formatAmount(shien)), 6);
}
} // namespace

void PayslipLayout::drawValues(PrintCanvas& canvas, const PayslipData& d)
{
    Pen p(canvas);
    const int year = d.payMonth.left(4).toInt();
    const int month = d.payMonth.mid(4, 2).toInt();
    p.text(1200, 600, QStringLiteral("%1年%2月").arg(year).arg(month), 14);
    p.text(7810, 670, d.employeeCode.left(5), 12);
    p.fitted(11000, 670, d.employeeName.trimmed(), 12, kEmployeeNameRoom);
    p.fitted(6500, 4793, d.companyName, 14, kCompanyNameRoom);

    if (d.kind == 2) {
        p.money(12445, 2376, double(d.totalPay()));
        p.money(811, 3090, d.health);
        p.money(1983, 3090, d.pension);
        p.money(3153, 3090, d.employmentInsurance);
        p.money(4315, 3090, d.tax);
        p.money(7815, 3090, d.deductions[0]);
        p.money(8977, 3090, d.deductions[1]);
        p.money(8980, 3780, double(d.deductionTotal()));
        p.money(12445, 3780, double(d.netPay()));
        shienNote(p, d.shien);
        return;
    }

    p.money(811, 1620, d.basic);
    p.money(1983, 1620, d.directors);
    p.money(3153, 1620, d.commuting);
    p.money(4315, 1620, d.meal);
    p.money(5477, 1620, d.housing);
    p.money(6650, 1620, d.family);
    p.money(7815, 1620, d.qualification);
    p.money(8980, 1620, d.additional);
    p.money(10140, 1620, d.overtime);
    p.money(11300, 1620, d.holidayPay);
    p.money(12445, 1620, d.callOutPay);

    static constexpr int kAmountX[] = {811, 1983, 3153, 4315, 5477, 6650, 7815};
    for (int i = 0; i < 7; ++i)
        p.money(kAmountX[i], 2376, d.allowances[i]);
    // Allowances 8 and 9 one above the other in their shared column.
    p.money(8980, 2296, d.allowances[7]);
    p.money(8980, 2476, d.allowances[8]);
    p.money(10140, 2376, d.absenceDeduction);
    p.money(12445, 2376, double(d.totalPay()));

    p.money(811, 3090, d.health);
    p.money(1983, 3090, d.pension);
    p.money(3153, 3090, d.employmentInsurance);
    p.money(4315, 3090, d.tax);
    p.money(5477, 3090, d.residentTax);
    static constexpr int kDeductionX[] = {6650, 7815, 8980, 10140, 11300};
    for (int i = 0; i < 5; ++i)
        p.money(kDeductionX[i], 3090, d.deductions[i]);
    p.money(8980, 3780, double(d.deductionTotal()));
    p.money(10140, 3780, d.yearEnd);
    p.money(12445, 3780, double(d.netPay()));
    shienNote(p, d.shien);

    p.count(790, 4730, d.workDays);
    p.count(1230, 4730, d.paidLeaveDays);
    p.hours(1540, 4730, d.showsHoursWorked() ? d.hoursWorked : d.absenceHours);
    p.count(2195, 4730, d.absenceDays);
    p.hours(2660, 4730, d.absenceDayHours);
    p.hours(3355, 4730, d.overtimeHours);
    p.hours(4005, 4730, d.lateNightHours);
    p.count(5130, 4730, d.holidayDays);
    p.count(5875, 4730, d.callOuts);
}

void PayslipLayout::draw(PrintCanvas& canvas, const PayslipData& data)
{
    drawRuling(canvas);
    drawCaptions(canvas, data);
    drawValues(canvas, data);
    // Leave the font as the page set-up gave it.
    reports::SetPrintFont(canvas, reports::minchoFont(), kFontSize);
}

} // namespace minasel::payroll
