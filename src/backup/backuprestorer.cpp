#include "backup/backuprestorer.h"

#include "app/appcontext.h"
#include "backup/backupreader.h"
#include "backup/errorline.h"
#include "backup/backuptables.h"
#include "db/rowinserter.h"
#include "db/transactionguard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace minasel::backup {

namespace {
const QString kProcRestore = QStringLiteral("RunBackUp.cmdLoalBack_Click");
const QString kProcTable = QStringLiteral("RunBackUp.write_data_to_table");
} // namespace

BackupRestorer::BackupRestorer(AppContext& ctx) : m_ctx(ctx) {}

BackupRestorer::Outcome BackupRestorer::refuse(Outcome outcome, const QString& text, const QString& title)
{
    m_error = text;
    m_ctx.messages().exclamation(text, title);
    return outcome;
}

BackupRestorer::Outcome BackupRestorer::failLogged(int code, const QString& text, const QString& procedure)
{
    m_error = text;
    m_ctx.reportError(code, text, procedure);
    return Outcome::Failed;
}

BackupRestorer::Outcome BackupRestorer::refuseFile(const QString& fileName, const QString& what)
{
    // The line goes to the log for support; the user gets the reason in the box.
    logErrorLine(m_ctx, 62, fileName + QStringLiteral(" ") + what, kProcTable);
    return refuse(Outcome::Refused,
                  QStringLiteral("バックアップファイル %1 を読み込めませんでした。\n%2\n\n"
                                 "復旧処理を中止しました。データは復旧前のままです。")
                      .arg(fileName, what),
                  Messages::defaultTitle());
}

BackupRestorer::Outcome BackupRestorer::check(const QString& folderPath)
{
    m_error.clear();
    const QString folder = QDir::cleanPath(folderPath);
    QList<BackupTable> tables;
    QString error;
    if (!loadBackupTables(m_ctx.db(), &tables, &error))
        return failLogged(3021, error, kProcRestore);

    for (const QString& name : requiredFileNames(tables)) {
        if (!QFileInfo(folder + QLatin1Char('/') + name).isFile())
            return refuse(Outcome::MissingFiles, QStringLiteral("データが見つかりませんので、取込処理を中止します。"),
                          Messages::defaultTitle());
    }

    // The set belongs to the company of its single COMPANY row.
    const BackupTable& company = tables.first();
    QFile file(folder + QLatin1Char('/') + company.fileName);
    QStringList row;
    bool readable = file.open(QIODevice::ReadOnly);
    if (readable) {
        BackupReader reader(file.readAll(), company.columns);
        QStringList extra;
        const BackupReader::Status first = reader.next(&row);
        readable = first != BackupReader::Status::Error
            && (first == BackupReader::Status::End || reader.next(&extra) == BackupReader::Status::End);
    }
    if (!readable)
        return refuse(Outcome::Unreadable, QStringLiteral("ファイルのオープン中にエラーが発生しました(check_company)。"),
                      QStringLiteral("エラー"));
    if (row.value(0) != m_ctx.companyId)
        return refuse(Outcome::OtherCompany,
                      QStringLiteral("復旧しようとするデータは現在使用中の") + m_ctx.companyName
                          + QStringLiteral("のものではありませんので、\n\n復旧処理を中止します。"),
                      Messages::defaultTitle());
    return Outcome::Restored;
}

BackupRestorer::Outcome BackupRestorer::restore(const QString& folderPath)
{
    const Outcome checked = check(folderPath);
    if (checked != Outcome::Restored)
        return checked;
    const QString folder = QDir::cleanPath(folderPath);
    QList<BackupTable> tables;
    QString error;
    if (!loadBackupTables(m_ctx.db(), &tables, &error))
        return failLogged(3021, error, kProcRestore);

    db::TransactionGuard transaction(m_ctx.db());
    if (!transaction.active())
        return failLogged(3246, m_ctx.db().lastError().text(), kProcRestore);

    for (const BackupTable& t : tables) {
        {
            QSqlQuery del(m_ctx.db());
            if (!del.prepare(QStringLiteral("DELETE FROM %1 WHERE CID = ?").arg(t.tableName)))
                return failLogged(3021, del.lastError().text(), kProcRestore);
            del.addBindValue(m_ctx.companyId);
            if (!del.exec())
                return failLogged(3021, del.lastError().text(), kProcRestore);
        }
        QFile file(folder + QLatin1Char('/') + t.fileName);
        // A set made before a side table existed restores without its rows.
        if (db::isSideTable(t.table) && !file.exists())
            continue;
        if (!file.open(QIODevice::ReadOnly))
            return failLogged(53, QStringLiteral("%1 を開けません。(%2)").arg(t.fileName, file.errorString()), kProcTable);
        BackupReader reader(file.readAll(), t.columns);
        file.close();
        db::RowInserter writer(m_ctx, t.table);
        QStringList row;
        BackupReader::Status s;
        while ((s = reader.next(&row)) == BackupReader::Status::Row) {
            // Rows of another company would be added to that company's data: never.
            if (row.first() != m_ctx.companyId)
                return refuseFile(t.fileName,
                                  QStringLiteral("%1 行目: 別の会社（%2）のデータが含まれています")
                                      .arg(reader.rowsRead())
                                      .arg(row.first()));
            if (!writer.write(row)) {
                m_error = QStringLiteral("%1 の %2 行目を登録できませんでした。").arg(t.fileName).arg(reader.rowsRead());
                return Outcome::Failed;
            }
        }
        if (s == BackupReader::Status::Error)
            return refuseFile(t.fileName, reader.errorText());
    }
    if (!transaction.commit())
        return failLogged(3246, m_ctx.db().lastError().text(), kProcRestore);

    // The company's name may have come back different: the captions and the menu follow it.
    {
        QSqlQuery q(m_ctx.db());
        q.prepare(QStringLiteral("SELECT COMPANY FROM COMPANY WHERE CID = ?"));
        q.addBindValue(m_ctx.companyId);
        if (q.exec() && q.next())
            m_ctx.companyName = q.value(0).toString();
    }
    if (m_ctx.refreshCompanies)
        m_ctx.refreshCompanies(m_ctx.companyId);
    m_error.clear();
    m_ctx.messages().information(QStringLiteral("復旧処理が終了しました"));
    return Outcome::Restored;
}

} // namespace minasel::backup
