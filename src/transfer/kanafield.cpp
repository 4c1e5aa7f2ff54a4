#include "transfer/kanafield.h"

#include "app/textfield.h"

#include <QLabel>
#include <QVBoxLayout>

namespace minasel::transfer {

KanaField::KanaField(const QString& fieldName, BankKana::Purpose purpose, int bytes, QWidget* parent)
    : QWidget(parent), m_purpose(purpose), m_bytes(bytes)
{
    m_field = new TextField(this, TextField::Kind::Japanese);
    m_field->setObjectName(fieldName);
    m_field->setMaxLength(60);
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("lbl") + fieldName.mid(3));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_field);
    layout->addWidget(m_preview);
    setFocusProxy(m_field);
    connect(m_field, &QLineEdit::textChanged, this, [this] { showConverted(); });
    showConverted();
}

QString KanaField::text() const
{
    return m_field->text();
}

void KanaField::setText(const QString& text)
{
    m_field->setText(text);
}

void KanaField::showConverted()
{
    const BankKana::Result r = BankKana::convert(m_field->text(), m_purpose);
    if (!r.ok()) {
        m_preview->setStyleSheet(QStringLiteral("color: #c00000;"));
        m_preview->setText(r.error);
        return;
    }
    m_preview->setStyleSheet(QStringLiteral("color: #404040;"));
    if (r.text.isEmpty()) {
        m_preview->setText(QStringLiteral("振込データ：（なし）"));
        return;
    }
    const QString cut = BankKana::cut(r.text, m_bytes);
    m_preview->setText(cut == r.text ? QStringLiteral("振込データ：%1").arg(r.text)
                                     : QStringLiteral("振込データ：%1（%2バイトを超える分は入りません）").arg(cut).arg(m_bytes));
}

} // namespace minasel::transfer
