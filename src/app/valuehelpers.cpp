#include "app/valuehelpers.h"

#include <QLocale>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace minasel {

// The value is never part of the description: it may be personal data, and the
// description goes to the log.
TypeMismatch::TypeMismatch(const QString&) : std::runtime_error("型が一致しません。") {}

AmountOverflow::AmountOverflow() : std::overflow_error("オーバーフローしました。") {}

QString NullToStr(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    if (value.typeId() == QMetaType::Double) {
        const double d = value.toDouble();
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15)
            return QString::number(static_cast<qint64>(d));
        return QString::number(d, 'g', 15);
    }
    return value.toString();
}

static bool parseNumber(QString text, double* out)
{
    text = text.trimmed();
    if (text.isEmpty())
        return false;
    text.remove(QLatin1Char(','));
    bool ok = false;
    const double d = text.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    *out = d;
    return true;
}

double NullToNum(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return 0.0;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return value.toDouble();
    case QMetaType::Bool:
        return value.toBool() ? -1.0 : 0.0;
    default:
        break;
    }
    const QString text = value.toString();
    if (text.isEmpty())
        return 0.0;
    double d = 0;
    if (!parseNumber(text, &d))
        throw TypeMismatch(text);
    return d;
}

double toNumberOr(const QVariant& value, double fallback)
{
    try {
        return NullToNum(value);
    } catch (const TypeMismatch&) {
        return fallback;
    }
}

int RoundAmount(double value, double factor, int mode)
{
    double m = factor * std::fabs(value);
    switch (mode) {
    case 1: m += 0.4999; break;
    case 2: m -= 0.4999; break;
    case 3: m += 0.0005; break;
    default: return 0;
    }
    // Currency: a count of ten-thousandths, nearest with ties to even.
    const double scaled = m * 10000.0;
    if (!std::isfinite(scaled) || std::fabs(scaled) > 9.2e18)
        throw AmountOverflow();
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const auto units = static_cast<int64_t>(std::nearbyint(scaled));
    std::fesetround(saved);
    // Currency to a whole number, again ties to even.
    int64_t whole = units / 10000;
    const int64_t rest = units % 10000;
    if (rest > 5000 || (rest == 5000 && (whole % 2 != 0)))
        ++whole;
    else if (rest < -5000 || (rest == -5000 && (whole % 2 != 0)))
        --whole;
    if (whole > std::numeric_limits<int32_t>::max() || whole < std::numeric_limits<int32_t>::min())
        throw AmountOverflow();
    int result = static_cast<int>(whole);
    if (value < 0)
        result = -result;
    return result;
}

QString formatNumber(double value, const QString& format)
{
    const int dot = format.indexOf(QLatin1Char('.'));
    const QString intPart = dot < 0 ? format : format.left(dot);
    const QString fracPart = dot < 0 ? QString() : format.mid(dot + 1);
    const bool grouping = intPart.contains(QLatin1Char(','));
    // Zeros force digits from the first '0' to the right end ("000#" shows 0007).
    int minInt = 0;
    {
        const int firstZero = int(intPart.indexOf(QLatin1Char('0')));
        if (firstZero >= 0)
            for (int i = firstZero; i < intPart.size(); ++i)
                if (intPart[i] == QLatin1Char('0') || intPart[i] == QLatin1Char('#'))
                    ++minInt;
    }
    const int minFrac = int(fracPart.count(QLatin1Char('0')));
    const int maxFrac = minFrac + int(fracPart.count(QLatin1Char('#')));

    const bool negative = value < 0;
    // Display rounding is half away from zero at the last shown decimal.
    const double scale = std::pow(10.0, maxFrac);
    const double magnitude = std::floor(std::fabs(value) * scale + 0.5 + 1e-9) / scale;

    QString digits = QString::number(magnitude, 'f', maxFrac);
    QString whole = digits;
    QString frac;
    if (maxFrac > 0) {
        const int p = digits.indexOf(QLatin1Char('.'));
        whole = digits.left(p);
        frac = digits.mid(p + 1);
        while (frac.size() > minFrac && frac.endsWith(QLatin1Char('0')))
            frac.chop(1);
    }
    if (whole == QLatin1String("0"))
        whole.clear();
    while (whole.size() < minInt)
        whole.prepend(QLatin1Char('0'));
    if (grouping) {
        for (int i = int(whole.size()) - 3; i > 0; i -= 3)
            whole.insert(i, QLatin1Char(','));
    }
    QString out = whole;
    if (dot >= 0)
        out += QLatin1Char('.') + frac;
    if (negative && (magnitude != 0.0))
        out.prepend(QLatin1Char('-'));
    return out;
}

QString FormatRight(const QVariant& value, const QString& format, int width, const QString& fill)
{
    const QString text = formatNumber(NullToNum(value), format);
    const QString pad = fill.isEmpty() ? QStringLiteral(" ") : fill.left(1);
    const QString padded = pad.repeated(width) + text;
    return padded.right(width);
}

QString formatAmount(double yen)
{
    return formatNumber(yen, QStringLiteral("#,##0"));
}

QString formatYen(double yen)
{
    return formatAmount(yen) + QStringLiteral("円");
}

QString NormalizeEmployeeCode(const QString& code)
{
    QString t = code.trimmed();
    if (!t.isEmpty() && t.size() < 5) {
        int i = 0;
        while (i < t.size() && !(t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9')))
            ++i;
        if (i < t.size())
            t = t.left(i) + (QStringLiteral("0000") + t.mid(i)).right(5 - i);
        if (t.size() < 5)
            t += QString(5 - t.size(), QLatin1Char('0'));
    }
    return t.toUpper();
}

} // namespace minasel
