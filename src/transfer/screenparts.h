#pragma once
#include <QString>

class QPushButton;
class QWidget;

namespace minasel::transfer {

// A button of the bank screens: named, with its hint, never pressed by Enter in a field.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip);

} // namespace minasel::transfer
