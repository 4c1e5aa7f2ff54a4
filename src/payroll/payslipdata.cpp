#include "payroll/payslipdata.h"

#include "app/valuehelpers.h"
#include "payroll/meisairecord.h"

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

PayslipData payslipFromStatement(const MeisaiRecord& r)
{
    PayslipData d;
    d.kind = r.kind.trimmed() == QLatin1String("2") ? 2 : 1;
    d.payMonth = r.payMonth;
    d.employeeCode = r.employeeCode;
    d.employeeKind = r.employeeKind.trimmed();
    d.healthKind = r.healthKind.trimmed();
    d.basic = double(r.kihonkyu);
    d.directors = double(r.yhosyu);
    d.commuting = double(r.commuting);
    d.meal = double(r.food);
    d.housing = double(r.housing);
    d.family = double(r.family);
    d.qualification = double(r.qualification);
    d.additional = double(r.additional);
    for (long long p : r.overtimePay)
        d.overtime += double(p);
    d.holidayPay = double(r.holidayPay);
    d.callOutPay = double(r.callOutPay);
    d.absenceDeduction = double(r.absenceDeduction);
    for (size_t i = 0; i < d.allowances.size(); ++i) {
        d.allowanceNames[i] = r.allowanceNames[i].trimmed();
        d.allowances[i] = double(r.allowances[i]);
    }
    d.payColumns = double(r.payColumnsTotal());
    d.health = double(r.health);
    d.pension = double(r.pension);
    d.employmentInsurance = double(r.employmentInsurance);
    d.tax = double(r.tax);
    d.residentTax = double(r.residentTax);
    for (size_t i = 0; i < d.deductions.size(); ++i) {
        d.deductionNames[i] = r.deductionNames[i].trimmed();
        d.deductions[i] = double(r.deductions[i]);
    }
    d.yearEnd = double(r.yearEndAdjustment);
    d.workDays = r.workDays;
    d.paidLeaveDays = r.paidLeaveDays;
    d.hoursWorked = r.hoursWorked;
    d.absenceHours = r.absenceHours;
    d.absenceDays = r.absenceDays;
    d.absenceDayHours = r.absenceDayHours;
    const auto& h = r.overtimeHours;
    d.overtimeHours = h[0] + h[1] + h[2] + h[3] + h[4] + h[5];
    d.lateNightHours = h[2] + h[3] + h[5];   // late night, on statutory holidays, beyond 60 hours
    d.holidayDays = r.holidayDays;
    d.callOuts = r.callOuts;
    return d;
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
    try {
        *out = payslipFromStatement(MeisaiRecord::fromSqlRecord(q.record()));
    } catch (const TypeMismatch& e) {
        if (error)
            *error = QString::fromUtf8(e.what());
        if (errorCode)
            *errorCode = TypeMismatch::code;
        return false;
    }
    out->kind = kind;
    out->payMonth = payMonth;
    out->employeeCode = employeeCode;
    *found = true;
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
