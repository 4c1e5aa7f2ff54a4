#include "transfer/transferdata.h"

#include "app/appcontext.h"
#include "reports/ledgerdata.h"

#include <QDate>

namespace minasel::transfer {

QString TransferLine::exclusion() const
{
    if (!bank)
        return QStringLiteral("振込口座が未登録");
    if (!bank->transfer)
        return QStringLiteral("振込しない");
    if (netPay <= 0)
        return QStringLiteral("差引支給額が0円以下");
    return {};
}

TransferData::TransferData(AppContext& ctx, QString form) : m_ctx(ctx), m_form(std::move(form)) {}

bool TransferData::read(const QString& payMonth, int kind, QList<TransferLine>* out)
{
    out->clear();
    QMap<QString, EmployeeBank> banks;
    if (!BankAccounts(m_ctx, m_form).readEmployees(&banks))
        return false;
    // The ledger's own reading, so that each amount is the net pay the monthly ledger prints.
    QList<reports::LedgerLine> lines;
    DbError error;
    if (!reports::LedgerData(m_ctx.db(), m_ctx.companyId).readPeriod(payMonth, payMonth, &lines, &error)) {
        m_ctx.reportError(error.code, error.description, m_form + QStringLiteral(".read_meisai_data"));
        return false;
    }
    for (const reports::LedgerLine& l : lines) {
        if (l.kind != kind)
            continue;
        TransferLine t{l.code, l.name, l.netPay(), std::nullopt};
        if (banks.contains(l.code))
            t.bank = banks.value(l.code);
        out->append(t);
    }
    return true;
}

QString TransferData::defaultDate(const QString& payMonth, int payDay)
{
    const int year = payMonth.left(4).toInt();
    const int month = payMonth.mid(4, 2).toInt();
    QDate d(year, month, 1);
    if (!d.isValid())
        return {};
    d = d.addDays(std::clamp(payDay, 1, d.daysInMonth()) - 1);
    while (d.dayOfWeek() > 5)
        d = d.addDays(-1);
    return d.toString(QStringLiteral("MMdd"));
}

QString TransferData::checkDate(const QString& mmdd, const QString& payMonth)
{
    const int payYear = payMonth.left(4).toInt();
    const int month = mmdd.left(2).toInt();
    const int year = month < payMonth.mid(4, 2).toInt() ? payYear + 1 : payYear;
    bool digits = mmdd.size() == 4;
    for (QChar c : mmdd)
        digits = digits && c.isDigit();
    if (!digits || !QDate(year, month, mmdd.mid(2).toInt()).isValid())
        return QStringLiteral("振込指定日を正しい月日で入力して下さい。");
    return {};
}

} // namespace minasel::transfer
