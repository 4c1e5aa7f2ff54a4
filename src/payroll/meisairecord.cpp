#include "payroll/meisairecord.h"

#include "app/valuehelpers.h"
#include "db/schema.h"

#include <QHash>
#include <QSqlRecord>
#include <cmath>
#include <ostream>

namespace minasel::payroll {

namespace {

QString number(double v)
{
    return QString::number(v, 'g', 15);
}

QString number(long long v)
{
    return QString::number(v);
}

// Column name -> value text, for every column of the row.
QHash<QString, QString> columnValues(const MeisaiRecord& r)
{
    QHash<QString, QString> v;
    v[QStringLiteral("CID")] = r.cid;
    v[QStringLiteral("SIKYUBI")] = r.payMonth;
    v[QStringLiteral("JGICODE")] = r.employeeCode;
    v[QStringLiteral("SIKYUKBN")] = r.kind;
    v[QStringLiteral("JGIKBN")] = r.employeeKind;
    v[QStringLiteral("BATIME")] = number(r.hoursWorked);
    v[QStringLiteral("KIHONKYU")] = number(r.kihonkyu);
    v[QStringLiteral("YHOSYU")] = number(r.yhosyu);
    v[QStringLiteral("FOODTEATE")] = number(r.food);
    v[QStringLiteral("TUKINTEATE")] = number(r.commuting);
    v[QStringLiteral("SIKAKUTEATE")] = number(r.qualification);
    v[QStringLiteral("HOMETEATE")] = number(r.housing);
    v[QStringLiteral("FAMITEATE")] = number(r.family);
    v[QStringLiteral("FUKAKYU")] = number(r.additional);
    v[QStringLiteral("KINKYUNUM")] = number(r.callOuts);
    v[QStringLiteral("KINKYUTEATE")] = number(r.callOutPay);
    v[QStringLiteral("KYUJITUNUM")] = number(r.holidayDays);
    v[QStringLiteral("KYUJITUTEATE")] = number(r.holidayPay);
    static const char* const hours[] = {"TIMEOUT1", "TIMEOUT2", "SINYATIME", "SINYATIME2", "TIME60", "SINYATIME60"};
    static const char* const pay[] = {"TIMETEATE1", "TIMETEATE2", "SINYATEATE", "SINYATEATE2", "TIMETEATE60",
                                      "SINYATEATE60"};
    for (int i = 0; i < MeisaiRecord::kOvertimeLines; ++i) {
        v[QLatin1String(hours[i])] = number(r.overtimeHours[size_t(i)]);
        v[QLatin1String(pay[i])] = number(r.overtimePay[size_t(i)]);
    }
    for (int i = 0; i < MeisaiRecord::kAllowances; ++i) {
        v[QStringLiteral("STEATE%1NM").arg(i + 1)] = r.allowanceNames[size_t(i)];
        v[QStringLiteral("STEATE%1").arg(i + 1)] = number(r.allowances[size_t(i)]);
    }
    v[QStringLiteral("KEKINTIME")] = number(r.absenceHours);
    v[QStringLiteral("KEKINMONEY")] = number(r.absenceDeduction);
    v[QStringLiteral("TIMEMONEY")] = number(r.hourlyRate);
    v[QStringLiteral("HEALTH")] = number(r.health);
    v[QStringLiteral("NENKIN")] = number(r.pension);
    v[QStringLiteral("KOYOHOKEN")] = number(r.employmentInsurance);
    v[QStringLiteral("TAX")] = number(r.tax);
    v[QStringLiteral("SIMIZEI")] = number(r.residentTax);
    for (int i = 0; i < MeisaiRecord::kDeductions; ++i) {
        v[QStringLiteral("SKOJYO%1NM").arg(i + 1)] = r.deductionNames[size_t(i)];
        v[QStringLiteral("SKOJYO%1").arg(i + 1)] = number(r.deductions[size_t(i)]);
    }
    v[QStringLiteral("SYUKINNUM")] = number(r.workDays);
    v[QStringLiteral("YUKYUNUM")] = number(r.paidLeaveDays);
    v[QStringLiteral("KEKINDAY")] = number(r.absenceDays);
    v[QStringLiteral("KEKINDAYTIME")] = number(r.absenceDayHours);
    v[QStringLiteral("FAMINUM")] = number(static_cast<long long>(r.dependants));
    v[QStringLiteral("NENTYOMONEY")] = number(r.yearEndAdjustment);
    v[QStringLiteral("KEHOKBN")] = r.healthKind;
    return v;
}

} // namespace

long long wholeYen(double amount)
{
    if (!std::isfinite(amount))
        return 0;
    // The tiny allowance keeps a product such as 1,884.4999999 (meant as .5) from
    // falling on the wrong side of the half.
    const double magnitude = std::floor(std::fabs(amount) + 0.5 + 1e-6);
    const auto whole = static_cast<long long>(magnitude);
    return amount < 0 ? -whole : whole;
}

db::RowValues MeisaiRecord::toRowValues() const
{
    const QHash<QString, QString> v = columnValues(*this);
    const db::TableDef& def = db::tableDef(db::Table::Meisai);
    db::RowValues out;
    out.reserve(def.columnCount());
    for (const db::Column& c : def.columns)
        out << v.value(c.name);
    return out;
}

MeisaiRecord MeisaiRecord::fromSqlRecord(const QSqlRecord& rec)
{
    auto text = [&](const char* name) { return NullToStr(rec.value(QLatin1String(name))); };
    auto num = [&](const QString& name) { return NullToNum(rec.value(name)); };
    auto yen = [&](const QString& name) { return wholeYen(num(name)); };
    auto n = [&](const char* name) { return num(QLatin1String(name)); };
    auto y = [&](const char* name) { return yen(QLatin1String(name)); };

    MeisaiRecord r;
    r.cid = text("CID");
    r.payMonth = text("SIKYUBI");
    r.employeeCode = text("JGICODE");
    r.kind = text("SIKYUKBN");
    r.employeeKind = text("JGIKBN");
    r.hoursWorked = n("BATIME");
    r.kihonkyu = y("KIHONKYU");
    r.yhosyu = y("YHOSYU");
    r.food = y("FOODTEATE");
    r.commuting = y("TUKINTEATE");
    r.qualification = y("SIKAKUTEATE");
    r.housing = y("HOMETEATE");
    r.family = y("FAMITEATE");
    r.additional = y("FUKAKYU");
    r.callOuts = n("KINKYUNUM");
    r.callOutPay = y("KINKYUTEATE");
    r.holidayDays = n("KYUJITUNUM");
    r.holidayPay = y("KYUJITUTEATE");
    static const char* const hours[] = {"TIMEOUT1", "TIMEOUT2", "SINYATIME", "SINYATIME2", "TIME60", "SINYATIME60"};
    static const char* const pay[] = {"TIMETEATE1", "TIMETEATE2", "SINYATEATE", "SINYATEATE2", "TIMETEATE60",
                                      "SINYATEATE60"};
    for (int i = 0; i < kOvertimeLines; ++i) {
        r.overtimeHours[size_t(i)] = n(hours[i]);
        r.overtimePay[size_t(i)] = y(pay[i]);
    }
    for (int i = 0; i < kAllowances; ++i) {
        r.allowanceNames[size_t(i)] = NullToStr(rec.value(QStringLiteral("STEATE%1NM").arg(i + 1)));
        r.allowances[size_t(i)] = yen(QStringLiteral("STEATE%1").arg(i + 1));
    }
    r.absenceHours = n("KEKINTIME");
    r.absenceDeduction = y("KEKINMONEY");
    r.hourlyRate = n("TIMEMONEY");
    r.health = y("HEALTH");
    r.pension = y("NENKIN");
    r.employmentInsurance = y("KOYOHOKEN");
    r.tax = y("TAX");
    r.residentTax = y("SIMIZEI");
    for (int i = 0; i < kDeductions; ++i) {
        r.deductionNames[size_t(i)] = NullToStr(rec.value(QStringLiteral("SKOJYO%1NM").arg(i + 1)));
        r.deductions[size_t(i)] = yen(QStringLiteral("SKOJYO%1").arg(i + 1));
    }
    r.workDays = n("SYUKINNUM");
    r.paidLeaveDays = n("YUKYUNUM");
    r.absenceDays = n("KEKINDAY");
    r.absenceDayHours = n("KEKINDAYTIME");
    r.dependants = int(wholeYen(n("FAMINUM")));
    r.yearEndAdjustment = y("NENTYOMONEY");
    r.healthKind = text("KEHOKBN");
    return r;
}

long long MeisaiRecord::payColumnsTotal() const
{
    long long total = kihonkyu + yhosyu + food + commuting + qualification + housing + family + additional
        + callOutPay + holidayPay;
    for (long long p : overtimePay)
        total += p;
    for (long long a : allowances)
        total += a;
    return total - absenceDeduction;
}

void PrintTo(const MeisaiRecord& r, std::ostream* os)
{
    const db::RowValues values = r.toRowValues();
    const db::TableDef& def = db::tableDef(db::Table::Meisai);
    *os << "{";
    for (int i = 0; i < def.columnCount(); ++i) {
        const QString& v = values.at(i);
        if (v.isEmpty() || v == QLatin1String("0"))
            continue;   // only what is set, so a difference stands out
        *os << def.columns[size_t(i)].name.toStdString() << "=" << v.toStdString() << " ";
    }
    *os << "}";
}

} // namespace minasel::payroll
