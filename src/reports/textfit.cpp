#include "reports/textfit.h"

namespace minasel::reports {

namespace {

bool isHalfWidth(QChar ch)
{
    const char16_t u = ch.unicode();
    return u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F);
}

} // namespace

int textWidth(const QString& text, int points)
{
    int halfEms = 0;
    for (QChar ch : text)
        halfEms += isHalfWidth(ch) ? 1 : 2;
    return halfEms * points * 10;
}

FittedText fitText(const QString& text, int points, int room, int minPoints)
{
    FittedText fitted{text, points};
    while (fitted.points > minPoints && textWidth(fitted.text, fitted.points) > room)
        --fitted.points;
    while (!fitted.text.isEmpty() && textWidth(fitted.text, fitted.points) > room)
        fitted.text.chop(1);
    return fitted;
}

} // namespace minasel::reports
