#include "transfer/mstjyugyoinginko.h"

#include "app/appcontext.h"
#include "app/textfield.h"
#include "masters/employee.h"
#include "masters/jyugyoinrepository.h"
#include "transfer/bankaccountbox.h"
#include "transfer/screenparts.h"
#include "transfer/bankaccounts.h"
#include "transfer/kanafield.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace minasel::transfer {

namespace {
const QString kForm = QStringLiteral("MstJyugyoinGinko");
} // namespace

MstJyugyoinGinko::MstJyugyoinGinko(AppContext& ctx, QWidget* parent)
    : Screen(ctx, QStringLiteral("従業員振込口座設定"), parent)
{
    setObjectName(kForm);
    m_employee = new QLabel(this);
    m_employee->setObjectName(QStringLiteral("lblJyugyoin"));
    QFont f = m_employee->font();
    f.setBold(true);
    m_employee->setFont(f);
    m_transfer = new QCheckBox(QStringLiteral("給与・賞与の差引支給額を振込で支払う"), this);
    m_transfer->setObjectName(QStringLiteral("chkFurikomi"));

    m_account = new BankAccountBox(QStringLiteral("振込先口座"), false, this);
    auto* holderBox = new QGroupBox(QStringLiteral("口座名義"), this);
    m_holder = new KanaField(QStringLiteral("txtKozaName"), BankKana::Purpose::AccountName, 30, holderBox);
    m_holder->setMinimumWidth(300);
    m_fromKana = makeButton(holderBox, "cmdKana", QStringLiteral("氏名カナから"),
                            QStringLiteral("従業員マスタの氏名（カナ）を口座名義にします。"));
    auto* hg = new QGridLayout(holderBox);
    hg->addWidget(new QLabel(QStringLiteral("口座名義（カナ）"), holderBox), 0, 0, Qt::AlignTop);
    hg->addWidget(m_holder, 0, 1);
    hg->addWidget(m_fromKana, 0, 2, Qt::AlignTop);
    hg->setColumnStretch(1, 1);

    m_write = makeButton(this, "cmdWrite", QStringLiteral("[f・1] 登 録"), QStringLiteral("振込口座を登録します。"));
    m_delete = makeButton(this, "cmdDelete", QStringLiteral("[f・3] 削 除"), QStringLiteral("振込口座を削除します。"));
    m_back = makeButton(this, "cmdCancel", QStringLiteral("[f・6] 戻 る"), QStringLiteral("前の画面に戻ります。"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_write);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(m_back);

    auto* root = new QVBoxLayout(this);
    root->addWidget(m_employee);
    root->addWidget(m_transfer);
    root->addWidget(m_account);
    root->addWidget(holderBox);
    root->addStretch();
    root->addLayout(buttons);

    QList<QWidget*> order{m_transfer};
    order += m_account->tabOrder();
    order << m_holder->field() << m_fromKana << m_write << m_delete << m_back;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_transfer, &QCheckBox::toggled, this, [this] { transferToggled(); });
    connect(m_account, &BankAccountBox::edited, this, [this] { setButtonsEnabled(!m_loading); });
    connect(m_holder->field(), &QLineEdit::textChanged, this, [this] { setButtonsEnabled(!m_loading); });
    connect(m_fromKana, &QPushButton::clicked, this, [this] { m_holder->setText(m_kana); });
    connect(m_write, &QPushButton::clicked, this, [this] { writeData(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteData(); });
    connect(m_back, &QPushButton::clicked, this, &QWidget::close);
    resize(680, sizeHint().height());
}

bool MstJyugyoinGinko::setEmployee(const QString& code)
{
    masters::Employee e;
    bool found = false;
    if (!masters::JyugyoinRepository(ctx()).read(code, &e, &found))
        return false;
    if (!found) {
        ctx().messages().exclamation(QStringLiteral("従業員情報を登録した後、振込口座を設定して下さい。"));
        return false;
    }
    EmployeeBank bank;
    bool hasBank = false;
    if (!BankAccounts(ctx(), kForm).readEmployee(code, &bank, &hasBank))
        return false;
    m_code = code;
    m_kana = e.kana;
    m_employee->setText(QStringLiteral("従業員番号 %1　%2").arg(code, e.name));
    if (!hasBank) {
        // A new account starts with the name of the master as the holder.
        bank.code = code;
        bank.holderName = e.kana;
    }
    fill(bank);
    m_delete->setEnabled(hasBank);
    setButtonsEnabled(false);
    return true;
}

void MstJyugyoinGinko::fill(const EmployeeBank& b)
{
    m_loading = true;
    m_transfer->setChecked(b.transfer);
    m_account->setValues(b.account);
    m_holder->setText(b.holderName);
    m_loading = false;
    transferToggled();
}

void MstJyugyoinGinko::transferToggled()
{
    // Someone paid otherwise keeps what was entered, greyed out.
    m_account->setEnabled(m_transfer->isChecked());
    m_holder->parentWidget()->setEnabled(m_transfer->isChecked());
    setButtonsEnabled(!m_loading);
}

void MstJyugyoinGinko::setButtonsEnabled(bool on)
{
    if (m_loading)
        return;
    m_write->setEnabled(on);
    setChanged(on);
}

EmployeeBank MstJyugyoinGinko::collect() const
{
    EmployeeBank b;
    b.code = m_code;
    b.account = m_account->values();
    b.holderName = m_holder->text();
    b.transfer = m_transfer->isChecked();
    return b;
}

bool MstJyugyoinGinko::writeData()
{
    EmployeeBank bank = collect();
    QString column;
    const QString fault = BankAccounts::checkEmployee(&bank, &column);
    if (!fault.isEmpty()) {
        ctx().messages().exclamation(fault);
        if (QWidget* field = column == QLatin1String("KOZANAME") ? m_holder->field() : m_account->fieldOf(column))
            field->setFocus();
        return false;
    }
    if (!BankAccounts(ctx(), kForm).saveEmployees({bank}))
        return false;
    fill(bank);
    m_delete->setEnabled(true);
    setButtonsEnabled(false);
    return true;
}

bool MstJyugyoinGinko::deleteData()
{
    if (ctx().messages().show(Messages::Icon::Exclamation, QStringLiteral("確認"),
                              QStringLiteral("振込口座を削除してもよろしいですか？"), Messages::Buttons::YesNo,
                              Messages::Answer::No)
        != Messages::Answer::Yes)
        return false;
    if (!BankAccounts(ctx(), kForm).removeEmployee(m_code))
        return false;
    setChanged(false);
    close();
    return true;
}

} // namespace minasel::transfer
