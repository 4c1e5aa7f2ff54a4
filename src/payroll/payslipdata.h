#pragma once
#include "reports/pickerlists.h"

#include <QSqlDatabase>
#include <QString>
#include <array>

namespace minasel::payroll {

// What one printed payslip shows, read back from a stored statement.
struct PayslipData {
    int kind = 1;            // 1 salary, 2 bonus
    QString payMonth;        // "yyyymm"
    QString employeeCode;
    QString employeeName;
    QString companyName;
    QString employeeKind;    // JGIKBN stored with the statement
    QString healthKind;      // KEHOKBN: the health rate included care

    // Pay (salary; on a bonus row the bonus is `basic`).
    double basic = 0, directors = 0, commuting = 0, meal = 0, housing = 0, family = 0, qualification = 0,
           additional = 0, overtime = 0, holidayPay = 0, callOutPay = 0, absenceDeduction = 0;
    // The sum of the pay columns minus the absence deduction.
    double payColumns = 0;
    std::array<QString, 9> allowanceNames;
    std::array<double, 9> allowances{};

    // Deductions.
    double health = 0, pension = 0, employmentInsurance = 0, tax = 0, residentTax = 0, yearEnd = 0;
    long long shien = 0;   // the child-support levy's part of `health`, printed under it when not 0
    std::array<QString, 5> deductionNames;
    std::array<double, 5> deductions{};

    // Attendance.
    double workDays = 0, paidLeaveDays = 0, hoursWorked = 0, absenceHours = 0, absenceDays = 0,
           absenceDayHours = 0, overtimeHours = 0, lateNightHours = 0, holidayDays = 0, callOuts = 0;

    // Part-time and casual staff (and the classes after them) show hours worked.
    bool showsHoursWorked() const { return employeeKind > QLatin1String("2"); }

    long long totalPay() const;          // salary: pay columns less absence; bonus: the bonus
    long long deductionTotal() const;    // social insurance included
    long long netPay() const;
};

struct MeisaiRecord;

// The payslip of a statement as it stands, on a screen or read back (names and
// company left for the caller).
PayslipData payslipFromStatement(const MeisaiRecord& statement);

// Reads the stored statement of one employee. Returns false on a database error
// (*error set); *found tells whether the row exists.
bool readPayslip(QSqlDatabase db, const QString& cid, const QString& payMonth, const QString& employeeCode,
                 int kind, PayslipData* out, bool* found, QString* error, int* errorCode = nullptr);

// The employees with a stored statement of the kind in the month, in code order.
bool payslipCandidates(QSqlDatabase db, const QString& cid, const QString& payMonth, int kind,
                       QList<reports::PickerEntry>* out, QString* error, int* errorCode = nullptr);

// The name of an employee of the company ("" when there is none).
QString employeeName(QSqlDatabase db, const QString& cid, const QString& employeeCode);

} // namespace minasel::payroll
