#include "masters/shahostore.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "db/rowwriter.h"
#include "masters/sqlfailure.h"

#include <QSqlQuery>

namespace minasel::masters {

namespace {
QString number(double v)
{
    return QString::number(v, 'g', 15);
}
} // namespace

ShahoStore::ShahoStore(AppContext& ctx, QString form) : m_ctx(ctx), m_form(std::move(form)) {}

bool ShahoStore::readSettings(const QString& cid, SyahoSettings* out)
{
    *out = SyahoSettings();
    const QString procedure = m_form + QStringLiteral(".read_syaho_settei");
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT SIENKBN, SIENRITU, TYOSYUKBN, JIGYOKBN FROM SYAHOSETTEI WHERE CID = ?"));
    q.addBindValue(cid);
    if (!execOrReport(m_ctx, q, procedure))
        return false;
    if (!q.next())
        return true;
    try {
        out->shienByLaw = NullToStr(q.value(0)).trimmed() != QLatin1String("0");
        out->shienRate = NullToNum(q.value(1));
        out->sameMonth = NullToStr(q.value(2)).trimmed() == QLatin1String("1");
        const int kind = NullToStr(q.value(3)).trimmed().toInt();
        out->jigyoKind = kind >= 1 && kind <= 3 ? kind : 1;
    } catch (const TypeMismatch& e) {
        m_ctx.reportError(TypeMismatch::code, QString::fromStdString(e.what()), procedure);
        return false;
    }
    return true;
}

bool ShahoStore::saveSettings(const QString& cid, const SyahoSettings& s)
{
    QSqlQuery q(m_ctx.db());
    q.prepare(QStringLiteral("DELETE FROM SYAHOSETTEI WHERE CID = ?"));
    q.addBindValue(cid);
    if (!execOrReport(m_ctx, q, m_form + QStringLiteral(".write_syaho_settei")))
        return false;
    return db::WriteSyahoSetteiTable(m_ctx, {cid, s.shienByLaw ? QStringLiteral("1") : QStringLiteral("0"),
                                             number(s.shienRate), s.sameMonth ? QStringLiteral("1") : QStringLiteral("0"),
                                             QString::number(s.jigyoKind)});
}

bool ShahoStore::readEmployee(const QString& code, EmployeeInsurance* out, bool* found)
{
    *out = EmployeeInsurance();
    if (found)
        *found = false;
    const QString procedure = m_form + QStringLiteral(".read_hyojun");
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT J.BIRTHDAY, J.KEHOKBN, H.HYOJUNGAKU, H.HOSYUGAKU FROM JYUGYOIN J"
                             " LEFT JOIN HYOJUNHOSYU H ON H.CID = J.CID AND H.JGICODE = J.JGICODE"
                             " WHERE J.CID = ? AND J.JGICODE = ?"));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(code);
    if (!execOrReport(m_ctx, q, procedure))
        return false;
    if (!q.next())
        return true;
    try {
        out->birthday = NullToStr(q.value(0)).trimmed();
        out->careFlag = NullToStr(q.value(1)).trimmed() == QLatin1String("1");
        out->hyojun = static_cast<long long>(NullToNum(q.value(2)));
        out->remuneration = static_cast<long long>(NullToNum(q.value(3)));
    } catch (const TypeMismatch& e) {
        m_ctx.reportError(TypeMismatch::code, QString::fromStdString(e.what()), procedure);
        return false;
    }
    if (found)
        *found = true;
    return true;
}

bool ShahoStore::saveHyojun(const QString& code, long long hyojun, long long remuneration)
{
    QSqlQuery q(m_ctx.db());
    q.prepare(QStringLiteral("DELETE FROM HYOJUNHOSYU WHERE CID = ? AND JGICODE = ?"));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(code);
    if (!execOrReport(m_ctx, q, m_form + QStringLiteral(".write_hyojun")))
        return false;
    if (hyojun <= 0)
        return true;
    return db::WriteHyojunHosyuTable(m_ctx, {m_ctx.companyId, code, QString::number(hyojun),
                                             QString::number(remuneration)});
}

QString ShahoStore::checkRate(const QString& label, double percent)
{
    if (percent >= 0 && percent <= 30)
        return QString();
    return QStringLiteral("%1は 0〜30％ の範囲で入力して下さい。").arg(label);
}

} // namespace minasel::masters
