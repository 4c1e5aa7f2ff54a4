#include "payroll/juminzeistatementpart.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "payroll/statementwidgets.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace minasel::payroll {

JuminzeiStatementPart::JuminzeiStatementPart(AppContext& ctx, QWidget* parent)
    : QObject(parent), m_ctx(ctx), m_repo(ctx, QStringLiteral("InpKyuyo"))
{
    m_box = new QWidget(parent);
    auto* layout = new QVBoxLayout(m_box);
    layout->setContentsMargins(0, 0, 0, 0);
    m_label = noteLabel(m_box, QStringLiteral("lblJuminzei"), 2);
    m_label->setStyleSheet(QString());
    m_lump = new QCheckBox(QStringLiteral("退職による一括徴収"), m_box);
    m_lump->setObjectName(QStringLiteral("chkJuminzeiIkkatu"));
    m_lump->setToolTip(QStringLiteral("退職後の5月分までの住民税を、この給与から一括して徴収します。"));
    m_lump->hide();
    layout->addWidget(m_lump);
    layout->addWidget(m_label);
    connect(m_lump, &QCheckBox::toggled, this, [this] { emit lumpToggled(); });
}

void JuminzeiStatementPart::clear()
{
    m_plan.reset();
    m_label->clear();
    const QSignalBlocker block(m_lump);
    m_lump->setChecked(false);
    m_lump->hide();
}

bool JuminzeiStatementPart::startNew(const QString& code, const QString& payMonth, long long masterAmount)
{
    clear();
    JuminzeiPlan plan;
    if (!m_repo.planFor(code, payMonth, masterAmount, &plan))
        return false;   // reported; the master's amount stays
    m_plan = plan;
    m_label->setText(plan.label(false, 0));
    if (!plan.offersLump())
        return true;
    bool take = plan.lumpByDefault();
    if (!take) {
        const long long rest = plan.remaining();
        take = m_ctx.messages().question(
                   QStringLiteral("この従業員は %1 に退社しています。\n残りの住民税（%2 %3円）を、本人の申出により"
                                  "この給与から一括徴収しますか？\n（「いいえ」のときは本人が納付します。）")
                       .arg(plan.leavingDate().toString(QStringLiteral("yyyy/MM/dd")), plan.restMonths(),
                            formatAmount(rest)),
                   Messages::Buttons::YesNo, Messages::Answer::No)
            == Messages::Answer::Yes;
    }
    const QSignalBlocker block(m_lump);
    m_lump->setText(plan.lumpByDefault() ? QStringLiteral("退職による一括徴収（1月〜4月の退職は必要）")
                                         : QStringLiteral("退職による一括徴収（本人の申出による）"));
    m_lump->setChecked(take);
    m_lump->show();
    return true;
}

bool JuminzeiStatementPart::showStored(const QString& code, const QString& payMonth, long long storedAmount,
                                       long long available)
{
    clear();
    JuminzeiPlan plan;
    if (!m_repo.planFor(code, payMonth, storedAmount, &plan))
        return false;
    QString text = QStringLiteral("住民税: 登録済みの明細の額");
    if (plan.fromSchedule()) {
        if (storedAmount == plan.amount(false, available))
            text = plan.label(false, available);
        else if (plan.offersLump() && storedAmount == plan.amount(true, available))
            text = plan.label(true, available);
        else
            text += QStringLiteral("（%1の特別徴収税額は %2円）")
                        .arg(taxYearName(plan.taxYear()), formatAmount(plan.monthly()));
    }
    m_label->setText(text);
    return true;
}

void JuminzeiStatementPart::typedByHand()
{
    if (!m_plan)
        return;
    clear();
    m_label->setText(QStringLiteral("住民税: 手入力の額"));
}

std::optional<long long> JuminzeiStatementPart::amountFor(long long available)
{
    if (!m_plan)
        return std::nullopt;
    const bool lump = !m_lump->isHidden() && m_lump->isChecked();
    m_label->setText(m_plan->label(lump, available));
    return m_plan->amount(lump, available);
}

} // namespace minasel::payroll
