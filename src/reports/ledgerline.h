#pragma once
#include <QString>
#include <array>

class QSqlRecord;
class QSqlQuery;

namespace minasel::reports {

// One line of the wage ledgers: the figures of a stored statement as both
// ledgers show them, and the sums A to H built from them. Money is whole yen in
// 64 bits, so that the totals of a large company's year never wrap.
struct LedgerLine {
    QString payMonth;       // "yyyymm"
    int kind = 1;           // 1 salary, 2 bonus
    QString code;
    QString name;
    QString employeeKind;   // JGIKBN stored with the statement

    double days = 0;
    double absenceHours = 0;   // shown for officers, regular and contract staff
    double hoursWorked = 0;    // shown for part-timers, casual staff and the classes after them
    double overtimeHours = 0;

    qint64 basic = 0, directors = 0, overtime = 0, meal = 0, commuting = 0, family = 0, housing = 0,
           additional = 0, qualification = 0, holidayWork = 0, callOut = 0;
    std::array<qint64, 9> otherAllowances{};
    QString otherName1, otherName2, otherName3;
    qint64 absenceDeduction = 0;

    qint64 health = 0, pension = 0, employmentInsurance = 0, tax = 0, residentTax = 0;
    std::array<qint64, 5> otherDeductions{};
    qint64 yearEnd = 0;

    // A totals line: its hours are kept apart by what they count.
    bool isTotal = false;

    bool showsHoursWorked() const { return employeeKind >= QLatin1String("3"); }
    // The hours of the attendance box ("出" hours worked or "欠" hours absent).
    double attendanceHours() const { return showsHoursWorked() ? hoursWorked : absenceHours; }
    QString attendanceMark() const;
    int month() const { return payMonth.mid(4, 2).toInt(); }

    qint64 otherAllowances3to9() const;
    qint64 otherDeductionTotal() const;
    qint64 totalPay() const;          // A: every pay item less the absence deduction
    qint64 nonTaxable() const;        // B: the commuting allowance
    qint64 taxablePay() const;        // C = A - B
    qint64 socialInsurance() const;   // D
    qint64 afterInsurance() const;    // E = C - D
    qint64 deductionTotal() const;    // F: tax, resident tax and the other deductions
    qint64 netPay() const;            // H = E - F + B + G

    // Adds a line into a totals line: money, days and overtime hours summed; the
    // attendance hours go to worked or absent as the line shows them.
    void add(const LedgerLine& line);
};

// Reads ledger lines from a statement query (MEISAI columns, and JGINAME when the
// query joins the employee), finding the columns once per query.
class LedgerLineReader {
public:
    explicit LedgerLineReader(const QSqlRecord& record);
    LedgerLine read(const QSqlQuery& query) const;

private:
    int index(const QSqlRecord& record, const char* column);
    enum Text { Month, Kind, Code, Name, EmployeeKind, Other1, Other2, Other3, TextCount };
    enum Number {
        Days, AbsenceHours, HoursWorked, Basic, Directors, Meal, Commuting, Family, Housing, Additional,
        Qualification, HolidayWork, CallOut, Absence, Health, Pension, Employment, Tax, Resident, YearEnd, NumberCount
    };
    std::array<int, TextCount> m_text{};
    std::array<int, NumberCount> m_number{};
    std::array<int, 6> m_overtime{};
    std::array<int, 6> m_overtimeHours{};
    std::array<int, 9> m_allowances{};
    std::array<int, 5> m_deductions{};
};

} // namespace minasel::reports
