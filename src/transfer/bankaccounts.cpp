#include "transfer/bankaccounts.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "db/transactionguard.h"
#include "masters/sqlfailure.h"
#include "transfer/bankkana.h"
#include "transfer/zenginfile.h"

#include <QSqlError>
#include <QSqlQuery>
#include <functional>

namespace minasel::transfer {

namespace {

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString text(const QSqlQuery& q, const char* column)
{
    return NullToStr(q.value(QLatin1String(column))).trimmed();
}

// The account columns both tables share.
BankAccount accountFrom(const QSqlQuery& q)
{
    return {text(q, "GINKOCODE"), text(q, "GINKONAME"), text(q, "SITENCODE"), text(q, "SITENNAME"),
            text(q, "YOKINKBN"), text(q, "KOZANO")};
}

EmployeeBank employeeFrom(const QSqlQuery& q)
{
    return {text(q, "JGICODE"), accountFrom(q), text(q, "KOZANAME"), text(q, "FURIKOMIKBN") == QLatin1String("1")};
}

} // namespace

QString BankAccount::bankText() const
{
    return (bankCode + QLatin1Char(' ') + bankName).trimmed();
}

QString BankAccount::branchText() const
{
    return (branchCode + QLatin1Char(' ') + branchName).trimmed();
}

QString BankAccount::kindName() const
{
    return accountKind == QLatin1String("1") ? QStringLiteral("普通")
        : accountKind == QLatin1String("2")  ? QStringLiteral("当座")
                                             : QStringLiteral("その他");
}

db::RowValues CompanyBank::toRow(const QString& cid) const
{
    const BankAccount& a = account;
    return {cid, clientCode, clientName, a.bankCode, a.bankName, a.branchCode, a.branchName, a.accountKind,
            a.accountNumber, QString::number(payDay)};
}

db::RowValues EmployeeBank::toRow(const QString& cid) const
{
    const BankAccount& a = account;
    return {cid, code, a.bankCode, a.bankName, a.branchCode, a.branchName, a.accountKind, a.accountNumber,
            holderName, flag(transfer)};
}

BankAccounts::BankAccounts(AppContext& ctx, QString form) : m_ctx(ctx), m_form(std::move(form)) {}

bool BankAccounts::run(QSqlQuery& q, const QString& procedure)
{
    return masters::execOrReport(m_ctx, q, m_form + QLatin1Char('.') + procedure);
}

bool BankAccounts::readCompany(CompanyBank* out, bool* found)
{
    *found = false;
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT * FROM KAISYAGINKO WHERE CID = ?"));
    q.addBindValue(m_ctx.companyId);
    if (!run(q, QStringLiteral("read_kaisya_ginko")))
        return false;
    if (!q.next())
        return true;
    *out = {text(q, "IRAICODE"), text(q, "IRAINAME"), accountFrom(q),
            int(toNumberOr(q.value(QStringLiteral("SIKYUDAY")), 25))};
    *found = true;
    return true;
}

bool BankAccounts::saveCompany(const CompanyBank& bank)
{
    const QString procedure = QStringLiteral("write_kaisya_ginko");
    db::TransactionGuard guard(m_ctx.db());
    if (!guard.active()) {
        masters::reportSqlFailure(m_ctx, m_ctx.db().lastError(), m_form + QLatin1Char('.') + procedure);
        return false;
    }
    QSqlQuery q(m_ctx.db());
    q.prepare(QStringLiteral("DELETE FROM KAISYAGINKO WHERE CID = ?"));
    q.addBindValue(m_ctx.companyId);
    if (!run(q, procedure) || !db::WriteKaisyaGinkoTable(m_ctx, bank.toRow(m_ctx.companyId)))
        return false;
    if (!guard.commit()) {
        masters::reportSqlFailure(m_ctx, m_ctx.db().lastError(), m_form + QLatin1Char('.') + procedure);
        return false;
    }
    return true;
}

bool BankAccounts::readEmployee(const QString& code, EmployeeBank* out, bool* found)
{
    *found = false;
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT * FROM JYUGYOINGINKO WHERE CID = ? AND JGICODE = ?"));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(code);
    if (!run(q, QStringLiteral("read_jyugyoin_ginko")))
        return false;
    if (q.next()) {
        *out = employeeFrom(q);
        *found = true;
    }
    return true;
}

bool BankAccounts::readEmployees(QMap<QString, EmployeeBank>* out)
{
    out->clear();
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT * FROM JYUGYOINGINKO WHERE CID = ? ORDER BY JGICODE"));
    q.addBindValue(m_ctx.companyId);
    if (!run(q, QStringLiteral("read_jyugyoin_ginko")))
        return false;
    while (q.next()) {
        const EmployeeBank b = employeeFrom(q);
        out->insert(b.code, b);
    }
    return true;
}

bool BankAccounts::deleteRows(const QString& table, const QString& code, const QString& procedure)
{
    QSqlQuery q(m_ctx.db());
    q.prepare(QStringLiteral("DELETE FROM %1 WHERE CID = ? AND JGICODE = ?").arg(table));
    q.addBindValue(m_ctx.companyId);
    q.addBindValue(code);
    return run(q, procedure);
}

bool BankAccounts::saveEmployees(const QList<EmployeeBank>& banks)
{
    const QString procedure = QStringLiteral("write_jyugyoin_ginko");
    db::TransactionGuard guard(m_ctx.db());
    if (!guard.active()) {
        masters::reportSqlFailure(m_ctx, m_ctx.db().lastError(), m_form + QLatin1Char('.') + procedure);
        return false;
    }
    for (const EmployeeBank& b : banks)
        if (!deleteRows(QStringLiteral("JYUGYOINGINKO"), b.code, procedure)
            || !db::WriteJyugyoinGinkoTable(m_ctx, b.toRow(m_ctx.companyId)))
            return false;
    if (!guard.commit()) {
        masters::reportSqlFailure(m_ctx, m_ctx.db().lastError(), m_form + QLatin1Char('.') + procedure);
        return false;
    }
    return true;
}

bool BankAccounts::removeEmployee(const QString& code)
{
    return deleteRows(QStringLiteral("JYUGYOINGINKO"), code, QStringLiteral("delete_jyugyoin_ginko"));
}

QString BankAccounts::checkDigits(QString* value, int maxDigits, bool exact, const QString& field)
{
    const QString v = value->trimmed().normalized(QString::NormalizationForm_KC);
    if (v.isEmpty())
        return QStringLiteral("%1を入力して下さい。").arg(field);
    if (!ZenginFile::isDigits(v) || v.size() > maxDigits || (exact && v.size() != maxDigits))
        return exact ? QStringLiteral("%1は%2桁の数字で入力して下さい。").arg(field).arg(maxDigits)
                     : QStringLiteral("%1は%2桁以内の数字で入力して下さい。").arg(field).arg(maxDigits);
    *value = v.rightJustified(maxDigits, QLatin1Char('0'));
    return {};
}

QString BankAccounts::checkName(QString* value, bool account, bool required, const QString& field)
{
    const BankKana::Result r =
        BankKana::convert(*value, account ? BankKana::Purpose::AccountName : BankKana::Purpose::BankName);
    if (!r.ok())
        return field + QStringLiteral("の") + r.error;
    if (required && r.text.isEmpty())
        return QStringLiteral("%1を入力して下さい。").arg(field);
    *value = r.text;
    return {};
}

namespace {

// The checks in screen order; the first fault stops them.
struct Step {
    const char* column;
    std::function<QString()> check;
};

// A step without a column has set it itself.
QString firstFault(const QList<Step>& steps, QString* column)
{
    for (const Step& s : steps)
        if (const QString e = s.check(); !e.isEmpty()) {
            if (column && *s.column)
                *column = QLatin1String(s.column);
            return e;
        }
    return {};
}

QString checkKind(const QString& kind, bool other)
{
    if (kind == QLatin1String("1") || kind == QLatin1String("2") || (other && kind == QLatin1String("9")))
        return {};
    return other ? QStringLiteral("預金種目を選んで下さい。") : QStringLiteral("預金種目は普通か当座を選んで下さい。");
}

} // namespace

QString BankAccounts::checkAccount(BankAccount* a, bool otherKind, QString* column)
{
    return firstFault(
        {{"GINKOCODE", [&] { return checkDigits(&a->bankCode, 4, true, QStringLiteral("銀行番号")); }},
         {"GINKONAME", [&] { return checkName(&a->bankName, false, false, QStringLiteral("銀行名（カナ）")); }},
         {"SITENCODE", [&] { return checkDigits(&a->branchCode, 3, true, QStringLiteral("支店番号")); }},
         {"SITENNAME", [&] { return checkName(&a->branchName, false, false, QStringLiteral("支店名（カナ）")); }},
         {"YOKINKBN", [&] { return checkKind(a->accountKind, otherKind); }},
         {"KOZANO", [&] { return checkDigits(&a->accountNumber, 7, false, QStringLiteral("口座番号")); }}},
        column);
}

QString BankAccounts::checkCompany(CompanyBank* b, QString* column)
{
    return firstFault(
        {{"IRAICODE", [&] { return checkDigits(&b->clientCode, 10, false, QStringLiteral("依頼人コード")); }},
         {"IRAINAME", [&] { return checkName(&b->clientName, true, true, QStringLiteral("依頼人名（カナ）")); }},
         {"", [&] { return checkAccount(&b->account, true, column); }},
         {"SIKYUDAY",
          [&] {
              return b->payDay >= 1 && b->payDay <= 31 ? QString()
                                                       : QStringLiteral("給与支給日は1から31までの日で入力して下さい。");
          }}},
        column);
}

QString BankAccounts::checkEmployee(EmployeeBank* b, QString* column)
{
    // Someone paid otherwise may keep an account half entered; it is checked when the transfer is switched on.
    if (!b->transfer)
        return {};
    return firstFault(
        {{"", [&] { return checkAccount(&b->account, false, column); }},
         {"KOZANAME", [&] { return checkName(&b->holderName, true, true, QStringLiteral("口座名義（カナ）")); }}},
        column);
}

} // namespace minasel::transfer
