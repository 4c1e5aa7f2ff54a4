#include "backup/databasecompactor.h"

#include "app/appcontext.h"
#include "backup/errorline.h"
#include "db/compaction.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>

namespace minasel::backup {

namespace {
const QString kProc = QStringLiteral("RunBackUp.cmdCompact_Click");
}

DatabaseCompactor::DatabaseCompactor(AppContext& ctx) : m_ctx(ctx) {}

QString DatabaseCompactor::question()
{
    return QStringLiteral("DB最適化処理を行ないます。\nまず、データのパックアップを取ってください。\n"
                          "データのバックアップは取りましたか？");
}

void DatabaseCompactor::tellCompleted() const
{
    m_ctx.messages().information(QStringLiteral("DB最適化処理が正しく終了しました。"));
}

DatabaseCompactor::Outcome DatabaseCompactor::run()
{
    m_error.clear();
    auto busy = [this](const QString& why) {
        m_error = why;
        m_ctx.messages().exclamation(QStringLiteral("データベースが他の処理で使用中のため、DB最適化処理を行うことができません。\n"
                                                    "処理を終えてから、もう一度実行して下さい。"));
        return Outcome::Busy;
    };
    QSqlDatabase shared = m_ctx.db();
    // Work left open on the shared connection would be committed or lost by the compaction.
    if (!shared.isOpen() || !shared.transaction())
        return busy(QStringLiteral("an open transaction uses the database"));
    shared.rollback();

    const QString copy = QFileInfo(m_ctx.databasePath()).absolutePath() + QLatin1Char('/') + copyFileName();
    if (QFileInfo::exists(copy))
        QFile::remove(copy);

    db::CompactError why = db::CompactError::None;
    QString detail;
    if (db::compactDatabase(shared, &why, &detail))
        return Outcome::Compacted;
    logErrorLine(m_ctx, 3356, QStringLiteral("CompactDB: ") + detail, kProc);
    if (why == db::CompactError::Busy)
        return busy(detail);
    m_error = detail;
    m_ctx.messages().exclamation(QStringLiteral("DBの圧縮中にエラーが発生しました(CompactDB)。"), QStringLiteral("エラー"));
    return Outcome::CopyFailed;
}

} // namespace minasel::backup
