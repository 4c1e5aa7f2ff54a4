#include "masters/hyojunbox.h"

#include "app/numberfield.h"
#include "app/screen.h"
#include "app/valuehelpers.h"
#include "payroll/shahocalc.h"

#include <QGridLayout>
#include <QLabel>

namespace minasel::masters {

namespace {
NumberField* amount(QWidget* parent, const char* name)
{
    auto* f = new NumberField(parent);
    f->setObjectName(QLatin1String(name));
    f->setDisplayFormat(QStringLiteral("#,###,##0"));
    f->setRange(0, 99'999'999);
    f->setFixedWidth(100);
    return f;
}
} // namespace

HyojunBox::HyojunBox(QWidget* parent) : QGroupBox(QStringLiteral("社会保険（標準報酬月額）"), parent)
{
    setObjectName(QStringLiteral("fraHyojun"));
    auto* g = new QGridLayout(this);
    m_hyojun = amount(this, "txtHyojun");
    m_hosyu = amount(this, "txtHosyu");
    m_grade = new QLabel(this);
    m_grade->setObjectName(QStringLiteral("lblHyojunGrade"));
    m_note = Screen::makeNote(this, QStringLiteral("lblHyojunNote"), 3);
    m_note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* l1 = new QLabel(QStringLiteral("標準報酬月額"), this);
    l1->setBuddy(m_hyojun);
    auto* l2 = new QLabel(QStringLiteral("報酬月額から"), this);
    l2->setBuddy(m_hosyu);
    g->addWidget(l1, 0, 0);
    g->addWidget(m_hyojun, 0, 1);
    g->addWidget(m_grade, 0, 2);
    g->addWidget(l2, 1, 0);
    g->addWidget(m_hosyu, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("円（等級表で求めます）"), this), 1, 2);
    g->addWidget(m_note, 2, 0, 1, 3);
    g->setColumnStretch(2, 1);
    setToolTip(QStringLiteral("設定すると、健康保険料と厚生年金保険料はこの額と会社の料率から計算します。"));

    connect(m_hosyu, &QLineEdit::editingFinished, this, &HyojunBox::remunerationLeft);
    connect(m_hyojun, &NumberField::valueChanged, this, [this] {
        // A standard amount typed over the one the remuneration gave stands on its own.
        if (m_hosyu->value() > 0 && payroll::gradeForRemuneration(remuneration()).amount != hyojun()) {
            const QSignalBlocker block(m_hosyu);
            m_hosyu->setValue(0);
        }
        showGrade();
        emit changed();
    });
    connect(m_hosyu, &NumberField::valueChanged, this, &HyojunBox::changed);
    showGrade();
}

long long HyojunBox::hyojun() const
{
    return static_cast<long long>(m_hyojun->value());
}

long long HyojunBox::remuneration() const
{
    return static_cast<long long>(m_hosyu->value());
}

void HyojunBox::set(long long hyojun, long long remuneration)
{
    const QSignalBlocker b1(m_hyojun), b2(m_hosyu);
    m_hyojun->setValue(double(hyojun));
    m_hosyu->setValue(double(remuneration));
    showGrade();
}

void HyojunBox::remunerationLeft()
{
    if (remuneration() <= 0)
        return;
    m_hyojun->setValue(double(payroll::gradeForRemuneration(remuneration()).amount));
}

QString HyojunBox::refusal() const
{
    if (hyojun() == 0 || payroll::gradeOfAmount(hyojun()))
        return QString();
    return QStringLiteral("標準報酬月額 %1円 は等級表にない額です。等級表の額を入力するか、報酬月額から求めて下さい。")
        .arg(formatAmount(hyojun()));
}

void HyojunBox::showGrade()
{
    if (hyojun() == 0) {
        m_grade->setText(QStringLiteral("円（未設定: 保険料は入力した額）"));
        return;
    }
    const payroll::HyojunGrade* g = payroll::gradeOfAmount(hyojun());
    m_grade->setText(g ? QStringLiteral("円（健康保険 %1級）").arg(g->grade) : QStringLiteral("円（等級表にない額です）"));
}

void HyojunBox::setNote(const QString& text)
{
    m_note->setText(text);
}

} // namespace minasel::masters
