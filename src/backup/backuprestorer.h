#pragma once
#include "backup/manifest.h"

#include <QList>
#include <QString>

namespace minasel {
class AppContext;
}

namespace minasel::backup {

struct BackupTable;

// Replaces all rows of the current company in its tables by a backup set,
// inside one transaction: either every row of the set is in, or the tables are
// exactly as before. Before anything is replaced the set must prove it is whole
// (its manifest), the user is asked with the row counts before and after, and
// the company's present data is saved as a safety backup. Tells the user the
// outcome through ctx.messages() with the program's messages.
class BackupRestorer {
public:
    enum class Outcome {
        Restored,
        MissingFiles,     // not all files of the eight tables in the folder
        OtherCompany,     // the set's company is not the current one
        Unreadable,       // the company file cannot be read
        Refused,          // a file cannot be taken whole or does not match the manifest; nothing changed
        Failed,           // a database error (rolled back) or no safety backup
        Cancelled,        // the user said No
    };

    // When the user is asked before the data is replaced.
    enum class Confirmation {
        Always,           // the screen: every restore
        UnverifiedOnly,   // the command line: only a set without a manifest
    };

    struct TableCount {
        QString label;   // the table as the user knows it
        qint64 now = 0;
        qint64 after = 0;
    };

    explicit BackupRestorer(AppContext& ctx);
    void setConfirmation(Confirmation c) { m_confirmation = c; }

    // The checks before anything is touched: files present, a swap cut short put
    // right, the manifest (or, without one, every file read through), same
    // company; then the row counts now and after.
    Outcome check(const QString& folder);
    // Asks the user (with the counts); Restored when the answer is Yes or no question is due.
    Outcome confirm(const QString& folder);
    // The safety backup, then the restore itself (after check()).
    Outcome apply(const QString& folder);
    // The two halves of apply(): the company's present data saved, and its
    // rows replaced by the set's in one transaction, each file read a chunk at
    // a time.
    Outcome keepSafetyBackup();
    Outcome replaceRows(const QString& folder);
    // check(), confirm(), apply() and the completion message.
    Outcome restore(const QString& folder);

    // What went wrong, in words (empty after success).
    const QString& errorText() const { return m_error; }
    const QList<TableCount>& counts() const { return m_counts; }
    // The set carries a manifest that matched its files.
    bool verified() const { return m_verified; }
    // Where the company's data before the restore was saved.
    const QString& safetyFolder() const { return m_safetyFolder; }

    static QString completionText() { return QStringLiteral("復旧処理が終了しました"); }

private:
    Outcome refuse(Outcome outcome, const QString& text, const QString& title);
    Outcome failLogged(int code, const QString& text, const QString& procedure);
    Outcome refuseFile(const QString& fileName, const QString& what);
    Outcome countRows(const QString& folder, const QList<BackupTable>& tables);
    QString newSafetyFolder() const;

    AppContext& m_ctx;
    Confirmation m_confirmation = Confirmation::Always;
    QString m_error;
    Manifest m_manifest;
    bool m_verified = false;
    QList<TableCount> m_counts;
    QString m_safetyFolder;
};

} // namespace minasel::backup
