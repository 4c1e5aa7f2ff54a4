#pragma once
#include <QString>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace minasel {
class ScreenRegistry;
class TextField;
}

namespace minasel::reports {

// The ledger screens, under the names the input/output menu opens them by.
void registerLedgerScreens(ScreenRegistry& registry);

// A field of `digits` digits for a year or a month.
TextField* digitsField(QWidget* parent, const QString& name, int digits);

// The buttons of a ledger print screen: print, show and back, in a row after
// what is put before them (the wait frame).
struct LedgerButtons {
    // Made after the fields, so that Tab reaches them last.
    static LedgerButtons create(QWidget* screen);
    QHBoxLayout* row(QWidget* before = nullptr) const;

    QPushButton* print = nullptr;
    QPushButton* display = nullptr;
    QPushButton* cancel = nullptr;
};

} // namespace minasel::reports
