#include "reports/csvwriter.h"

#include "app/ownerfile.h"

#include <QRegularExpression>

namespace minasel::reports {

namespace {

// A spreadsheet takes a cell beginning with these for a formula. Names and addresses
// are free text, and the files carry pay: such a cell is written as text ('=…), but a
// negative amount stays a number.
bool looksLikeFormula(const QString& field)
{
    static const QRegularExpression number(QStringLiteral("^-[0-9][0-9,]*(\\.[0-9]+)?$"));
    if (field.isEmpty() || !QStringLiteral("=+-@\t\r").contains(field.front()))
        return false;
    return !number.match(field).hasMatch();
}

} // namespace

QString CsvWriter::quoteField(const QString& typed)
{
    const QString field = looksLikeFormula(typed) ? QLatin1Char('\'') + typed : typed;
    const bool needsQuotes = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"'))
        || field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'));
    if (!needsQuotes)
        return field;
    QString quoted = field;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray CsvWriter::encode(const QList<QStringList>& rows)
{
    QByteArray out("\xEF\xBB\xBF");
    for (const QStringList& row : rows) {
        QStringList fields;
        fields.reserve(row.size());
        for (const QString& f : row)
            fields << quoteField(f);
        out += fields.join(QLatin1Char(',')).toUtf8();
        out += "\r\n";
    }
    return out;
}

bool CsvWriter::write(const QString& path, const QList<QStringList>& rows, QString* error)
{
    return writeOwnerFile(path, encode(rows), error);
}

} // namespace minasel::reports
