#include "climain.h"
#include "clisession.h"

#include "backup/backuprestorer.h"
#include "backup/backupwriter.h"
#include "backup/databasecompactor.h"

#include <QDir>
#include <QFileInfo>

namespace minasel::cli {

namespace {

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
    CliSession s(QStringLiteral("minasel-cli"));
    if (!s.openCompany(o))
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
    CliSession s(QStringLiteral("minasel-cli"));
    if (!s.openCompany(o, CliSession::Use::Writes))
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
    CliSession s(QStringLiteral("minasel-cli"));
    if (!s.open(o.value(QStringLiteral("data-dir")), CliSession::Use::Writes))
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
