#include "masters/otheritems.h"

#include "app/appcontext.h"
#include "app/datehelpers.h"
#include "app/valuehelpers.h"
#include "db/rowwriter.h"
#include "db/transactionguard.h"
#include "masters/sqlfailure.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace minasel::masters {

OtherItems::OtherItems(AppContext& ctx, Kind kind) : m_ctx(ctx), m_kind(kind) {}

QString OtherItems::screenName() const
{
    return m_kind == Kind::Teate ? QStringLiteral("MstTeate") : QStringLiteral("MstKojyo");
}

QString OtherItems::table() const
{
    return m_kind == Kind::Teate ? QStringLiteral("SONOTA") : QStringLiteral("SONOTAKOJYO");
}

bool OtherItems::read(const QString& employeeCode, QList<Line>* out)
{
    out->clear();
    const QString proc = screenName() + QStringLiteral(".read_data");
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT * FROM %1 WHERE CID = ? AND JGICODE = ?").arg(table()));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(employeeCode);
    if (!execOrReport(m_ctx, q, proc))
        return false;
    // SNTCODE is a line number held as text: sorted as a number so that "10" follows "9".
    QList<QPair<int, Line>> rows;
    try {
        while (q.next()) {
            Line line;
            line.name = NullToStr(q.value(3)).trimmed();
            line.amount = NullToNum(q.value(4));
            if (m_kind == Kind::Teate)
                line.counts = toNumberOr(q.value(5), 0) != 0;
            rows.append({textToInt(NullToStr(q.value(2))), line});
        }
    } catch (const TypeMismatch& e) {
        out->clear();
        m_ctx.reportError(TypeMismatch::code, QString::fromStdString(e.what()), proc);
        return false;
    }
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& r : rows)
        out->append(r.second);
    return true;
}

bool OtherItems::save(const QString& employeeCode, const QList<Line>& lines)
{
    const QString proc = screenName() + QStringLiteral(".delete_data");
    db::TransactionGuard guard(m_ctx.db());
    if (!guard.active()) {
        reportSqlFailure(m_ctx, m_ctx.db().lastError(), proc);
        return false;
    }
    QSqlQuery q(m_ctx.db());
    q.prepare(QStringLiteral("DELETE FROM %1 WHERE CID = ? AND JGICODE = ?").arg(table()));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(employeeCode);
    if (!execOrReport(m_ctx, q, proc))
        return false;
    for (int r = 0; r < lines.size(); ++r) {
        const Line& line = lines.at(r);
        if (line.name.trimmed().isEmpty())
            continue;
        db::RowValues row{m_ctx.companyId, employeeCode, QString::number(r + 1), line.name.trimmed(),
                          QString::number(line.amount, 'g', 15)};
        bool ok;
        if (m_kind == Kind::Teate) {
            row << (line.counts ? QStringLiteral("1") : QStringLiteral("0"));
            ok = db::WriteSonotaTable(m_ctx, row);
        } else {
            ok = db::WriteSonotaKojyoTable(m_ctx, row);
        }
        if (!ok)
            return false;
    }
    if (!guard.commit()) {
        reportSqlFailure(m_ctx, m_ctx.db().lastError(), proc);
        return false;
    }
    return true;
}

} // namespace minasel::masters
