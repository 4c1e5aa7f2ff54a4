#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace minasel::backup {

// One line of a backup file: every value in double quotes, comma separated,
// CR LF at the end, UTF-8. A double quote inside a value is doubled so that it
// reads back unchanged (files of older versions never held one).
class BackupFormat {
public:
    static QString valueText(const QVariant& value);   // Null -> "", numbers in plain decimal form
    static void appendQuoted(QString& line, const QString& value);
    static QByteArray formatRow(const QStringList& values);

    // The same texts straight into UTF-8 (the backup writer's path): a number
    // in the form valueText() gives, a quoted text with its quotes doubled.
    static void appendNumber(QByteArray& line, double value);
    static void appendInteger(QByteArray& line, qint64 value);
    static void appendQuoted(QByteArray& line, QByteArrayView utf8);
};

} // namespace minasel::backup
