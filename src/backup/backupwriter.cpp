#include "backup/backupwriter.h"

#include "app/appcontext.h"
#include "backup/backupformat.h"
#include "backup/backupreader.h"
#include "backup/backuptables.h"
#include "backup/filesafety.h"
#include "backup/manifest.h"
#include "db/changecounter.h"
#include "db/tablereader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <vector>

namespace minasel::backup {

namespace {
// Lines are gathered into blocks of this size before they are written.
constexpr qsizetype kFlushAt = 256 * 1024;
} // namespace

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
    m_changes = -1;
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

    // The company's change count at this moment: what the set holds.
    db::ChangeCounter::State counter;
    if (!db::ChangeCounter::read(db, m_ctx.companyId, &counter, &error))
        return fail(3021, error, procedure);
    m_changes = counter.changes;

    const QByteArray cid = m_ctx.companyId.toUtf8();
    QByteArray out;
    out.reserve(kFlushAt + 64 * 1024);
    for (const BackupTable& t : tables) {
        QSaveFile file(staging.filePath(t.fileName));
        if (!file.open(QIODevice::WriteOnly))
            return fail(75, QStringLiteral("%1 を作成できません。(%2)").arg(t.fileName, file.errorString()), procedure);
        db::TableReader rows(db, t.tableName, m_ctx.companyId);
        if (rows.failed())
            return fail(3021, rows.errorText(), procedure);
        if (rows.columnCount() < t.columns)
            return fail(3021, QStringLiteral("%1 の列が %2 個しかありません。").arg(t.tableName).arg(rows.columnCount()),
                        procedure);
        auto flush = [&]() {
            const bool ok = file.write(out) == out.size();
            out.clear();
            return ok;
        };
        int count = 0;
        while (rows.next()) {
            for (int i = 0; i < t.columns; ++i) {
                if (i > 0)
                    out += ',';
                switch (rows.type(i)) {
                case db::TableReader::Type::Null: out += "\"\""; break;
                case db::TableReader::Type::Integer: BackupFormat::appendInteger(out, rows.integer(i)); break;
                case db::TableReader::Type::Float: BackupFormat::appendNumber(out, rows.number(i)); break;
                case db::TableReader::Type::Text: BackupFormat::appendQuoted(out, rows.text(i)); break;
                }
            }
            out += "\r\n";
            ++count;
            if (out.size() >= kFlushAt && !flush())
                return fail(61, QStringLiteral("%1 に書き込めません。(%2)").arg(t.fileName, file.errorString()),
                            QStringLiteral("publish.write_data_to_text"));
        }
        if (rows.failed())
            return fail(3021, rows.errorText(), procedure);
        if (!flush())
            return fail(61, QStringLiteral("%1 に書き込めません。(%2)").arg(t.fileName, file.errorString()),
                        QStringLiteral("publish.write_data_to_text"));
        if (!file.commit())
            return fail(61, QStringLiteral("%1 を書き終えることができません。(%2)").arg(t.fileName, file.errorString()),
                        QStringLiteral("publish.write_data_to_text"));
        QFile::setPermissions(staging.filePath(t.fileName), FileSafety::ownerFile());
        m_rows << count;
    }

    // Read every file back before it may replace anything, a chunk at a time:
    // every row whole and of this company, the count as written; the manifest
    // takes the hash of what is on the disk.
    Manifest manifest;
    for (int i = 0; i < tables.size(); ++i) {
        const BackupTable& t = tables[i];
        QFile file(staging.filePath(t.fileName));
        if (!file.open(QIODevice::ReadOnly))
            return fail(75, QStringLiteral("%1 を読み返せません。(%2)").arg(t.fileName, file.errorString()), procedure);
        BackupReader reader(&file, t.columns);
        reader.computeHash();
        std::vector<QByteArrayView> row;
        BackupReader::Status s;
        bool sameCompany = true;
        while ((s = reader.next(&row)) == BackupReader::Status::Row)
            sameCompany = sameCompany && row.front() == cid;
        if (s == BackupReader::Status::Error || reader.rowsRead() != m_rows[i] || !sameCompany)
            return fail(61,
                        QStringLiteral("書き込んだ %1 を読み返すと内容が一致しません。(%2)")
                            .arg(t.fileName, reader.errorText()),
                        procedure);
        manifest.addHash(t.fileName, m_rows[i], reader.hash());
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
