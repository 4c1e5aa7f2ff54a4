#include "transfer/screenparts.h"

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

} // namespace minasel::transfer
