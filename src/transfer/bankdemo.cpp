#include "transfer/bankdemo.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "db/rowwriter.h"
#include "db/transactionguard.h"
#include "transfer/bankaccounts.h"
#include "transfer/bankkana.h"

#include <QSqlError>
#include <QSqlQuery>
#include <random>

namespace minasel::transfer {

namespace {

// Banks 9901 to 9905 and their branches; no real bank has a code from 9900 up.
const char* const kBanks[] = {"ﾃﾞﾓｷﾞﾝｺｳ", "ｻﾝﾌﾟﾙｷﾞﾝｺｳ", "ﾐﾅｾﾙｼﾝｷﾝ", "ﾀﾒｼｷﾞﾝｺｳ", "ﾓﾃﾞﾙｼﾝｸﾐ"};
const char* const kBranches[] = {"ﾎﾝﾃﾝ", "ｴｷﾏｴ", "ﾁﾕｳｵｳ", "ﾐﾅﾐ", "ｷﾀ", "ﾋｶﾞｼ", "ﾆｼ"};

class Accounts {
public:
    explicit Accounts(unsigned seed) : m_rng(seed) {}
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    // Bank and branch, codes with the names that go with them.
    BankAccount account(const char* kind)
    {
        const int bank = between(0, int(std::size(kBanks)) - 1);
        const int branch = between(0, int(std::size(kBranches)) - 1);
        return {QString::number(9901 + bank), QString::fromUtf8(kBanks[bank]),
                QStringLiteral("%1").arg(branch * 10 + 1, 3, 10, QLatin1Char('0')), QString::fromUtf8(kBranches[branch]),
                QLatin1String(kind), digits(7)};
    }
    QString digits(int n)
    {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'0' + between(i == 0 ? 1 : 0, 9));
        return s;
    }

private:
    std::mt19937 m_rng;
};

bool query(QSqlQuery& q, const QString& sql, const QString& cid, QString* error)
{
    q.setForwardOnly(true);
    q.prepare(sql);
    q.addBindValue(cid);
    if (q.exec())
        return true;
    *error = q.lastError().text();
    return false;
}

} // namespace

bool BankDemo::run(AppContext& ctx, const QStringList& companyIds, unsigned seed, QString* error)
{
    for (int c = 0; c < companyIds.size(); ++c) {
        const QString& cid = companyIds[c];
        Accounts g(seed + unsigned(c) * 7919u);
        db::TransactionGuard tx(ctx.db());
        if (!tx.active()) {
            *error = ctx.db().lastError().text();
            return false;
        }
        QSqlQuery company(ctx.db());
        if (!query(company, QStringLiteral("SELECT CFKN FROM COMPANY WHERE CID = ?"), cid, error))
            return false;
        if (!company.next()) {
            *error = QStringLiteral("会社 %1 がありません。").arg(cid);
            return false;
        }
        CompanyBank bank;
        bank.clientCode = g.digits(10);
        // The demo companies are 株式会社 at the end of their names.
        bank.clientName = NullToStr(company.value(0)).trimmed() + QStringLiteral("株式会社");
        bank.account = g.account("2");
        bank.payDay = 25;
        if (const QString e = BankAccounts::checkCompany(&bank); !e.isEmpty()) {
            *error = QStringLiteral("会社 %1: %2").arg(cid, e);
            return false;
        }
        if (!db::WriteKaisyaGinkoTable(ctx, bank.toRow(cid))) {
            *error = QStringLiteral("会社 %1 の振込口座を登録できませんでした。").arg(cid);
            return false;
        }

        QSqlQuery employees(ctx.db());
        if (!query(employees, QStringLiteral("SELECT JGICODE, JGIKANA FROM JYUGYOIN WHERE CID = ? ORDER BY JGICODE"),
                   cid, error))
            return false;
        int n = 0;
        while (employees.next()) {
            EmployeeBank e;
            e.code = NullToStr(employees.value(0)).trimmed();
            e.holderName = NullToStr(employees.value(1)).trimmed();
            e.account = g.account("1");
            // Every tenth employee is paid otherwise and stays off the file.
            e.transfer = ++n % 10 != 0;
            const bool transfer = e.transfer;
            e.transfer = true;   // checked as a transfer account all the same
            if (!BankAccounts::checkEmployee(&e).isEmpty())
                continue;   // a name the banks cannot take: left for the user to enter
            e.transfer = transfer;
            if (!db::WriteJyugyoinGinkoTable(ctx, e.toRow(cid))) {
                *error = QStringLiteral("会社 %1 の従業員 %2 の振込口座を登録できませんでした。").arg(cid, e.code);
                return false;
            }
        }
        if (!tx.commit()) {
            *error = ctx.db().lastError().text();
            return false;
        }
    }
    return true;
}

} // namespace minasel::transfer
