#include "nentyo/mynumber.h"

namespace minasel::nentyo {

QString normalizedMyNumber(const QString& number)
{
    QString n = number.normalized(QString::NormalizationForm_KC);
    n.remove(QLatin1Char(' '));
    n.remove(QLatin1Char('-'));
    return n;
}

bool isValidMyNumber(const QString& number)
{
    const QString n = normalizedMyNumber(number);
    if (n.size() != 12)
        return false;
    for (QChar c : n)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    // P1 … P11 are the first eleven digits counted from the right; the weight of Pn
    // is n + 1 up to n = 6 and n − 5 from n = 7.
    int sum = 0;
    for (int k = 1; k <= 11; ++k) {
        const int digit = n.at(11 - k).digitValue();
        sum += digit * (k <= 6 ? k + 1 : k - 5);
    }
    const int r = sum % 11;
    return n.at(11).digitValue() == (r <= 1 ? 0 : 11 - r);
}

} // namespace minasel::nentyo
