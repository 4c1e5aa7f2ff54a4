#pragma once
#include <QFrame>

class QLabel;
class QProgressBar;

namespace minasel::reports {

// The wait frame `fmMsg` of the print screens: its text `lbMsg` and the progress,
// shown while the pages are drawn.
class WaitFrame : public QFrame {
    Q_OBJECT
public:
    explicit WaitFrame(QWidget* parent);
    void start(const QString& text);
    void progress(int done, int total);

private:
    QLabel* m_text;
    QProgressBar* m_bar;
};

} // namespace minasel::reports
