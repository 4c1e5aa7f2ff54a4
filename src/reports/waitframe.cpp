#include "reports/waitframe.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace minasel::reports {

WaitFrame::WaitFrame(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("fmMsg"));
    setFrameShape(QFrame::Box);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("lbMsg"));
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("pbPrint"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    hide();
}

void WaitFrame::start(const QString& text)
{
    m_text->setText(text);
    m_bar->setRange(0, 0);
    show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WaitFrame::progress(int done, int total)
{
    m_bar->setRange(0, total);
    m_bar->setValue(done);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace minasel::reports
