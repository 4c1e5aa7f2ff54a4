#include "support/testdatadir.h"

#include "db/database.h"

#include <QSqlError>
#include <QSqlQuery>

namespace minasel::test {

TestDataDir::TestDataDir(bool openDatabase, QDateTime now) : m_clock(std::move(now))
{
    m_hadEnv = qEnvironmentVariableIsSet("MINASEL_DATA_DIR");
    m_oldEnv = qgetenv("MINASEL_DATA_DIR");
    const QString folder = m_dir.path() + QStringLiteral("/Vora/Kyuyo");
    qputenv("MINASEL_DATA_DIR", folder.toUtf8());
    m_ctx = std::make_unique<AppContext>(m_messages, m_clock);
    m_ctx->terminate = [](int code) { throw TerminateCalled(code); };
    static int serial = 0;
    m_ctx->setConnectionName(QStringLiteral("test-%1").arg(++serial));
    if (!openDatabase)
        return;
    QString error;
    const QString got = db::getDataFolder(m_clock.today().year(), &error);
    if (got.isEmpty())
        throw std::runtime_error("data folder: " + error.toStdString());
    m_ctx->setDataFolder(got);
    m_ctx->log().open(m_ctx->dataFolder());
    if (!db::openConnection(*m_ctx, &error))
        throw std::runtime_error("open: " + error.toStdString());
    m_ctx->companyId = QStringLiteral("01");
    m_ctx->companyName = scalar(QStringLiteral("SELECT COMPANY FROM COMPANY WHERE CID = '01'")).toString();
}

TestDataDir::~TestDataDir()
{
    db::closeConnection(*m_ctx);
    if (m_hadEnv)
        qputenv("MINASEL_DATA_DIR", m_oldEnv);
    else
        qunsetenv("MINASEL_DATA_DIR");
}

QString TestDataDir::path() const
{
    return m_dir.path() + QStringLiteral("/Vora/Kyuyo");
}

QVariant TestDataDir::scalar(const QString& sql) const
{
    QSqlQuery q(m_ctx->db());
    if (!q.exec(sql) || !q.next())
        return {};
    return q.value(0);
}

int TestDataDir::count(const QString& sql) const
{
    return scalar(sql).toInt();
}

bool TestDataDir::exec(const QString& sql) const
{
    QSqlQuery q(m_ctx->db());
    return q.exec(sql);
}

} // namespace minasel::test
