#include "transfer/inpkaisyaginko.h"

#include "app/appcontext.h"
#include "app/textfield.h"
#include "transfer/bankaccountbox.h"
#include "transfer/screenparts.h"
#include "transfer/bankaccounts.h"
#include "transfer/kanafield.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace minasel::transfer {

namespace {
const QString kForm = QStringLiteral("InpKaisyaGinko");
} // namespace

InpKaisyaGinko::InpKaisyaGinko(AppContext& ctx, QWidget* parent)
    : Screen(ctx, QStringLiteral("会社振込口座設定"), parent)
{
    setObjectName(kForm);
    auto* client = new QGroupBox(QStringLiteral("依頼人"), this);
    m_clientCode = BankAccountBox::digitField(client, "txtIraiCode", 10);
    m_clientName = new KanaField(QStringLiteral("txtIraiName"), BankKana::Purpose::AccountName, 40, client);
    m_clientName->setMinimumWidth(360);
    m_payDay = BankAccountBox::digitField(client, "txtSikyuDay", 2);
    auto* cg = new QGridLayout(client);
    cg->addWidget(new QLabel(QStringLiteral("依頼人コード"), client), 0, 0);
    cg->addWidget(m_clientCode, 0, 1, Qt::AlignLeft);
    cg->addWidget(new QLabel(QStringLiteral("依頼人名（カナ）"), client), 1, 0, Qt::AlignTop);
    cg->addWidget(m_clientName, 1, 1);
    auto* dayBox = new QHBoxLayout;
    dayBox->addWidget(m_payDay);
    dayBox->addWidget(new QLabel(QStringLiteral("日（月末を過ぎる日はその月の末日。土日は前の金曜日を振込指定日とします）"), client));
    dayBox->addStretch();
    cg->addWidget(new QLabel(QStringLiteral("給与支給日"), client), 2, 0);
    cg->addLayout(dayBox, 2, 1);
    auto* note = new QLabel(QStringLiteral("依頼人コードは取引銀行から通知された10桁の番号です。"
                                           "カナはひらがな・全角でも入力でき、振込データの文字に変換して登録します。"),
                            client);
    note->setWordWrap(true);
    cg->addWidget(note, 3, 0, 1, 2);

    m_account = new BankAccountBox(QStringLiteral("振込元口座"), true, this);

    m_write = makeButton(this, "cmdTouroku", QStringLiteral("[f・1] 登 録"), QStringLiteral("振込口座を登録します。"));
    m_back = makeButton(this, "cmdBack", QStringLiteral("[f・6] 戻 る"), QStringLiteral("前の画面に戻ります。"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_write);
    buttons->addStretch();
    buttons->addWidget(m_back);

    auto* root = new QVBoxLayout(this);
    root->addWidget(client);
    root->addWidget(m_account);
    root->addStretch();
    root->addLayout(buttons);

    QList<QWidget*> order{m_clientCode, m_clientName->field(), m_payDay};
    order += m_account->tabOrder();
    order << m_write << m_back;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    for (QLineEdit* e : {static_cast<QLineEdit*>(m_clientCode), static_cast<QLineEdit*>(m_clientName->field()),
                         static_cast<QLineEdit*>(m_payDay)})
        connect(e, &QLineEdit::textChanged, this, [this] { setButtonsEnabled(!m_loading); });
    connect(m_account, &BankAccountBox::edited, this, [this] { setButtonsEnabled(!m_loading); });
    connect(m_write, &QPushButton::clicked, this, [this] { writeData(); });
    connect(m_back, &QPushButton::clicked, this, &QWidget::close);

    m_loaded = readData();
    resize(720, sizeHint().height());
}

void InpKaisyaGinko::setButtonsEnabled(bool on)
{
    m_write->setEnabled(on);
    setChanged(on);
}

bool InpKaisyaGinko::readData()
{
    CompanyBank bank;
    bool found = false;
    if (!BankAccounts(ctx(), kForm).readCompany(&bank, &found))
        return false;
    fill(bank);   // a company without one starts from the defaults
    setButtonsEnabled(false);
    return true;
}

void InpKaisyaGinko::fill(const CompanyBank& b)
{
    m_loading = true;
    m_clientCode->setText(b.clientCode);
    m_clientName->setText(b.clientName);
    m_payDay->setText(QString::number(b.payDay));
    m_account->setValues(b.account);
    m_loading = false;
}

CompanyBank InpKaisyaGinko::collect() const
{
    CompanyBank b;
    b.clientCode = m_clientCode->trimmed();
    b.clientName = m_clientName->text();
    b.account = m_account->values();
    b.payDay = m_payDay->trimmed().isEmpty() ? 0 : m_payDay->trimmed().toInt();
    return b;
}

bool InpKaisyaGinko::writeData()
{
    CompanyBank bank = collect();
    QString column;
    const QString fault = BankAccounts::checkCompany(&bank, &column);
    if (!fault.isEmpty()) {
        ctx().messages().exclamation(fault);
        QWidget* field = column == QLatin1String("IRAICODE") ? m_clientCode
            : column == QLatin1String("IRAINAME")            ? m_clientName->field()
            : column == QLatin1String("SIKYUDAY")            ? m_payDay
                                                             : m_account->fieldOf(column);
        if (field)
            field->setFocus();
        return false;
    }
    if (!BankAccounts(ctx(), kForm).saveCompany(bank))
        return false;
    fill(bank);   // shows what is stored: the names as the bank takes them, the numbers zero-filled
    setButtonsEnabled(false);
    return true;
}

void InpKaisyaGinko::showEvent(QShowEvent* event)
{
    Screen::showEvent(event);
    // A fault while reading has been reported: the screen does not stay.
    if (!m_loaded)
        QTimer::singleShot(0, this, [this] { close(); });
    else
        m_clientCode->setFocus();
}

bool InpKaisyaGinko::canClose()
{
    return !m_loaded || Screen::canClose();
}

} // namespace minasel::transfer
