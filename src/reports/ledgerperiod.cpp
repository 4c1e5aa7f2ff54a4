#include "reports/ledgerperiod.h"

#include "app/datehelpers.h"
#include "app/valuehelpers.h"

namespace minasel::reports {

QString LedgerPeriod::message() const
{
    switch (problem) {
    case Problem::NoStartYear: return QStringLiteral("開始年を入力した後、印刷ボタンを押して下さい。");
    case Problem::NoStartMonth: return QStringLiteral("開始月を入力した後、印刷ボタンを押して下さい。");
    case Problem::Reversed: return QStringLiteral("開始・終了期間が間違いました。再入力して下さい。");
    case Problem::None: break;
    }
    return {};
}

QString LedgerPeriod::formatYear(const QString& text)
{
    const QString t = text.trimmed();
    return t.isEmpty() ? QString() : formatNumber(textToInt(t), QStringLiteral("000#"));
}

QString LedgerPeriod::monthText(const QString& payMonth)
{
    return QStringLiteral("%1年%2月").arg(payMonth.left(4)).arg(payMonth.mid(4, 2).toInt());
}

LedgerPeriod LedgerPeriod::check(const QString& startYear, const QString& startMonth, const QString& endYear,
                                 const QString& endMonth)
{
    LedgerPeriod p;
    // The fields are formatted on leaving; a value that never left its field is taken the same way.
    const QString y1 = formatYear(startYear);
    const QString m1 = FormatMonth(startMonth.trimmed());
    if (y1.isEmpty()) {
        p.problem = Problem::NoStartYear;
        return p;
    }
    if (m1.isEmpty()) {
        p.problem = Problem::NoStartMonth;
        return p;
    }
    p.endYear = endYear.trimmed().isEmpty() ? y1 : formatYear(endYear);
    p.endMonth = endMonth.trimmed().isEmpty() ? m1 : FormatMonth(endMonth.trimmed());
    p.start = y1 + m1;
    p.end = p.endYear + p.endMonth;
    if (p.start > p.end)
        p.problem = Problem::Reversed;
    return p;
}

} // namespace minasel::reports
