#include "masters/codemaster.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "db/rowwriter.h"
#include "db/transactionguard.h"
#include "masters/sqlfailure.h"

#include <QSqlError>
#include <QSqlQuery>

namespace minasel::masters {

CodeMaster::CodeMaster(AppContext& ctx, Kind kind) : m_ctx(ctx), m_kind(kind) {}

QString CodeMaster::screenName() const
{
    return m_kind == Kind::Sikaku ? QStringLiteral("MstSikaku") : QStringLiteral("MstFukakyu");
}

QString CodeMaster::table() const
{
    return m_kind == Kind::Sikaku ? QStringLiteral("SIKAKU") : QStringLiteral("FUKAKYU");
}

QString CodeMaster::codeColumn() const
{
    return m_kind == Kind::Sikaku ? QStringLiteral("SIKACODE") : QStringLiteral("FUKACODE");
}

bool CodeMaster::read(QList<Line>* out, const QString& procedure)
{
    out->clear();
    const QString proc = procedure.isEmpty() ? screenName() + QStringLiteral(".read_data") : procedure;
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT * FROM %1 WHERE CID = ? ORDER BY %2").arg(table(), codeColumn()));
    q.addBindValue(m_ctx.companyId);
    if (!execOrReport(m_ctx, q, proc))
        return false;
    try {
        while (q.next())
            out->append({NullToStr(q.value(1)).trimmed(), NullToStr(q.value(2)).trimmed(), NullToNum(q.value(3))});
    } catch (const TypeMismatch& e) {
        out->clear();
        m_ctx.reportError(TypeMismatch::code, QString::fromStdString(e.what()), proc);
        return false;
    }
    return true;
}

bool CodeMaster::save(const QList<Line>& lines)
{
    const QString proc = screenName() + QStringLiteral(".delete_data");
    db::TransactionGuard guard(m_ctx.db());
    if (!guard.active()) {
        reportSqlFailure(m_ctx, m_ctx.db().lastError(), proc);
        return false;
    }
    QSqlQuery q(m_ctx.db());
    q.prepare(QStringLiteral("DELETE FROM %1 WHERE CID = ?").arg(table()));
    q.addBindValue(m_ctx.companyId);
    if (!execOrReport(m_ctx, q, proc))
        return false;
    for (const Line& line : lines) {
        const QString code = line.code.trimmed().toUpper();
        if (code.isEmpty())
            continue;
        const db::RowValues row{m_ctx.companyId, code, line.name, QString::number(line.amount, 'g', 15)};
        const bool ok = m_kind == Kind::Sikaku ? db::WriteSikakuTable(m_ctx, row) : db::WriteFukakyuTable(m_ctx, row);
        if (!ok)
            return false;
    }
    if (!guard.commit()) {
        reportSqlFailure(m_ctx, m_ctx.db().lastError(), proc);
        return false;
    }
    return true;
}

int CodeMaster::findDuplicate(const QStringList& codes, int row)
{
    if (row < 0 || row >= codes.size())
        return -1;
    const QString mine = codes.at(row).trimmed().toUpper();
    if (mine.isEmpty())
        return -1;
    for (int i = 0; i < codes.size(); ++i)
        if (i != row && codes.at(i).trimmed().toUpper() == mine)
            return i;
    return -1;
}

QString CodeMaster::entryText(const Line& line)
{
    return line.code + QLatin1Char(' ') + line.name.trimmed() + QStringLiteral(" ¥")
        + formatNumber(line.amount, QStringLiteral("#,##0"));
}

} // namespace minasel::masters
