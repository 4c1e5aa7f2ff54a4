#pragma once
#include "reports/ledgerdisplay.h"

namespace minasel::reports {

// The monthly payroll ledger on screen: one pay month and kind at a time, or all
// of the span, with the totals.
class DspGetuDaityo : public LedgerDisplay {
    Q_OBJECT
public:
    explicit DspGetuDaityo(AppContext& ctx);

    // set_combox: the months and kinds of the span; false when there is nothing
    // to show (said to the user) or the reading failed (reported).
    bool load(const QString& start, const QString& end);
    const QList<LedgerMonth>& months() const { return m_months; }

protected:
    void showEntry(int index) override;
    QString csvName() const override;

private:
    QString m_start;
    QString m_end;
    QList<LedgerMonth> m_months;
};

} // namespace minasel::reports
