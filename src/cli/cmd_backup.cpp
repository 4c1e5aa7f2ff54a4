#include "climain.h"

#include "app/appcontext.h"
#include "app/clock.h"
#include "app/messages.h"
#include "app/startup.h"
#include "backup/backuprestorer.h"
#include "backup/backupwriter.h"
#include "backup/databasecompactor.h"
#include "db/database.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSqlQuery>

namespace minasel::cli {

namespace {

// Boxes become lines on stderr; questions take their default answer.
class ConsoleMessages : public Messages {
public:
    Answer show(Icon, const QString& title, const QString& text, Buttons, Answer defaultAnswer) override
    {
        QString t = text;
        t.replace(QLatin1Char('\n'), QLatin1Char(' '));
        err() << title << ": " << t << "\n";
        err().flush();
        return defaultAnswer;
    }
};

// The data folder, log and shared connection of one command, like the program's start-up.
class Session {
public:
    Session() : m_ctx(m_messages, m_clock) { m_ctx.setConnectionName(QStringLiteral("minasel-cli")); }
    ~Session() { db::closeConnection(m_ctx); }

    AppContext& ctx() { return m_ctx; }

    bool open(const QString& dataDir)
    {
        if (!QFileInfo(dataDir + QStringLiteral("/Kyuyo.db")).isFile()) {
            err() << "error: no Kyuyo.db in " << dataDir << "\n";
            return false;
        }
        m_ctx.setDataFolder(QDir(dataDir).absolutePath());
        m_ctx.terminate = [](int code) { std::exit(code == 0 ? 1 : code); };
        m_ctx.log().open(m_ctx.dataFolder());
        QString error;
        if (!db::openConnection(m_ctx, &error)) {
            err() << "error: cannot open the database: " << error << "\n";
            return false;
        }
        return true;
    }

    bool chooseCompany(const QString& cid)
    {
        QSqlQuery q(m_ctx.db());
        q.prepare(QStringLiteral("SELECT COMPANY FROM COMPANY WHERE CID = ?"));
        q.addBindValue(cid);
        if (!q.exec() || !q.next()) {
            err() << "error: company " << cid << " does not exist\n";
            return false;
        }
        m_ctx.companyId = cid;
        m_ctx.companyName = q.value(0).toString();
        return true;
    }

private:
    ConsoleMessages m_messages;
    SystemClock m_clock;
    AppContext m_ctx;
};

bool parseArgs(const QStringList& args, const QStringList& required, Options* o, const char* usage)
{
    QString error;
    if (!o->parse(args, required, &error) || !o->positional().isEmpty()) {
        err() << (error.isEmpty() ? QStringLiteral("unexpected argument") : error) << "\nusage: " << usage << "\n";
        return false;
    }
    for (const QString& r : required)
        if (o->value(r).isEmpty()) {
            err() << "--" << r << " is required\nusage: " << usage << "\n";
            return false;
        }
    return true;
}

} // namespace

int cmdBackup(const QStringList& args)
{
    const char* usage = "minasel-cli backup --data-dir D --company CID --dir OUT";
    Options o;
    if (!parseArgs(args, {QStringLiteral("data-dir"), QStringLiteral("company"), QStringLiteral("dir")}, &o, usage))
        return kUsageError;
    Session s;
    if (!s.open(o.value(QStringLiteral("data-dir"))) || !s.chooseCompany(o.value(QStringLiteral("company"))))
        return 1;
    backup::BackupWriter writer(s.ctx());
    if (!writer.write(o.value(QStringLiteral("dir")), QStringLiteral("RunBackUp.cmdBackUp_Click"))) {
        err() << "error: backup failed: " << writer.errorText() << "\n";
        return 1;
    }
    const QList<int> rows = writer.rowCounts();
    int total = 0;
    for (int r : rows)
        total += r;
    out() << "backup of company " << s.ctx().companyId << " written to "
          << QDir(o.value(QStringLiteral("dir"))).absolutePath() << " (" << total << " rows)\n";
    return 0;
}

int cmdRestore(const QStringList& args)
{
    const char* usage = "minasel-cli restore --data-dir D --company CID --dir IN";
    Options o;
    if (!parseArgs(args, {QStringLiteral("data-dir"), QStringLiteral("company"), QStringLiteral("dir")}, &o, usage))
        return kUsageError;
    Session s;
    if (!s.open(o.value(QStringLiteral("data-dir"))) || !s.chooseCompany(o.value(QStringLiteral("company"))))
        return 1;
    backup::BackupRestorer restorer(s.ctx());
    if (restorer.restore(o.value(QStringLiteral("dir"))) != backup::BackupRestorer::Outcome::Restored) {
        err() << "error: restore refused or failed, nothing changed: " << restorer.errorText() << "\n";
        return 1;
    }
    out() << "company " << s.ctx().companyId << " restored from "
          << QDir(o.value(QStringLiteral("dir"))).absolutePath() << "\n";
    return 0;
}

int cmdCompact(const QStringList& args)
{
    const char* usage = "minasel-cli compact --data-dir D";
    Options o;
    if (!parseArgs(args, {QStringLiteral("data-dir")}, &o, usage))
        return kUsageError;
    // The program keeps its connection open while it runs; replacing the file
    // under it would send its later writes to the old file. Its one-copy lock
    // tells whether it runs.
    QLockFile programLock(QDir(o.value(QStringLiteral("data-dir"))).absoluteFilePath(Startup::lockFileName()));
    programLock.setStaleLockTime(0);
    if (!programLock.tryLock(0)) {
        err() << QStringLiteral("ミナセルが起動中のため、DB最適化処理を行うことができません。ミナセルを終了してから実行して下さい。")
              << "\n";
        return 1;
    }
    Session s;
    if (!s.open(o.value(QStringLiteral("data-dir"))))
        return 1;
    const qint64 before = QFileInfo(s.ctx().databasePath()).size();
    backup::DatabaseCompactor compactor(s.ctx());
    if (compactor.run() != backup::DatabaseCompactor::Outcome::Compacted) {
        err() << "error: compaction failed, the database is unchanged: " << compactor.errorText() << "\n";
        return 1;
    }
    out() << "compacted " << s.ctx().databasePath() << ": " << before << " -> "
          << QFileInfo(s.ctx().databasePath()).size() << " bytes\n";
    return 0;
}

} // namespace minasel::cli
