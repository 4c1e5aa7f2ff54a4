#include "backup/backupwriter.h"

#include "app/appcontext.h"
#include "backup/backupformat.h"
#include "backup/backupreader.h"
#include "backup/backuptables.h"
#include "backup/filesafety.h"
#include "backup/manifest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

namespace minasel::backup {

BackupWriter::BackupWriter(AppContext& ctx) : m_ctx(ctx) {}

bool BackupWriter::fail(int code, const QString& text, const QString& procedure)
{
    m_error = text;
    m_ctx.reportError(code, text, procedure);
    return false;
}

bool BackupWriter::write(const QString& folderPath, const QString& procedure)
{
    m_error.clear();
    m_rows.clear();
    const QString folder = QDir::cleanPath(folderPath);
    if (!FileSafety::makeOwnerFolder(folder))
        return fail(75, QStringLiteral("バックアップ先のフォルダ %1 を作成できません。").arg(folder), procedure);

    QList<BackupTable> tables;
    QString error;
    if (!loadBackupTables(m_ctx.db(), &tables, &error))
        return fail(3021, error, procedure);

    QTemporaryDir staging(folder + QStringLiteral("/.minasel-backup-XXXXXX"));
    if (!staging.isValid())
        return fail(75, QStringLiteral("バックアップ先 %1 に書き込めません。(%2)").arg(folder, staging.errorString()),
                    procedure);
    QFile::setPermissions(staging.path(), FileSafety::ownerFolder());

    // One read transaction: every file shows the database at the same moment,
    // even while another process writes.
    QSqlDatabase db = m_ctx.db();
    const bool snapshot = db.transaction();
    struct EndSnapshot {
        QSqlDatabase db;
        bool active;
        ~EndSnapshot()
        {
            if (active)
                db.rollback();
        }
    } endSnapshot{db, snapshot};

    for (const BackupTable& t : tables) {
        QSaveFile file(staging.filePath(t.fileName));
        if (!file.open(QIODevice::WriteOnly))
            return fail(75, QStringLiteral("%1 を作成できません。(%2)").arg(t.fileName, file.errorString()), procedure);
        QSqlQuery q(m_ctx.db());
        q.setForwardOnly(true);
        if (!q.prepare(QStringLiteral("SELECT * FROM %1 WHERE CID = ?").arg(t.tableName)))
            return fail(3021, q.lastError().text(), procedure);
        q.addBindValue(m_ctx.companyId);
        if (!q.exec())
            return fail(3021, q.lastError().text(), procedure);
        if (q.record().count() < t.columns)
            return fail(3021, QStringLiteral("%1 の列が %2 個しかありません。").arg(t.tableName).arg(q.record().count()),
                        procedure);
        int rows = 0;
        QStringList values;
        while (q.next()) {
            values.clear();
            for (int i = 0; i < t.columns; ++i)
                values << BackupFormat::valueText(q.value(i));
            const QByteArray line = BackupFormat::formatRow(values);
            if (file.write(line) != line.size())
                return fail(61, QStringLiteral("%1 に書き込めません。(%2)").arg(t.fileName, file.errorString()),
                            QStringLiteral("publish.write_data_to_text"));
            ++rows;
        }
        if (q.lastError().isValid())
            return fail(3021, q.lastError().text(), procedure);
        q.finish();
        if (!file.commit())
            return fail(61, QStringLiteral("%1 を書き終えることができません。(%2)").arg(t.fileName, file.errorString()),
                        QStringLiteral("publish.write_data_to_text"));
        QFile::setPermissions(staging.filePath(t.fileName), FileSafety::ownerFile());
        m_rows << rows;
    }

    // Read every file back before it may replace anything.
    Manifest manifest;
    for (int i = 0; i < tables.size(); ++i) {
        const BackupTable& t = tables[i];
        QFile file(staging.filePath(t.fileName));
        if (!file.open(QIODevice::ReadOnly))
            return fail(75, QStringLiteral("%1 を読み返せません。(%2)").arg(t.fileName, file.errorString()), procedure);
        const QByteArray bytes = file.readAll();
        manifest.add(t.fileName, m_rows[i], bytes);
        BackupReader reader(bytes, t.columns);
        QStringList row;
        BackupReader::Status s;
        bool sameCompany = true;
        while ((s = reader.next(&row)) == BackupReader::Status::Row)
            sameCompany = sameCompany && row.value(0) == m_ctx.companyId;
        if (s == BackupReader::Status::Error || reader.rowsRead() != m_rows[i] || !sameCompany)
            return fail(61,
                        QStringLiteral("書き込んだ %1 を読み返すと内容が一致しません。(%2)")
                            .arg(t.fileName, reader.errorText()),
                        procedure);
    }

    {
        QSaveFile file(staging.filePath(Manifest::fileName()));
        const QByteArray bytes = manifest.toBytes();
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            return fail(61, QStringLiteral("%1 を作成できません。(%2)").arg(Manifest::fileName(), file.errorString()),
                        procedure);
        QFile::setPermissions(staging.filePath(Manifest::fileName()), FileSafety::ownerFile());
    }

    QString why;
    if (!FileSafety::replaceSet(staging.path(), folder, backupFileNames(tables) << Manifest::fileName(),
                                Manifest::fileName(), &why, m_stopAfterMoves))
        return fail(75, why, procedure);
    return true;
}

} // namespace minasel::backup
