#pragma once
#include "app/clock.h"
#include "app/log.h"
#include "app/messages.h"

#include <QSqlDatabase>
#include <QString>
#include <functional>

class QWidget;

namespace minasel {

class ScreenRegistry;

// What the whole program shares: created in main (or a test) and handed to every
// screen and procedure. There is no other global state.
class AppContext {
public:
    enum StartupState { StartupOk = 0, StartupNoDatabase = 1, StartupNoCompany = 2, StartupSecondCopy = 3 };

    AppContext(Messages& messages, const Clock& clock);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    Messages& messages() const { return m_messages; }
    const Clock& clock() const { return m_clock; }
    Log& log() { return m_log; }

    // The data folder, always ending with '/'.
    const QString& dataFolder() const { return m_dataFolder; }
    void setDataFolder(const QString& folder);
    QString databasePath() const { return m_dataFolder + QStringLiteral("Kyuyo.db"); }

    // The shared connection (opened by db::Database).
    QSqlDatabase db() const;
    const QString& connectionName() const { return m_connectionName; }
    void setConnectionName(const QString& name) { m_connectionName = name; }

    // pbc2_LogError: logs the error, tells the user, resets the step.
    void logError(int code, const QString& description, const QString& procedure);
    // What every error handler does: the step becomes "1", then pbc2_LogError.
    void reportError(int code, const QString& description, const QString& procedure);
    // An information line ("プログラム起動", "プログラム終了").
    void logInfo(const QString& message, const QString& procedure);
    // pvt2_LogFail: the log itself failed; tells the user and ends the program.
    void logFail(const QString& procedure, int code, const QString& description);

    // Ends the program at once (replaced in tests).
    std::function<void(int)> terminate;

    QString companyId = QStringLiteral("無し");
    QString companyName;
    QString callerName;
    int startupState = StartupOk;
    QString step = QStringLiteral("0");
    // Printer chosen for this run: empty for the system default, pdfPrinterName() for PDF output.
    QString printerName;
    static QString pdfPrinterName() { return QStringLiteral("PDF 出力"); }

    ScreenRegistry* screens = nullptr;

    // Set by the main menu: refill its company list and make `cid` current
    // ("" keeps the current company, or takes the first one when it is gone).
    std::function<void(const QString& cid)> refreshCompanies;
    // The automatic backup of the current company at the end of a normal run
    // (installed by the backup subsystem); true when it succeeded.
    std::function<bool(AppContext&)> automaticBackup;

private:
    Messages& m_messages;
    const Clock& m_clock;
    Log m_log;
    QString m_dataFolder;
    QString m_connectionName = QStringLiteral("minasel");
};

QString formatLogDateTime(const QDateTime& t);

} // namespace minasel
