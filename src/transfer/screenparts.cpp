#include "transfer/screenparts.h"

#include "app/appcontext.h"

#include <QPushButton>

namespace minasel::transfer {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    b->setAutoDefault(false);
    b->setMinimumWidth(100);
    return b;
}

bool discardChanges(AppContext& ctx)
{
    return ctx.messages().show(Messages::Icon::Exclamation, Messages::defaultTitle(),
                               QStringLiteral("データが変更されましたが、終了しても宜しいですか？"),
                               Messages::Buttons::OkCancel, Messages::Answer::Cancel)
        == Messages::Answer::Ok;
}

} // namespace minasel::transfer
