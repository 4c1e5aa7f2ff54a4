#pragma once
#include "payroll/shahorates.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <span>

// The arithmetic of health, care, child-support levy and pension premiums from the
// standard monthly remuneration (標準報酬月額): grades, premium months, care by age and
// the employee's half rounded as premiums deducted from pay are.
namespace minasel::payroll {

// A grade of health insurance: its standard amount and the remuneration it starts at.
struct HyojunGrade {
    int grade;
    long long amount;
    long long from;   // 以上; grade 1 has no lower bound
};

std::span<const HyojunGrade> hyojunGrades();
// The grade of a monthly remuneration (0 and up).
const HyojunGrade& gradeForRemuneration(long long remuneration);
// The grade whose standard amount this is; none for an amount not in the table.
const HyojunGrade* gradeOfAmount(long long amount);
// The pension's standard amount: the health amount within the pension's bounds.
long long pensionStandard(long long healthStandard, const PensionRules& rules);
// The pension grade (1 for the lowest amount) of a pension standard amount.
int pensionGrade(long long pensionStandard, const PensionRules& rules);

// The employee's half of `rate` (both halves, in 1/`scale` of a per cent: thousandths
// by default) on an amount: 50 sen and less down, more than 50 sen up. Exact, without
// floating point.
long long halfPremium(long long amount, long long rate, long long scale = 1000);

// The premium month the pay of `payMonth` collects: the month before (翌月徴収), or the
// same month (当月徴収). Months are yyyymm numbers.
int premiumMonthOf(int payMonth, bool sameMonth);
int addMonths(int yyyymm, int months);

// Care insurance applies from the month that holds the day before the 40th birthday up
// to the month before the one that holds the day before the 65th birthday.
bool careInsured(const QDate& birthday, int premiumMonth);
// The age reached by the end of the month (an age is reached the day before a birthday;
// born on 1 March of a leap year, on 28 February in other years).
int ageInMonth(const QDate& birthday, int premiumMonth);

// What an employee owes for a premium month by his age. Health insurance ends with the
// month before the one that holds the 75th birthday (from that day 後期高齢者医療 takes
// over), and care with it; the pension ends with the month before the one that holds
// the day before the 70th birthday. Loss of the insurance ends the premium of its month.
struct InsuredByAge {
    bool care = false;
    bool health = true;
    bool pension = true;
};
InsuredByAge insuredByAge(const QDate& birthday, int premiumMonth);
// The lines that say why a premium the age no longer owes is 0.
QStringList ageNotices(const InsuredByAge& insured);
// "介護保険の対象月です（40歳）" / "介護保険の対象外の月です（65歳）" where the care flag of the
// master disagrees with the age; "" where they agree or the birthday is unknown.
QString careWarning(const QDate& birthday, int premiumMonth, bool careFlag);

// The rates a monthly premium takes, in thousandths of a per cent, both halves.
struct PremiumRates {
    int health = 0;       // health alone
    int healthCare = 0;   // health with care
    int shien = 0;        // the child-support levy in force for the month (0 before it)
    int pension = 0;
};

struct MonthlyPremium {
    const HyojunGrade* grade = nullptr;
    long long hyojun = 0;
    int pensionGrade = 0;
    long long pensionHyojun = 0;
    bool care = false;
    bool healthEnded = false;    // 75 and over: no health, care or levy
    bool pensionEnded = false;   // 70 and over: no pension
    long long health = 0;      // health, care and levy rates added, then rounded once
    long long carePart = 0;    // of which care (shown, rounded on its own)
    long long shienPart = 0;   // of which the levy
    long long pension = 0;
};

// The employee's monthly premiums from a standard amount of the grade table.
MonthlyPremium monthlyPremium(long long hyojun, const InsuredByAge& insured, const PremiumRates& rates,
                              const PensionRules& pension);

// "yyyymm" text as a number, 0 when it is not a month.
int monthNumber(const QString& yyyymm);
// "2026年11月"
QString monthText(int yyyymm);

} // namespace minasel::payroll
