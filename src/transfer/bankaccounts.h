#pragma once
#include "db/rowwriter.h"

#include <QMap>
#include <QString>

class QSqlQuery;

namespace minasel {
class AppContext;
}

namespace minasel::transfer {

// An account at a bank: the bank and branch by number and name (bank kana), the
// kind of account and its number.
struct BankAccount {
    QString bankCode;        // 4 digits
    QString bankName;
    QString branchCode;      // 3 digits
    QString branchName;
    QString accountKind = QStringLiteral("1");   // 1 普通, 2 当座, 9 その他 (the company's only)
    QString accountNumber;   // 7 digits

    // "9999 ﾃｽﾄｷﾞﾝｺｳ", "001 ﾎﾝﾃﾝ", "普通": as the lists show them.
    QString bankText() const;
    QString branchText() const;
    QString kindName() const;
};

// The company's side of a transfer (KAISYAGINKO): the code its bank gave it,
// its name for the bank, the account the money leaves from, and its usual pay day.
struct CompanyBank {
    QString clientCode;      // 依頼人コード, 10 digits
    QString clientName;      // 依頼人名 (bank kana)
    BankAccount account;
    int payDay = 25;         // 1 to 31; past the month's end means its last day

    db::RowValues toRow(const QString& cid) const;
};

// An employee's account (JYUGYOINGINKO) and whether the net pay goes there.
struct EmployeeBank {
    QString code;            // JGICODE
    BankAccount account;
    QString holderName;      // 受取人名 (bank kana)
    bool transfer = true;    // FURIKOMIKBN

    db::RowValues toRow(const QString& cid) const;
};

// Reads and writes the bank data of the current company. A failure is logged as
// "<form>.<procedure>" with the common message and the call gives false.
class BankAccounts {
public:
    BankAccounts(AppContext& ctx, QString form);

    bool readCompany(CompanyBank* out, bool* found);
    bool saveCompany(const CompanyBank& bank);
    bool readEmployee(const QString& code, EmployeeBank* out, bool* found);
    // Every employee's account, by code.
    bool readEmployees(QMap<QString, EmployeeBank>* out);
    // Replaces the rows of these employees in one transaction: all or none.
    bool saveEmployees(const QList<EmployeeBank>& banks);
    bool removeEmployee(const QString& code);

    // The checks of entry and import. Each brings the values to the form they are
    // stored in (names converted for the bank, numbers zero-filled) and gives ""
    // or the first fault as a message for the user, with the column it is in.
    static QString checkCompany(CompanyBank* bank, QString* column = nullptr);
    // `otherKind`: kind 9 (その他) is taken too.
    static QString checkAccount(BankAccount* account, bool otherKind, QString* column = nullptr);
    static QString checkEmployee(EmployeeBank* bank, QString* column = nullptr);
    // `value` of 1 to `maxDigits` digits (exactly `maxDigits` when `exact`), zero-filled.
    static QString checkDigits(QString* value, int maxDigits, bool exact, const QString& field);
    // A name converted for the bank; `required` refuses an empty one.
    static QString checkName(QString* value, bool account, bool required, const QString& field);

private:
    bool run(QSqlQuery& q, const QString& procedure);
    bool deleteRows(const QString& table, const QString& code, const QString& procedure);

    AppContext& m_ctx;
    QString m_form;
};

} // namespace minasel::transfer
