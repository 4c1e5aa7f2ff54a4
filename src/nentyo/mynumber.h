#pragma once
#include <QString>

namespace minasel::nentyo {

// 個人番号: twelve digits whose last is the check digit of the first eleven
// (施行令第8条). Full-width digits count as digits.
bool isValidMyNumber(const QString& number);
// The number as stored: full-width digits made half-width, blanks and hyphens dropped.
QString normalizedMyNumber(const QString& number);

} // namespace minasel::nentyo
