#include "masters/companyrepository.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "db/rowwriter.h"
#include "db/transactionguard.h"
#include "masters/sqlfailure.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace minasel::masters {

namespace {
const QString kRead = QStringLiteral("InpKaisyaJoho.set_data_to_form");
const QString kUpdate = QStringLiteral("InpKaisyaJoho.update_data");
const QString kCount = QStringLiteral("InpKaisyaJoho.kaisha_num_check");
const QString kDelete = QStringLiteral("InpKaisyaJoho.cmdDelete_Click");
const QString kInsert = QStringLiteral("InpKaisyaJoho.cmdTouroku_Click");

const char* const kCoefficientColumns[6] = {"JKGNOMAL", "JKGHOTEQ", "JKGNOMALSINYA", "JKGHOTESINYA", "JKGNOMAL60", "JKGSINYA60"};

QString num(double v)
{
    return QString::number(v, 'g', 15);
}
} // namespace

CompanyRepository::CompanyRepository(AppContext& ctx) : m_ctx(ctx) {}

bool CompanyRepository::read(const QString& cid, CompanyInfo* out, bool* found)
{
    *found = false;
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT * FROM COMPANY WHERE CID = ?"));
    q.addBindValue(cid);
    if (!execOrReport(m_ctx, q, kRead))
        return false;
    if (!q.next())
        return true;
    try {
        auto s = [&](const char* c) { return NullToStr(q.value(QLatin1String(c))).trimmed(); };
        auto n = [&](const char* c) { return NullToNum(q.value(QLatin1String(c))); };
        CompanyInfo c;
        c.name = s("COMPANY");
        c.kana = s("CFKN");
        c.zip = s("ZIP");
        c.prefecture = s("ADRSTDHK");
        c.address1 = s("ADRS1");
        c.address2 = s("ADRS2");
        c.tel = s("TEL");
        c.fax = s("FAX");
        c.repTitle = s("TYAKU");
        c.repName = s("TNAME");
        c.repKana = s("TFKN");
        c.hojinNum = s("HOJINNUM");
        c.kenko = n("KEKOHOKEN");
        c.kenko2 = n("KEKOHOKEN2");
        c.kosei = n("KONEHOKEN");
        c.koyo = n("KOYOHOKENRITU");
        c.kijyunTime = n("KIJYUNTIME");
        c.kyujituTanka = n("KYUJITUTANKA");
        c.kinkyuTanka = n("KINKYUTANKA");
        for (int i = 0; i < 6; ++i)
            c.coefficients[size_t(i)] = n(kCoefficientColumns[i]);
        c.torokubi = s("TOROKUBI");
        *out = c;
    } catch (const TypeMismatch& e) {
        m_ctx.reportError(TypeMismatch::code, QString::fromStdString(e.what()), kRead);
        return false;
    }
    *found = true;
    return true;
}

bool CompanyRepository::update(const QString& cid, const CompanyInfo& c)
{
    QString sql = QStringLiteral(
        "UPDATE COMPANY SET CFKN = ?, COMPANY = ?, ZIP = ?, ADRSTDHK = ?, ADRS1 = ?, ADRS2 = ?, TEL = ?, "
        "TFKN = ?, FAX = ?, TNAME = ?, TYAKU = ?, KEKOHOKEN = ?, KEKOHOKEN2 = ?, KONEHOKEN = ?, "
        "KOYOHOKENRITU = ?, KIJYUNTIME = ?, KYUJITUTANKA = ?, KINKYUTANKA = ?");
    for (const char* col : kCoefficientColumns)
        sql += QStringLiteral(", %1 = ?").arg(QLatin1String(col));
    sql += QStringLiteral(", TOROKUBI = ?, HOJINNUM = ? WHERE CID = ?");
    QSqlQuery q(m_ctx.db());
    q.prepare(sql);
    for (const QString* t : {&c.kana, &c.name, &c.zip, &c.prefecture, &c.address1, &c.address2, &c.tel,
                             &c.repKana, &c.fax, &c.repName, &c.repTitle})
        q.addBindValue(t->trimmed());
    for (double v : {c.kenko, c.kenko2, c.kosei, c.koyo, c.kijyunTime, c.kyujituTanka, c.kinkyuTanka})
        q.addBindValue(v);
    for (double v : c.coefficients)
        q.addBindValue(v);
    q.addBindValue(m_ctx.clock().today().toString(QStringLiteral("yyyy/MM/dd")));
    q.addBindValue(c.hojinNum.trimmed());
    q.addBindValue(cid);
    return execOrReport(m_ctx, q, kUpdate);
}

bool CompanyRepository::insert(const QString& cid, const CompanyInfo& c)
{
    db::RowValues v{cid, c.name, c.kana, c.zip, c.prefecture, c.address1, c.address2, c.tel, c.fax,
                    c.repTitle, c.repName, c.repKana, num(c.kenko), num(c.kenko2), num(c.kosei), num(c.koyo),
                    num(c.kijyunTime), num(c.kyujituTanka), num(c.kinkyuTanka)};
    for (double k : c.coefficients)
        v << num(k);
    v << m_ctx.clock().today().toString(QStringLiteral("yyyy/MM/dd")) << c.hojinNum;
    return db::WriteCompanyTable(m_ctx, v);
}

int CompanyRepository::count()
{
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM COMPANY"));
    if (!execOrReport(m_ctx, q, kCount))
        return -1;
    return q.next() ? q.value(0).toInt() : 0;
}

bool CompanyRepository::list(QList<QPair<QString, QString>>* out)
{
    out->clear();
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT CID, COMPANY FROM COMPANY ORDER BY CID"));
    if (!execOrReport(m_ctx, q, kCount))
        return false;
    while (q.next())
        out->append({NullToStr(q.value(0)).trimmed(), NullToStr(q.value(1)).trimmed()});
    return true;
}

bool CompanyRepository::remove(const QString& cid)
{
    db::TransactionGuard guard(m_ctx.db());
    if (!guard.active()) {
        reportSqlFailure(m_ctx, m_ctx.db().lastError(), kDelete);
        return false;
    }
    for (db::Table table : db::companyTables()) {
        QSqlQuery q(m_ctx.db());
        q.prepare(QStringLiteral("DELETE FROM %1 WHERE CID = ?").arg(db::tableDef(table).name));
        q.addBindValue(cid);
        if (!execOrReport(m_ctx, q, kDelete))
            return false;   // the guard rolls back
    }
    if (!guard.commit()) {
        reportSqlFailure(m_ctx, m_ctx.db().lastError(), kDelete);
        return false;
    }
    return true;
}

bool CompanyRepository::rememberCurrent(const QString& cid)
{
    QSqlQuery q(m_ctx.db());
    q.prepare(QStringLiteral("UPDATE BASIC SET CID = ?"));
    q.addBindValue(cid);
    return execOrReport(m_ctx, q, kDelete);
}

QString CompanyRepository::newCid(const QStringList& usedIds)
{
    QSet<int> used;
    for (const QString& id : usedIds) {
        bool ok = false;
        const int n = id.trimmed().toInt(&ok);
        if (ok)
            used.insert(n);
    }
    int n = 51;
    while (n < 100 && used.contains(n))
        ++n;
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace minasel::masters
