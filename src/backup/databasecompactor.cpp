#include "backup/databasecompactor.h"

#include "app/appcontext.h"
#include "backup/errorline.h"
#include "backup/filesafety.h"
#include "db/compaction.h"
#include "db/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>

namespace minasel::backup {

namespace {
const QString kProc = QStringLiteral("RunBackUp.cmdCompact_Click");
const QString kErrorTitle = QStringLiteral("エラー");
} // namespace

DatabaseCompactor::DatabaseCompactor(AppContext& ctx) : m_ctx(ctx) {}

QString DatabaseCompactor::question()
{
    return QStringLiteral("DB最適化処理を行ないます。\nまず、データのパックアップを取ってください。\n"
                          "データのバックアップは取りましたか？");
}

bool DatabaseCompactor::otherConnectionsOpen() const
{
    const QString ours = QFileInfo(m_ctx.databasePath()).absoluteFilePath();
    for (const QString& name : QSqlDatabase::connectionNames()) {
        if (name == m_ctx.connectionName())
            continue;
        const QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen() && QFileInfo(db.databaseName()).absoluteFilePath() == ours)
            return true;
    }
    return false;
}

DatabaseCompactor::Outcome DatabaseCompactor::finish(Outcome outcome)
{
    // The program goes on with the database whatever happened to the copy.
    QString error;
    if (!db::openConnection(m_ctx, &error)) {
        m_error = error;
        m_ctx.reportError(3049, QStringLiteral("データベースを開き直せません。(%1)").arg(error), kProc);
        return Outcome::ReopenFailed;
    }
    return outcome;
}

DatabaseCompactor::Outcome DatabaseCompactor::run()
{
    m_error.clear();
    const QString source = m_ctx.databasePath();
    const QString copy = QFileInfo(source).absolutePath() + QLatin1Char('/') + copyFileName();

    // Work left open elsewhere would be lost when the file is replaced under it.
    bool busy = otherConnectionsOpen();
    QSqlDatabase shared = m_ctx.db();
    if (!busy && shared.isOpen()) {
        if (shared.transaction())
            shared.rollback();
        else
            busy = true;
    }
    if (busy) {
        m_error = QStringLiteral("another connection or an open transaction uses the database");
        m_ctx.messages().exclamation(QStringLiteral("データベースが他の処理で使用中のため、DB最適化処理を行うことができません。\n"
                                                    "処理を終えてから、もう一度実行して下さい。"));
        return Outcome::Busy;
    }
    shared = QSqlDatabase();
    db::closeConnection(m_ctx);

    // A copy left by an interrupted run is only ever a copy: Kyuyo.db is the real file.
    if (QFileInfo::exists(copy) && QFileInfo(source).isFile())
        QFile::remove(copy);
    {
        // Made empty and owner-only first, so the copy is never readable by others.
        QFile f(copy);
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            f.close();
            f.setPermissions(FileSafety::ownerFile());
        }
    }

    db::CompactError why = db::CompactError::None;
    QString detail;
    if (!db::writeCompactCopy(source, copy, &why, &detail)) {
        QFile::remove(copy);
        m_error = detail;
        logErrorLine(m_ctx, 3356, QStringLiteral("CompactDB: ") + detail, kProc);
        if (why == db::CompactError::Busy) {
            const Outcome o = finish(Outcome::Busy);
            if (o == Outcome::Busy)
                m_ctx.messages().exclamation(
                    QStringLiteral("データベースが他の処理で使用中のため、DB最適化処理を行うことができません。\n"
                                   "処理を終えてから、もう一度実行して下さい。"));
            return o;
        }
        const Outcome o = finish(Outcome::CopyFailed);
        m_ctx.messages().exclamation(QStringLiteral("DBの圧縮中にエラーが発生しました(CompactDB)。"), kErrorTitle);
        return o;
    }
    QFile::setPermissions(copy, FileSafety::ownerFile());
    FileSafety::syncToDisk(copy);

    QString renameError;
    if (!FileSafety::renameOver(copy, source, &renameError)) {
        QFile::remove(copy);
        m_error = renameError;
        logErrorLine(m_ctx, 58, QStringLiteral("RenameFile: ") + renameError, kProc);
        const Outcome o = finish(Outcome::RenameFailed);
        m_ctx.messages().exclamation(QStringLiteral("ファイル名の変更中にエラーが発生しました(RenameFile)。"), kErrorTitle);
        return o;
    }
    FileSafety::syncToDisk(QFileInfo(source).absolutePath());

    const Outcome o = finish(Outcome::Compacted);
    if (o == Outcome::Compacted)
        m_ctx.messages().information(QStringLiteral("DB最適化処理が正しく終了しました。"));
    return o;
}

} // namespace minasel::backup
