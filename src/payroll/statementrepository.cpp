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
    m_ctx.step = QStringLiteral("1");
    m_ctx.logError(code, description, (form.isEmpty() ? m_form : form) + QLatin1Char('.') + procedure);
}

bool StatementRepository::employees(QList<EmployeeEntry>* out)
{
    out->clear();
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("Select JGICODE, JGINAME From JYUGYOIN Where CID = ?"
                             " AND (TAISYABI = '' OR TAISYABI IS NULL) Order By JGICODE"));
    q.addBindValue(m_ctx.companyId);
    if (!q.exec()) {
        fail(errorCode(q), q.lastError().text(), QStringLiteral("set_jyugyoin_combo"));
        return false;
    }
    while (q.next())
        out->append({text(q, "JGICODE"), text(q, "JGINAME")});
    return true;
}

bool StatementRepository::qualificationAmount(const QString& code, long long* amount)
{
    *amount = 0;
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("Select SIKAMONEY From SIKAKU WHERE CID = ? AND SIKACODE = ?"));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(code);
    try {
        run(q);
        if (q.next())
            *amount = yen(q, "SIKAMONEY");
    } catch (const QueryFailure& f) {
        fail(f.code, f.description, QStringLiteral("get_sikaku"));
        return false;
    } catch (const TypeMismatch& e) {
        fail(TypeMismatch::code, QString::fromStdString(e.what()), QStringLiteral("get_sikaku"));
        return false;
    }
    return true;
}

bool StatementRepository::additionalPayAmount(const QString& code, long long* amount)
{
    *amount = 0;
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("Select FUKAMONEY From FUKAKYU Where CID = ? AND FUKACODE = ?"));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(code);
    try {
        run(q);
        if (q.next())
            *amount = yen(q, "FUKAMONEY");
    } catch (const QueryFailure& f) {
        fail(f.code, f.description, QStringLiteral("get_fukakyu"));
        return false;
    } catch (const TypeMismatch& e) {
        fail(TypeMismatch::code, QString::fromStdString(e.what()), QStringLiteral("get_fukakyu"));
        return false;
    }
    return true;
}

std::optional<EmployeeMaster> StatementRepository::employeeMaster(const QString& code, bool* ok)
{
    if (ok)
        *ok = false;
    EmployeeMaster m;
    QString procedure = QStringLiteral("read_data");
    try {
        QSqlQuery q(m_ctx.db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("Select * From JYUGYOIN Where CID = ? AND JGICODE = ?"));
        q.addBindValue(m_ctx.companyId);
        q.addBindValue(code);
        run(q);
        if (!q.next()) {
            if (ok)
                *ok = true;
            return std::nullopt;
        }
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

        if (!qualificationAmount(m.sikakuCode, &m.qualification) || !additionalPayAmount(m.fukakyuCode, &m.additional))
            return std::nullopt;   // already reported

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
    } catch (const QueryFailure& f) {
        fail(f.code, f.description, procedure);
        return std::nullopt;
    } catch (const TypeMismatch& e) {
        fail(TypeMismatch::code, QString::fromStdString(e.what()), procedure);
        return std::nullopt;
    }
    if (ok)
        *ok = true;
    return m;
}

bool StatementRepository::companyRates(CompanyRates* out)
{
    *out = CompanyRates();
    const QString procedure = m_form == QLatin1String("InpSyoyo") ? QStringLiteral("get_syakaihokenritu")
                                                                  : QStringLiteral("get_kaisya_kihon");
    try {
        QSqlQuery q(m_ctx.db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("Select KYUJITUTANKA, KINKYUTANKA, JKGNOMAL, JKGHOTEQ, JKGNOMALSINYA, JKGHOTESINYA,"
                                 " JKGNOMAL60, JKGSINYA60, KOYOHOKENRITU, KEKOHOKEN, KEKOHOKEN2, KONEHOKEN"
                                 " From COMPANY Where CID = ?"));
        q.addBindValue(m_ctx.companyId);
        run(q);
        if (!q.next())
            return true;   // no row: every rate 0
        auto n = [&](const char* c) { return NullToNum(q.value(QLatin1String(c))); };
        out->holidayDayRate = n("KYUJITUTANKA");
        out->callOutRate = n("KINKYUTANKA");
        out->overtimeFactors = {n("JKGNOMAL"), n("JKGHOTEQ"), n("JKGNOMALSINYA"), n("JKGHOTESINYA"),
                                n("JKGNOMAL60"), n("JKGSINYA60")};
        out->employmentInsuranceRate = n("KOYOHOKENRITU");
        out->healthRate = n("KEKOHOKEN");
        out->healthRateCare = n("KEKOHOKEN2");
        out->pensionRate = n("KONEHOKEN");
    } catch (const QueryFailure& f) {
        fail(f.code, f.description, procedure);
        return false;
    } catch (const TypeMismatch& e) {
        fail(TypeMismatch::code, QString::fromStdString(e.what()), procedure);
        return false;
    }
    return true;
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
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("Select KOYOHOKENRITU From COMPANY Where CID = ?"));
    q.addBindValue(m_ctx.companyId);
    try {
        run(q);
        return q.next() ? NullToNum(q.value(0)) : 0.0;
    } catch (const QueryFailure& f) {
        fail(f.code, f.description, QStringLiteral("get_koyohokenritu"), QStringLiteral("InpKyuyo"));
    } catch (const TypeMismatch& e) {
        fail(TypeMismatch::code, QString::fromStdString(e.what()), QStringLiteral("get_koyohokenritu"),
             QStringLiteral("InpKyuyo"));
    }
    return 0.0;
}

bool StatementRepository::readStatement(const QString& payMonth, const QString& code, const QString& kind,
                                        std::optional<MeisaiRecord>* out)
{
    out->reset();
    try {
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
    } catch (const QueryFailure& f) {
        fail(f.code, f.description, QStringLiteral("read_meisai_data"));
        return false;
    } catch (const TypeMismatch& e) {
        fail(TypeMismatch::code, QString::fromStdString(e.what()), QStringLiteral("read_meisai_data"));
        return false;
    }
    return true;
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
    try {
        QSqlQuery q(m_ctx.db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("Select * From MEISAI Where CID = ? AND SIKYUBI = ? And JGICODE = ? And SIKYUKBN = '1'"));
        q.addBindValue(m_ctx.companyId);
        q.addBindValue(previousPayMonth(bonusMonth));
        q.addBindValue(code);
        run(q);
        if (q.next())
            salary = MeisaiRecord::fromSqlRecord(q.record());
    } catch (const QueryFailure& f) {
        fail(f.code, f.description, QStringLiteral("get_zengetu_kyuyo"));
        return std::nullopt;
    } catch (const TypeMismatch& e) {
        fail(TypeMismatch::code, QString::fromStdString(e.what()), QStringLiteral("get_zengetu_kyuyo"));
        return std::nullopt;
    }
    if (!salary)
        return std::nullopt;
    const long long pay = salaryAfterSocialInsurance(*salary);
    if (pay <= 0)
        return std::nullopt;
    return pay;
}

long long StatementRepository::healthStandardEarlier(const QString& code, const QString& payMonth)
{
    long long total = 0;
    try {
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
    } catch (const QueryFailure& f) {
        fail(f.code, f.description, QStringLiteral("get_syoyo_ruikei"));
        return 0;
    } catch (const TypeMismatch& e) {
        fail(TypeMismatch::code, QString::fromStdString(e.what()), QStringLiteral("get_syoyo_ruikei"));
        return 0;
    }
    return total;
}

} // namespace minasel::payroll
