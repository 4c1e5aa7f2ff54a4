#pragma once
#include <QString>
#include <array>

namespace minasel::payroll {

// What the statements take from the company: the unit prices and premium factors
// of the salary, and the insurance rates (health and pension in per cent, employer
// and employee together; employment insurance as the employee's own fraction).
struct CompanyRates {
    std::array<double, 6> overtimeFactors{};   // JKGNOMAL, JKGHOTEQ, JKGNOMALSINYA, JKGHOTESINYA, JKGNOMAL60, JKGSINYA60
    double holidayDayRate = 0;                  // KYUJITUTANKA
    double callOutRate = 0;                     // KINKYUTANKA
    double employmentInsuranceRate = 0;         // KOYOHOKENRITU
    double healthRate = 0;                      // KEKOHOKEN
    double healthRateCare = 0;                  // KEKOHOKEN2 (including care insurance)
    double pensionRate = 0;                     // KONEHOKEN
};

// The employee's two switches: only the text "1" means the amount is computed;
// anything else means the user types it and it is kept as typed.
struct StatementSwitches {
    bool computeEmploymentInsurance = false;
    bool computeTax = false;

    static StatementSwitches fromTexts(const QString& koyoSwitch, const QString& taxSwitch)
    {
        return {koyoSwitch == QLatin1String("1"), taxSwitch == QLatin1String("1")};
    }
};

// One line of the employee list: "code name".
struct EmployeeEntry {
    QString code;
    QString name;
    QString display() const { return code + QLatin1Char(' ') + name; }
};

// The employee's fixed items as a new salary statement starts from them, with the
// qualification and additional pay already looked up by their codes.
struct EmployeeMaster {
    QString code;
    QString name;
    QString employeeKind;   // JGIKBN
    QString healthKind;     // KEHOKBN
    QString koyoSwitch;     // KOYOKBN
    QString taxSwitch;      // CALCUTAX
    int dependants = 0;
    long long kihonkyu = 0;
    long long yhosyu = 0;
    long long food = 0;
    long long commuting = 0;
    long long housing = 0;
    long long family = 0;
    long long health = 0;
    long long pension = 0;
    long long residentTax = 0;
    double hourlyRate = 0;
    QString sikakuCode;
    QString fukakyuCode;
    long long qualification = 0;
    long long additional = 0;
    std::array<QString, 9> allowanceNames;
    std::array<long long, 9> allowances{};
    std::array<QString, 5> deductionNames;
    std::array<long long, 5> deductions{};

    // Insured for health and pension when the monthly premiums of the master are above 0.
    bool insured() const { return health + pension > 0; }
};

} // namespace minasel::payroll
