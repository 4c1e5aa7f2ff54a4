#include "payroll/payslipdata.h"

#include "app/valuehelpers.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cmath>

namespace minasel::payroll {

namespace {

long long whole(double v)
{
    return std::llround(v);
}

void fail(const QSqlQuery& q, QString* error, int* errorCode)
{
    if (error)
        *error = q.lastError().text();
    if (errorCode)
        *errorCode = q.lastError().nativeErrorCode().toInt();
}

} // namespace

long long PayslipData::totalPay() const
{
    return kind == 2 ? whole(basic) : whole(payColumns);
}

long long PayslipData::deductionTotal() const
{
    long long d = whole(tax) + whole(residentTax);
    for (double x : deductions)
        d += whole(x);
    return d + whole(health) + whole(pension) + whole(employmentInsurance);
}

long long PayslipData::netPay() const
{
    return totalPay() - deductionTotal() + (kind == 2 ? 0 : whole(yearEnd));
}

bool readPayslip(QSqlDatabase db, const QString& cid, const QString& payMonth, const QString& employeeCode,
                 int kind, PayslipData* out, bool* found, QString* error, int* errorCode)
{
    *found = false;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("SELECT * FROM MEISAI WHERE CID = ? AND SIKYUBI = ? AND JGICODE = ? AND SIKYUKBN = ?"))) {
        fail(q, error, errorCode);
        return false;
    }
    q.addBindValue(cid);
    q.addBindValue(payMonth);
    q.addBindValue(employeeCode);
    q.addBindValue(QString::number(kind));
    if (!q.exec()) {
        fail(q, error, errorCode);
        return false;
    }
    if (!q.next())
        return true;
    *found = true;
    const QSqlRecord r = q.record();
    auto n = [&](const char* column) { return toNumberOr(r.value(QLatin1String(column)), 0.0); };
    auto s = [&](const QString& column) { return NullToStr(r.value(column)).trimmed(); };

    PayslipData& d = *out;
    d.kind = kind;
    d.payMonth = payMonth;
    d.employeeCode = employeeCode;
    d.employeeKind = s(QStringLiteral("JGIKBN"));
    d.basic = n("KIHONKYU");
    d.directors = n("YHOSYU");
    d.commuting = n("TUKINTEATE");
    d.meal = n("FOODTEATE");
    d.housing = n("HOMETEATE");
    d.family = n("FAMITEATE");
    d.qualification = n("SIKAKUTEATE");
    d.additional = n("FUKAKYU");
    d.overtime = n("TIMETEATE1") + n("TIMETEATE2") + n("SINYATEATE") + n("SINYATEATE2") + n("TIMETEATE60")
        + n("SINYATEATE60");
    d.holidayPay = n("KYUJITUTEATE");
    d.callOutPay = n("KINKYUTEATE");
    d.absenceDeduction = n("KEKINMONEY");
    double pay = d.basic + d.directors + d.meal + d.commuting + d.qualification + d.housing + d.family
        + d.additional + d.callOutPay + d.holidayPay + d.overtime;
    for (int i = 0; i < 9; ++i) {
        d.allowanceNames[i] = s(QStringLiteral("STEATE%1NM").arg(i + 1));
        d.allowances[i] = n(QStringLiteral("STEATE%1").arg(i + 1).toLatin1().constData());
        pay += d.allowances[i];
    }
    d.payColumns = pay - d.absenceDeduction;
    d.health = n("HEALTH");
    d.pension = n("NENKIN");
    d.employmentInsurance = n("KOYOHOKEN");
    d.tax = n("TAX");
    d.residentTax = n("SIMIZEI");
    for (int i = 0; i < 5; ++i) {
        d.deductionNames[i] = s(QStringLiteral("SKOJYO%1NM").arg(i + 1));
        d.deductions[i] = n(QStringLiteral("SKOJYO%1").arg(i + 1).toLatin1().constData());
    }
    d.yearEnd = n("NENTYOMONEY");
    d.workDays = n("SYUKINNUM");
    d.paidLeaveDays = n("YUKYUNUM");
    d.hoursWorked = n("BATIME");
    d.absenceHours = n("KEKINTIME");
    d.absenceDays = n("KEKINDAY");
    d.absenceDayHours = n("KEKINDAYTIME");
    d.overtimeHours = n("TIMEOUT1") + n("TIMEOUT2") + n("SINYATIME") + n("SINYATIME2") + n("TIME60") + n("SINYATIME60");
    d.lateNightHours = n("SINYATIME") + n("SINYATIME2") + n("SINYATIME60");
    d.holidayDays = n("KYUJITUNUM");
    d.callOuts = n("KINKYUNUM");
    return true;
}

bool payslipCandidates(QSqlDatabase db, const QString& cid, const QString& payMonth, int kind,
                       QList<reports::PickerEntry>* out, QString* error, int* errorCode)
{
    return reports::PickerLists::loadEntries(
        db,
        QStringLiteral("SELECT J.JGICODE, J.JGINAME FROM JYUGYOIN J, MEISAI M"
                       " WHERE J.JGICODE = M.JGICODE AND J.CID = ? AND M.CID = ? AND M.SIKYUBI = ?"
                       " AND M.SIKYUKBN = ? GROUP BY J.JGICODE, J.JGINAME ORDER BY J.JGICODE"),
        {cid, cid, payMonth, QString::number(kind)}, out, error, errorCode);
}

QString employeeName(QSqlDatabase db, const QString& cid, const QString& employeeCode)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT JGINAME FROM JYUGYOIN WHERE CID = ? AND JGICODE = ?"));
    q.addBindValue(cid);
    q.addBindValue(employeeCode);
    if (q.exec() && q.next())
        return NullToStr(q.value(0)).trimmed();
    return {};
}

} // namespace minasel::payroll
