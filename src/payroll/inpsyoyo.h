#pragma once
#include "payroll/shahopremiums.h"
#include "payroll/statementscreen.h"
#include "payroll/syoyocalculator.h"

namespace minasel {
class NumberField;
class TextField;
}

namespace minasel::payroll {

// 賞与明細登録: one bonus statement, recomputed after every change and stored as the
// MEISAI row of pay kind "2".
class InpSyoyo : public StatementScreen {
    Q_OBJECT
public:
    explicit InpSyoyo(AppContext& ctx);

    MeisaiRecord statementOnScreen() const override;
    const SyoyoResult& lastResult() const { return m_result; }

protected:
    void clear_data() override;
    bool read_meisai_data(bool* found) override;
    void read_data() override;
    void recalculate() override { calculate_syoyo(); }
    QWidget* firstStatementField() const override;

private:
    void buildLayout();
    // The employee's values that do not come from the stored row: insured, the
    // switches, the previous month's salary and the fiscal year's earlier bonuses.
    bool readEmployee(bool takeMasterValues);
    void set_input_mode();
    void calculate_syoyo();

    SyoyoParameters m_params;
    QString m_employeeKind;
    int m_dependants = 0;
    QString m_healthKind;
    SyoyoResult m_result;
    StatementInsurance m_insurance;   // the levy and care of the bonus month
    bool m_loading = false;
    bool m_calculating = false;

    NumberField* m_txtQyoSogaku;
    NumberField* m_txtHyojun;
    NumberField* m_txtHealth;
    NumberField* m_txtNenkin;
    NumberField* m_txtKoyoHoken;
    NumberField* m_txtSyotoku;
    TextField* m_txtKojyoNM1;
    TextField* m_txtKojyoNM2;
    NumberField* m_txtKojyo1;
    NumberField* m_txtKojyo2;
    NumberField* m_txtSyakaiKei;
    NumberField* m_txtSasiQyoKojo;
    NumberField* m_txtKojoKei;
    NumberField* m_txtSasiSiq;
    NumberField* m_txtZengetu;
    QLabel* m_lblHealth;
    QLabel* m_lblNenkin;
    QLabel* m_lblKoyoHoken;
    QLabel* m_lblSyotoku;
    QLabel* m_lblTaxNotice;
    QLabel* m_lblZengetu;
    QLabel* m_lblHyojun;
    QLabel* m_lblShahoNote;
};

} // namespace minasel::payroll
