#include "reports/csvwriter.h"

#include <QSaveFile>

namespace minasel::reports {

QString CsvWriter::quoteField(const QString& field)
{
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("ファイル「%1」を作成できません。（%2）").arg(path, file.errorString());
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = encode(rows);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("ファイル「%1」を書き込めません。（%2）").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace minasel::reports
