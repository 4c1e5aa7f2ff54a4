#include "nentyo/nentyorepository.h"

#include "app/appcontext.h"
#include "app/dberror.h"
#include "app/valuehelpers.h"
#include "db/transactionguard.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cmath>

namespace minasel::nentyo {

namespace {

const QString kForm = QStringLiteral("InpNentyo");

// The year's pay of one kind: every pay column less the absence deduction (the
// commuting allowance is not pay here), the premiums deducted and the tax withheld.
const QString kPaySql = QStringLiteral(
    "Select Sum(KIHONKYU + YHOSYU + FOODTEATE + SIKAKUTEATE + HOMETEATE + FAMITEATE + FUKAKYU + KINKYUTEATE"
    " + KYUJITUTEATE + TIMETEATE1 + TIMETEATE2 + SINYATEATE + SINYATEATE2 + TIMETEATE60 + SINYATEATE60"
    " + STEATE1 + STEATE2 + STEATE3 + STEATE4 + STEATE5 + STEATE6 + STEATE7 + STEATE8 + STEATE9 - KEKINMONEY)"
    " As SIKYUGAKU, Sum(HEALTH + NENKIN + KOYOHOKEN) As HOKENRYO, Sum(TAX) As SYOTOKUZEI From MEISAI"
    " Where CID = ? AND JGICODE = ? And SIKYUBI Between ? And ? And SIKYUKBN = ?");

struct QueryFailure {
    DbError error;
};

void run(QSqlQuery& q)
{
    if (!q.exec())
        throw QueryFailure{DbError::from(q.lastError())};
}

long long yen(const QVariant& v)
{
    return std::llround(NullToNum(v));
}

} // namespace

NentyoRepository::NentyoRepository(AppContext& ctx) : m_ctx(ctx) {}

void NentyoRepository::fail(int code, const QString& description, const QString& procedure)
{
    m_ctx.reportError(code, description, kForm + QLatin1Char('.') + procedure);
}

bool NentyoRepository::employees(const QString& year, QList<payroll::EmployeeEntry>* out)
{
    out->clear();
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("Select J.JGICODE, J.JGINAME From JYUGYOIN J, MEISAI M Where J.CID = ? AND M.CID = ?"
                             " AND J.JGICODE = M.JGICODE And M.SIKYUBI Between ? And ?"
                             " Group By J.JGICODE, J.JGINAME Order By J.JGICODE"));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(year + QStringLiteral("01"));
    q.addBindValue(year + QStringLiteral("12"));
    if (!q.exec()) {
        const DbError e = DbError::from(q.lastError());
        fail(e.code, e.description, QStringLiteral("set_jyugyoin_combo"));
        return false;
    }
    while (q.next())
        out->append({NullToStr(q.value(0)), NullToStr(q.value(1))});
    return true;
}

bool NentyoRepository::trapped(const QString& procedure, const std::function<void()>& work)
{
    try {
        work();
        return true;
    } catch (const QueryFailure& f) {
        fail(f.error.code, f.error.description, procedure);
    } catch (const TypeMismatch& e) {
        fail(TypeMismatch::code, QString::fromStdString(e.what()), procedure);
    }
    return false;
}

QSqlQuery NentyoRepository::keyed(const QString& sql, const QString& year, const QString& code)
{
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(sql);
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(year);
    q.addBindValue(code);
    return q;
}

bool NentyoRepository::readStored(const QString& year, const QString& code, std::optional<NentyoRecord>* out,
                                  const QString& procedure)
{
    out->reset();
    return trapped(procedure, [&] {
        QSqlQuery q = keyed(QStringLiteral("Select * From NENTYO Where CID = ? AND SIKYUYEAR = ? And JGICODE = ?"),
                            year, code);
        run(q);
        if (!q.next())
            return;
        QSqlQuery s = keyed(
            QStringLiteral("Select * From NENTYOSINKOKU Where CID = ? AND SIKYUYEAR = ? And JGICODE = ?"), year, code);
        run(s);
        const QSqlRecord side = s.next() ? s.record() : QSqlRecord();
        *out = NentyoRecord::fromSql(q.record(), side.isEmpty() ? nullptr : &side);
    });
}

bool NentyoRepository::payTotals(const QString& year, const QString& code, PayTotals* out)
{
    *out = PayTotals();
    return trapped(QStringLiteral("read_meisai_data"), [&] {
        for (const char* kind : {"1", "2"}) {
            QSqlQuery q(m_ctx.db());
            q.setForwardOnly(true);
            q.prepare(kPaySql);
            q.addBindValue(m_ctx.companyId);
            q.addBindValue(code);
            q.addBindValue(year + QStringLiteral("01"));
            q.addBindValue(year + QStringLiteral("12"));
            q.addBindValue(QLatin1String(kind));
            run(q);
            if (!q.next())
                continue;
            const bool salary = kind[0] == '1';
            (salary ? out->kyuryo : out->syoyo) = yen(q.value(QStringLiteral("SIKYUGAKU")));
            (salary ? out->kyuryoTax : out->syoyoTax) = yen(q.value(QStringLiteral("SYOTOKUZEI")));
            out->hoken += yen(q.value(QStringLiteral("HOKENRYO")));
        }
    });
}

bool NentyoRepository::load(const QString& year, const QString& code, NentyoRecord* out, bool* stored)
{
    std::optional<NentyoRecord> row;
    if (!readStored(year, code, &row))
        return false;
    *stored = row.has_value();
    if (row) {
        *out = *row;
        return true;
    }
    PayTotals pay;
    if (!payTotals(year, code, &pay))
        return false;
    *out = NentyoRecord(m_ctx.companyId, year, code);
    out->setPayTotals(pay);
    return true;
}

bool NentyoRepository::deleteRows(const QString& year, const QString& code)
{
    for (const char* table : {"NENTYO", "NENTYOSINKOKU"}) {
        QSqlQuery q = keyed(
            QStringLiteral("Delete From %1 Where CID = ? AND SIKYUYEAR = ? And JGICODE = ?").arg(QLatin1String(table)),
            year, code);
        if (!q.exec()) {
            const DbError e = DbError::from(q.lastError());
            fail(e.code, e.description, QStringLiteral("delete_data"));
            return false;
        }
    }
    return true;
}

bool NentyoRepository::write(const NentyoRecord& record)
{
    // write_nentyo_data: the row replaced whole, its declarations beside it.
    if (!deleteRows(record.year(), record.code()) || !db::WriteNentyoTable(m_ctx, record.nentyoRow())
        || !db::WriteNentyoSinkokuTable(m_ctx, record.sinkokuRow()))
        return false;
    // write_meisai_data: the balance is refunded or collected with the December salary.
    QSqlQuery q(m_ctx.db());
    q.prepare(QStringLiteral("Update MEISAI Set NENTYOMONEY = ? Where CID = ? AND SIKYUBI = ? And JGICODE = ?"
                             " And SIKYUKBN = '1'"));
    q.addBindValue(double(record.amount(QStringLiteral("SASIHIKI"))));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(record.year() + QStringLiteral("12"));
    q.addBindValue(record.code());
    if (!q.exec()) {
        const DbError e = DbError::from(q.lastError());
        fail(e.code, e.description, QStringLiteral("write_meisai_data"));
        return false;
    }
    return true;
}

bool NentyoRepository::inTransaction(const QString& procedure, const std::function<bool()>& work)
{
    db::TransactionGuard tx(m_ctx.db());
    if (!tx.active()) {
        const DbError e = DbError::from(m_ctx.db().lastError());
        fail(e.code, e.description, procedure);
        return false;
    }
    if (!work())
        return false;   // rolled back by the guard
    if (!tx.commit()) {
        const DbError e = DbError::from(m_ctx.db().lastError());
        fail(e.code, e.description, procedure);
        return false;
    }
    return true;
}

bool NentyoRepository::save(const NentyoRecord& record)
{
    return inTransaction(QStringLiteral("cmdWrite_Click"), [&] { return write(record); });
}

bool NentyoRepository::saveAll(const QList<NentyoRecord>& records)
{
    return inTransaction(QStringLiteral("cmdWrite_Click"), [&] {
        for (const NentyoRecord& r : records)
            if (!write(r))
                return false;
        return true;
    });
}

bool NentyoRepository::remove(const QString& year, const QString& code)
{
    return inTransaction(QStringLiteral("delete_data"), [&] { return deleteRows(year, code); });
}

} // namespace minasel::nentyo
