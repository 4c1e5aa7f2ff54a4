#include "masters/shahosettingsbox.h"

#include "app/appcontext.h"
#include "app/numberfield.h"
#include "app/screen.h"
#include "masters/hoteiritudialog.h"
#include "payroll/shahocalc.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace minasel::masters {

ShahoSettingsBox::ShahoSettingsBox(AppContext& ctx, const RateFields& fields, bool newCompany, QWidget* parent)
    : QGroupBox(QStringLiteral("社会保険の計算"), parent), m_ctx(ctx), m_fields(fields), m_newCompany(newCompany)
{
    setObjectName(QStringLiteral("fraSyaho"));
    auto* g = new QGridLayout(this);
    m_sienKbn = new QComboBox(this);
    m_sienKbn->setObjectName(QStringLiteral("cmbSienKbn"));
    m_sienKbn->addItem(QStringLiteral("法定の率（%1分から）").arg(payroll::monthText(payroll::shienFirstMonth())));
    m_sienKbn->addItem(QStringLiteral("健保組合などの率"));
    m_sienRitu = new NumberField(this);
    m_sienRitu->setObjectName(QStringLiteral("txtSienRitu"));
    m_sienRitu->setDecimals(3);
    m_sienRitu->setDisplayFormat(QStringLiteral("#0.000"));
    m_sienRitu->setRange(0, 99);
    m_sienRitu->setFixedWidth(70);
    m_tyosyu = new QComboBox(this);
    m_tyosyu->setObjectName(QStringLiteral("cmbTyosyuKbn"));
    m_tyosyu->addItem(QStringLiteral("翌月徴収（前月分を控除）"));
    m_tyosyu->addItem(QStringLiteral("当月徴収（当月分を控除）"));
    m_hotei = new QPushButton(QStringLiteral("法定料率を設定"), this);
    m_hotei->setObjectName(QStringLiteral("cmdHoteiRitu"));
    m_hotei->setToolTip(QStringLiteral("都道府県の協会けんぽの料率と雇用保険料率を入れます。"));
    m_hotei->setAutoDefault(false);
    m_note = Screen::makeNote(this, QStringLiteral("lblSyahoNote"));

    g->addWidget(new QLabel(QStringLiteral("子ども・子育て支援金率"), this), 0, 0);
    g->addWidget(m_sienKbn, 0, 1);
    g->addWidget(m_sienRitu, 0, 2);
    g->addWidget(new QLabel(QStringLiteral("％"), this), 0, 3);
    g->addWidget(new QLabel(QStringLiteral("保険料の徴収"), this), 1, 0);
    g->addWidget(m_tyosyu, 1, 1);
    g->addWidget(m_hotei, 1, 2, 1, 2);
    g->addWidget(m_note, 2, 0, 1, 4);
    g->setColumnStretch(1, 1);

    setSettings(SyahoSettings());
    connect(m_sienKbn, &QComboBox::currentIndexChanged, this, [this] {
        showSienMode();
        emit changed();
    });
    connect(m_sienRitu, &NumberField::valueChanged, this, &ShahoSettingsBox::changed);
    connect(m_tyosyu, &QComboBox::currentIndexChanged, this, &ShahoSettingsBox::changed);
    connect(m_hotei, &QPushButton::clicked, this, &ShahoSettingsBox::openHoteiRitu);
    if (m_newCompany)
        connect(m_fields.prefecture, &QLineEdit::editingFinished, this, &ShahoSettingsBox::applyPrefecture);
}

SyahoSettings ShahoSettingsBox::settings() const
{
    SyahoSettings s;
    s.shienByLaw = m_sienKbn->currentIndex() != 1;
    s.shienRate = m_sienRitu->value();
    s.sameMonth = m_tyosyu->currentIndex() == 1;
    s.jigyoKind = m_jigyoKind;
    return s;
}

void ShahoSettingsBox::setSettings(const SyahoSettings& s)
{
    const QSignalBlocker b1(m_sienKbn), b2(m_sienRitu), b3(m_tyosyu);
    m_sienKbn->setCurrentIndex(s.shienByLaw ? 0 : 1);
    m_sienRitu->setValue(s.shienRate);
    m_tyosyu->setCurrentIndex(s.sameMonth ? 1 : 0);
    m_jigyoKind = s.jigyoKind;
    showSienMode();
}

void ShahoSettingsBox::showSienMode()
{
    m_sienRitu->setEnabled(m_sienKbn->currentIndex() == 1);
    if (m_sienKbn->currentIndex() == 0) {
        const QSignalBlocker block(m_sienRitu);
        m_sienRitu->setValue(payroll::ratePercent(payroll::shienRateFor(payroll::shienFirstMonth())));
    }
}

bool ShahoSettingsBox::load(const QString& cid)
{
    SyahoSettings s;
    if (!ShahoStore(m_ctx, QStringLiteral("InpKaisyaJoho")).readSettings(cid, &s))
        return false;
    setSettings(s);
    m_note->clear();
    return true;
}

bool ShahoSettingsBox::save(const QString& cid)
{
    return ShahoStore(m_ctx, QStringLiteral("InpKaisyaJoho")).saveSettings(cid, settings());
}

int ShahoSettingsBox::todaysPayMonth() const
{
    const QDate today = m_ctx.clock().today();
    return today.year() * 100 + today.month();
}

int ShahoSettingsBox::todaysPremiumMonth() const
{
    return payroll::premiumMonthOf(todaysPayMonth(), m_tyosyu->currentIndex() == 1);
}

void ShahoSettingsBox::startNew()
{
    setSettings(SyahoSettings());
    const auto pension = payroll::pensionRulesFor(todaysPremiumMonth());
    const auto koyo = payroll::koyoRatesFor(todaysPayMonth());
    if (pension.rules)
        m_fields.pension->setValue(payroll::ratePercent(pension.rules->rate));
    if (koyo.rules)
        m_fields.koyo->setValue(koyo.rules->employee[size_t(m_jigyoKind - 1)] / 10000.0);
    m_fields.health->setValue(0);
    m_fields.healthCare->setValue(0);
    m_note->setText(QStringLiteral("都道府県を入力すると、協会けんぽの健康保険料率が入ります。"));
}

void ShahoSettingsBox::applyPrefecture()
{
    const int pref = payroll::prefectureCode(m_fields.prefecture->text());
    if (pref == 0)
        return;
    const int premium = todaysPremiumMonth();
    payroll::StatutoryRates r;
    QString error;
    if (!payroll::statutoryRates(pref, premium, todaysPayMonth(), m_jigyoKind, &r, &error))
        return;
    m_fields.health->setValue(payroll::ratePercent(r.health));
    m_fields.healthCare->setValue(payroll::ratePercent(r.healthCare));
    m_note->setText(QStringLiteral("%1の協会けんぽの料率（%2分）を入れました。")
                        .arg(payroll::prefectureName(pref), payroll::monthText(premium)));
}

void ShahoSettingsBox::openHoteiRitu()
{
    const bool sameMonth = m_tyosyu->currentIndex() == 1;
    auto* dialog = new HoteiRituDialog(payroll::prefectureCode(m_fields.prefecture->text()), todaysPremiumMonth(),
                                       sameMonth, m_jigyoKind, window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const payroll::StatutoryRates& r = dialog->rates();
        m_jigyoKind = dialog->jigyoKind();
        m_fields.health->setValue(payroll::ratePercent(r.health));
        m_fields.healthCare->setValue(payroll::ratePercent(r.healthCare));
        m_fields.pension->setValue(payroll::ratePercent(r.pension));
        m_fields.koyo->setValue(r.koyo);
        m_note->setText(QStringLiteral("%1・%2分からの法定料率を入れました。登録すると保存されます。")
                            .arg(payroll::prefectureName(dialog->prefecture()), payroll::monthText(dialog->premiumMonth())));
        emit changed();
    });
    dialog->open();
}

bool ShahoSettingsBox::checkInput()
{
    const struct {
        NumberField* field;
        const char* label;
        double scale;   // the employment-insurance rate is a fraction
    } rates[] = {{m_fields.health, "健康保険料率(介護２号該当なし)", 1},
                 {m_fields.healthCare, "健康保険料率(介護２号該当)", 1},
                 {m_fields.pension, "厚生年金保険料率", 1},
                 {m_fields.koyo, "雇用保険料率（小数で、5/1,000 は 0.005）", 100},
                 {m_sienRitu, "子ども・子育て支援金率", 1}};
    for (const auto& r : rates) {
        const QString refusal = ShahoStore::checkRate(QString::fromUtf8(r.label), r.field->value() * r.scale);
        if (refusal.isEmpty())
            continue;
        m_ctx.messages().exclamation(refusal);
        r.field->setFocus();
        return true;
    }
    return false;
}

} // namespace minasel::masters
