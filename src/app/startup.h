#pragma once
#include "app/companylist.h"

#include <QString>
#include <functional>
#include <memory>


namespace minasel {

class AppContext;
class WriterLock;

// The start-up and shutdown of the program without any window: data folder, log,
// the one-copy lock, the shared connection, the settings row and the company list.
// The main menu drives it behind its splash screen and fills its list from it.
class Startup {
public:
    explicit Startup(AppContext& ctx);
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // Called before each visible stage: percent done (10, 40, 60, 100) and a status line.
    std::function<void(int percent, const QString& status)> onProgress;

    // All steps in order; false when start-up failed (ctx.startupState tells why,
    // the user has been told). A log that cannot be written ends the program.
    bool run();

    // The single steps, for callers that need them one by one.
    bool findDataFolder();   // step 1
    bool openLog();          // step 2
    void logStart();         // step 3
    bool lockInstance();     // step 4
    bool openDatabase();     // step 5
    bool readCompanies();    // step 6 (set_start)

    // After run(): whether the start-up password must be asked, the companies in
    // code order and the index of the current one (-1 when there is none).
    bool passwordRequired() const { return m_passwordRequired; }
    void clearPasswordRequired() { m_passwordRequired = false; }
    const CompanyList& companies() const { return m_companies; }
    CompanyList& companies() { return m_companies; }
    int currentIndex() const { return m_currentIndex; }

    // The end of the run: the automatic backup and closing the connection after a
    // normal run (`backupNotice(true/false)` around the backup), then the end line.
    void shutdown(const std::function<void(bool)>& backupNotice = {});
    bool isShutDown() const { return m_shutDown; }

    // The lock file that keeps a second copy (and every other writer) out.
    static QString lockFileName();

private:
    void progress(int percent, const QString& status);

    AppContext& m_ctx;
    std::unique_ptr<WriterLock> m_lock;
    CompanyList m_companies;
    int m_currentIndex = -1;
    bool m_passwordRequired = false;
    bool m_logOpen = false;
    bool m_shutDown = false;
};

} // namespace minasel
