#include "app/startup.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "app/writerlock.h"
#include "db/database.h"

#include <QFile>
#include <QSqlQuery>

namespace minasel {

namespace {
const QString kNoCompany = QStringLiteral("無し");
}

Startup::Startup(AppContext& ctx) : m_ctx(ctx) {}

Startup::~Startup() = default;

QString Startup::lockFileName()
{
    return WriterLock::fileName();
}

void Startup::progress(int percent, const QString& status)
{
    if (onProgress)
        onProgress(percent, status);
}

bool Startup::run()
{
    m_ctx.startupState = AppContext::StartupOk;
    restrictNewFilesToOwner();
    if (!findDataFolder())
        return false;
    progress(10, QStringLiteral("ログファイルを開いています"));
    if (!openLog())
        return false;
    logStart();
    if (!lockInstance())
        return false;
    progress(40, QStringLiteral("データベースを開いています"));
    if (!openDatabase())
        return false;
    return readCompanies();
}

bool Startup::findDataFolder()
{
    m_ctx.step = QStringLiteral("1");
    QString error;
    const QString folder = db::getDataFolder(m_ctx.clock().today().year(), &error);
    if (folder.isEmpty()) {
        m_ctx.messages().exclamation(
            QStringLiteral("システム起動中にエラーが発生したので、システムを立ち上げることができませんでした。"),
            QStringLiteral("Startingエラー"));
        m_ctx.startupState = AppContext::StartupNoDatabase;
        return false;
    }
    m_ctx.setDataFolder(folder);
    return true;
}

bool Startup::openLog()
{
    m_ctx.step = QStringLiteral("2");
    // A failure ends the program through the log's own handler.
    m_logOpen = m_ctx.log().open(m_ctx.dataFolder());
    return m_logOpen;
}

void Startup::logStart()
{
    m_ctx.step = QStringLiteral("3");
    m_ctx.logInfo(QStringLiteral("プログラム起動"), QStringLiteral("From_Load"));
}

bool Startup::lockInstance()
{
    m_ctx.step = QStringLiteral("4");
    auto lock = std::make_unique<WriterLock>(m_ctx.dataFolder());
    if (!lock->held()) {
        m_ctx.messages().exclamation(lock->refusal(true));
        // A folder that cannot be written is a data folder that failed, not a second copy.
        m_ctx.startupState = lock->state() == WriterLock::State::Unwritable ? AppContext::StartupNoDatabase
                                                                             : AppContext::StartupSecondCopy;
        return false;
    }
    m_lock = std::move(lock);
    return true;
}

bool Startup::openDatabase()
{
    m_ctx.step = QStringLiteral("5");
    QString error;
    if (db::openConnection(m_ctx, &error))
        return true;
    db::closeConnection(m_ctx);
    m_ctx.messages().exclamation(
        QStringLiteral("データベースのオープン中にエラーが発生したので、システムを立ち上げることができませんでした。"),
        QStringLiteral("DB Openエラー"));
    m_ctx.reportError(1, error, QStringLiteral("MainMenu.Form_load"));
    m_ctx.startupState = AppContext::StartupNoDatabase;
    return false;
}

bool Startup::readCompanies()
{
    m_ctx.step = QStringLiteral("6");
    progress(60, QStringLiteral("会社情報を設定しています"));
    m_ctx.companyId = kNoCompany;
    m_ctx.companyName.clear();
    m_currentIndex = -1;

    auto failed = [this](const DbError& e) {
        m_ctx.messages().exclamation(QStringLiteral(
            "会社情報マスタのアクセス中にエラーが発生したので、システムを立ち上げることができませんでした。"));
        m_ctx.reportError(e.code, e.description, QStringLiteral("MainMenu.set_start"));
        m_ctx.startupState = AppContext::StartupNoCompany;
        return false;
    };

    QString storedCid;
    {
        QSqlQuery q(m_ctx.db());
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT PASSWORD, CID FROM BASIC")))
            return failed(DbError::from(q.lastError()));
        if (q.next()) {
            m_passwordRequired = !NullToStr(q.value(QStringLiteral("PASSWORD"))).trimmed().isEmpty();
            storedCid = NullToStr(q.value(QStringLiteral("CID"))).trimmed();
        }
    }
    if (!m_companies.load(m_ctx))
        return failed(m_companies.lastError());

    if (!m_companies.entries().isEmpty()) {
        // A remembered company that no longer exists would leave every screen on
        // rows of nobody: start on the first company instead, as with none remembered.
        m_currentIndex = storedCid.isEmpty() ? -1 : m_companies.indexOf(storedCid);
        if (m_currentIndex < 0)
            m_currentIndex = 0;
        const CompanyList::Entry& e = m_companies.entries().at(m_currentIndex);
        m_ctx.companyId = e.cid;
        m_ctx.companyName = e.name;
    }
    progress(100, QString());
    return true;
}

void Startup::shutdown(const std::function<void(bool)>& backupNotice)
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_ctx.step = QStringLiteral("1");
    if (m_ctx.startupState == AppContext::StartupOk) {
        if (m_ctx.automaticBackup) {
            if (backupNotice)
                backupNotice(true);
            // Whatever goes wrong with the backup (a failure it has logged and shown
            // itself, or an exception), the program still ends normally: the end
            // line is written and the lock released.
            try {
                m_ctx.automaticBackup(m_ctx);
            } catch (const std::exception& e) {
                m_ctx.reportError(75, QStringLiteral("自動バックアップ: ") + QString::fromLocal8Bit(e.what()),
                                  QStringLiteral("RunBackUp.cmdBackUp_Click"));
            } catch (...) {
                m_ctx.reportError(75, QStringLiteral("自動バックアップ: unknown error"),
                                  QStringLiteral("RunBackUp.cmdBackUp_Click"));
            }
            if (backupNotice)
                backupNotice(false);
            m_ctx.step = QStringLiteral("1");
        }
        db::closeConnection(m_ctx);
    }
    // Without a log (no data folder) there is nowhere to write the end line.
    if (m_logOpen)
        m_ctx.logInfo(QStringLiteral("プログラム終了"), QStringLiteral("Form_Unload"));
    m_lock.reset();
}

} // namespace minasel
