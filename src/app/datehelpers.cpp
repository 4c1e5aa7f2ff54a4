#include "app/datehelpers.h"

namespace minasel {

int textToInt(const QString& text)
{
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    long long v = 0;
    bool any = false;
    for (; i < t.size() && t[i].isDigit() && t[i].unicode() < 128; ++i) {
        v = v * 10 + (t[i].unicode() - '0');
        if (v > 1000000000)
            break;
        any = true;
    }
    if (!any)
        return 0;
    return int(negative ? -v : v);
}

QString FormatMonth(const QString& month)
{
    if (month.isEmpty())
        return QString();
    const int m = textToInt(month);
    if (m < 1)
        return QStringLiteral("01");
    if (m > 12)
        return QStringLiteral("12");
    return QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
}

bool IsLeapYear(int y)
{
    return (y % 400 == 0) || (y % 4 == 0 && y % 100 != 0);
}

int daysInMonth(int year, int month)
{
    switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        return 31;
    case 2:
        return IsLeapYear(year) ? 29 : 28;
    default:
        return 30;
    }
}

QString AdjustDay(const QString& year, const QString& month, QString& day)
{
    const int d = textToInt(day);
    if (d < 1) {
        day = QStringLiteral("01");
    } else {
        const int last = daysInMonth(static_cast<short>(textToInt(year)), textToInt(month));
        if (d > last)
            day = QString::number(last);
    }
    return (QStringLiteral("00") + day).right(2);
}

namespace {
struct EraDate {
    QString eraName;
    QString eraYear;
    QString month;
    QString day;
};

bool splitDate(const QString& date, EraDate* out)
{
    const QString t = date.trimmed();
    if (t.isEmpty())
        return false;
    int year;
    if (t.size() == 10) {
        year = textToInt(t.mid(0, 4));
        out->month = t.mid(5, 2);
        out->day = t.mid(8, 2);
    } else {
        year = textToInt(t.mid(0, 4));
        out->month = t.mid(4, 2);
        out->day = t.mid(6, 2);
    }
    int eraYear;
    if (year > 2018) {
        out->eraName = QStringLiteral("令和");
        eraYear = year - 2018;
    } else if (year > 1988) {
        out->eraName = QStringLiteral("平成");
        eraYear = year - 1988;
    } else if (year > 1925) {
        out->eraName = QStringLiteral("昭和");
        eraYear = year - 1925;
    } else if (year > 1911) {
        out->eraName = QStringLiteral("大正");
        eraYear = year - 1911;
    } else {
        out->eraName = QStringLiteral("明治");
        eraYear = year - 1867;
    }
    out->eraYear = (QStringLiteral("00") + QString::number(eraYear)).right(2);
    return true;
}
} // namespace

QStringList GetWarekiParts(const QString& date, QString& era)
{
    EraDate e;
    if (!splitDate(date, &e))
        return {};
    era = e.eraName;
    return {QString(), e.eraYear, e.month, e.day};
}

QString FormatWareki(const QString& date, QString& era, int style)
{
    EraDate e;
    if (!splitDate(date, &e))
        return QString();
    era = e.eraName;
    switch (style) {
    case 0: return e.eraYear + e.month + e.day;
    case 1: return e.eraYear + QLatin1Char('/') + e.month + QLatin1Char('/') + e.day;
    case 2: return e.eraYear + QStringLiteral("年") + e.month + QStringLiteral("月") + e.day + QStringLiteral("日");
    default: return QString();
    }
}

} // namespace minasel
