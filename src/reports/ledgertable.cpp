#include "reports/ledgertable.h"

#include "app/valuehelpers.h"
#include "reports/kojindaityoform.h"
#include "reports/ledgerform.h"
#include "reports/ledgerperiod.h"

namespace minasel::reports {

namespace {

QString money(qint64 v)
{
    return formatNumber(double(v), QStringLiteral("#,###"));
}

QString hours(double v)
{
    return v == 0 ? QString() : formatNumber(v, LedgerForm::hoursFormat()) + QLatin1Char('h');
}

QString attendance(const LedgerLine& l)
{
    if (!l.isTotal)
        return l.attendanceHours() == 0 ? QString() : l.attendanceMark() + QLatin1Char(' ') + hours(l.attendanceHours());
    // A totals line keeps hours worked and hours absent apart.
    QStringList parts;
    if (l.hoursWorked != 0)
        parts << QStringLiteral("出 ") + hours(l.hoursWorked);
    if (l.absenceHours != 0)
        parts << QStringLiteral("欠 ") + hours(l.absenceHours);
    return parts.join(QLatin1Char(' '));
}

LedgerLine sum(const QList<LedgerLine>& lines)
{
    LedgerLine t;
    t.isTotal = true;
    for (const LedgerLine& l : lines)
        t.add(l);
    return t;
}

} // namespace

LedgerTable::LedgerTable(const QString& firstHeading)
{
    const QString pay = QStringLiteral("給与の内訳");
    const QString insurance = QStringLiteral("社会保険控除額");
    const QString deductions = QStringLiteral("所得税・市町村税および一般控除額");
    auto column = [this](const QString& group, const QString& heading) {
        groups << (group.isEmpty() ? heading : group);
        headings << heading;
    };
    column({}, firstHeading);
    column({}, QStringLiteral("出勤日数"));
    column({}, QStringLiteral("出／欠勤時間数"));
    for (const char* h : {"基本給", "時間外手当", "(時間数)", "役員報酬", "食事手当", "通勤手当", "資格手当", "住宅手当",
                          "家族手当", "付加給", "緊急呼出手当", "休日出勤手当"})
        column(pay, QString::fromUtf8(h));
    for (int i = 1; i <= 9; ++i)
        column(pay, QStringLiteral("その他手当%1").arg(i));
    column(pay, QStringLiteral("遅欠控除"));
    column(pay, QStringLiteral("給与総額"));
    column({}, QStringLiteral("非課税額"));
    column({}, QStringLiteral("課税分給与額"));
    for (const char* h : {"健 保", "厚保及び基金掛金", "雇 保", "社保計"})
        column(insurance, QString::fromUtf8(h));
    column({}, QStringLiteral("差引控除後の給与額"));
    column(deductions, QStringLiteral("所得税"));
    column(deductions, QStringLiteral("市町村民税"));
    for (const char* n : {"１", "２", "３", "４", "５"})
        column(deductions, QStringLiteral("その他控除") + QString::fromUtf8(n));
    column(deductions, QStringLiteral("控除計"));
    column(deductions, QStringLiteral("年末調整"));
    column({}, QStringLiteral("差引支給額"));
}

QStringList LedgerTable::cells(const LedgerLine& l)
{
    QStringList c;
    c.reserve(42);
    c << (l.days == 0 ? QString() : formatNumber(l.days, QStringLiteral("##")) + QStringLiteral("日"));
    c << attendance(l);
    c << money(l.basic) << money(l.overtime)
      << (l.overtimeHours == 0
              ? QString()
              : QStringLiteral("(%1h)").arg(formatNumber(l.overtimeHours, LedgerForm::overtimeHoursFormat())));
    for (qint64 v : {l.directors, l.meal, l.commuting, l.qualification, l.housing, l.family, l.additional, l.callOut,
                     l.holidayWork})
        c << money(v);
    for (qint64 v : l.otherAllowances)
        c << money(v);
    for (qint64 v : {l.absenceDeduction, l.totalPay(), l.nonTaxable(), l.taxablePay(), l.health, l.pension,
                     l.employmentInsurance, l.socialInsurance(), l.afterInsurance(), l.tax, l.residentTax})
        c << money(v);
    for (qint64 v : l.otherDeductions)
        c << money(v);
    c << money(l.deductionTotal()) << money(l.yearEnd) << money(l.netPay());
    return c;
}

void LedgerTable::add(RowKind kind, const QString& first, const LedgerLine* line)
{
    Row row{kind, {first}};
    if (line)
        row.cells << cells(*line);
    while (row.cells.size() < headings.size())
        row.cells << QString();
    rows.append(row);
}

QList<QStringList> LedgerTable::csvRows() const
{
    QList<QStringList> out{groups, headings};
    for (const Row& r : rows)
        out << r.cells;
    return out;
}

QString LedgerTable::entryText(const LedgerMonth& m)
{
    return LedgerPeriod::monthText(m.payMonth)
        + (m.kind == 2 ? QStringLiteral("分給料台帳---賞与") : QStringLiteral("分給料台帳---給与"));
}

LedgerTable LedgerTable::monthly(const QList<LedgerLine>& lines)
{
    LedgerTable t(QStringLiteral("氏名"));
    t.rows.reserve(lines.size() + 1);
    for (const LedgerLine& l : lines)
        t.add(RowKind::Line, l.name, &l);
    const LedgerLine total = sum(lines);
    t.add(RowKind::Total, QStringLiteral("合計"), &total);
    return t;
}

LedgerTable LedgerTable::monthlyAll(const QList<LedgerLine>& lines)
{
    LedgerTable t(QStringLiteral("氏名"));
    for (int i = 0; i < lines.size();) {
        int end = i;
        while (end < lines.size() && lines[end].payMonth == lines[i].payMonth && lines[end].kind == lines[i].kind)
            ++end;
        t.add(RowKind::Label, entryText({lines[i].kind, lines[i].payMonth}));
        for (int k = i; k < end; ++k)
            t.add(RowKind::Line, lines[k].name, &lines[k]);
        const LedgerLine subtotal = sum(lines.mid(i, end - i));
        t.add(RowKind::Subtotal, QStringLiteral("小計"), &subtotal);
        i = end;
    }
    const LedgerLine total = sum(lines);
    t.add(RowKind::Total, QStringLiteral("合計"), &total);
    return t;
}

void LedgerTable::addIndividual(const KojinDaityo& y)
{
    for (int m = 1; m <= 12; ++m) {
        const LedgerLine* found = nullptr;
        for (const LedgerLine& l : y.salary)
            if (l.month() == m)
                found = &l;
        add(RowKind::Line, QStringLiteral("%1月").arg(m), found);
    }
    const LedgerLine salary = y.salaryTotal();
    add(RowKind::Subtotal, QStringLiteral("小計"), &salary);
    for (const LedgerLine& b : y.bonus)
        add(RowKind::Line, QStringLiteral("賞与 %1月").arg(b.month()), &b);
    const LedgerLine total = y.total();
    add(RowKind::Total, QStringLiteral("合計"), &total);
}

LedgerTable LedgerTable::individual(const KojinDaityo& year)
{
    LedgerTable t(QStringLiteral("月別"));
    t.addIndividual(year);
    return t;
}

LedgerTable LedgerTable::individualAll(const QList<KojinDaityo>& years)
{
    LedgerTable t(QStringLiteral("月別"));
    for (const KojinDaityo& y : years) {
        t.add(RowKind::Label, y.employee.code + QLatin1Char(' ') + y.employee.name);
        t.addIndividual(y);
    }
    return t;
}

} // namespace minasel::reports
