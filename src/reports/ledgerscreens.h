#pragma once
#include <QFrame>

class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;

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

// The wait frame `fmMsg` of the ledger print screens: its text `lbMsg` and the progress.
class LedgerWaitFrame : public QFrame {
    Q_OBJECT
public:
    explicit LedgerWaitFrame(QWidget* parent);
    void start(const QString& text);
    void progress(int done, int total);

private:
    QLabel* m_text;
    QProgressBar* m_bar;
};

} // namespace minasel::reports
