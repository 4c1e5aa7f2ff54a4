#include "app/companylist.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"

#include <QSqlQuery>

namespace minasel {

bool CompanyList::load(AppContext& ctx)
{
    m_entries.clear();
    QSqlQuery q(ctx.db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT COMPANY, CID FROM COMPANY ORDER BY CID"))) {
        m_error = DbError::from(q.lastError());
        return false;
    }
    while (q.next())
        m_entries.append({NullToStr(q.value(QStringLiteral("CID"))).trimmed(),
                          NullToStr(q.value(QStringLiteral("COMPANY")))});
    return true;
}

int CompanyList::indexOf(const QString& cid) const
{
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries.at(i).cid == cid)
            return i;
    return -1;
}

bool CompanyList::remember(AppContext& ctx, const QString& cid)
{
    QSqlQuery q(ctx.db());
    if (!q.prepare(QStringLiteral("UPDATE BASIC SET CID = ?"))) {
        m_error = DbError::from(q.lastError());
        return false;
    }
    q.addBindValue(cid);
    if (!q.exec()) {
        m_error = DbError::from(q.lastError());
        return false;
    }
    return true;
}

std::optional<QString> CompanyList::registrationDate(AppContext& ctx, const QString& cid, bool* ok)
{
    *ok = false;
    QSqlQuery q(ctx.db());
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("SELECT TOROKUBI FROM COMPANY WHERE CID = ?"))) {
        m_error = DbError::from(q.lastError());
        return std::nullopt;
    }
    q.addBindValue(cid);
    if (!q.exec()) {
        m_error = DbError::from(q.lastError());
        return std::nullopt;
    }
    *ok = true;
    if (!q.next())
        return std::nullopt;
    return NullToStr(q.value(QStringLiteral("TOROKUBI")));
}

} // namespace minasel
