#include "app/passwordstore.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"

#include <QSqlQuery>

namespace minasel {

std::optional<QString> PasswordStore::stored()
{
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT PASSWORD FROM BASIC"))) {
        m_error = DbError::from(q.lastError());
        return std::nullopt;
    }
    return q.next() ? NullToStr(q.value(QStringLiteral("PASSWORD"))) : QString();
}

std::optional<bool> PasswordStore::matches(const QString& password)
{
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("SELECT PASSWORD FROM BASIC WHERE PASSWORD = ?"))) {
        m_error = DbError::from(q.lastError());
        return std::nullopt;
    }
    q.addBindValue(password);
    if (!q.exec()) {
        m_error = DbError::from(q.lastError());
        return std::nullopt;
    }
    return q.next();
}

bool PasswordStore::store(const QString& password)
{
    QSqlQuery q(m_ctx.db());
    if (!q.prepare(QStringLiteral("UPDATE BASIC SET PASSWORD = ?"))) {
        m_error = DbError::from(q.lastError());
        return false;
    }
    q.addBindValue(password);
    if (!q.exec()) {
        m_error = DbError::from(q.lastError());
        return false;
    }
    return true;
}

} // namespace minasel
