#include "app/menuscreen.h"

#include "app/appcontext.h"
#include "app/screenregistry.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QVBoxLayout>

namespace minasel {

MenuScreen::MenuScreen(AppContext& ctx, const QString& menuName, const QString& title)
    : Screen(ctx, title), m_menuName(menuName)
{
    setObjectName(menuName);
    auto* heading = new QLabel(title, this);
    heading->setObjectName(QStringLiteral("lblTitle"));
    QFont f = heading->font();
    f.setPointSize(f.pointSize() + 8);
    f.setBold(true);
    heading->setFont(f);
    heading->setAlignment(Qt::AlignCenter);

    auto* buttonBox = new QWidget(this);
    m_buttons = new QVBoxLayout(buttonBox);
    m_buttons->setContentsMargins(0, 0, 0, 0);
    m_buttons->setSpacing(8);

    m_readMe = new QLabel(this);
    m_readMe->setObjectName(QStringLiteral("lblReadMe"));
    m_readMe->setWordWrap(true);
    m_readMe->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_readMe->setFrameShape(QFrame::StyledPanel);
    m_readMe->setMargin(10);
    m_readMe->setMinimumWidth(300);

    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("lblHint"));
    m_hint->setFrameShape(QFrame::Panel);
    m_hint->setFrameShadow(QFrame::Sunken);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(20);
    middle->addWidget(buttonBox, 0, Qt::AlignTop);
    middle->addWidget(m_readMe, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 8);
    layout->setSpacing(14);
    layout->addWidget(heading);
    layout->addLayout(middle, 1);
    layout->addWidget(m_hint);
    resize(720, 520);
}

QPushButton* MenuScreen::addButton(const QString& objectName, const QString& caption, const QString& hint)
{
    auto* b = new QPushButton(caption, this);
    b->setObjectName(objectName);
    b->setToolTip(hint);
    b->setStatusTip(hint);
    b->setAutoDefault(false);
    b->setMinimumSize(260, 40);
    b->setStyleSheet(QStringLiteral("text-align: left; padding-left: 12px;"));
    m_buttons->addWidget(b);
    return b;
}

QPushButton* MenuScreen::addScreenButton(const QString& objectName, const QString& caption, const QString& hint,
                                         const QString& screenName, bool over)
{
    QPushButton* b = addButton(objectName, caption, hint);
    setEnabledWithReason(b, ctx().screens && ctx().screens->has(screenName), notAvailableHint());
    connect(b, &QPushButton::clicked, this, [this, screenName, over] { openScreen(screenName, over); });
    return b;
}

void MenuScreen::addBackButton()
{
    m_buttons->addSpacing(16);
    QPushButton* b = addButton(QStringLiteral("cmdBack"), QStringLiteral("メインメニュー（X）"),
                               QStringLiteral("メインメニューへ戻ります。"));
    connect(b, &QPushButton::clicked, this, &QWidget::close);
}

void MenuScreen::setReadMe(const QString& text)
{
    m_readMe->setText(text);
}

QWidget* MenuScreen::openScreen(const QString& screenName, bool over)
{
    if (!ctx().screens)
        return nullptr;
    ctx().callerName = m_menuName;
    QWidget* screen = ctx().screens->create(screenName, ctx());
    if (!screen)
        return nullptr;
    if (over)
        openOver(this, screen);
    else
        openFrom(this, screen);
    return screen;
}

bool MenuScreen::handleKey(QWidget*, QKeyEvent* event)
{
    const auto mods = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event->key() == Qt::Key_X && mods == Qt::NoModifier) {
        close();
        return true;
    }
    // The digit of a caption "１）..." opens that item, as a click would.
    if (event->key() >= Qt::Key_1 && event->key() <= Qt::Key_9 && mods == Qt::NoModifier) {
        const QChar digit(0xFF10 + (event->key() - Qt::Key_0));
        for (QPushButton* b : findChildren<QPushButton*>()) {
            const QString caption = b->text();
            if (caption.size() > 1 && caption[0] == digit
                && (caption[1] == QLatin1Char(')') || caption[1] == QChar(0xFF09))) {
                if (b->isEnabled() && b->isVisible())
                    b->click();
                return true;
            }
        }
    }
    return false;
}

bool MenuScreen::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        m_hint->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return Screen::event(event);
}

void MenuScreen::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        ctx().callerName = m_menuName;
    Screen::changeEvent(event);
}

} // namespace minasel

namespace minasel {

void MenuScreen::showEvent(QShowEvent* event)
{
    // Shown again when a screen it opened closes: the next screen opened sees this menu as its caller,
    // also where the window system does not make the menu active.
    ctx().callerName = m_menuName;
    Screen::showEvent(event);
}

} // namespace minasel
