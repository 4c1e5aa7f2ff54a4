#pragma once
#include "payroll/kyuyocalculator.h"
#include "payroll/shahopremiums.h"
#include "payroll/statementscreen.h"

#include <array>

class QTableWidget;

namespace minasel {
class NumberField;
}

namespace minasel::payroll {

class JuminzeiStatementPart;

// 給与明細登録: one monthly salary statement, recomputed after every change and
// stored as the MEISAI row of pay kind "1".
class InpKyuyo : public StatementScreen {
    Q_OBJECT
public:
    explicit InpKyuyo(AppContext& ctx);

    MeisaiRecord statementOnScreen() const override;
    const KyuyoResult& lastResult() const { return m_result; }

protected:
    void clear_data() override;
    bool read_meisai_data(bool* found) override;
    void read_data() override;
    void recalculate() override { calculate_kyuyo(); }
    QWidget* firstStatementField() const override;

private:
    void buildLayout();
    NumberField* numberFieldForRate(QWidget* parent);
    void showStatement(const MeisaiRecord& s);
    void set_input_mode();
    void calculate_kyuyo();
    void showRate();
    void hoursChanged();
    void resetDeductionCaptions();
    void readInsurance();

    CompanyRates m_rates;
    StatementSwitches m_switches;
    QString m_employeeKind;
    int m_dependants = 0;
    QString m_healthKind = QStringLiteral("0");
    KyuyoResult m_result;
    StatementInsurance m_insurance;   // what the standard monthly remuneration gives this month
    bool m_loading = false;
    bool m_calculating = false;

    NumberField* m_txtBTime;
    NumberField* m_txtKihonQ;
    NumberField* m_txtYHosyu;
    NumberField* m_txtFood;
    NumberField* m_txtTukin;
    NumberField* m_txtSikaku;
    NumberField* m_txtHome;
    NumberField* m_txtFamily;
    NumberField* m_txtFukaQ;
    NumberField* m_txtJiq;
    NumberField* m_txtYobidasiKai;
    NumberField* m_txtYobidasi;
    NumberField* m_txtY;
    NumberField* m_txtQjituDay;
    NumberField* m_txtQjitu;
    NumberField* m_txtQ;
    std::array<NumberField*, 6> m_overtimeHours;
    std::array<NumberField*, 6> m_overtimePay;
    std::array<QLabel*, 6> m_factorCaptions;
    std::array<QLabel*, 7> m_rateCopies;   // beside the six overtime lines and the absence line
    NumberField* m_txtKTSTime;
    NumberField* m_txtKTSTMoney;
    QTableWidget* m_flxTeate;
    NumberField* m_txtHealth;
    NumberField* m_txtNenkin;
    NumberField* m_txtKoyoHoken;
    NumberField* m_txtSyotoku;
    NumberField* m_txtSiminTax;
    std::array<NumberField*, 5> m_txtKojyo;
    std::array<QLabel*, 5> m_lblKojyo;
    NumberField* m_txtKinmuDay;
    NumberField* m_txtYuQDay;
    NumberField* m_txtFusyunum;
    NumberField* m_txtFusyutime;
    NumberField* m_txtNentyo;
    NumberField* m_txtQyoSogaku;
    NumberField* m_txtHikazeigaku;
    NumberField* m_txtKazeiQyo;
    NumberField* m_txtSyakaiKei;
    NumberField* m_txtSasiQyoKojo;
    NumberField* m_txtKojoKei;
    NumberField* m_txtSasiSiq;
    QLabel* m_lblKihonQ;
    QLabel* m_lblJiq;
    QLabel* m_lblBTime;
    QLabel* m_lblYHosyu;
    QLabel* m_lblKoyoHoken;
    QLabel* m_lblSyotoku;
    QLabel* m_lblTaxNotice;
    QLabel* m_lblShahoNote;
    JuminzeiStatementPart* m_juminzei;
};

} // namespace minasel::payroll
