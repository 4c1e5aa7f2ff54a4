#pragma once
#include <QString>

namespace minasel {
class AppContext;
}

namespace minasel::backup {

// Replaces all rows of the current company in the eight data tables by a
// backup set, inside one transaction: either every row of the set is in, or
// the tables are exactly as before. Tells the user the outcome through
// ctx.messages() with the program's messages.
class BackupRestorer {
public:
    enum class Outcome {
        Restored,
        MissingFiles,     // not all eight files in the folder
        OtherCompany,     // the set's company is not the current one
        Unreadable,       // the company file cannot be read
        Refused,          // a file cannot be taken whole; nothing changed
        Failed,           // a database error; rolled back
    };

    explicit BackupRestorer(AppContext& ctx);

    // The checks before anything is touched (files present, same company).
    Outcome check(const QString& folder);
    // check(), then the restore itself.
    Outcome restore(const QString& folder);

    // What went wrong, in words (empty after success).
    const QString& errorText() const { return m_error; }

private:
    Outcome refuse(Outcome outcome, const QString& text, const QString& title);
    Outcome failLogged(int code, const QString& text, const QString& procedure);
    Outcome refuseFile(const QString& fileName, const QString& what);

    AppContext& m_ctx;
    QString m_error;
};

} // namespace minasel::backup
