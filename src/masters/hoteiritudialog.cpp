#include "masters/hoteiritudialog.h"

#include "app/numberfield.h"
#include "app/screen.h"
#include "app/valuehelpers.h"
#include "payroll/shahocalc.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace minasel::masters {

namespace {
QString percent(int milli)
{
    return formatNumber(payroll::ratePercent(milli), QStringLiteral("#0.000")) + QStringLiteral("％");
}
} // namespace

HoteiRituDialog::HoteiRituDialog(int prefecture, int premiumMonth, bool sameMonth, int jigyoKind, QWidget* parent)
    : QDialog(parent), m_sameMonth(sameMonth)
{
    setObjectName(QStringLiteral("DlgHoteiRitu"));
    setWindowTitle(QStringLiteral("法定料率を設定 - ミナセル"));
    auto* root = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    root->addLayout(g);

    m_pref = new QComboBox(this);
    m_pref->setObjectName(QStringLiteral("cmbTodohuken"));
    for (int code = 1; code <= payroll::kPrefectures; ++code)
        m_pref->addItem(QStringLiteral("%1 %2").arg(code, 2, 10, QLatin1Char('0')).arg(payroll::prefectureName(code)), code);
    m_pref->setPlaceholderText(QStringLiteral("（選択して下さい）"));
    m_pref->setCurrentIndex(m_pref->findData(prefecture));
    g->addWidget(new QLabel(QStringLiteral("都道府県（協会けんぽ）"), this), 0, 0);
    g->addWidget(m_pref, 0, 1);

    auto* month = new QHBoxLayout;
    m_year = new NumberField(this);
    m_year->setObjectName(QStringLiteral("txtYear"));
    m_year->setDisplayFormat(QStringLiteral("0"));
    m_year->setRange(2000, 2099);
    m_year->setFixedWidth(60);
    m_year->setValue(premiumMonth / 100);
    m_month = new NumberField(this);
    m_month->setObjectName(QStringLiteral("txtMonth"));
    m_month->setDisplayFormat(QStringLiteral("0"));
    m_month->setRange(1, 12);
    m_month->setFixedWidth(40);
    m_month->setValue(premiumMonth % 100);
    month->addWidget(m_year);
    month->addWidget(new QLabel(QStringLiteral("年"), this));
    month->addWidget(m_month);
    month->addWidget(new QLabel(QStringLiteral("月分から"), this));
    month->addStretch();
    g->addWidget(new QLabel(QStringLiteral("適用する保険料の月"), this), 1, 0);
    g->addLayout(month, 1, 1);

    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("cmbJigyo"));
    for (int k = 1; k <= payroll::kJigyoKinds; ++k)
        m_kind->addItem(payroll::jigyoKindName(k), k);
    m_kind->setCurrentIndex(std::max(0, m_kind->findData(jigyoKind)));
    g->addWidget(new QLabel(QStringLiteral("事業の種類（雇用保険）"), this), 2, 0);
    g->addWidget(m_kind, 2, 1);

    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("lblKekka"));
    m_result->setMinimumHeight(4 * m_result->fontMetrics().lineSpacing());
    m_result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    root->addWidget(m_result);
    m_notice = Screen::makeNote(this, QStringLiteral("lblNotice"), 2);
    root->addWidget(m_notice);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_set = new QPushButton(QStringLiteral("設 定"), this);
    m_set->setObjectName(QStringLiteral("cmdSettei"));
    m_set->setToolTip(QStringLiteral("この料率を会社情報の欄に入れます（登録で保存されます）。"));
    auto* cancel = new QPushButton(QStringLiteral("取 消"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton* b : {m_set, cancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
        buttons->addWidget(b);
    }
    root->addLayout(buttons);

    connect(m_set, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pref, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(m_year, &NumberField::valueChanged, this, [this] { refresh(); });
    connect(m_month, &NumberField::valueChanged, this, [this] { refresh(); });
    refresh();
}

int HoteiRituDialog::prefecture() const
{
    return m_pref->currentIndex() < 0 ? 0 : m_pref->currentData().toInt();
}

int HoteiRituDialog::premiumMonth() const
{
    return int(m_year->value()) * 100 + int(m_month->value());
}

int HoteiRituDialog::jigyoKind() const
{
    return m_kind->currentData().toInt();
}

void HoteiRituDialog::refresh()
{
    const int month = premiumMonth();
    const int payMonth = m_sameMonth ? month : payroll::addMonths(month, 1);
    QString error;
    const bool ok = payroll::statutoryRates(prefecture(), month, payMonth, jigyoKind(), &m_rates, &error);
    m_set->setEnabled(ok);
    if (!ok) {
        m_result->clear();
        m_notice->setText(error);
        return;
    }
    m_result->setText(QStringLiteral("健康保険料率(介護２号該当なし)　%1\n健康保険料率(介護２号該当)　　%2\n"
                                     "厚生年金保険料率　%3\n雇用保険料率　%4（%5支給分）")
                          .arg(percent(m_rates.health), percent(m_rates.healthCare), percent(m_rates.pension),
                               formatNumber(m_rates.koyo, QStringLiteral("0.000##")), payroll::monthText(payMonth)));
    m_notice->setText(m_rates.notices.join(QLatin1Char('\n')));
}

} // namespace minasel::masters
