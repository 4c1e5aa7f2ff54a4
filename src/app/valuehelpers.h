#pragma once
#include <QString>
#include <QVariant>
#include <stdexcept>

namespace minasel {

// Thrown where the original platform raised its type-mismatch error: a text that
// is not a number reached a numeric conversion. Callers trap it like a database error.
class TypeMismatch : public std::runtime_error {
public:
    explicit TypeMismatch(const QString& text);
    static constexpr int code = 13;
};

// Thrown when a rounded amount leaves the 32-bit range.
class AmountOverflow : public std::overflow_error {
public:
    AmountOverflow();
    static constexpr int code = 6;
};

QString NullToStr(const QVariant& value);
double NullToNum(const QVariant& value);
// Like NullToNum, but a text that is not a number gives `fallback` instead of throwing.
double toNumberOr(const QVariant& value, double fallback = 0.0);

// mode 1 rounds up, 2 down, 3 half up; the magnitude is rounded, the sign restored.
int RoundAmount(double value, double factor, int mode);

// Number formatting in the format language of the forms ("#,##0", "##.0#", "000#").
QString formatNumber(double value, const QString& format);
QString FormatRight(const QVariant& value, const QString& format, int width, const QString& fill = QStringLiteral(" "));
// An amount as screens, notes and lists show it: "1,234,567", "0" for nothing;
// formatYen adds "円" ("1,234,567円").
QString formatAmount(double yen);
QString formatYen(double yen);

// An employee code as the employee master keeps it: five characters, zeros put
// between a leading non-digit part and the digits ("12" → "00012", "A12" →
// "A0012"), or after a code without digits ("AB" → "AB000"); upper case.
QString NormalizeEmployeeCode(const QString& code);

} // namespace minasel
