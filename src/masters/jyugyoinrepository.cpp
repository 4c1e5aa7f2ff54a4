#include "masters/jyugyoinrepository.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "db/rowwriter.h"
#include "db/transactionguard.h"
#include "masters/sqlfailure.h"

#include <QSqlError>
#include <QSqlQuery>
#include <cmath>

namespace minasel::masters {

namespace {
const QString kRead = QStringLiteral("mstJyugyoin.read_data");
const QString kDelete = QStringLiteral("mstJyugyoin.delete_data");
const QString kSonota = QStringLiteral("mstJyugyoin.get_sonota_teate");
const QString kMonthTime = QStringLiteral("mstJyugyoin.get_month_time");

bool typeMismatch(AppContext& ctx, const TypeMismatch& e, const QString& procedure)
{
    ctx.reportError(TypeMismatch::code, QString::fromStdString(e.what()), procedure);
    return false;
}
} // namespace

JyugyoinRepository::JyugyoinRepository(AppContext& ctx) : m_ctx(ctx) {}

bool JyugyoinRepository::read(const QString& code, Employee* out, bool* found)
{
    *found = false;
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT * FROM JYUGYOIN WHERE CID = ? AND JGICODE = ?"));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(code);
    if (!execOrReport(m_ctx, q, kRead))
        return false;
    if (!q.next())
        return true;
    try {
        auto s = [&](const char* c) { return NullToStr(q.value(QLatin1String(c))).trimmed(); };
        auto n = [&](const char* c) { return NullToNum(q.value(QLatin1String(c))); };
        auto f = [&](const char* c) { return s(c) == QLatin1String("1"); };
        Employee e;
        e.code = s("JGICODE");
        e.name = s("JGINAME");
        e.kana = s("JGIKANA");
        e.sex = s("SEX");
        e.birthday = s("BIRTHDAY");
        e.zip = s("ZIP");
        e.add1 = s("ADD1");
        e.add2 = s("ADD2");
        e.tel = s("TELNO");
        e.kbn = s("JGIKBN");
        e.syokumu = s("SYOKUMU");
        e.nyusyabi = s("NYUSYABI");
        e.taisyabi = s("TAISYABI");
        e.kihonkyu = n("KIHONKYU");
        e.yhosyu = n("YHOSYU");
        e.food = n("FOODTEATE");
        e.tukin = n("TUKINTEATE");
        e.sikacode = s("SIKACODE");
        e.home = n("HOMETEATE");
        e.fami = n("FAMITEATE");
        e.fukacode = s("FUKACODE");
        e.health = n("HEALTH");
        e.nenkin = n("NENKIN");
        e.simizei = n("SIMIZEI");
        e.timemoney = n("TIMEMONEY");
        e.faminum = n("FAMINUM");
        e.haigu = f("HAIGUKBN");
        e.child1 = f("CHILD1");
        e.child2 = f("CHILD2");
        e.gaijin = f("GAIJINKBN");
        e.kaigo = f("KEHOKBN");
        e.koyo = f("KOYOKBN");
        e.calcTax = f("CALCUTAX");
        e.myNumber = s("MYNUMBER");
        *out = e;
    } catch (const TypeMismatch& e) {
        return typeMismatch(m_ctx, e, kRead);
    }
    *found = true;
    return true;
}

bool JyugyoinRepository::save(const Employee& e, const std::function<bool()>& alsoInside)
{
    db::TransactionGuard guard(m_ctx.db());
    if (!guard.active()) {
        reportSqlFailure(m_ctx, m_ctx.db().lastError(), kDelete);
        return false;
    }
    QSqlQuery q(m_ctx.db());
    q.prepare(QStringLiteral("DELETE FROM JYUGYOIN WHERE CID = ? AND JGICODE = ?"));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(e.code);
    if (!execOrReport(m_ctx, q, kDelete))
        return false;
    if (!db::WriteJyugyoinTable(m_ctx, e.toRow(m_ctx.companyId)))
        return false;
    if (alsoInside && !alsoInside())
        return false;
    if (!guard.commit()) {
        reportSqlFailure(m_ctx, m_ctx.db().lastError(), kDelete);
        return false;
    }
    return true;
}

bool JyugyoinRepository::remove(const QString& code)
{
    db::TransactionGuard guard(m_ctx.db());
    if (!guard.active()) {
        reportSqlFailure(m_ctx, m_ctx.db().lastError(), kDelete);
        return false;
    }
    for (const char* table : {"JYUGYOIN", "SONOTA", "SONOTAKOJYO"}) {
        QSqlQuery q(m_ctx.db());
        q.prepare(QStringLiteral("DELETE FROM %1 WHERE CID = ? AND JGICODE = ?").arg(QLatin1String(table)));
        q.addBindValue(m_ctx.companyId);
        q.addBindValue(code);
        if (!execOrReport(m_ctx, q, kDelete))
            return false;
    }
    // The side tables of the employee's master (keyed by company and employee first)
    // go with it; year-end declarations, keyed by year first, stay with the year-end rows.
    for (db::Table t : db::sideTables()) {
        const db::TableDef& def = db::tableDef(t);
        if (def.key.size() < 2 || def.key[0] != QStringLiteral("CID") || def.key[1] != QStringLiteral("JGICODE"))
            continue;
        QSqlQuery q(m_ctx.db());
        q.prepare(QStringLiteral("DELETE FROM %1 WHERE CID = ? AND JGICODE = ?").arg(def.name));
        q.addBindValue(m_ctx.companyId);
        q.addBindValue(code);
        if (!execOrReport(m_ctx, q, kDelete))
            return false;
    }
    if (!guard.commit()) {
        reportSqlFailure(m_ctx, m_ctx.db().lastError(), kDelete);
        return false;
    }
    return true;
}

bool JyugyoinRepository::countedAllowances(const QString& code, double* sum)
{
    *sum = 0;
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT SNTMONEY, KEISANKBN FROM SONOTA WHERE CID = ? AND JGICODE = ?"));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(code);
    if (!execOrReport(m_ctx, q, kSonota))
        return false;
    try {
        double total = 0;
        while (q.next())
            if (NullToStr(q.value(1)).trimmed() == QLatin1String("1"))
                total = std::nearbyint(total + NullToNum(q.value(0)));
        *sum = total;
    } catch (const TypeMismatch& e) {
        return typeMismatch(m_ctx, e, kSonota);
    }
    return true;
}

bool JyugyoinRepository::monthTime(double* hours)
{
    *hours = 0;
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT KIJYUNTIME FROM COMPANY WHERE CID = ?"));
    q.addBindValue(m_ctx.companyId);
    if (!execOrReport(m_ctx, q, kMonthTime))
        return false;
    try {
        if (q.next())
            *hours = NullToNum(q.value(0));
    } catch (const TypeMismatch& e) {
        return typeMismatch(m_ctx, e, kMonthTime);
    }
    return true;
}

int JyugyoinRepository::age(int year, int month, int day, const QDate& today)
{
    int years = today.year() - year;
    if (month * 100 + day > today.month() * 100 + today.day())
        --years;
    return years;
}

std::optional<double> JyugyoinRepository::hourlyRate(double base, double food, double additional,
                                                     double allowances, double hours)
{
    const float h = static_cast<float>(hours);
    if (h == 0.0f)
        return std::nullopt;
    return (base + food + additional + allowances) / static_cast<double>(h);
}

} // namespace minasel::masters
