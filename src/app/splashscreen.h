#pragma once
#include <QWidget>

class QLabel;
class QProgressBar;

namespace minasel {

// Shown while the program starts: product name, a status line and the progress.
// The user cannot close it; the main menu hides it when start-up is done.
class SplashScreen : public QWidget {
    Q_OBJECT
public:
    explicit SplashScreen(QWidget* parent = nullptr);

    void setProgress(int percent, const QString& status);
    int progress() const;
    QString status() const;
    void finish();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_status;
    QProgressBar* m_bar;
    bool m_finished = false;
};

} // namespace minasel
