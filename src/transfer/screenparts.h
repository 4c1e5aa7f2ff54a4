#pragma once
#include <QString>

class QPushButton;
class QWidget;

namespace minasel {
class AppContext;
}

namespace minasel::transfer {

// A button of the bank screens: named, with its hint, never pressed by Enter in a field.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip);
// Asked before a screen with unsaved changes closes; true when the user lets them go.
bool discardChanges(AppContext& ctx);

} // namespace minasel::transfer
