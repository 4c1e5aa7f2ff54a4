#include "payroll/inpsyoyo.h"

#include "app/appcontext.h"
#include "app/numberfield.h"
#include "app/textfield.h"
#include "app/valuehelpers.h"
#include "payroll/statementwidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace minasel::payroll {

InpSyoyo::InpSyoyo(AppContext& ctx)
    : StatementScreen(ctx, QStringLiteral("賞与明細登録"), QStringLiteral("InpSyoyo"), QStringLiteral("2"))
{
    setObjectName(QStringLiteral("InpSyoyo"));
    buildLayout();
    initialise();
}

QWidget* InpSyoyo::firstStatementField() const
{
    return m_txtQyoSogaku;
}

void InpSyoyo::buildLayout()
{
    auto* root = new QVBoxLayout(this);
    root->addLayout(monthAndEmployeeRow());

    auto* bonus = new QGroupBox(QStringLiteral("賞与"), this);
    auto* bg = new QGridLayout(bonus);
    m_txtQyoSogaku = amountField(bonus, QStringLiteral("txtQyoSogaku"));
    m_txtHyojun = resultField(bonus, QStringLiteral("txtHyojunSyoyo"));
    m_lblHyojun = noteLabel(bonus, QStringLiteral("lblHyojunNote"), 2);
    m_txtZengetu = resultField(bonus, QStringLiteral("txtZengetu"));
    m_lblZengetu = noteLabel(bonus, QStringLiteral("lblZengetu"), 2);
    bg->addWidget(caption(bonus, QStringLiteral("総支給額")), 0, 0);
    bg->addWidget(m_txtQyoSogaku, 0, 1);
    bg->addWidget(caption(bonus, QStringLiteral("標準賞与額")), 1, 0);
    bg->addWidget(m_txtHyojun, 1, 1);
    bg->addWidget(m_lblHyojun, 1, 2);
    bg->addWidget(caption(bonus, QStringLiteral("前月の給与（社会保険料等控除後）")), 2, 0);
    bg->addWidget(m_txtZengetu, 2, 1);
    bg->addWidget(m_lblZengetu, 2, 2);
    bg->setColumnStretch(2, 1);
    root->addWidget(bonus);

    auto* lower = new QHBoxLayout;
    auto* kojyo = new QGroupBox(QStringLiteral("控除項目"), this);
    auto* kg = new QGridLayout(kojyo);
    m_txtHealth = amountField(kojyo, QStringLiteral("txtHealth"));
    m_lblHealth = caption(kojyo, QStringLiteral("健康保険料"), QStringLiteral("lblHealth"));
    m_txtNenkin = amountField(kojyo, QStringLiteral("txtNenkin"));
    m_lblNenkin = caption(kojyo, QStringLiteral("厚生年金保険料"), QStringLiteral("lblNenkin"));
    m_txtKoyoHoken = amountField(kojyo, QStringLiteral("txtKoyoHoken"));
    m_lblKoyoHoken = caption(kojyo, QStringLiteral("雇用保険料"), QStringLiteral("lblKoyoHoken"));
    m_txtSyotoku = amountField(kojyo, QStringLiteral("txtSyotoku"));
    m_lblSyotoku = caption(kojyo, QStringLiteral("所得税"), QStringLiteral("lblSyotoku"));
    m_lblTaxNotice = noteLabel(kojyo, QStringLiteral("lblTaxNotice"), 2);
    m_txtKojyoNM1 = new TextField(kojyo);
    m_txtKojyoNM1->setObjectName(QStringLiteral("txtKojyoNM1"));
    m_txtKojyoNM2 = new TextField(kojyo);
    m_txtKojyoNM2->setObjectName(QStringLiteral("txtKojyoNM2"));
    m_txtKojyo1 = amountField(kojyo, QStringLiteral("txtKojyo1"));
    m_txtKojyo2 = amountField(kojyo, QStringLiteral("txtKojyo2"));
    kg->addWidget(m_lblHealth, 0, 0);
    kg->addWidget(m_txtHealth, 0, 2);
    kg->addWidget(m_lblNenkin, 1, 0);
    kg->addWidget(m_txtNenkin, 1, 2);
    kg->addWidget(m_lblKoyoHoken, 2, 0);
    kg->addWidget(m_txtKoyoHoken, 2, 2);
    kg->addWidget(m_lblSyotoku, 3, 0);
    kg->addWidget(m_txtSyotoku, 3, 2);
    kg->addWidget(m_lblTaxNotice, 4, 0, 1, 3);
    kg->addWidget(caption(kojyo, QStringLiteral("その他控除１")), 5, 0);
    kg->addWidget(m_txtKojyoNM1, 5, 1);
    kg->addWidget(m_txtKojyo1, 5, 2);
    kg->addWidget(caption(kojyo, QStringLiteral("その他控除２")), 6, 0);
    kg->addWidget(m_txtKojyoNM2, 6, 1);
    kg->addWidget(m_txtKojyo2, 6, 2);
    m_lblShahoNote = noteLabel(kojyo, QStringLiteral("lblShahoNote"), 2);
    kg->addWidget(m_lblShahoNote, 7, 0, 1, 3);
    kg->setRowStretch(8, 1);
    lower->addWidget(kojyo, 1);

    auto* sum = new QGroupBox(QStringLiteral("集計"), this);
    auto* sg = new QGridLayout(sum);
    m_txtSyakaiKei = resultField(sum, QStringLiteral("txtSyakaiKei"));
    m_txtSasiQyoKojo = resultField(sum, QStringLiteral("txtSasiQyoKojo"));
    m_txtKojoKei = resultField(sum, QStringLiteral("txtKojoKei"));
    m_txtSasiSiq = resultField(sum, QStringLiteral("txtSasiSiq"));
    sg->addWidget(caption(sum, QStringLiteral("社会保険料計")), 0, 0);
    sg->addWidget(m_txtSyakaiKei, 0, 1);
    sg->addWidget(caption(sum, QStringLiteral("社会保険料控除後")), 1, 0);
    sg->addWidget(m_txtSasiQyoKojo, 1, 1);
    sg->addWidget(caption(sum, QStringLiteral("控除合計")), 2, 0);
    sg->addWidget(m_txtKojoKei, 2, 1);
    sg->addWidget(caption(sum, QStringLiteral("差引支給額")), 3, 0);
    sg->addWidget(m_txtSasiSiq, 3, 1);
    sg->setRowStretch(4, 1);
    QFont strong = m_txtSasiSiq->font();
    strong.setBold(true);
    m_txtSasiSiq->setFont(strong);
    lower->addWidget(sum);
    root->addLayout(lower);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_lblStatus, 1);
    for (QPushButton* b : {m_cmdWrite, m_cmdDelete, m_cmdPrint, m_cmdCancel})
        buttons->addWidget(b);
    root->addLayout(buttons);

    const QList<QWidget*> order = {m_txtYear, m_txtMonth, m_cmbJyugyoin, m_txtQyoSogaku, m_txtHealth, m_txtNenkin,
                                   m_txtKoyoHoken, m_txtSyotoku, m_txtKojyoNM1, m_txtKojyo1, m_txtKojyoNM2, m_txtKojyo2,
                                   m_cmdWrite, m_cmdDelete, m_cmdPrint, m_cmdCancel};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    for (NumberField* f : {m_txtKoyoHoken, m_txtSyotoku, m_txtKojyo1, m_txtKojyo2})
        connect(f, &NumberField::valueChanged, this, [this] { calculate_syoyo(); });
    // A premium the user corrects stays as typed until the bonus itself changes,
    // which calls for the premiums to be computed afresh.
    auto typed = [this](bool* flag) {
        if (!m_loading && !m_calculating)
            *flag = true;
        calculate_syoyo();
    };
    connect(m_txtHealth, &NumberField::valueChanged, this, [this, typed] { typed(&m_params.healthTyped); });
    connect(m_txtNenkin, &NumberField::valueChanged, this, [this, typed] { typed(&m_params.pensionTyped); });
    connect(m_txtQyoSogaku, &NumberField::valueChanged, this, [this] {
        if (!m_loading && !m_calculating)
            m_params.healthTyped = m_params.pensionTyped = false;
        calculate_syoyo();
    });
}

void InpSyoyo::clear_data()
{
    m_loading = true;
    for (NumberField* f : findChildren<NumberField*>())
        f->setValue(0);
    m_txtKojyoNM1->clear();
    m_txtKojyoNM2->clear();
    m_employeeKind.clear();
    m_dependants = 0;
    m_healthKind.clear();
    m_params = SyoyoParameters();
    m_lblTaxNotice->clear();
    m_lblHyojun->clear();
    m_lblZengetu->clear();
    m_insurance = StatementInsurance();
    m_loading = false;
    calculate_syoyo();
}

bool InpSyoyo::readEmployee(bool takeMasterValues)
{
    const QString code = employeeCode();
    bool ok = false;
    const std::optional<EmployeeMaster> master = repository().employeeMaster(code, &ok);
    if (!ok)
        return false;
    m_params.insured = master && master->insured();
    if (master && takeMasterValues) {
        m_employeeKind = master->employeeKind;
        m_dependants = master->dependants;
        m_healthKind = master->healthKind;
    }
    if (!repository().companyRates(&m_params.rates))
        return false;
    // The levy of the bonus month goes into the health premium; care follows the age.
    if (!ShahoPremiums(ctx(), QStringLiteral("InpSyoyo")).bonus(code, payMonth(), &m_insurance))
        return false;
    m_params.shienRate = m_insurance.rates.shien;
    m_params.age = m_insurance.age;
    if (master && takeMasterValues)
        m_healthKind = m_insurance.age.care ? QStringLiteral("1") : QStringLiteral("0");
    m_params.previousPay = repository().previousMonthPay(code, payMonth());
    m_params.healthStandardEarlier = repository().healthStandardEarlier(code, payMonth());
    m_txtZengetu->setValue(double(m_params.previousPay.value_or(0)));
    m_lblZengetu->setText(m_params.previousPay ? QString()
                                               : QStringLiteral("前月の給与明細がありません（賞与の額から計算します）"));
    return true;
}

bool InpSyoyo::read_meisai_data(bool* found)
{
    std::optional<MeisaiRecord> stored;
    if (!repository().readStatement(payMonth(), employeeCode(), QStringLiteral("2"), &stored))
        return false;
    *found = stored.has_value();
    if (!stored)
        return true;
    clear_data();
    m_loading = true;
    m_employeeKind = stored->employeeKind;
    m_dependants = stored->dependants;
    m_healthKind = stored->healthKind;
    m_txtQyoSogaku->setValue(double(stored->kihonkyu));
    m_txtHealth->setValue(double(stored->health));
    m_txtNenkin->setValue(double(stored->pension));
    m_txtKoyoHoken->setValue(double(stored->employmentInsurance));
    m_txtSyotoku->setValue(double(stored->tax));
    m_txtKojyoNM1->setText(stored->deductionNames[0]);
    m_txtKojyo1->setValue(double(stored->deductions[0]));
    m_txtKojyoNM2->setText(stored->deductionNames[1]);
    m_txtKojyo2->setValue(double(stored->deductions[1]));
    m_loading = false;
    readEmployee(false);
    // The premiums show as registered, corrections included.
    m_params.healthTyped = m_params.pensionTyped = true;
    set_input_mode();
    calculate_syoyo();
    return true;
}

void InpSyoyo::read_data()
{
    clear_data();
    if (!readEmployee(true))
        return;
    set_input_mode();
    calculate_syoyo();
}

void InpSyoyo::set_input_mode()
{
    const QString code = employeeCode();
    m_params.switches = StatementSwitches::fromTexts(repository().koyohokenSw(code), repository().taxKubun(code));
    m_params.rates.employmentInsuranceRate = repository().koyohokenRitu();
    setEditable(m_txtKoyoHoken, !m_params.switches.computeEmploymentInsurance);
    m_lblKoyoHoken->setText(m_params.switches.computeEmploymentInsurance ? QStringLiteral("雇用保険料")
                                                                          : QStringLiteral("雇用保険料（修正可）"));
    setEditable(m_txtSyotoku, !m_params.switches.computeTax);
    m_lblSyotoku->setText(m_params.switches.computeTax ? QStringLiteral("所得税") : QStringLiteral("所得税（修正可）"));
    // Health and pension are computed for the insured and typed for anyone else;
    // either way the user may correct them.
    m_lblHealth->setText(m_params.insured ? QStringLiteral("健康保険料") : QStringLiteral("健康保険料（修正可）"));
    m_lblNenkin->setText(m_params.insured ? QStringLiteral("厚生年金保険料") : QStringLiteral("厚生年金保険料（修正可）"));
}

MeisaiRecord InpSyoyo::statementOnScreen() const
{
    MeisaiRecord r = newBonusStatement(ctx().companyId, payMonth(), employeeCode(), m_employeeKind, m_dependants,
                                       m_healthKind);
    r.kihonkyu = wholeYen(m_txtQyoSogaku->value());
    r.health = wholeYen(m_txtHealth->value());
    r.pension = wholeYen(m_txtNenkin->value());
    r.employmentInsurance = wholeYen(m_txtKoyoHoken->value());
    r.tax = wholeYen(m_txtSyotoku->value());
    r.deductionNames[0] = m_txtKojyoNM1->text().trimmed();
    r.deductions[0] = wholeYen(m_txtKojyo1->value());
    r.deductionNames[1] = m_txtKojyoNM2->text().trimmed();
    r.deductions[1] = wholeYen(m_txtKojyo2->value());
    return r;
}

void InpSyoyo::calculate_syoyo()
{
    if (m_loading || m_calculating)
        return;
    m_calculating = true;
    m_result = calculateSyoyo(statementOnScreen(), m_params);
    const MeisaiRecord& s = m_result.statement;
    m_txtHyojun->setValue(double(m_result.standardAmount));
    m_txtHealth->setValue(double(s.health));
    m_txtNenkin->setValue(double(s.pension));
    m_txtKoyoHoken->setValue(double(s.employmentInsurance));
    m_txtSyotoku->setValue(double(s.tax));
    m_txtSyakaiKei->setValue(double(m_result.socialInsurance));
    m_txtSasiQyoKojo->setValue(double(m_result.afterSocialInsurance));
    m_txtKojoKei->setValue(double(m_result.deductionTotal));
    m_txtSasiSiq->setValue(double(m_result.netPayment));
    m_lblTaxNotice->setText(m_result.taxComputed ? rulesNotice(m_result.taxResult) : QString());
    QStringList caps;
    if (m_params.insured && m_result.healthStandard < m_result.standardAmount)
        caps << QStringLiteral("健康保険 %1（年度累計の上限）").arg(formatAmount(m_result.healthStandard));
    if (m_params.insured && m_result.pensionStandard < m_result.standardAmount)
        caps << QStringLiteral("厚生年金 %1（上限）").arg(formatAmount(m_result.pensionStandard));
    m_lblHyojun->setText(caps.join(QStringLiteral("　")));
    const bool computedHealth = m_params.insured && s.health == m_result.computedHealth;
    m_lblShahoNote->setText(insuranceNote(computedHealth ? m_result.shienPart : 0, m_insurance));
    m_calculating = false;
}

} // namespace minasel::payroll
