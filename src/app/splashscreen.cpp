#include "app/splashscreen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace minasel {

SplashScreen::SplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("ミナセル"));
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto* product = new QLabel(QStringLiteral("ミナセルソフト"), frame);
    product->setObjectName(QStringLiteral("lblProductName"));
    QFont big(QStringLiteral("ＭＳ 明朝"));
    big.setPointSize(26);
    big.setBold(true);
    product->setFont(big);
    product->setAlignment(Qt::AlignCenter);

    auto* wait = new QLabel(QStringLiteral("ただいま起動中です。しばらくお待ちください"), frame);
    wait->setObjectName(QStringLiteral("lblWait"));
    wait->setAlignment(Qt::AlignCenter);

    m_status = new QLabel(frame);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setAlignment(Qt::AlignCenter);

    m_bar = new QProgressBar(frame);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);

    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(30, 24, 30, 24);
    layout->setSpacing(14);
    layout->addWidget(product);
    layout->addWidget(wait);
    layout->addWidget(m_status);
    layout->addWidget(m_bar);
    setFixedSize(460, 230);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
}

void SplashScreen::setProgress(int percent, const QString& status)
{
    m_bar->setValue(percent);
    m_status->setText(status);
    if (isVisible()) {
        repaint();
        // Paint now: the start-up runs before the event loop.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

int SplashScreen::progress() const
{
    return m_bar->value();
}

QString SplashScreen::status() const
{
    return m_status->text();
}

void SplashScreen::finish()
{
    m_finished = true;
    close();
}

void SplashScreen::closeEvent(QCloseEvent* event)
{
    if (m_finished)
        event->accept();
    else
        event->ignore();
}

} // namespace minasel
