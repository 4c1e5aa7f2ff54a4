#pragma once
#include "reports/kojindaityoform.h"
#include "reports/ledgerdisplay.h"

class QLabel;

namespace minasel::reports {

// The individual ledger on screen: the chosen employees one at a time (or all),
// the employee's particulars above the grid of months, bonuses and totals.
class DspKojinDaityo : public LedgerDisplay {
    Q_OBJECT
public:
    explicit DspKojinDaityo(AppContext& ctx);

    void load(const QString& year, const QList<PickerEntry>& employees);

protected:
    void showEntry(int index) override;
    QString csvName() const override;

private:
    // get_title_data: the header texts of one employee ("" for all).
    void setHeader(const LedgerEmployee* employee);
    bool read(const PickerEntry& e, KojinDaityo* out, bool* found);

    QString m_year;
    QList<PickerEntry> m_employees;
    QLabel* m_joined;
    QLabel* m_job;
    QLabel* m_address;
    QLabel* m_sex;
};

} // namespace minasel::reports
