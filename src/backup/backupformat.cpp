#include "backup/backupformat.h"

#include <QLocale>

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
