#pragma once
#include "transfer/bankaccounts.h"

#include <QList>
#include <optional>

namespace minasel {
class AppContext;
}

namespace minasel::transfer {

// One stored statement of the month as the transfer sees it: the employee, the
// net pay (差引支給額, as the monthly ledger shows it) and where it would go.
struct TransferLine {
    QString code;
    QString name;
    long long netPay = 0;
    std::optional<EmployeeBank> bank;

    // Why the line cannot be transferred; "" when it can.
    QString exclusion() const;
    bool transferable() const { return exclusion().isEmpty(); }
};

class TransferData {
public:
    TransferData(AppContext& ctx, QString form);

    // The statements of the pay month and kind (1 salary, 2 bonus), in code order.
    bool read(const QString& payMonth, int kind, QList<TransferLine>* out);

    // The usual pay day in the pay month ("yyyymm") as MMDD, moved back to the
    // Friday before when it falls on a weekend; a day past the month's end is its last day.
    static QString defaultDate(const QString& payMonth, int payDay);
    // "" when `mmdd` is a date of the pay month's year (or the next, for January
    // after a December pay month); otherwise the message for the user.
    static QString checkDate(const QString& mmdd, const QString& payMonth);

private:
    AppContext& m_ctx;
    QString m_form;
};

} // namespace minasel::transfer
