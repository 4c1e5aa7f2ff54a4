#include "reports/ledgerscreens.h"

#include "app/screenregistry.h"
#include "app/textfield.h"
#include "reports/prtgetudaityo.h"
#include "reports/prtkojindaityo.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace minasel::reports {

void registerLedgerScreens(ScreenRegistry& registry)
{
    registry.add(QStringLiteral("PrtTukiDaityo"), [](AppContext& ctx) -> QWidget* { return new PrtGetuDaityo(ctx); });
    registry.add(QStringLiteral("PrtKojinDaityo"), [](AppContext& ctx) -> QWidget* { return new PrtKojinDaityo(ctx); });
}

TextField* digitsField(QWidget* parent, const QString& name, int digits)
{
    auto* field = new TextField(parent, TextField::Kind::Code);
    field->setObjectName(name);
    field->setMaxLength(digits);
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(digits)), field));
    field->setFixedWidth(digits * 10 + 20);
    field->setAlignment(Qt::AlignCenter);
    return field;
}

LedgerButtons LedgerButtons::create(QWidget* screen)
{
    LedgerButtons b;
    auto button = [screen](const QString& caption, const QString& name) {
        auto* button = new QPushButton(caption, screen);
        button->setObjectName(name);
        button->setAutoDefault(false);
        button->setMinimumWidth(110);
        return button;
    };
    b.print = button(QStringLiteral("[f・5] 印 刷"), QStringLiteral("cmdPrint"));
    b.display = button(QStringLiteral("表 示"), QStringLiteral("cmdDisp"));
    b.cancel = button(QStringLiteral("[f・6] 戻 る"), QStringLiteral("cmdCancel"));
    QObject::connect(b.cancel, &QPushButton::clicked, screen, &QWidget::close);
    return b;
}

QHBoxLayout* LedgerButtons::row(QWidget* before) const
{
    auto* layout = new QHBoxLayout;
    if (before)
        layout->addWidget(before, 1);
    layout->addStretch();
    for (QPushButton* b : {print, display, cancel})
        layout->addWidget(b);
    return layout;
}

} // namespace minasel::reports
