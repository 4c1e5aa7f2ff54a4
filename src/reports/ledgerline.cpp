#include "reports/ledgerline.h"

#include "app/valuehelpers.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <cmath>

namespace minasel::reports {

QString LedgerLine::attendanceMark() const
{
    return showsHoursWorked() ? QStringLiteral("出") : QStringLiteral("欠");
}

qint64 LedgerLine::otherAllowances3to9() const
{
    qint64 sum = 0;
    for (int i = 2; i < 9; ++i)
        sum += otherAllowances[size_t(i)];
    return sum;
}

qint64 LedgerLine::otherDeductionTotal() const
{
    qint64 sum = 0;
    for (qint64 v : otherDeductions)
        sum += v;
    return sum;
}

qint64 LedgerLine::totalPay() const
{
    qint64 pay = basic + directors + overtime + meal + commuting + family + housing + additional + qualification
        + holidayWork + callOut;
    for (qint64 v : otherAllowances)
        pay += v;
    return pay - absenceDeduction;
}

qint64 LedgerLine::nonTaxable() const
{
    return commuting;
}

qint64 LedgerLine::taxablePay() const
{
    return totalPay() - nonTaxable();
}

qint64 LedgerLine::socialInsurance() const
{
    return health + pension + employmentInsurance;
}

qint64 LedgerLine::afterInsurance() const
{
    return taxablePay() - socialInsurance();
}

qint64 LedgerLine::deductionTotal() const
{
    return tax + residentTax + otherDeductionTotal();
}

qint64 LedgerLine::netPay() const
{
    return afterInsurance() - deductionTotal() + nonTaxable() + yearEnd;
}

void LedgerLine::add(const LedgerLine& l)
{
    days += l.days;
    if (l.isTotal) {
        hoursWorked += l.hoursWorked;
        absenceHours += l.absenceHours;
    } else if (l.showsHoursWorked()) {
        hoursWorked += l.hoursWorked;
    } else {
        absenceHours += l.absenceHours;
    }
    overtimeHours += l.overtimeHours;
    for (auto [sum, v] : {std::pair{&basic, l.basic}, {&directors, l.directors}, {&overtime, l.overtime},
                          {&meal, l.meal}, {&commuting, l.commuting}, {&family, l.family}, {&housing, l.housing},
                          {&additional, l.additional}, {&qualification, l.qualification},
                          {&holidayWork, l.holidayWork}, {&callOut, l.callOut},
                          {&absenceDeduction, l.absenceDeduction}, {&health, l.health}, {&pension, l.pension},
                          {&employmentInsurance, l.employmentInsurance}, {&tax, l.tax},
                          {&residentTax, l.residentTax}, {&yearEnd, l.yearEnd}})
        *sum += v;
    for (size_t i = 0; i < otherAllowances.size(); ++i)
        otherAllowances[i] += l.otherAllowances[i];
    for (size_t i = 0; i < otherDeductions.size(); ++i)
        otherDeductions[i] += l.otherDeductions[i];
    isTotal = true;
}

int LedgerLineReader::index(const QSqlRecord& record, const char* column)
{
    return record.indexOf(QLatin1String(column));
}

LedgerLineReader::LedgerLineReader(const QSqlRecord& r)
{
    const char* texts[TextCount] = {"SIKYUBI", "SIKYUKBN", "JGICODE", "JGINAME", "JGIKBN",
                                    "STEATE1NM", "STEATE2NM", "STEATE3NM"};
    for (int i = 0; i < TextCount; ++i)
        m_text[size_t(i)] = index(r, texts[i]);
    const char* numbers[NumberCount] = {"SYUKINNUM", "KEKINTIME", "BATIME", "KIHONKYU", "YHOSYU", "FOODTEATE",
                                        "TUKINTEATE", "FAMITEATE", "HOMETEATE", "FUKAKYU", "SIKAKUTEATE",
                                        "KYUJITUTEATE", "KINKYUTEATE", "KEKINMONEY", "HEALTH", "NENKIN",
                                        "KOYOHOKEN", "TAX", "SIMIZEI", "NENTYOMONEY"};
    for (int i = 0; i < NumberCount; ++i)
        m_number[size_t(i)] = index(r, numbers[i]);
    const char* overtime[6] = {"TIMETEATE1", "SINYATEATE", "SINYATEATE2", "TIMETEATE2", "TIMETEATE60", "SINYATEATE60"};
    const char* hours[6] = {"TIMEOUT1", "SINYATIME", "SINYATIME2", "TIMEOUT2", "TIME60", "SINYATIME60"};
    for (size_t i = 0; i < 6; ++i) {
        m_overtime[i] = index(r, overtime[i]);
        m_overtimeHours[i] = index(r, hours[i]);
    }
    for (size_t i = 0; i < m_allowances.size(); ++i)
        m_allowances[i] = r.indexOf(QStringLiteral("STEATE%1").arg(i + 1));
    for (size_t i = 0; i < m_deductions.size(); ++i)
        m_deductions[i] = r.indexOf(QStringLiteral("SKOJYO%1").arg(i + 1));
}

LedgerLine LedgerLineReader::read(const QSqlQuery& q) const
{
    auto text = [&](Text t) { return m_text[t] < 0 ? QString() : NullToStr(q.value(m_text[t])).trimmed(); };
    auto number = [&](int i) { return i < 0 ? 0.0 : toNumberOr(q.value(i), 0.0); };
    auto money = [&](int i) { return qint64(std::llround(number(i))); };
    auto n = [&](Number k) { return money(m_number[k]); };

    LedgerLine l;
    l.payMonth = text(Month);
    l.kind = text(Kind) == QLatin1String("2") ? 2 : 1;
    l.code = text(Code);
    l.name = text(Name);
    l.employeeKind = text(EmployeeKind);
    l.otherName1 = text(Other1);
    l.otherName2 = text(Other2);
    l.otherName3 = text(Other3);
    l.days = number(m_number[Days]);
    l.absenceHours = number(m_number[AbsenceHours]);
    l.hoursWorked = number(m_number[HoursWorked]);
    l.basic = n(Basic);
    l.directors = n(Directors);
    l.meal = n(Meal);
    l.commuting = n(Commuting);
    l.family = n(Family);
    l.housing = n(Housing);
    l.additional = n(Additional);
    l.qualification = n(Qualification);
    l.holidayWork = n(HolidayWork);
    l.callOut = n(CallOut);
    l.absenceDeduction = n(Absence);
    l.health = n(Health);
    l.pension = n(Pension);
    l.employmentInsurance = n(Employment);
    l.tax = n(Tax);
    l.residentTax = n(Resident);
    l.yearEnd = n(YearEnd);
    for (size_t i = 0; i < 6; ++i) {
        l.overtime += money(m_overtime[i]);
        l.overtimeHours += number(m_overtimeHours[i]);
    }
    for (size_t i = 0; i < m_allowances.size(); ++i)
        l.otherAllowances[i] = money(m_allowances[i]);
    for (size_t i = 0; i < m_deductions.size(); ++i)
        l.otherDeductions[i] = money(m_deductions[i]);
    return l;
}

} // namespace minasel::reports
