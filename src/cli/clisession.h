#pragma once
#include "climain.h"

#include "app/appcontext.h"
#include "app/clock.h"
#include "app/messages.h"
#include "app/writerlock.h"
#include "db/database.h"
#include "reports/pickerlists.h"

#include <memory>

namespace minasel::reports {
class PdfCanvas;
}

namespace minasel::cli {

// Message boxes as lines on stderr; questions keep their lines (a restore's row
// counts) and take their default answer, or Yes when the command was given --yes.
class StderrMessages : public Messages {
public:
    Answer show(Icon icon, const QString& title, const QString& text, Buttons buttons, Answer defaultAnswer) override;
    bool yes = false;
};

// What a command needs of the program's start-up: the data folder with its log,
// the shared connection (closed at the end) and the current company.
class CliSession {
public:
    explicit CliSession(const QString& connectionName);
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // How a command uses the database. A command that writes first takes the data
    // folder's one-copy lock (WriterLock) and holds it until the session ends;
    // one that only reads opens the file read-only and never changes it. One that
    // creates writes, and first makes a new database file when the folder has none.
    enum class Use { Reads, Writes, Creates };

    AppContext& ctx() { return m_ctx; }
    StderrMessages& messages() { return m_messages; }
    // False, with the reason on stderr, when there is no database, it cannot be
    // opened, or (to write) another process holds the lock.
    bool open(const QString& dataDir, Use use = Use::Reads);
    // False, with the reason on stderr, when the company does not exist.
    bool chooseCompany(const QString& cid);
    // open() on the folder of --data-dir, then chooseCompany() of --company.
    bool openCompany(const Options& o, Use use = Use::Reads);

private:
    StderrMessages m_messages;
    SystemClock m_clock;
    AppContext m_ctx;
    std::unique_ptr<WriterLock> m_lock;   // released after the connection has closed
};

// Opens the PDF a command writes, with the forms' fonts installed; false, with the
// reason on stderr, when the file cannot be written.
bool openPdf(reports::PdfCanvas& canvas);
// False, with the reason on stderr, unless a GUI application object is there to
// lay out `what` (a command can be called without the one main() makes).
bool canDraw(const char* what);

// The employees named in "C1,C2" (upper-cased) among the candidates, in code
// order, into *chosen; returns the codes that are not candidates.
QStringList pickEmployees(const QList<reports::PickerEntry>& candidates, const QString& list,
                          QList<reports::PickerEntry>* chosen);

} // namespace minasel::cli
