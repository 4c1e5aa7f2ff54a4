#include "app/appcontext.h"

#include <cstdlib>

namespace minasel {

QString formatLogDateTime(const QDateTime& t)
{
    return t.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

AppContext::AppContext(Messages& messages, const Clock& clock)
    : m_messages(messages), m_clock(clock)
{
    terminate = [](int code) { std::exit(code); };
    m_log.setFailHandler([this](const QString& proc, int code, const QString& desc) {
        logFail(proc, code, desc);
    });
}

AppContext::~AppContext() = default;

void AppContext::setDataFolder(const QString& folder)
{
    m_dataFolder = folder;
    if (!m_dataFolder.isEmpty() && !m_dataFolder.endsWith(QLatin1Char('/')))
        m_dataFolder += QLatin1Char('/');
}

QSqlDatabase AppContext::db() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

void AppContext::logError(int code, const QString& description, const QString& procedure)
{
    LogRecord r;
    r.dateTime = formatLogDateTime(m_clock.now());
    r.code = QString::number(code);
    r.message = description;
    r.procedure = procedure;
    r.step = step;
    m_log.set(r);
    m_messages.show(Messages::Icon::Exclamation, Messages::defaultTitle(),
                    QStringLiteral("エラーが発生しました。ログファイルを確認してください。"));
    step = QStringLiteral("0");
}

void AppContext::reportError(int code, const QString& description, const QString& procedure)
{
    step = QStringLiteral("1");
    logError(code, description, procedure);
}

void AppContext::logInfo(const QString& message, const QString& procedure)
{
    LogRecord r;
    r.dateTime = formatLogDateTime(m_clock.now());
    r.code = QStringLiteral("0");
    r.message = message;
    r.procedure = procedure;
    r.step = step;
    m_log.set(r);
}

void AppContext::logFail(const QString& procedure, int code, const QString& description)
{
    m_messages.show(Messages::Icon::Critical, Messages::defaultTitle(),
                    QStringLiteral("ログファイルのアクセスに失敗しました \nPROC:%1\nCODE:%2\n MSG:%3")
                        .arg(procedure)
                        .arg(code)
                        .arg(description));
    if (terminate)
        terminate(1);
}

} // namespace minasel
