#include "app/screen.h"

#include "app/appcontext.h"
#include "app/numberfield.h"
#include "app/textfield.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>

namespace minasel {

Screen::Screen(AppContext& ctx, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx), m_title(title)
{
    setAttribute(Qt::WA_DeleteOnClose);
    updateCaption();
    qApp->installEventFilter(this);
}

Screen::~Screen()
{
    qApp->removeEventFilter(this);
    // The fields outlive the screen's own parts by a moment (a field losing the
    // focus while it is destroyed still signals): nothing may reach the screen then.
    QObject::disconnect(qApp, nullptr, this, nullptr);
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

void Screen::setTitle(const QString& title)
{
    m_title = title;
    updateCaption();
}

void Screen::updateCaption()
{
    setWindowTitle(m_title + QStringLiteral(" - ") + m_ctx.companyName);
}

void Screen::watchClose(QWidget* from, QWidget* screen)
{
    if (auto* s = qobject_cast<Screen*>(screen)) {
        s->setOpener(from);
        return;
    }
    // A plain widget knows nothing of its opener: bring the opener back when it goes.
    if (!from)
        return;
    screen->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<QWidget> opener(from);
    QObject::connect(screen, &QObject::destroyed, from, [opener] { bringBack(opener); });
}

void Screen::bringBack(QWidget* opener)
{
    if (!opener)
        return;
    opener->setEnabled(true);
    opener->show();
    // Not every desktop hands the keyboard on when a window goes; a user of
    // Enter and the function keys must not have to reach for the mouse. Asked
    // once the closing window is gone, or its going takes the keyboard away again.
    // A window opened meanwhile (the same screen again, another over us) keeps it.
    QTimer::singleShot(0, opener, [opener] {
        QWidget* active = QApplication::activeWindow();
        if (!opener->isVisible() || !opener->isEnabled() || (active && active != opener && active->isVisible()))
            return;
        opener->raise();
        opener->activateWindow();
    });
}

void Screen::openFrom(QWidget* from, QWidget* screen)
{
    if (!screen)
        return;
    watchClose(from, screen);
    screen->show();
    screen->raise();
    screen->activateWindow();
    if (from)
        from->hide();
}

void Screen::openOver(QWidget* from, QWidget* screen)
{
    if (!screen)
        return;
    watchClose(from, screen);
    if (from) {
        // Disabling takes the focus away; the user comes back to the field he left.
        QPointer<QWidget> field = from->focusWidget();
        QObject::connect(screen, &QObject::destroyed, from, [field] {
            if (field && field->isEnabled())
                field->setFocus();
        });
        from->setEnabled(false);
    }
    screen->show();
    screen->raise();
    screen->activateWindow();
}

QAbstractButton* Screen::functionButton(int n) const
{
    const QString prefix = QStringLiteral("[f・%1]").arg(n);
    for (QAbstractButton* b : findChildren<QAbstractButton*>())
        if (b->text().startsWith(prefix))
            return b;
    return nullptr;
}

void Screen::trackChanges()
{
    for (QLineEdit* e : findChildren<QLineEdit*>())
        connect(e, &QLineEdit::textChanged, this, [this] { m_changed = true; });
    for (QComboBox* c : findChildren<QComboBox*>())
        connect(c, &QComboBox::currentTextChanged, this, [this] { m_changed = true; });
    for (QAbstractButton* b : findChildren<QAbstractButton*>())
        if (b->isCheckable())
            connect(b, &QAbstractButton::toggled, this, [this] { m_changed = true; });
}

void Screen::clearControls()
{
    for (TextField* t : findChildren<TextField*>())
        t->clear();
    for (NumberField* n : findChildren<NumberField*>())
        n->setValue(0);
    for (QComboBox* c : findChildren<QComboBox*>())
        if (c->count() > 0 && !c->itemText(0).trimmed().isEmpty())
            c->setCurrentIndex(0);
}

void Screen::setEnabledWithReason(QAbstractButton* button, bool enabled, const QString& reason)
{
    QVariant base = button->property("baseHint");
    if (!base.isValid()) {
        base = button->toolTip();
        button->setProperty("baseHint", base);
    }
    const QString hint = base.toString();
    const QString joined = hint.isEmpty() ? reason : hint + QStringLiteral("（") + reason + QStringLiteral("）");
    button->setToolTip(enabled ? hint : joined);
    button->setStatusTip(enabled ? hint : joined);
    button->setEnabled(enabled);
}

QLabel* Screen::makeNote(QWidget* parent, const QString& name, int lines)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    l->setMinimumWidth(120);
    l->setFixedHeight(l->fontMetrics().lineSpacing() * lines + 2 * l->frameWidth() + 2);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
}

bool Screen::confirmDiscard()
{
    return m_ctx.messages().show(Messages::Icon::Exclamation, Messages::defaultTitle(),
                                 QStringLiteral("データが変更されましたが、終了しても宜しいですか？"),
                                 Messages::Buttons::OkCancel, Messages::Answer::Cancel)
        == Messages::Answer::Ok;
}

bool Screen::confirmDelete()
{
    return m_ctx.messages().show(Messages::Icon::Exclamation, QStringLiteral("確認"),
                                 QStringLiteral("選択されたデータを削除してもよろしいですか？"), Messages::Buttons::YesNo,
                                 Messages::Answer::No)
        == Messages::Answer::Yes;
}

void Screen::placeCentred()
{
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect area = s->availableGeometry();
    const QSize decoration = frameGeometry().size() - size();
    const QSize fit = size().boundedTo(area.size() - decoration).expandedTo(minimumSize());
    if (fit != size())
        resize(fit);
    const QSize frame = fit + decoration;
    // 440 twips above the middle, in pixels at the usual 15 twips a pixel.
    move(area.left() + std::max(0, (area.width() - frame.width()) / 2),
         area.top() + std::max(0, (area.height() - frame.height() - 29) / 2));
}

void Screen::showEvent(QShowEvent* event)
{
    updateCaption();
    if (!m_placed) {
        m_placed = true;
        placeCentred();
    }
    QWidget::showEvent(event);
}

bool Screen::handleKey(QWidget*, QKeyEvent*)
{
    return false;
}

bool Screen::moveFocus(QWidget* from, bool forward)
{
    Q_UNUSED(from);
    return focusNextPrevChild(forward);
}

bool Screen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || m_forwarding)
        return false;
    auto* receiver = qobject_cast<QWidget*>(watched);
    if (!receiver || !isVisible() || !isEnabled() || !(receiver == this || isAncestorOf(receiver)))
        return false;
    if (receiver->window() != this)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (handleKey(receiver, key))
        return true;

    const Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F12) {
        if (mods != Qt::NoModifier)
            return false;
        QAbstractButton* b = functionButton(key->key() - Qt::Key_F1 + 1);
        if (b && b->isVisible() && b->isEnabled()) {
            b->setFocus();   // ends any edit in progress first, as a click would
            b->click();
        }
        return true;
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool esc = key->key() == Qt::Key_Escape;
    if (!enter && !esc)
        return false;
    if (mods != Qt::NoModifier && mods != Qt::KeypadModifier)
        return false;
    // Grids and multi-line texts keep their own Enter and Esc.
    if (qobject_cast<QAbstractItemView*>(receiver) || qobject_cast<QAbstractItemView*>(receiver->parentWidget())
        || qobject_cast<QPlainTextEdit*>(receiver) || qobject_cast<QTextEdit*>(receiver))
        return false;
    if (auto* combo = qobject_cast<QComboBox*>(receiver); combo && combo->view() && combo->view()->isVisible())
        return false;
    // Enter on a focused push button presses it (the user chose it); in a field it never does.
    if (enter && qobject_cast<QPushButton*>(receiver)) {
        static_cast<QPushButton*>(receiver)->click();
        return true;
    }
    QPointer<QWidget> guard(receiver);
    if (qobject_cast<QLineEdit*>(receiver) && enter) {
        // The field finishes its entry itself (returnPressed, editingFinished once),
        // as it would on Tab; only then does the focus move on.
        m_forwarding = true;
        QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
        QCoreApplication::sendEvent(receiver, &copy);
        m_forwarding = false;
        // The field's handler may have closed the screen or put the focus elsewhere on purpose.
        if (!guard || !isVisible() || focusWidget() != receiver)
            return true;
    }
    moveFocus(receiver, enter);
    return true;
}

void Screen::closeEvent(QCloseEvent* event)
{
    if (!canClose()) {
        event->ignore();
        return;
    }
    event->accept();
    bringBack(m_opener);
    emit closed();
}

} // namespace minasel
