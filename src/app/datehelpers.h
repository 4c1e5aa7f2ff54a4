#pragma once
#include <QString>
#include <QStringList>

namespace minasel {

QString FormatMonth(const QString& month);
// Returns the day as two digits; `day` itself is set to the corrected, unpadded day.
QString AdjustDay(const QString& year, const QString& month, QString& day);
bool IsLeapYear(int year);
int daysInMonth(int year, int month);
// Index 0 empty, 1 two-digit era year, 2 month, 3 day; empty list for an empty date.
QStringList GetWarekiParts(const QString& date, QString& era);
// style 0 "eemmdd", 1 "ee/mm/dd", 2 "ee年mm月dd日"; other styles and empty dates give "".
QString FormatWareki(const QString& date, QString& era, int style);

// Numeric value of a text the way the screens read it: leading digits, else 0.
int textToInt(const QString& text);

} // namespace minasel
