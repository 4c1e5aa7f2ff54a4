#include "payroll/juminzeischedule.h"

#include "app/datehelpers.h"
#include "app/valuehelpers.h"

#include <QList>
#include <algorithm>
#include <numeric>

namespace minasel::payroll {

long long JuminzeiSchedule::total() const
{
    return std::accumulate(amounts.begin(), amounts.end(), 0LL);
}

std::array<long long, JuminzeiSchedule::kMonths> standardSplit(long long yearly)
{
    std::array<long long, JuminzeiSchedule::kMonths> out{};
    if (yearly <= 0)
        return out;
    const long long each = yearly / 12 / 100 * 100;
    out.fill(each);
    out[0] = yearly - each * 11;
    return out;
}

int instalmentIndex(int calendarMonth)
{
    return calendarMonth >= 6 ? calendarMonth - 6 : calendarMonth + 6;
}

int calendarMonthOf(int index)
{
    return index < 7 ? index + 6 : index - 6;
}

int taxYearOf(int year, int month)
{
    return month >= 6 ? year : year - 1;
}

std::optional<JuminzeiSchedule> applyChangeNotice(const JuminzeiSchedule& s, int fromIndex, long long newYearly)
{
    if (fromIndex < 0 || fromIndex >= JuminzeiSchedule::kMonths || newYearly < 0)
        return std::nullopt;
    const long long before = std::accumulate(s.amounts.begin(), s.amounts.begin() + fromIndex, 0LL);
    const long long due = newYearly - before;
    if (due < 0)
        return std::nullopt;
    JuminzeiSchedule out = s;
    const int months = JuminzeiSchedule::kMonths - fromIndex;
    const long long each = due / months / 100 * 100;
    for (int i = fromIndex; i < JuminzeiSchedule::kMonths; ++i)
        out.amounts[size_t(i)] = each;
    out.amounts[size_t(fromIndex)] = due - each * (months - 1);
    out.yearly = newYearly;
    out.changedFrom = calendarMonthOf(fromIndex);
    return out;
}

QString taxYearName(int year)
{
    QString era;
    const QStringList parts = GetWarekiParts(QStringLiteral("%10601").arg(year, 4, 10, QLatin1Char('0')), era);
    if (parts.size() < 2)
        return QString();
    const int n = parts[1].toInt();
    return era + (n == 1 ? QStringLiteral("元") : QString::number(n)) + QStringLiteral("年度");
}

LeavingRule leavingRuleFor(const QDate& leaving)
{
    if (!leaving.isValid())
        return LeavingRule::None;
    if (leaving.month() <= 4)
        return LeavingRule::Required;
    if (leaving.month() >= 6)
        return LeavingRule::OnRequest;
    return LeavingRule::None;
}

JuminzeiPlan JuminzeiPlan::make(const std::optional<JuminzeiSchedule>& schedule, long long masterAmount,
                                const QString& payMonth, const QString& leaving,
                                const QList<EarlierDeduction>& earlier)
{
    JuminzeiPlan p;
    const int year = payMonth.left(4).toInt();
    const int month = payMonth.mid(4, 2).toInt();
    p.m_year = taxYearOf(year, month);
    p.m_index = instalmentIndex(std::clamp(month, 1, 12));
    if (!schedule || schedule->year != p.m_year) {
        p.m_monthly = masterAmount;
        return p;
    }
    const JuminzeiSchedule& s = *schedule;
    p.m_fromSchedule = true;
    p.m_changed = s.changedFrom != 0 && p.m_index >= instalmentIndex(s.changedFrom);
    p.m_monthly = s.amounts[size_t(p.m_index)];

    // The last pay of a leaver: every pay month from the leaving month on.
    p.m_leaving = QDate::fromString(leaving.trimmed(), QStringLiteral("yyyyMMdd"));
    if (!p.m_leaving.isValid() || payMonth < p.m_leaving.toString(QStringLiteral("yyyyMM")))
        return p;
    p.m_rule = leavingRuleFor(p.m_leaving);
    // A pay before this one may already have taken the rest in one sum: what it took
    // beyond its own instalments is not taken again.
    long long ahead = 0;
    for (const EarlierDeduction& e : earlier) {
        const int y = e.payMonth.left(4).toInt();
        const int m = e.payMonth.mid(4, 2).toInt();
        if (m < 1 || m > 12 || taxYearOf(y, m) != p.m_year || e.payMonth >= payMonth)
            continue;
        ahead += e.amount - s.amounts[size_t(instalmentIndex(m))];
    }
    const long long due = std::max(
        0LL, std::accumulate(s.amounts.begin() + p.m_index, s.amounts.end(), 0LL) - std::max(0LL, ahead));
    p.m_alreadyTaken = due < p.m_monthly;
    p.m_monthly = std::min(p.m_monthly, due);
    p.m_remaining = due - p.m_monthly;
    return p;
}

long long JuminzeiPlan::amount(bool lump, long long available) const
{
    if (!lump || !offersLump())
        return m_monthly;
    return std::max(m_monthly, std::min(m_monthly + m_remaining, available));
}

QString JuminzeiPlan::monthText(int index) const
{
    return QStringLiteral("%1月分").arg(calendarMonthOf(index));
}

QString JuminzeiPlan::restMonths() const
{
    return monthText(m_index + 1) + (m_index + 1 < 11 ? QStringLiteral("〜5月分") : QString());
}

QString JuminzeiPlan::label(bool lump, long long available) const
{
    if (!m_fromSchedule)
        return QStringLiteral("住民税: 従業員マスタの額");
    const QString head = QStringLiteral("住民税: ") + taxYearName(m_year) + QLatin1Char(' ');
    if (m_alreadyTaken)
        return head + monthText(m_index)
            + (m_monthly == 0 ? QStringLiteral("以降は前の支給で一括徴収済み")
                              : QStringLiteral("の残り（前の支給で一部を徴収済み）"));
    const QString own = head + QStringLiteral("特別徴収（") + monthText(m_index)
        + (m_changed ? QStringLiteral("・変更通知後）") : QStringLiteral("）"));
    if (!offersLump())
        return own;
    const QString when = QStringLiteral("退社日 %1：").arg(m_leaving.toString(QStringLiteral("yyyy/MM/dd")));
    if (!lump)
        return own + QLatin1Char('\n') + when
            + QStringLiteral("残り %1（%2）は").arg(formatYen(m_remaining), restMonths())
            + (m_rule == LeavingRule::Required ? QStringLiteral("未徴収") : QStringLiteral("本人が納付"));
    const long long taken = amount(true, available);
    const QString months = head + monthText(m_index) + QStringLiteral("〜5月分");
    if (taken < m_monthly + m_remaining)
        return months + QStringLiteral("のうち %1を一括徴収\n").arg(formatYen(taken)) + when
            + QStringLiteral("支給額の範囲まで。残り %1は本人が納付").arg(formatYen(m_monthly + m_remaining - taken));
    return months + QStringLiteral("を一括徴収\n") + when
        + (m_rule == LeavingRule::Required ? QStringLiteral("1月1日〜4月30日の退職のため残りを最後の給与から徴収")
                                           : QStringLiteral("本人の申出により残りを最後の給与から徴収"));
}

} // namespace minasel::payroll
