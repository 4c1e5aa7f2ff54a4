#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace minasel::reports {

// Tables exported for spreadsheet programs: UTF-8 with a byte-order mark (so that
// Japanese headings open correctly), CR LF line ends, fields quoted when they hold
// a comma, a quote or a line break (quotes doubled). The file is written through
// QSaveFile, readable by its owner only: it is either whole or not there at all.
class CsvWriter {
public:
    static QByteArray encode(const QList<QStringList>& rows);
    static QString quoteField(const QString& field);

    // False with *error in Japanese when the file cannot be written; nothing is
    // left under `path` then (an existing file stays as it was).
    static bool write(const QString& path, const QList<QStringList>& rows, QString* error);
};

} // namespace minasel::reports
