#include "backup/backuptables.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace minasel::backup {

bool loadBackupTables(QSqlDatabase db, QList<BackupTable>* tables, QString* error)
{
    tables->clear();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT SEQNO, TEXTNAME, FLPNO, KEISIKI FROM BACKUP ORDER BY SEQNO"))) {
        *error = q.lastError().text();
        return false;
    }
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9_]{1,32}$"));
    const QList<db::Table> expected = db::companyTables();
    while (q.next()) {
        const int seq = int(q.value(0).toDouble());
        const QString text = q.value(1).toString().trimmed();
        const int columns = int(q.value(2).toDouble());
        const QString name = q.value(3).toString().trimmed();
        const int i = int(tables->size());
        if (i >= expected.size() || seq != int(expected[i])) {
            *error = QStringLiteral("BACKUP の SEQNO %1 が正しくありません。").arg(seq);
            return false;
        }
        const db::TableDef& def = db::tableDef(expected[i]);
        if (name.compare(def.name, Qt::CaseInsensitive) != 0 || columns != def.columnCount()
            || !plainName.match(text).hasMatch()) {
            *error = QStringLiteral("BACKUP の %1 行目 (%2, %3, %4) が表の定義と一致しません。")
                         .arg(seq)
                         .arg(text, QString::number(columns), name);
            return false;
        }
        tables->append({expected[i], text + QStringLiteral(".txt"), columns, def.name});
    }
    if (tables->size() != expected.size()) {
        *error = QStringLiteral("BACKUP の行が %1 行しかありません。").arg(tables->size());
        return false;
    }
    return true;
}

QStringList backupFileNames(const QList<BackupTable>& tables)
{
    QStringList names;
    for (const BackupTable& t : tables)
        names << t.fileName;
    return names;
}

QStringList requiredFileNames(const QList<BackupTable>& tables)
{
    QStringList names;
    for (const BackupTable& t : tables)
        if (!db::isSideTable(t.table))
            names << t.fileName;
    return names;
}

} // namespace minasel::backup
