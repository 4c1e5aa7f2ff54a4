#include "reports/dspgetudaityo.h"

#include "app/appcontext.h"
#include "reports/ledgergrid.h"

#include <QComboBox>

namespace minasel::reports {

DspGetuDaityo::DspGetuDaityo(AppContext& ctx)
    : LedgerDisplay(ctx, QStringLiteral("月別賃金台帳表示"), QStringLiteral("dspGetuDaityo"))
{
}

bool DspGetuDaityo::load(const QString& start, const QString& end)
{
    m_start = start;
    m_end = end;
    DbError error;
    if (!LedgerData(ctx().db(), ctx().companyId).readMonths(start, end, &m_months, &error)) {
        ctx().reportError(error.code, error.description, QStringLiteral("dspGetuDaityo.set_combox"));
        return false;
    }
    if (m_months.isEmpty()) {
        ctx().messages().exclamation(QStringLiteral("表示可能なデータを決めた後、表示ボタンを押して下さい。"));
        return false;
    }
    QStringList entries;
    for (const LedgerMonth& m : m_months)
        entries << LedgerTable::entryText(m);
    entries << LedgerTable::allDataEntry();
    setEntries(entries);
    list()->setCurrentIndex(0);
    return true;
}

void DspGetuDaityo::showEntry(int index)
{
    const bool all = index >= m_months.size();
    const QString from = all ? m_start : m_months[index].payMonth;
    const QString to = all ? m_end : m_months[index].payMonth;
    QList<LedgerLine> lines;
    DbError error;
    if (!LedgerData(ctx().db(), ctx().companyId).readPeriod(from, to, &lines, &error)) {
        ctx().reportError(error.code, error.description, QStringLiteral("dspGetuDaityo.display_singledata"));
        setTable(LedgerTable());
        return;
    }
    if (all) {
        setTable(LedgerTable::monthlyAll(lines));
        return;
    }
    const int kind = m_months[index].kind;
    lines.removeIf([kind](const LedgerLine& l) { return l.kind != kind; });
    setTable(LedgerTable::monthly(lines));
}

QString DspGetuDaityo::csvName() const
{
    const int index = list()->currentIndex();
    if (index < 0 || index >= m_months.size())
        return QStringLiteral("月別賃金台帳_%1-%2").arg(m_start, m_end);
    const LedgerMonth& m = m_months[index];
    return QStringLiteral("月別賃金台帳_%1_%2").arg(m.payMonth, m.kind == 2 ? QStringLiteral("賞与") : QStringLiteral("給与"));
}

} // namespace minasel::reports
