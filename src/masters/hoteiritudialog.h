#pragma once
#include "payroll/shahorates.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace minasel {
class NumberField;
}

namespace minasel::masters {

// 法定料率を設定: the rates of the law for the company's prefecture and a chosen premium
// month, and the employment-insurance rate of a chosen kind of business, shown before
// they are taken over by the company screen.
class HoteiRituDialog : public QDialog {
    Q_OBJECT
public:
    // `prefecture` 0 when the company's is not known yet; `premiumMonth` yyyymm.
    HoteiRituDialog(int prefecture, int premiumMonth, bool sameMonth, int jigyoKind, QWidget* parent = nullptr);

    int prefecture() const;
    int premiumMonth() const;
    int jigyoKind() const;
    // The rates found for the choices; valid only when the set button is enabled.
    const payroll::StatutoryRates& rates() const { return m_rates; }

private:
    void refresh();

    bool m_sameMonth;
    payroll::StatutoryRates m_rates;
    QComboBox* m_pref;
    NumberField* m_year;
    NumberField* m_month;
    QComboBox* m_kind;
    QLabel* m_result;
    QLabel* m_notice;
    QPushButton* m_set;
};

} // namespace minasel::masters
