#include "payroll/statementrepository.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "db/rowwriter.h"
#include "db/transactionguard.h"
#include "payroll/kyuyocalculator.h"
#include "payroll/syoyocalculator.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace minasel::payroll {

namespace {

int errorCode(const QSqlQuery& q)
{
    bool ok = false;
    const int c = q.lastError().nativeErrorCode().toInt(&ok);
    return ok && c != 0 ? c : -1;
}

long long yen(const QSqlQuery& q, const char* column)
{
    return wholeYen(NullToNum(q.value(QLatin1String(column))));
}

QString text(const QSqlQuery& q, const char* column)
{
    return NullToStr(q.value(QLatin1String(column)));
}

// A failed query or a text in a number column, reported the same way.
struct QueryFailure {
    int code;
    QString description;
};

void run(QSqlQuery& q)
{
    if (!q.exec())
        throw QueryFailure{errorCode(q), q.lastError().text()};
}

} // namespace

StatementRepository::StatementRepository(AppContext& ctx, const QString& form) : m_ctx(ctx), m_form(form) {}

void StatementRepository::fail(int code, const QString& description, const QString& procedure, const QString& form)
{
    m_ctx.reportError(code, description, (form.isEmpty() ? m_form : form) + QLatin1Char('.') + procedure);
}

bool StatementRepository::employees(QList<EmployeeEntry>* out, const QString& payMonth)
{
    out->clear();
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("Select JGICODE, JGINAME From JYUGYOIN Where CID = ?"
                             " AND (TAISYABI = '' OR TAISYABI IS NULL OR TAISYABI >= ?) Order By JGICODE"));
    q.addBindValue(m_ctx.companyId);
    const int month = payMonth.mid(4, 2).toInt();
    q.addBindValue(payMonth.size() == 6 && month >= 1 && month <= 12
                       ? previousPayMonth(payMonth) + QStringLiteral("01")
                       : QStringLiteral("99999999"));
    if (!q.exec()) {
        fail(errorCode(q), q.lastError().text(), QStringLiteral("set_jyugyoin_combo"));
        return false;
    }
    while (q.next())
        out->append({text(q, "JGICODE"), text(q, "JGINAME")});
    return true;
}

template <class Work>
bool StatementRepository::trapped(const QString& procedure, Work&& work, const QString& form)
{
    try {
        work();
        return true;
    } catch (const QueryFailure& f) {
        fail(f.code, f.description, procedure, form);
    } catch (const TypeMismatch& e) {
        fail(TypeMismatch::code, QString::fromStdString(e.what()), procedure, form);
    }
    return false;
}

bool StatementRepository::codeAmount(const QString& sql, const QString& code, const QString& procedure,
                                     long long* amount)
{
    *amount = 0;
    return trapped(procedure, [&] {
        QSqlQuery q(m_ctx.db());
        q.setForwardOnly(true);
        q.prepare(sql);
        q.addBindValue(m_ctx.companyId);
        q.addBindValue(code);
        run(q);
        if (q.next())
            *amount = wholeYen(NullToNum(q.value(0)));
    });
}

bool StatementRepository::qualificationAmount(const QString& code, long long* amount)
{
    return codeAmount(QStringLiteral("Select SIKAMONEY From SIKAKU WHERE CID = ? AND SIKACODE = ?"), code,
                      QStringLiteral("get_sikaku"), amount);
}

bool StatementRepository::additionalPayAmount(const QString& code, long long* amount)
{
    return codeAmount(QStringLiteral("Select FUKAMONEY From FUKAKYU Where CID = ? AND FUKACODE = ?"), code,
                      QStringLiteral("get_fukakyu"), amount);
}

std::optional<EmployeeMaster> StatementRepository::employeeMaster(const QString& code, bool* ok)
{
    if (ok)
        *ok = false;
    EmployeeMaster m;
    bool found = false;
    bool itemsRead = true;
    QString procedure = QStringLiteral("read_data");
    const bool read = trapped(procedure, [&] {
        QSqlQuery q(m_ctx.db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("Select * From JYUGYOIN Where CID = ? AND JGICODE = ?"));
        q.addBindValue(m_ctx.companyId);
        q.addBindValue(code);
        run(q);
        if (!q.next())
            return;
        found = true;
        m.code = text(q, "JGICODE");
        m.name = text(q, "JGINAME");
        m.employeeKind = text(q, "JGIKBN");
        m.healthKind = text(q, "KEHOKBN");
        m.koyoSwitch = text(q, "KOYOKBN");
        m.taxSwitch = text(q, "CALCUTAX");
        m.dependants = int(wholeYen(NullToNum(q.value(QStringLiteral("FAMINUM")))));
        m.kihonkyu = yen(q, "KIHONKYU");
        m.yhosyu = yen(q, "YHOSYU");
        m.food = yen(q, "FOODTEATE");
        m.commuting = yen(q, "TUKINTEATE");
        m.housing = yen(q, "HOMETEATE");
        m.family = yen(q, "FAMITEATE");
        m.health = yen(q, "HEALTH");
        m.pension = yen(q, "NENKIN");
        m.residentTax = yen(q, "SIMIZEI");
        m.hourlyRate = NullToNum(q.value(QStringLiteral("TIMEMONEY")));
        m.sikakuCode = text(q, "SIKACODE");
        m.fukakyuCode = text(q, "FUKACODE");
        q.finish();

        if (!qualificationAmount(m.sikakuCode, &m.qualification) || !additionalPayAmount(m.fukakyuCode, &m.additional)) {
            itemsRead = false;   // already reported
            return;
        }

        procedure = QStringLiteral("get_sonota_teate");
        QSqlQuery a(m_ctx.db());
        a.setForwardOnly(true);
        a.prepare(QStringLiteral("Select SNTNAME, SNTMONEY From SONOTA Where CID = ? AND JGICODE = ? Order By SNTCODE"));
        a.addBindValue(m_ctx.companyId);
        a.addBindValue(code);
        run(a);
        for (size_t i = 0; i < m.allowances.size() && a.next(); ++i) {
            m.allowanceNames[i] = text(a, "SNTNAME");
            m.allowances[i] = yen(a, "SNTMONEY");
        }

        procedure = QStringLiteral("get_sonota_kojyo");
        QSqlQuery d(m_ctx.db());
        d.setForwardOnly(true);
        d.prepare(QStringLiteral("Select SNTNAME, SNTMONEY From SONOTAKOJYO Where CID = ? AND JGICODE = ? Order By SNTCODE"));
        d.addBindValue(m_ctx.companyId);
        d.addBindValue(code);
        run(d);
        for (size_t i = 0; i < m.deductions.size() && d.next(); ++i) {
            m.deductionNames[i] = text(d, "SNTNAME");
            m.deductions[i] = yen(d, "SNTMONEY");
        }
    });
    if (!read || !itemsRead)
        return std::nullopt;
    if (ok)
        *ok = true;
    if (!found)
        return std::nullopt;
    return m;
}

bool StatementRepository::companyRates(CompanyRates* out)
{
    *out = CompanyRates();
    const QString procedure = m_form == QLatin1String("InpSyoyo") ? QStringLiteral("get_syakaihokenritu")
                                                                  : QStringLiteral("get_kaisya_kihon");
    return trapped(procedure, [&] {
        QSqlQuery q(m_ctx.db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("Select KYUJITUTANKA, KINKYUTANKA, JKGNOMAL, JKGHOTEQ, JKGNOMALSINYA, JKGHOTESINYA,"
                                 " JKGNOMAL60, JKGSINYA60, KOYOHOKENRITU, KEKOHOKEN, KEKOHOKEN2, KONEHOKEN"
                                 " From COMPANY Where CID = ?"));
        q.addBindValue(m_ctx.companyId);
        run(q);
        if (!q.next())
            return;   // no row: every rate 0
        auto n = [&](const char* c) { return NullToNum(q.value(QLatin1String(c))); };
        out->holidayDayRate = n("KYUJITUTANKA");
        out->callOutRate = n("KINKYUTANKA");
        out->overtimeFactors = {n("JKGNOMAL"), n("JKGHOTEQ"), n("JKGNOMALSINYA"), n("JKGHOTESINYA"),
                                n("JKGNOMAL60"), n("JKGSINYA60")};
        out->employmentInsuranceRate = n("KOYOHOKENRITU");
        out->healthRate = n("KEKOHOKEN");
        out->healthRateCare = n("KEKOHOKEN2");
        out->pensionRate = n("KONEHOKEN");
    });
}

QString StatementRepository::taxKubun(const QString& code)
{
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("Select CALCUTAX From JYUGYOIN WHERE CID = ? AND JGICODE = ?"));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(code);
    if (!q.exec()) {
        fail(errorCode(q), q.lastError().text(), QStringLiteral("GetTaxKubun"), QStringLiteral("InpKyuyo"));
        return QStringLiteral("0");
    }
    return q.next() ? text(q, "CALCUTAX") : QStringLiteral("0");
}

QString StatementRepository::koyohokenSw(const QString& code)
{
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("Select KOYOKBN From JYUGYOIN Where CID = ? AND JGICODE = ?"));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(code);
    if (!q.exec()) {
        fail(errorCode(q), q.lastError().text(), QStringLiteral("GetKoyohokenSw"), QStringLiteral("InpKyuyo"));
        return QString();
    }
    return q.next() ? text(q, "KOYOKBN") : QString();
}

double StatementRepository::koyohokenRitu()
{
    double rate = 0.0;
    trapped(QStringLiteral("get_koyohokenritu"), [&] {
        QSqlQuery q(m_ctx.db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("Select KOYOHOKENRITU From COMPANY Where CID = ?"));
        q.addBindValue(m_ctx.companyId);
        run(q);
        if (q.next())
            rate = NullToNum(q.value(0));
    }, QStringLiteral("InpKyuyo"));
    return rate;
}

bool StatementRepository::readStatement(const QString& payMonth, const QString& code, const QString& kind,
                                        std::optional<MeisaiRecord>* out)
{
    out->reset();
    return trapped(QStringLiteral("read_meisai_data"), [&] {
        QSqlQuery q(m_ctx.db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("Select * From MEISAI Where CID = ? AND SIKYUBI = ? And JGICODE = ? And SIKYUKBN = ?"));
        q.addBindValue(m_ctx.companyId);
        q.addBindValue(payMonth);
        q.addBindValue(code);
        q.addBindValue(kind);
        run(q);
        if (q.next())
            *out = MeisaiRecord::fromSqlRecord(q.record());
    });
}

bool StatementRepository::deleteStatement(const QString& payMonth, const QString& code, const QString& kind)
{
    QSqlQuery q(m_ctx.db());
    q.prepare(QStringLiteral("Delete From MEISAI Where CID = ? AND SIKYUBI = ? And JGICODE = ? And SIKYUKBN = ?"));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(payMonth);
    q.addBindValue(code);
    q.addBindValue(kind);
    if (!q.exec()) {
        fail(errorCode(q), q.lastError().text(), QStringLiteral("delete_data"));
        return false;
    }
    return true;
}

bool StatementRepository::insertStatement(const MeisaiRecord& statement)
{
    return db::WriteMeisaiTable(m_ctx, statement.toRowValues());
}

bool StatementRepository::saveStatement(const MeisaiRecord& statement)
{
    db::TransactionGuard tx(m_ctx.db());
    if (!tx.active()) {
        fail(-1, m_ctx.db().lastError().text(), QStringLiteral("cmdWrite_Click"));
        return false;
    }
    if (!deleteStatement(statement.payMonth, statement.employeeCode, statement.kind))
        return false;   // rolled back by the guard
    if (!insertStatement(statement))
        return false;
    if (!tx.commit()) {
        fail(-1, m_ctx.db().lastError().text(), QStringLiteral("cmdWrite_Click"));
        return false;
    }
    return true;
}

std::optional<long long> StatementRepository::previousMonthPay(const QString& code, const QString& bonusMonth)
{
    std::optional<MeisaiRecord> salary;
    const bool read = trapped(QStringLiteral("get_zengetu_kyuyo"), [&] {
        QSqlQuery q(m_ctx.db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("Select * From MEISAI Where CID = ? AND SIKYUBI = ? And JGICODE = ? And SIKYUKBN = '1'"));
        q.addBindValue(m_ctx.companyId);
        q.addBindValue(previousPayMonth(bonusMonth));
        q.addBindValue(code);
        run(q);
        if (q.next())
            salary = MeisaiRecord::fromSqlRecord(q.record());
    });
    if (!read || !salary)
        return std::nullopt;
    const long long pay = salaryAfterSocialInsurance(*salary);
    if (pay <= 0)
        return std::nullopt;
    return pay;
}

long long StatementRepository::healthStandardEarlier(const QString& code, const QString& payMonth)
{
    long long total = 0;
    const bool read = trapped(QStringLiteral("get_syoyo_ruikei"), [&] {
        QSqlQuery q(m_ctx.db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("Select KIHONKYU, HEALTH From MEISAI Where CID = ? And JGICODE = ? And SIKYUKBN = '2'"
                                 " And SIKYUBI >= ? And SIKYUBI < ?"));
        q.addBindValue(m_ctx.companyId);
        q.addBindValue(code);
        q.addBindValue(fiscalYearStart(payMonth));
        q.addBindValue(payMonth);
        run(q);
        while (q.next()) {
            if (yen(q, "HEALTH") <= 0)
                continue;
            total += std::max(0LL, yen(q, "KIHONKYU") / 1000 * 1000);
        }
    });
    return read ? total : 0;
}

} // namespace minasel::payroll
