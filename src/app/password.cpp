#include "app/password.h"

#include "app/appcontext.h"
#include "app/passwordstore.h"
#include "app/textfield.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace minasel {

namespace {
TextField* passwordField(QWidget* parent, const QString& name)
{
    auto* f = new TextField(parent, TextField::Kind::Code);
    f->setObjectName(name);
    f->setEchoMode(QLineEdit::Password);
    f->setMaxLength(20);
    f->setMinimumWidth(240);
    return f;
}
} // namespace

Password::Password(AppContext& ctx) : Screen(ctx, QStringLiteral("パスワード照合"))
{
    setObjectName(QStringLiteral("Password"));
    if (ctx.callerName != QLatin1String("MainMenu")) {
        PasswordStore store(ctx);
        const std::optional<QString> stored = store.stored();
        if (!stored) {
            // Unreadable: ask for the current password, which cannot be confirmed
            // either, so nothing gets stored.
            ctx.reportError(store.lastError().code, store.lastError().description, QStringLiteral("Password.Form_Load"));
            m_mode = Mode::Change;
        } else {
            m_mode = stored->trimmed().isEmpty() ? Mode::Set : Mode::Change;
        }
    }
    const QString title = m_mode == Mode::Startup ? QStringLiteral("パスワード照合")
        : m_mode == Mode::Set                     ? QStringLiteral("パスワード設定")
                                                  : QStringLiteral("パスワード変更");
    setTitle(title);

    auto* heading = new QLabel(title, this);
    heading->setObjectName(QStringLiteral("lblTitle"));
    QFont f = heading->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    heading->setFont(f);

    m_password0 = passwordField(this, QStringLiteral("txtPassword0"));
    m_password1 = passwordField(this, QStringLiteral("txtPassword1"));
    m_password2 = passwordField(this, QStringLiteral("txtPassword2"));
    auto* label0 = new QLabel(QStringLiteral("現在のパスワード"), this);
    label0->setObjectName(QStringLiteral("lblPassword0"));
    auto* label1 = new QLabel(m_mode == Mode::Startup ? QStringLiteral("パスワード入力")
                                                      : QStringLiteral("新パスワード入力"),
                              this);
    label1->setObjectName(QStringLiteral("lblPassword1"));
    auto* label2 = new QLabel(QStringLiteral("パスワード確認"), this);
    label2->setObjectName(QStringLiteral("lblPassword2"));

    m_ok = new QPushButton(QStringLiteral("ＯＫ"), this);
    m_ok->setObjectName(QStringLiteral("cmdOk"));
    m_ok->setAutoDefault(false);
    m_ok->setMinimumWidth(100);
    connect(m_ok, &QPushButton::clicked, this, &QWidget::close);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(24, 16, 24, 16);
    grid->setVerticalSpacing(10);
    grid->addWidget(heading, 0, 0, 1, 2);
    grid->addWidget(label0, 1, 0);
    grid->addWidget(m_password0, 1, 1);
    grid->addWidget(label1, 2, 0);
    grid->addWidget(m_password1, 2, 1);
    grid->addWidget(label2, 3, 0);
    grid->addWidget(m_password2, 3, 1);
    grid->addWidget(m_ok, 4, 1, Qt::AlignRight);

    switch (m_mode) {
    case Mode::Startup:
        for (QWidget* w : {static_cast<QWidget*>(label0), static_cast<QWidget*>(m_password0),
                           static_cast<QWidget*>(label2), static_cast<QWidget*>(m_password2)})
            w->hide();
        m_password0->setEnabled(false);
        m_password2->setEnabled(false);
        break;
    case Mode::Set:
        m_password0->setEnabled(false);
        label0->setEnabled(false);
        break;
    case Mode::Change:
        break;
    }
    setTabOrder(m_password0, m_password1);
    setTabOrder(m_password1, m_password2);
    setTabOrder(m_password2, m_ok);
    adjustSize();
    // Wide enough for the caption with the company name.
    resize(std::max(width(), 460), height());
}

void Password::showEvent(QShowEvent* event)
{
    Screen::showEvent(event);
    (m_mode == Mode::Change ? m_password0 : m_password1)->setFocus(Qt::OtherFocusReason);
}

void Password::upperCaseFields()
{
    for (TextField* f : {m_password0, m_password1, m_password2})
        f->setText(f->text().toUpper());
}

bool Password::checkPassword()
{
    PasswordStore store(ctx());
    const bool startup = m_mode == Mode::Startup;
    if (!startup && !m_password0->isEnabled())
        return true;
    const QString entered = (startup ? m_password1 : m_password0)->trimmed();
    const std::optional<bool> found = store.matches(entered);
    if (!found) {
        ctx().reportError(store.lastError().code, store.lastError().description,
                          QStringLiteral("Password.check_password"));
        // A password that cannot be checked does not let the program start.
        if (startup)
            ctx().startupState = AppContext::StartupNoCompany;
        return false;
    }
    if (*found)
        return true;
    if (startup) {
        ctx().startupState = AppContext::StartupNoCompany;
        ctx().messages().exclamation(QStringLiteral("パスワードは正しく入力されていませんので、プログラムが終了します。"));
    } else {
        ctx().messages().exclamation(
            QStringLiteral("現在のパスワードは正しく入力されていませんので、パスワードの変更はできません。\n\n"
                           "初期設定画面に戻ります。"));
    }
    return false;
}

bool Password::canClose()
{
    if (m_done)
        return true;
    upperCaseFields();
    if (m_mode == Mode::Startup) {
        checkPassword();
        m_done = true;
        return true;
    }
    if (checkPassword()) {
        if (m_password1->trimmed() != m_password2->trimmed()) {
            ctx().messages().exclamation(
                QStringLiteral("入力された新パスワードは確認できません。再入力して下さい。"));
            m_password1->setFocus(Qt::OtherFocusReason);
            m_password1->selectAll();
            return false;
        }
        PasswordStore store(ctx());
        if (!store.store(m_password1->trimmed())) {
            ctx().reportError(store.lastError().code, store.lastError().description,
                              QStringLiteral("Password.Form_Unload"));
        }
    }
    m_done = true;
    return true;
}

bool Password::handleKey(QWidget* receiver, QKeyEvent* event)
{
    const auto mods = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // At start-up the one entry is finished with Enter, which closes the screen.
    if (m_mode == Mode::Startup && enter && mods == Qt::NoModifier && receiver == m_password1) {
        close();
        return true;
    }
    return false;
}

} // namespace minasel
