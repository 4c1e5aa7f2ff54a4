#pragma once
#include "db/rowwriter.h"

#include <QString>
#include <array>
#include <iosfwd>

class QSqlRecord;

namespace minasel::payroll {

// One pay statement as the MEISAI table keeps it: a salary (kind "1") or a bonus
// (kind "2", the bonus in `kihonkyu` and zeros in the other pay columns). Amounts
// are whole yen; hours, days and counts may carry decimals.
struct MeisaiRecord {
    static constexpr int kAllowances = 9;
    static constexpr int kDeductions = 5;
    static constexpr int kOvertimeLines = 6;

    QString cid;
    QString payMonth;       // SIKYUBI "yyyymm"
    QString employeeCode;   // JGICODE
    QString kind = QStringLiteral("1");   // SIKYUKBN
    QString employeeKind;   // JGIKBN

    double hoursWorked = 0;   // BATIME
    long long kihonkyu = 0;   // basic pay, or the bonus
    long long yhosyu = 0;     // directors' remuneration
    long long food = 0;
    long long commuting = 0;  // TUKINTEATE: outside taxable pay
    long long qualification = 0;
    long long housing = 0;
    long long family = 0;
    long long additional = 0;   // FUKAKYU
    double callOuts = 0;        // KINKYUNUM
    long long callOutPay = 0;
    double holidayDays = 0;     // KYUJITUNUM
    long long holidayPay = 0;
    // Lines in the order of the table: overtime, statutory-holiday overtime, late night,
    // late night on statutory holidays, beyond 60 hours, beyond 60 hours late at night.
    std::array<double, kOvertimeLines> overtimeHours{};
    std::array<long long, kOvertimeLines> overtimePay{};
    std::array<QString, kAllowances> allowanceNames;
    std::array<long long, kAllowances> allowances{};
    double absenceHours = 0;        // KEKINTIME
    long long absenceDeduction = 0; // KEKINMONEY
    double hourlyRate = 0;          // TIMEMONEY, may carry a fraction
    long long health = 0;
    long long pension = 0;
    long long employmentInsurance = 0;
    long long tax = 0;
    long long residentTax = 0;
    std::array<QString, kDeductions> deductionNames;
    std::array<long long, kDeductions> deductions{};
    double workDays = 0;
    double paidLeaveDays = 0;
    double absenceDays = 0;       // KEKINDAY
    double absenceDayHours = 0;   // KEKINDAYTIME
    int dependants = 0;
    long long yearEndAdjustment = 0;   // NENTYOMONEY
    QString healthKind;                // KEHOKBN

    bool operator==(const MeisaiRecord&) const = default;

    // The 73 values in column order, as the row writer takes them.
    db::RowValues toRowValues() const;
    // From a "Select * From MEISAI" row; numbers through NullToNum (throws TypeMismatch).
    static MeisaiRecord fromSqlRecord(const QSqlRecord& record);

    // Sum of every pay column minus the absence deduction (the statement's total pay).
    long long payColumnsTotal() const;
};

// Whole yen from a computed amount: 50 sen and more round up, less than 50 sen
// down (on the magnitude). Every amount computed with a fraction of a yen goes
// through here before it is shown, added up or stored.
long long wholeYen(double amount);

// For test failure messages.
void PrintTo(const MeisaiRecord& r, std::ostream* os);

} // namespace minasel::payroll
