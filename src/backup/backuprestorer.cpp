#include "backup/backuprestorer.h"

#include "app/appcontext.h"
#include "backup/backupreader.h"
#include "backup/backuptables.h"
#include "backup/backupwriter.h"
#include "backup/errorline.h"
#include "backup/filesafety.h"
#include "db/rowinserter.h"
#include "db/rowwriter.h"
#include "db/statementcache.h"
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

QString tableLabel(db::Table t)
{
    switch (t) {
    case db::Table::Company: return QStringLiteral("会社情報");
    case db::Table::Fukakyu: return QStringLiteral("付加給");
    case db::Table::Jyugyoin: return QStringLiteral("従業員");
    case db::Table::Meisai: return QStringLiteral("給与・賞与明細");
    case db::Table::Nentyo: return QStringLiteral("年末調整");
    case db::Table::Sikaku: return QStringLiteral("資格手当");
    case db::Table::Sonota: return QStringLiteral("その他手当");
    case db::Table::SonotaKojyo: return QStringLiteral("その他控除");
    default: return db::tableDef(t).name;
    }
}

QString filePath(const QString& folder, const QString& name)
{
    return folder + QLatin1Char('/') + name;
}
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
    m_counts.clear();
    m_verified = false;
    m_manifest = Manifest();
    const QString folder = QDir::cleanPath(folderPath);
    QList<BackupTable> tables;
    QString error;
    if (!loadBackupTables(m_ctx.db(), &tables, &error))
        return failLogged(3021, error, kProcRestore);
    const QStringList known = backupFileNames(tables);

    // A backup into this folder that was cut short leaves the previous set whole again.
    if (!FileSafety::recoverInterruptedSwap(folder, QStringList(known) << Manifest::fileName(), Manifest::fileName(),
                                            &error))
        return failLogged(75, error, kProcRestore);

    for (const QString& name : requiredFileNames(tables)) {
        if (!QFileInfo(filePath(folder, name)).isFile())
            return refuse(Outcome::MissingFiles, QStringLiteral("データが見つかりませんので、取込処理を中止します。"),
                          Messages::defaultTitle());
    }

    QFile manifestFile(filePath(folder, Manifest::fileName()));
    if (manifestFile.exists()) {
        if (!manifestFile.open(QIODevice::ReadOnly) || !Manifest::parse(manifestFile.readAll(), &m_manifest, &error))
            return refuseFile(Manifest::fileName(), error.isEmpty() ? manifestFile.errorString() : error);
        QString file, why;
        if (!m_manifest.verify(folder, requiredFileNames(tables), known, &file, &why))
            return refuseFile(file, why);
        m_verified = true;
    }

    // The set belongs to the company of its single COMPANY row.
    const BackupTable& company = tables.first();
    QFile file(filePath(folder, company.fileName));
    QStringList row;
    bool readable = file.open(QIODevice::ReadOnly);
    if (readable) {
        BackupReader reader(&file, company.columns);
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
    return countRows(folder, tables);
}

BackupRestorer::Outcome BackupRestorer::countRows(const QString& folder, const QList<BackupTable>& tables)
{
    for (const BackupTable& t : tables) {
        TableCount c;
        c.label = tableLabel(t.table);
        QSqlQuery q(m_ctx.db());
        q.prepare(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE CID = ?").arg(t.tableName));
        q.addBindValue(m_ctx.companyId);
        if (!q.exec() || !q.next())
            return failLogged(3021, q.lastError().text(), kProcRestore);
        c.now = q.value(0).toLongLong();
        if (const Manifest::Entry* e = m_manifest.find(t.fileName)) {
            c.after = e->rows;
        } else if (!m_verified) {
            // Without a manifest the only proof is reading every file through.
            QFile f(filePath(folder, t.fileName));
            if (f.exists()) {
                if (!f.open(QIODevice::ReadOnly))
                    return refuseFile(t.fileName, f.errorString());
                BackupReader reader(&f, t.columns);
                std::vector<QByteArrayView> row;
                BackupReader::Status s;
                while ((s = reader.next(&row)) == BackupReader::Status::Row) {
                }
                if (s == BackupReader::Status::Error)
                    return refuseFile(t.fileName, reader.errorText());
                c.after = reader.rowsRead();
            }
        }
        m_counts << c;
    }
    return Outcome::Restored;
}

BackupRestorer::Outcome BackupRestorer::confirm(const QString& folder)
{
    if (m_verified && m_confirmation == Confirmation::UnverifiedOnly)
        return Outcome::Restored;
    QString text = QStringLiteral("「%1」のデータを、次のバックアップデータの内容で置き換えます。\n%2\n\n")
                       .arg(m_ctx.companyName, QDir::toNativeSeparators(QDir::cleanPath(folder)));
    text += QStringLiteral("件数（現在 → 復旧後）\n");
    for (const TableCount& c : m_counts)
        text += QStringLiteral("　%1：%2 件 → %3 件\n").arg(c.label).arg(c.now).arg(c.after);
    if (!m_verified)
        text += QStringLiteral("\nこのバックアップには確認用の情報（%1）がないため、ファイルが欠けていないかを"
                               "確かめることができません。件数をよく確認して下さい。\n")
                    .arg(Manifest::fileName());
    text += QStringLiteral("\n現在のデータは復旧の前に自動的に保存されます。\n復旧処理を行いますか？");
    if (m_ctx.messages().question(text, Messages::Buttons::YesNo, Messages::Answer::No) != Messages::Answer::Yes) {
        m_error = QStringLiteral("復旧処理を取り止めました。");
        return Outcome::Cancelled;
    }
    return Outcome::Restored;
}

QString BackupRestorer::newSafetyFolder() const
{
    const QString base = m_ctx.dataFolder() + QStringLiteral("Data/復旧前/") + m_ctx.companyId + QLatin1Char('_')
        + m_ctx.clock().now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString folder = base;
    for (int n = 2; QFileInfo::exists(folder); ++n)
        folder = base + QLatin1Char('-') + QString::number(n);
    return folder;
}

BackupRestorer::Outcome BackupRestorer::keepSafetyBackup()
{
    // What the company holds now is kept before any of it is replaced.
    m_safetyFolder = newSafetyFolder();
    BackupWriter safety(m_ctx);
    if (!safety.write(m_safetyFolder, kProcRestore)) {
        m_error = safety.errorText();
        m_ctx.messages().exclamation(QStringLiteral("復旧前のデータを保存できませんでしたので、復旧処理を中止しました。\n"
                                                    "データは復旧前のままです。"));
        return Outcome::Failed;
    }
    return Outcome::Restored;
}

BackupRestorer::Outcome BackupRestorer::replaceRows(const QString& folderPath)
{
    const QString folder = QDir::cleanPath(folderPath);
    QList<BackupTable> tables;
    QString error;
    if (!loadBackupTables(m_ctx.db(), &tables, &error))
        return failLogged(3021, error, kProcRestore);

    db::TransactionGuard transaction(m_ctx.db());
    if (!transaction.active())
        return failLogged(3246, m_ctx.db().lastError().text(), kProcRestore);
    // The guard's own transaction: the inserts prepare once per table.
    db::StatementCache* statements = db::StatementCache::of(m_ctx.db());
    const QByteArray cid = m_ctx.companyId.toUtf8();

    for (int ti = 0; ti < tables.size(); ++ti) {
        const BackupTable& t = tables[ti];
        {
            QSqlQuery del(m_ctx.db());
            if (!del.prepare(QStringLiteral("DELETE FROM %1 WHERE CID = ?").arg(t.tableName)))
                return failLogged(3021, del.lastError().text(), kProcRestore);
            del.addBindValue(m_ctx.companyId);
            if (!del.exec())
                return failLogged(3021, del.lastError().text(), kProcRestore);
        }
        QFile file(filePath(folder, t.fileName));
        // A set made before a side table existed restores without its rows.
        if (db::isSideTable(t.table) && !file.exists() && !m_manifest.find(t.fileName))
            continue;
        if (!file.open(QIODevice::ReadOnly))
            return failLogged(53, QStringLiteral("%1 を開けません。(%2)").arg(t.fileName, file.errorString()), kProcTable);
        // The file is read a chunk at a time and hashed as it goes: what is
        // restored is what was checked, or the transaction is rolled back.
        BackupReader reader(&file, t.columns);
        reader.computeHash();
        db::RowInserter& writer = statements->inserter(t.table, m_ctx.clock().today().year());
        std::vector<QByteArrayView> row;
        BackupReader::Status s;
        while ((s = reader.next(&row)) == BackupReader::Status::Row) {
            // Rows of another company would be added to that company's data: never.
            if (row.front() != cid)
                return refuseFile(t.fileName,
                                  QStringLiteral("%1 行目: 別の会社（%2）のデータが含まれています")
                                      .arg(reader.rowLine())
                                      .arg(QString::fromUtf8(row.front())));
            int code = 0;
            if (!writer.insertUtf8(row.data(), int(row.size()), &code, &error)) {
                if (code == db::RowInserter::kNotANumber || code == db::RowInserter::kOutOfRange)
                    return refuseFile(t.fileName, QStringLiteral("%1 行目: %2").arg(reader.rowLine()).arg(error));
                m_error = QStringLiteral("%1 の %2 行目を登録できませんでした。").arg(t.fileName).arg(reader.rowLine());
                m_ctx.reportError(code, error, db::writerProcedureName(t.table));
                return Outcome::Failed;
            }
        }
        if (s == BackupReader::Status::Error)
            return refuseFile(t.fileName, reader.errorText());
        const Manifest::Entry* entry = m_manifest.find(t.fileName);
        if (m_verified && (!entry || reader.hash() != entry->sha256))
            return refuseFile(t.fileName, QStringLiteral("確認の後にファイルが変更されました"));
        if (ti < m_counts.size() && reader.rowsRead() != m_counts[ti].after)
            return refuseFile(t.fileName, QStringLiteral("行の数が確認の時と一致しません（%1 / %2）")
                                              .arg(reader.rowsRead())
                                              .arg(m_counts[ti].after));
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
    return Outcome::Restored;
}

BackupRestorer::Outcome BackupRestorer::apply(const QString& folder)
{
    const Outcome o = keepSafetyBackup();
    return o == Outcome::Restored ? replaceRows(folder) : o;
}

BackupRestorer::Outcome BackupRestorer::restore(const QString& folder)
{
    Outcome o = check(folder);
    if (o == Outcome::Restored)
        o = confirm(folder);
    if (o == Outcome::Restored)
        o = apply(folder);
    if (o == Outcome::Restored)
        m_ctx.messages().information(completionText());
    return o;
}

} // namespace minasel::backup
