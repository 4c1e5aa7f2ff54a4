#pragma once
#include <QDate>
#include <QString>
#include <array>
#include <optional>

namespace minasel::payroll {

// Resident tax withheld from pay (住民税 特別徴収) as the municipality's notice gives it:
// a yearly amount for the tax year (年度) and twelve instalments, June of that year to
// May of the next. The instalment of a month is taken from the salary paid in that month.
struct JuminzeiSchedule {
    static constexpr int kMonths = 12;

    QString code;      // JGICODE
    int year = 0;      // 年度
    long long yearly = 0;
    std::array<long long, kMonths> amounts{};   // [0] June ... [11] May
    int changedFrom = 0;                        // calendar month of the last change notice, 0 for none

    long long total() const;
    bool addsUp() const { return total() == yearly; }
    bool operator==(const JuminzeiSchedule&) const = default;
};

// The standard split: each instalment is a twelfth of the yearly amount cut to whole
// 100 yen; what was cut goes to June. 100,000 gives 8,700 and eleven times 8,300.
std::array<long long, JuminzeiSchedule::kMonths> standardSplit(long long yearly);

// Index 0 (June) to 11 (May) of a calendar month, and back.
int instalmentIndex(int calendarMonth);
int calendarMonthOf(int index);
// The tax year a pay month falls in: June to December their own year, January to May the year before.
int taxYearOf(int year, int month);

// A change notice (変更通知書): from the instalment `fromIndex` on, what is still due of the
// new yearly amount is split over the months left as the standard split does, the
// remainder to the first of them. The instalments before stay. nullopt when the new
// yearly amount is below what those instalments already took.
std::optional<JuminzeiSchedule> applyChangeNotice(const JuminzeiSchedule& s, int fromIndex, long long newYearly);

// "令和8年度", "平成31年度" (the era in force on 1 June of the year).
QString taxYearName(int year);

// What an employee's leaving date means for the rest of the instalments.
enum class LeavingRule {
    None,        // May: nothing remains after the month's own instalment
    Required,    // 1 January to 30 April: the employer takes what remains from the last pay
    OnRequest,   // 1 June to 31 December: only when the employee asks for it
};
LeavingRule leavingRuleFor(const QDate& leaving);

// A stored salary statement of the same tax year, before the pay month in question.
struct EarlierDeduction {
    QString payMonth;    // "yyyymm"
    long long amount = 0;
};

// Where the resident tax of a new salary statement comes from, and what the last pay
// of a leaving employee may take beyond the month's own instalment.
class JuminzeiPlan {
public:
    // `schedule`: the employee's notice for the tax year of `payMonth`, if typed.
    // `masterAmount`: SIMIZEI of the employee master, taken when there is no notice.
    // `leaving`: the leaving date ("yyyymmdd", "" while employed). `earlier`: what the
    // stored salary statements of the tax year before this month took (needed only
    // for a leaving employee, whose earlier pay may already have taken the rest).
    static JuminzeiPlan make(const std::optional<JuminzeiSchedule>& schedule, long long masterAmount,
                             const QString& payMonth, const QString& leaving,
                             const QList<EarlierDeduction>& earlier = {});

    bool fromSchedule() const { return m_fromSchedule; }
    int taxYear() const { return m_year; }
    // The month's own instalment (or the master's amount).
    long long monthly() const { return m_monthly; }
    // What remains after this month up to May (0 unless this is the last pay of a leaver).
    long long remaining() const { return m_remaining; }
    LeavingRule rule() const { return m_rule; }
    // The last pay may take the rest in one sum: there is a rest and a leaving rule for it.
    bool offersLump() const { return m_rule != LeavingRule::None && m_remaining > 0; }
    // Taken by default: the law requires it from January to April.
    bool lumpByDefault() const { return m_rule == LeavingRule::Required; }
    QDate leavingDate() const { return m_leaving; }
    // The months after this one up to May: "10月分〜5月分", "5月分".
    QString restMonths() const;

    // The amount to take: the month's instalment, and with `lump` what remains as far as
    // `available` (the net pay before resident tax) covers it.
    long long amount(bool lump, long long available) const;
    // What the screen says of it, for the amount `amount(lump, available)` gives.
    QString label(bool lump, long long available) const;

private:
    QString monthText(int index) const;

    bool m_fromSchedule = false;
    bool m_changed = false;        // the month's instalment comes from a change notice
    int m_year = 0;
    int m_index = 0;
    long long m_monthly = 0;
    long long m_remaining = 0;
    bool m_alreadyTaken = false;   // an earlier pay took this month's instalment ahead
    LeavingRule m_rule = LeavingRule::None;
    QDate m_leaving;
};

} // namespace minasel::payroll
