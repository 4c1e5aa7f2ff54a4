#include "climain.h"

#include "app/appcontext.h"
#include "app/clock.h"
#include "app/messages.h"
#include "app/writerlock.h"
#include "backup/backuprestorer.h"
#include "backup/backupwriter.h"
#include "backup/databasecompactor.h"
#include "db/database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <memory>

namespace minasel::cli {

namespace {

// Boxes become lines on stderr; questions take their default answer, or Yes
// when the command was given --yes.
class ConsoleMessages : public Messages {
public:
    Answer show(Icon icon, const QString& title, const QString& text, Buttons, Answer defaultAnswer) override
    {
        QString t = text;
        // A question keeps its lines (the row counts of a restore); other boxes are one line.
        if (icon != Icon::Question)
            t.replace(QLatin1Char('\n'), QLatin1Char(' '));
        err() << title << ": " << t << "\n";
        err().flush();
        return icon == Icon::Question && yes ? Answer::Yes : defaultAnswer;
    }
    bool yes = false;
};

// The data folder, log and shared connection of one command, like the program's start-up.
class Session {
public:
    Session() : m_ctx(m_messages, m_clock) { m_ctx.setConnectionName(QStringLiteral("minasel-cli")); }
    ~Session() { db::closeConnection(m_ctx); }

    AppContext& ctx() { return m_ctx; }

    // Writers take the data folder's one-copy lock first and keep it to the end;
    // a command that only reads opens the file read-only.
    bool open(const QString& dataDir, bool writes)
    {
        if (!QFileInfo(dataDir + QStringLiteral("/Kyuyo.db")).isFile()) {
            err() << "error: no Kyuyo.db in " << dataDir << "\n";
            return false;
        }
        if (writes) {
            m_lock = std::make_unique<WriterLock>(dataDir);
            if (!m_lock->held()) {
                err() << "error: " << QString(m_lock->refusal()).replace(QLatin1Char('\n'), QLatin1Char(' ')) << "\n";
                return false;
            }
        }
        m_ctx.setDataFolder(QDir(dataDir).absolutePath());
        m_ctx.terminate = [](int code) { std::exit(code == 0 ? 1 : code); };
        m_ctx.log().open(m_ctx.dataFolder());
        QString error;
        if (!db::openConnection(m_ctx, &error, writes ? db::Access::ReadWrite : db::Access::ReadOnly)) {
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

    ConsoleMessages& messages() { return m_messages; }

private:
    ConsoleMessages m_messages;
    SystemClock m_clock;
    AppContext m_ctx;
    std::unique_ptr<WriterLock> m_lock;   // released after the connection closes
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
    if (!s.open(o.value(QStringLiteral("data-dir")), false) || !s.chooseCompany(o.value(QStringLiteral("company"))))
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
    const char* usage = "minasel-cli restore --data-dir D --company CID --dir IN [--yes]\n"
                        "  --yes: restore a set without a manifest (made by an older version) after showing its row counts";
    Options o;
    QString error;
    const QStringList required = {QStringLiteral("data-dir"), QStringLiteral("company"), QStringLiteral("dir")};
    bool ok = o.parse(args, required, &error, {QStringLiteral("yes")}) && o.positional().isEmpty();
    for (const QString& r : required)
        ok = ok && !o.value(r).isEmpty();
    if (!ok) {
        err() << (error.isEmpty() ? QStringLiteral("--data-dir, --company and --dir are required") : error)
              << "\nusage: " << usage << "\n";
        return kUsageError;
    }
    Session s;
    if (!s.open(o.value(QStringLiteral("data-dir")), true) || !s.chooseCompany(o.value(QStringLiteral("company"))))
        return 1;
    s.messages().yes = o.has(QStringLiteral("yes"));
    backup::BackupRestorer restorer(s.ctx());
    // The command itself is the request; only a set that cannot prove it is whole needs --yes.
    restorer.setConfirmation(backup::BackupRestorer::Confirmation::UnverifiedOnly);
    const backup::BackupRestorer::Outcome outcome = restorer.restore(o.value(QStringLiteral("dir")));
    if (outcome == backup::BackupRestorer::Outcome::Cancelled) {
        err() << "error: the set has no manifest; nothing changed. Check the row counts above and run again with --yes\n";
        return 1;
    }
    if (outcome != backup::BackupRestorer::Outcome::Restored) {
        err() << "error: restore refused or failed, nothing changed: " << restorer.errorText() << "\n";
        return 1;
    }
    out() << "company " << s.ctx().companyId << " restored from "
          << QDir(o.value(QStringLiteral("dir"))).absolutePath() << "; the data before it saved in "
          << restorer.safetyFolder() << "\n";
    return 0;
}

int cmdCompact(const QStringList& args)
{
    const char* usage = "minasel-cli compact --data-dir D";
    Options o;
    if (!parseArgs(args, {QStringLiteral("data-dir")}, &o, usage))
        return kUsageError;
    Session s;
    if (!s.open(o.value(QStringLiteral("data-dir")), true))
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
