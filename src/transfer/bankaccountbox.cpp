#include "transfer/bankaccountbox.h"

#include "app/textfield.h"
#include "transfer/kanafield.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRegularExpressionValidator>

namespace minasel::transfer {

TextField* BankAccountBox::digitField(QWidget* parent, const char* name, int digits)
{
    auto* t = new TextField(parent, TextField::Kind::Code);
    t->setObjectName(QLatin1String(name));
    t->setMaxLength(digits);
    t->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), t));
    t->setFixedWidth(24 + digits * 11);
    return t;
}

BankAccountBox::BankAccountBox(const QString& title, bool otherKind, QWidget* parent) : QGroupBox(title, parent)
{
    setObjectName(QStringLiteral("fraKoza"));
    m_bankCode = digitField(this, "txtGinkoCode", 4);
    m_bankName = new KanaField(QStringLiteral("txtGinkoName"), BankKana::Purpose::BankName, 15, this);
    m_branchCode = digitField(this, "txtSitenCode", 3);
    m_branchName = new KanaField(QStringLiteral("txtSitenName"), BankKana::Purpose::BankName, 15, this);
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("cmbYokin"));
    m_kind->addItem(QStringLiteral("1.普通"), QStringLiteral("1"));
    m_kind->addItem(QStringLiteral("2.当座"), QStringLiteral("2"));
    if (otherKind)
        m_kind->addItem(QStringLiteral("9.その他"), QStringLiteral("9"));
    m_number = digitField(this, "txtKozaNo", 7);

    auto* g = new QGridLayout(this);
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    g->addWidget(label(QStringLiteral("銀行番号"), m_bankCode), 0, 0);
    g->addWidget(m_bankCode, 0, 1);
    g->addWidget(label(QStringLiteral("銀行名（カナ）"), m_bankName->field()), 0, 2, Qt::AlignTop);
    g->addWidget(m_bankName, 0, 3);
    g->addWidget(label(QStringLiteral("支店番号"), m_branchCode), 1, 0);
    g->addWidget(m_branchCode, 1, 1);
    g->addWidget(label(QStringLiteral("支店名（カナ）"), m_branchName->field()), 1, 2, Qt::AlignTop);
    g->addWidget(m_branchName, 1, 3);
    g->addWidget(label(QStringLiteral("預金種目"), m_kind), 2, 0);
    g->addWidget(m_kind, 2, 1);
    g->addWidget(label(QStringLiteral("口座番号"), m_number), 2, 2);
    g->addWidget(m_number, 2, 3, Qt::AlignLeft);
    g->setColumnStretch(3, 1);
    m_bankName->setMinimumWidth(260);

    for (QLineEdit* e : {static_cast<QLineEdit*>(m_bankCode), static_cast<QLineEdit*>(m_bankName->field()),
                         static_cast<QLineEdit*>(m_branchCode), static_cast<QLineEdit*>(m_branchName->field()),
                         static_cast<QLineEdit*>(m_number)})
        connect(e, &QLineEdit::textChanged, this, &BankAccountBox::edited);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &BankAccountBox::edited);
}

BankAccount BankAccountBox::values() const
{
    return {m_bankCode->trimmed(), m_bankName->text(), m_branchCode->trimmed(), m_branchName->text(),
            m_kind->currentData().toString(), m_number->trimmed()};
}

void BankAccountBox::setValues(const BankAccount& v)
{
    m_bankCode->setText(v.bankCode);
    m_bankName->setText(v.bankName);
    m_branchCode->setText(v.branchCode);
    m_branchName->setText(v.branchName);
    m_kind->setCurrentIndex(std::max(0, m_kind->findData(v.accountKind)));
    m_number->setText(v.accountNumber);
}

QWidget* BankAccountBox::fieldOf(const QString& column) const
{
    if (column == QLatin1String("GINKOCODE"))
        return m_bankCode;
    if (column == QLatin1String("GINKONAME"))
        return m_bankName->field();
    if (column == QLatin1String("SITENCODE"))
        return m_branchCode;
    if (column == QLatin1String("SITENNAME"))
        return m_branchName->field();
    if (column == QLatin1String("YOKINKBN"))
        return m_kind;
    if (column == QLatin1String("KOZANO"))
        return m_number;
    return nullptr;
}

QList<QWidget*> BankAccountBox::tabOrder() const
{
    return {m_bankCode, m_bankName->field(), m_branchCode, m_branchName->field(), m_kind, m_number};
}

} // namespace minasel::transfer
