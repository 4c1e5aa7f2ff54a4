#include "backup/backupformat.h"

#include <QLocale>

#include <charconv>
#include <cmath>

namespace minasel::backup {

QString BackupFormat::valueText(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        // The shortest text that reads back to the same double, never in exponent form.
        return QString::number(value.toDouble(), 'f', QLocale::FloatingPointShortest);
    default:
        return value.toString();
    }
}

void BackupFormat::appendQuoted(QString& line, const QString& value)
{
    line += QLatin1Char('"');
    if (value.contains(QLatin1Char('"'))) {
        QString escaped = value;
        escaped.replace(QLatin1String("\""), QLatin1String("\"\""));
        line += escaped;
    } else {
        line += value;
    }
    line += QLatin1Char('"');
}

QByteArray BackupFormat::formatRow(const QStringList& values)
{
    QString line;
    for (int i = 0; i < values.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(',');
        appendQuoted(line, values[i]);
    }
    line += QLatin1String("\r\n");
    return line.toUtf8();
}

} // namespace minasel::backup

namespace minasel::backup {

void BackupFormat::appendNumber(QByteArray& line, double value)
{
    // Shortest text that reads back to the same double, never in exponent form,
    // exactly as valueText() writes it: Qt writes -0 as 0 and pads numbers
    // beyond 2^53 with zeros where the standard library writes every digit.
    if (value == 0) {
        line.append("\"0\"");
        return;
    }
    if (!(std::fabs(value) < 9007199254740992.0)) {
        line.append('"').append(valueText(QVariant(value)).toLatin1()).append('"');
        return;
    }
    char digits[800];   // the fixed form of the smallest double has 767 characters
    const std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
    line.append('"').append(digits, r.ptr - digits).append('"');
}

void BackupFormat::appendInteger(QByteArray& line, qint64 value)
{
    char digits[24];
    const std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, value);
    line.append('"').append(digits, r.ptr - digits).append('"');
}

void BackupFormat::appendQuoted(QByteArray& line, QByteArrayView utf8)
{
    line.append('"');
    for (;;) {
        const qsizetype quote = utf8.indexOf('"');
        if (quote < 0)
            break;
        line.append(utf8.first(quote + 1)).append('"');
        utf8 = utf8.sliced(quote + 1);
    }
    line.append(utf8).append('"');
}

} // namespace minasel::backup
