#include "payroll/inpkyuyo.h"

#include "app/appcontext.h"
#include "app/numberfield.h"
#include "app/valuehelpers.h"
#include "payroll/juminzeistatementpart.h"
#include "payroll/statementwidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace minasel::payroll {

namespace {

const char* const kOvertimeCaptions[] = {
    "時間外手当（法定休日以外）", "時間外手当（法定休日）", "深夜割増手当（法定休日以外）",
    "深夜割増手当（法定休日）", "月60時間超割増手当（平時）", "月60時間超割増手当（深夜）",
};
const char* const kOvertimeHourNames[] = {"txtGTime", "txtHTime", "txtJTime", "txtSHTime", "txtGTime60", "txtSYTime60"};
const char* const kOvertimePayNames[] = {"txtGTMoney", "txtHTMoney", "txtJTMoney", "txtSHMoney", "txtGTMoney60",
                                         "txtSYMoney60"};

QString rateText(double rate)
{
    const bool whole = rate == std::floor(rate);
    return formatNumber(rate, whole ? QStringLiteral("#,##0") : QStringLiteral("#,##0.00"));
}

QString factorText(double factor)
{
    return QString::number(factor, 'g', 10);
}

} // namespace

InpKyuyo::InpKyuyo(AppContext& ctx)
    : StatementScreen(ctx, QStringLiteral("給与明細登録"), QStringLiteral("InpKyuyo"), QStringLiteral("1"))
{
    setObjectName(QStringLiteral("InpKyuyo"));
    buildLayout();
    repository().companyRates(&m_rates);   // get_kaisya_kihon, once when the screen opens
    m_txtQ->setValue(m_rates.holidayDayRate);
    m_txtY->setValue(m_rates.callOutRate);
    initialise();
}

QWidget* InpKyuyo::firstStatementField() const
{
    return m_txtKihonQ;
}

void InpKyuyo::buildLayout()
{
    auto* root = new QVBoxLayout(this);

    root->addLayout(monthAndEmployeeRow());

    // Fixed pay items.
    auto* pay = new QGroupBox(QStringLiteral("支給項目"), this);
    auto* pg = new QGridLayout(pay);
    int row = 0;
    auto addPay = [&](QLabel* label, NumberField* field) {
        pg->addWidget(label, row, 0);
        pg->addWidget(field, row++, 1);
    };
    m_txtKihonQ = amountField(pay, QStringLiteral("txtKihonQ"));
    m_lblKihonQ = caption(pay, QStringLiteral("基本給"), QStringLiteral("lblKihonQ"));
    m_txtJiq = numberFieldForRate(pay);
    m_lblJiq = caption(pay, QStringLiteral("時給"), QStringLiteral("lblJiq"));
    m_txtBTime = hoursField(pay, QStringLiteral("txtBTime"));
    m_lblBTime = caption(pay, QStringLiteral("労働時間"), QStringLiteral("lblBTime"));
    m_txtYHosyu = amountField(pay, QStringLiteral("txtYHosyu"));
    m_lblYHosyu = caption(pay, QStringLiteral("役員報酬"), QStringLiteral("lblYHosyu"));
    addPay(m_lblJiq, m_txtJiq);
    addPay(m_lblBTime, m_txtBTime);
    addPay(m_lblKihonQ, m_txtKihonQ);
    addPay(m_lblYHosyu, m_txtYHosyu);
    m_txtFood = amountField(pay, QStringLiteral("txtFood"));
    addPay(caption(pay, QStringLiteral("食事手当")), m_txtFood);
    m_txtTukin = amountField(pay, QStringLiteral("txtTukin"));
    addPay(caption(pay, QStringLiteral("通勤手当")), m_txtTukin);
    m_txtSikaku = amountField(pay, QStringLiteral("txtSikaku"));
    addPay(caption(pay, QStringLiteral("資格手当")), m_txtSikaku);
    m_txtHome = amountField(pay, QStringLiteral("txtHome"));
    addPay(caption(pay, QStringLiteral("住宅手当")), m_txtHome);
    m_txtFamily = amountField(pay, QStringLiteral("txtFamily"));
    addPay(caption(pay, QStringLiteral("家族手当")), m_txtFamily);
    m_txtFukaQ = amountField(pay, QStringLiteral("txtFukaQ"));
    addPay(caption(pay, QStringLiteral("付加給")), m_txtFukaQ);
    pg->setRowStretch(row, 1);

    // Overtime, holiday work, call-outs and absence: quantity × rate (× factor) = amount.
    auto* extra = new QGroupBox(QStringLiteral("時間外・休日出勤・緊急呼出・欠勤"), this);
    auto* eg = new QGridLayout(extra);
    // Headings kept no wider than their columns, so that the statement fits 1024×768.
    eg->addWidget(caption(extra, QStringLiteral("時間・日数\n回数")), 0, 1, Qt::AlignBottom);
    eg->addWidget(caption(extra, QStringLiteral("単価")), 0, 2, Qt::AlignRight | Qt::AlignBottom);
    eg->addWidget(caption(extra, QStringLiteral("金額")), 0, 4, Qt::AlignRight | Qt::AlignBottom);
    for (int i = 0; i < 6; ++i) {
        m_overtimeHours[size_t(i)] = hoursField(extra, QLatin1String(kOvertimeHourNames[i]));
        m_overtimePay[size_t(i)] = resultField(extra, QLatin1String(kOvertimePayNames[i]));
        m_rateCopies[size_t(i)] = caption(extra, QString(), QStringLiteral("lblJiq%1").arg(i + 1));
        m_factorCaptions[size_t(i)] = caption(extra, QString(), QStringLiteral("lblFactor%1").arg(i + 1));
        m_rateCopies[size_t(i)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        eg->addWidget(caption(extra, QString::fromUtf8(kOvertimeCaptions[i])), i + 1, 0);
        eg->addWidget(m_overtimeHours[size_t(i)], i + 1, 1);
        eg->addWidget(m_rateCopies[size_t(i)], i + 1, 2);
        eg->addWidget(m_factorCaptions[size_t(i)], i + 1, 3);
        eg->addWidget(m_overtimePay[size_t(i)], i + 1, 4);
    }
    m_txtQjituDay = daysField(extra, QStringLiteral("txtQjituDay"));
    m_txtQ = resultField(extra, QStringLiteral("txtQ"));
    m_txtQ->setFixedWidth(72);
    m_txtQjitu = resultField(extra, QStringLiteral("txtQjitu"));
    eg->addWidget(caption(extra, QStringLiteral("休日出勤 日数")), 7, 0);
    eg->addWidget(m_txtQjituDay, 7, 1);
    eg->addWidget(m_txtQ, 7, 2);
    eg->addWidget(caption(extra, QStringLiteral("×日数")), 7, 3);
    eg->addWidget(m_txtQjitu, 7, 4);
    m_txtYobidasiKai = countField(extra, QStringLiteral("txtYobidasiKai"));
    m_txtY = resultField(extra, QStringLiteral("txtY"));
    m_txtY->setFixedWidth(72);
    m_txtYobidasi = resultField(extra, QStringLiteral("txtYobidasi"));
    eg->addWidget(caption(extra, QStringLiteral("緊急呼出 回数")), 8, 0);
    eg->addWidget(m_txtYobidasiKai, 8, 1);
    eg->addWidget(m_txtY, 8, 2);
    eg->addWidget(caption(extra, QStringLiteral("×回数")), 8, 3);
    eg->addWidget(m_txtYobidasi, 8, 4);
    m_txtKTSTime = hoursField(extra, QStringLiteral("txtKTSTime"));
    m_txtKTSTMoney = resultField(extra, QStringLiteral("txtKTSTMoney"));
    m_rateCopies[6] = caption(extra, QString(), QStringLiteral("lblJiq7"));
    m_rateCopies[6]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    eg->addWidget(caption(extra, QStringLiteral("欠勤・遅刻・早退")), 9, 0);
    eg->addWidget(m_txtKTSTime, 9, 1);
    eg->addWidget(m_rateCopies[6], 9, 2);
    eg->addWidget(caption(extra, QStringLiteral("×時間数")), 9, 3);
    eg->addWidget(m_txtKTSTMoney, 9, 4);
    eg->setRowStretch(10, 1);

    // Other allowances.
    auto* teate = new QGroupBox(QStringLiteral("その他手当"), this);
    auto* tl = new QVBoxLayout(teate);
    m_flxTeate = new QTableWidget(MeisaiRecord::kAllowances, 2, teate);
    m_flxTeate->setObjectName(QStringLiteral("flxTeate"));
    m_flxTeate->setHorizontalHeaderLabels({QStringLiteral("　　手当名称"), QStringLiteral("　手当金額")});
    m_flxTeate->setColumnWidth(0, 128);
    m_flxTeate->setColumnWidth(1, 80);
    m_flxTeate->verticalHeader()->setDefaultSectionSize(22);
    m_flxTeate->setItemDelegateForColumn(1, new AmountDelegate(m_flxTeate));
    m_flxTeate->setTabKeyNavigation(false);
    m_flxTeate->setFixedWidth(m_flxTeate->verticalHeader()->sizeHint().width() + 128 + 80 + 2 * m_flxTeate->frameWidth());
    for (int r = 0; r < MeisaiRecord::kAllowances; ++r)
        for (int c = 0; c < 2; ++c) {
            auto* item = new QTableWidgetItem;
            if (c == 1)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_flxTeate->setItem(r, c, item);
        }
    tl->addWidget(m_flxTeate);

    auto* middle = new QHBoxLayout;
    middle->addWidget(pay);
    middle->addWidget(extra, 1);
    middle->addWidget(teate);
    root->addLayout(middle);

    // Deductions.
    auto* kojyo = new QGroupBox(QStringLiteral("控除項目"), this);
    auto* kg = new QGridLayout(kojyo);
    m_txtHealth = amountField(kojyo, QStringLiteral("txtHealth"));
    m_txtNenkin = amountField(kojyo, QStringLiteral("txtNenkin"));
    m_txtKoyoHoken = amountField(kojyo, QStringLiteral("txtKoyoHoken"));
    m_lblKoyoHoken = caption(kojyo, QStringLiteral("雇用保険料"), QStringLiteral("lblKoyoHoken"));
    m_txtSyotoku = amountField(kojyo, QStringLiteral("txtSyotoku"));
    m_lblSyotoku = caption(kojyo, QStringLiteral("所得税"), QStringLiteral("lblSyotoku"));
    m_txtSiminTax = amountField(kojyo, QStringLiteral("txtSiminTax"));
    m_lblTaxNotice = noteLabel(kojyo, QStringLiteral("lblTaxNotice"), 2);
    m_juminzei = new JuminzeiStatementPart(ctx(), kojyo);
    kg->addWidget(caption(kojyo, QStringLiteral("健康保険料")), 0, 0);
    kg->addWidget(m_txtHealth, 0, 1);
    kg->addWidget(caption(kojyo, QStringLiteral("厚生年金保険料")), 1, 0);
    kg->addWidget(m_txtNenkin, 1, 1);
    kg->addWidget(m_lblKoyoHoken, 2, 0);
    kg->addWidget(m_txtKoyoHoken, 2, 1);
    kg->addWidget(m_lblSyotoku, 3, 0);
    kg->addWidget(m_txtSyotoku, 3, 1);
    kg->addWidget(caption(kojyo, QStringLiteral("住民税")), 4, 0);
    kg->addWidget(m_txtSiminTax, 4, 1);
    kg->addWidget(m_juminzei->box(), 5, 0, 1, 4);
    kg->addWidget(m_lblTaxNotice, 6, 0, 1, 4);
    m_lblShahoNote = noteLabel(kojyo, QStringLiteral("lblShahoNote"), 2);
    kg->addWidget(m_lblShahoNote, 7, 0, 1, 4);
    for (int i = 0; i < MeisaiRecord::kDeductions; ++i) {
        m_txtKojyo[size_t(i)] = amountField(kojyo, QStringLiteral("txtKojyo%1").arg(i + 1));
        m_lblKojyo[size_t(i)] = caption(kojyo, defaultDeductionCaption(i + 1), QStringLiteral("lblKojyo%1").arg(i + 1));
        kg->addWidget(m_lblKojyo[size_t(i)], i, 2);
        kg->addWidget(m_txtKojyo[size_t(i)], i, 3);
    }
    kg->setColumnMinimumWidth(2, 120);
    // The notes below span the columns and would otherwise squeeze the captions.
    kg->setColumnMinimumWidth(0, m_lblKoyoHoken->fontMetrics().horizontalAdvance(QStringLiteral("雇用保険料（修正可）")));
    kg->setColumnStretch(4, 1);

    // Attendance.
    auto* kintai = new QGroupBox(QStringLiteral("勤怠"), this);
    auto* ag = new QGridLayout(kintai);
    m_txtKinmuDay = daysField(kintai, QStringLiteral("txtKinmuDay"));
    m_txtYuQDay = daysField(kintai, QStringLiteral("txtYuQDay"));
    m_txtFusyunum = daysField(kintai, QStringLiteral("txtFusyunum"));
    m_txtFusyutime = hoursField(kintai, QStringLiteral("txtFusyutime"));
    ag->addWidget(caption(kintai, QStringLiteral("出勤 日数")), 0, 0);
    ag->addWidget(m_txtKinmuDay, 0, 1);
    ag->addWidget(caption(kintai, QStringLiteral("有給休暇 取得日数")), 1, 0);
    ag->addWidget(m_txtYuQDay, 1, 1);
    ag->addWidget(caption(kintai, QStringLiteral("不就労 日数")), 2, 0);
    ag->addWidget(m_txtFusyunum, 2, 1);
    ag->addWidget(caption(kintai, QStringLiteral("不就労 時間")), 3, 0);
    ag->addWidget(m_txtFusyutime, 3, 1);
    ag->setRowStretch(4, 1);

    // Totals.
    auto* sum = new QGroupBox(QStringLiteral("集計"), this);
    auto* sg = new QGridLayout(sum);
    m_txtQyoSogaku = resultField(sum, QStringLiteral("txtQyoSogaku"));
    m_txtHikazeigaku = resultField(sum, QStringLiteral("txtHikazeigaku"));
    m_txtKazeiQyo = resultField(sum, QStringLiteral("txtKazeiQyo"));
    m_txtSyakaiKei = resultField(sum, QStringLiteral("txtSyakaiKei"));
    m_txtSasiQyoKojo = resultField(sum, QStringLiteral("txtSasiQyoKojo"));
    m_txtKojoKei = resultField(sum, QStringLiteral("txtKojoKei"));
    m_txtNentyo = amountField(sum, QStringLiteral("txtNentyo"), -999999999);
    m_txtSasiSiq = resultField(sum, QStringLiteral("txtSasiSiq"));
    const std::pair<const char*, NumberField*> totals[] = {
        {"総支給額", m_txtQyoSogaku}, {"非課税支給額", m_txtHikazeigaku}, {"課税支給額", m_txtKazeiQyo},
        {"社会保険料計", m_txtSyakaiKei}, {"社会保険料控除後", m_txtSasiQyoKojo}, {"控除合計", m_txtKojoKei},
        {"年末調整", m_txtNentyo}, {"差引支給額", m_txtSasiSiq},
    };
    int r = 0;
    for (const auto& [text, field] : totals) {
        sg->addWidget(caption(sum, QString::fromUtf8(text)), r, 0);
        sg->addWidget(field, r++, 1);
    }
    QFont strong = m_txtSasiSiq->font();
    strong.setBold(true);
    m_txtSasiSiq->setFont(strong);

    auto* lower = new QHBoxLayout;
    lower->addWidget(kojyo, 1);
    lower->addWidget(kintai);
    lower->addWidget(sum);
    root->addLayout(lower);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_lblStatus, 1);
    for (QPushButton* b : {m_cmdWrite, m_cmdDelete, m_cmdPrint, m_cmdCancel})
        buttons->addWidget(b);
    root->addLayout(buttons);

    // Enter and Tab go through the entries in reading order.
    QList<QWidget*> order = {m_txtYear, m_txtMonth, m_cmbJyugyoin, m_txtJiq, m_txtBTime, m_txtKihonQ, m_txtYHosyu,
                             m_txtFood, m_txtTukin, m_txtSikaku, m_txtHome, m_txtFamily, m_txtFukaQ};
    for (NumberField* f : m_overtimeHours)
        order << f;
    order << m_txtQjituDay << m_txtYobidasiKai << m_txtKTSTime << m_flxTeate << m_txtHealth << m_txtNenkin
          << m_txtKoyoHoken << m_txtSyotoku << m_txtSiminTax;
    for (NumberField* f : m_txtKojyo)
        order << f;
    order << m_txtKinmuDay << m_txtYuQDay << m_txtFusyunum << m_txtFusyutime << m_txtNentyo << m_cmdWrite
          << m_cmdDelete << m_cmdPrint << m_cmdCancel;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // Every entry recomputes the statement as it is typed.
    for (NumberField* f : findChildren<NumberField*>()) {
        if (f->isReadOnly() || f == m_txtBTime || f == m_txtJiq)
            continue;
        connect(f, &NumberField::valueChanged, this, [this] { calculate_kyuyo(); });
    }
    connect(m_txtBTime, &NumberField::valueChanged, this, [this] { hoursChanged(); });
    connect(m_txtJiq, &NumberField::valueChanged, this, [this] {
        showRate();
        if (m_txtBTime->value() != 0)
            hoursChanged();
        calculate_kyuyo();
    });
    connect(m_flxTeate, &QTableWidget::itemChanged, this, [this] { calculate_kyuyo(); });
    connect(m_txtSiminTax, &QLineEdit::textEdited, m_juminzei, &JuminzeiStatementPart::typedByHand);
    connect(m_juminzei, &JuminzeiStatementPart::lumpToggled, this, [this] { calculate_kyuyo(); });
}

NumberField* InpKyuyo::numberFieldForRate(QWidget* parent)
{
    NumberField* f = amountField(parent, QStringLiteral("txtJiq"));
    f->setDecimals(2);
    return f;
}

void InpKyuyo::resetDeductionCaptions()
{
    for (int i = 0; i < MeisaiRecord::kDeductions; ++i)
        m_lblKojyo[size_t(i)]->setText(defaultDeductionCaption(i + 1));
}

void InpKyuyo::clear_data()
{
    m_loading = true;
    for (NumberField* f : findChildren<NumberField*>())
        if (f != m_txtQ && f != m_txtY)
            f->setValue(0);
    {
        const QSignalBlocker block(m_flxTeate);
        for (int r = 0; r < MeisaiRecord::kAllowances; ++r)
            for (int c = 0; c < 2; ++c)
                m_flxTeate->item(r, c)->setText(QString());
    }
    resetDeductionCaptions();
    m_employeeKind.clear();
    m_dependants = 0;
    m_healthKind = QStringLiteral("0");
    m_lblTaxNotice->clear();
    m_insurance = StatementInsurance();
    m_juminzei->clear();
    m_loading = false;
    showRate();
    calculate_kyuyo();
}

void InpKyuyo::showStatement(const MeisaiRecord& s)
{
    m_loading = true;
    m_employeeKind = s.employeeKind;
    m_dependants = s.dependants;
    m_healthKind = s.healthKind;
    m_txtJiq->setValue(s.hourlyRate);
    m_txtBTime->setValue(s.hoursWorked);
    m_txtKihonQ->setValue(double(s.kihonkyu));
    m_txtYHosyu->setValue(double(s.yhosyu));
    m_txtFood->setValue(double(s.food));
    m_txtTukin->setValue(double(s.commuting));
    m_txtSikaku->setValue(double(s.qualification));
    m_txtHome->setValue(double(s.housing));
    m_txtFamily->setValue(double(s.family));
    m_txtFukaQ->setValue(double(s.additional));
    for (size_t i = 0; i < m_overtimeHours.size(); ++i)
        m_overtimeHours[i]->setValue(s.overtimeHours[i]);
    m_txtQjituDay->setValue(s.holidayDays);
    m_txtYobidasiKai->setValue(s.callOuts);
    m_txtKTSTime->setValue(s.absenceHours);
    {
        const QSignalBlocker block(m_flxTeate);
        for (int r = 0; r < MeisaiRecord::kAllowances; ++r) {
            m_flxTeate->item(r, 0)->setText(s.allowanceNames[size_t(r)]);
            m_flxTeate->item(r, 1)->setText(formatNumber(double(s.allowances[size_t(r)]), QStringLiteral("#,###")));
        }
    }
    m_txtHealth->setValue(double(s.health));
    m_txtNenkin->setValue(double(s.pension));
    m_txtKoyoHoken->setValue(double(s.employmentInsurance));
    m_txtSyotoku->setValue(double(s.tax));
    m_txtSiminTax->setValue(double(s.residentTax));
    for (int i = 0; i < MeisaiRecord::kDeductions; ++i) {
        const QString name = s.deductionNames[size_t(i)].trimmed();
        m_lblKojyo[size_t(i)]->setText(name.isEmpty() ? defaultDeductionCaption(i + 1) : name);
        m_txtKojyo[size_t(i)]->setValue(double(s.deductions[size_t(i)]));
    }
    m_txtKinmuDay->setValue(s.workDays);
    m_txtYuQDay->setValue(s.paidLeaveDays);
    m_txtFusyunum->setValue(s.absenceDays);
    m_txtFusyutime->setValue(s.absenceDayHours);
    m_txtNentyo->setValue(double(s.yearEndAdjustment));
    m_loading = false;
    showRate();
}

bool InpKyuyo::read_meisai_data(bool* found)
{
    std::optional<MeisaiRecord> stored;
    if (!repository().readStatement(payMonth(), employeeCode(), QStringLiteral("1"), &stored))
        return false;
    *found = stored.has_value();
    if (!stored)
        return true;
    clear_data();
    readInsurance();
    showStatement(*stored);
    set_input_mode();
    calculate_kyuyo();
    m_juminzei->showStored(employeeCode(), payMonth(), stored->residentTax, m_result.netPay + stored->residentTax);
    return true;
}

void InpKyuyo::read_data()
{
    bool ok = false;
    const std::optional<EmployeeMaster> master = repository().employeeMaster(employeeCode(), &ok);
    if (!ok)
        return;
    clear_data();
    if (!master)
        return;
    readInsurance();
    MeisaiRecord statement = newSalaryStatement(*master, ctx().companyId, payMonth());
    applyStandardPremiums(statement, m_insurance);
    showStatement(statement);
    m_juminzei->startNew(master->code, payMonth(), master->residentTax);
    set_input_mode();
    calculate_kyuyo();
}

void InpKyuyo::readInsurance()
{
    if (!ShahoPremiums(ctx(), QStringLiteral("InpKyuyo")).salary(employeeCode(), payMonth(), &m_insurance))
        m_insurance = StatementInsurance();
}

void InpKyuyo::set_input_mode()
{
    const QString kind = m_employeeKind;
    const bool officer = kind == QLatin1String("0");
    const bool monthly = !officer && kind <= QLatin1String("2");
    const bool hourly = !officer && !monthly;
    m_txtJiq->setVisible(hourly);
    m_lblJiq->setVisible(hourly);
    m_txtBTime->setVisible(hourly);
    m_lblBTime->setVisible(hourly);
    m_txtYHosyu->setVisible(officer);
    m_lblYHosyu->setVisible(officer);
    m_lblKihonQ->setText(hourly ? QStringLiteral("= 基本給") : QStringLiteral("基本給"));

    const QString code = employeeCode();
    m_switches = StatementSwitches::fromTexts(repository().koyohokenSw(code), repository().taxKubun(code));
    m_rates.employmentInsuranceRate = repository().koyohokenRitu();
    setEditable(m_txtKoyoHoken, !m_switches.computeEmploymentInsurance);
    m_lblKoyoHoken->setText(m_switches.computeEmploymentInsurance ? QStringLiteral("雇用保険料")
                                                                   : QStringLiteral("雇用保険料（修正可）"));
    setEditable(m_txtSyotoku, !m_switches.computeTax);
    m_lblSyotoku->setText(m_switches.computeTax ? QStringLiteral("所得税") : QStringLiteral("所得税（修正可）"));
}

void InpKyuyo::hoursChanged()
{
    if (m_loading)
        return;
    m_txtKihonQ->setValue(double(basicPayFromHours(m_txtBTime->value(), m_txtJiq->value())));
    calculate_kyuyo();
}

void InpKyuyo::showRate()
{
    const double rate = m_txtJiq->value();
    m_txtJiq->setDisplayFormat(rate == std::floor(rate) ? QStringLiteral("###,##0") : QStringLiteral("###,##0.00"));
    for (QLabel* l : m_rateCopies)
        l->setText(rateText(rate));
    for (size_t i = 0; i < m_factorCaptions.size(); ++i)
        m_factorCaptions[i]->setText(QStringLiteral("×") + factorText(m_rates.overtimeFactors[i])
                                     + QStringLiteral("×時間数"));
}

MeisaiRecord InpKyuyo::statementOnScreen() const
{
    auto yen = [](const NumberField* f) { return wholeYen(f->value()); };
    MeisaiRecord r;
    r.cid = ctx().companyId;
    r.payMonth = payMonth();
    r.employeeCode = employeeCode();
    r.kind = QStringLiteral("1");
    r.employeeKind = m_employeeKind;
    r.hoursWorked = m_txtBTime->value();
    r.kihonkyu = yen(m_txtKihonQ);
    r.yhosyu = yen(m_txtYHosyu);
    r.food = yen(m_txtFood);
    r.commuting = yen(m_txtTukin);
    r.qualification = yen(m_txtSikaku);
    r.housing = yen(m_txtHome);
    r.family = yen(m_txtFamily);
    r.additional = yen(m_txtFukaQ);
    r.callOuts = m_txtYobidasiKai->value();
    r.callOutPay = yen(m_txtYobidasi);
    r.holidayDays = m_txtQjituDay->value();
    r.holidayPay = yen(m_txtQjitu);
    for (size_t i = 0; i < m_overtimeHours.size(); ++i) {
        r.overtimeHours[i] = m_overtimeHours[i]->value();
        r.overtimePay[i] = yen(m_overtimePay[i]);
    }
    for (int row = 0; row < MeisaiRecord::kAllowances; ++row) {
        r.allowanceNames[size_t(row)] = m_flxTeate->item(row, 0)->text().trimmed();
        r.allowances[size_t(row)] = wholeYen(toNumberOr(m_flxTeate->item(row, 1)->text(), 0.0));
    }
    r.absenceHours = m_txtKTSTime->value();
    r.absenceDeduction = yen(m_txtKTSTMoney);
    r.hourlyRate = m_txtJiq->value();
    r.health = yen(m_txtHealth);
    r.pension = yen(m_txtNenkin);
    r.employmentInsurance = yen(m_txtKoyoHoken);
    r.tax = yen(m_txtSyotoku);
    r.residentTax = yen(m_txtSiminTax);
    for (int i = 0; i < MeisaiRecord::kDeductions; ++i) {
        r.deductionNames[size_t(i)] = m_lblKojyo[size_t(i)]->text().trimmed();
        r.deductions[size_t(i)] = yen(m_txtKojyo[size_t(i)]);
    }
    r.workDays = m_txtKinmuDay->value();
    r.paidLeaveDays = m_txtYuQDay->value();
    r.absenceDays = m_txtFusyunum->value();
    r.absenceDayHours = m_txtFusyutime->value();
    r.dependants = m_dependants;
    r.yearEndAdjustment = yen(m_txtNentyo);
    r.healthKind = m_healthKind;
    return r;
}

void InpKyuyo::calculate_kyuyo()
{
    if (m_loading || m_calculating)
        return;
    m_calculating = true;
    m_result = calculateKyuyo(statementOnScreen(), m_rates, m_switches);
    // The resident tax of a new statement follows its source; a leaver's rest in one sum
    // goes as far as the pay before resident tax covers it.
    const long long available = m_result.netPay + m_result.statement.residentTax;
    if (const std::optional<long long> tax = m_juminzei->amountFor(available);
        tax && *tax != m_result.statement.residentTax) {
        m_txtSiminTax->setValue(double(*tax));
        m_result = calculateKyuyo(statementOnScreen(), m_rates, m_switches);
    }
    const MeisaiRecord& s = m_result.statement;
    for (size_t i = 0; i < m_overtimePay.size(); ++i)
        m_overtimePay[i]->setValue(double(s.overtimePay[i]));
    m_txtQjitu->setValue(double(s.holidayPay));
    m_txtYobidasi->setValue(double(s.callOutPay));
    m_txtKTSTMoney->setValue(double(s.absenceDeduction));
    m_txtKoyoHoken->setValue(double(s.employmentInsurance));
    m_txtSyotoku->setValue(double(s.tax));
    m_txtQyoSogaku->setValue(double(m_result.totalPay));
    m_txtHikazeigaku->setValue(double(m_result.nonTaxable));
    m_txtKazeiQyo->setValue(double(m_result.taxable));
    m_txtSyakaiKei->setValue(double(m_result.socialInsurance));
    m_txtSasiQyoKojo->setValue(double(m_result.afterSocialInsurance));
    m_txtKojoKei->setValue(double(m_result.deductionTotal));
    m_txtSasiSiq->setValue(double(m_result.netPay));
    m_lblTaxNotice->setText(m_result.taxComputed ? rulesNotice(m_result.taxResult) : QString());
    m_lblShahoNote->setText(insuranceNote(salaryShienPart(s, m_insurance), m_insurance));
    m_calculating = false;
}

} // namespace minasel::payroll
