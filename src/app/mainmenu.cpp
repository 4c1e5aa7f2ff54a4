#include "app/mainmenu.h"

#include "app/appcontext.h"
#include "app/inoutmenu.h"
#include "app/password.h"
#include "app/screenregistry.h"
#include "app/splashscreen.h"
#include "app/syokisetmenu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace minasel {

namespace {
QPushButton* menuButton(QWidget* parent, const QString& name, const QString& caption, const QString& hint)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setStatusTip(hint);
    b->setAutoDefault(false);
    b->setMinimumSize(220, 44);
    return b;
}
} // namespace

MainMenu::MainMenu(AppContext& ctx, bool showSplash)
    : Screen(ctx, QStringLiteral("メインメニュー")), m_startup(ctx), m_showSplash(showSplash)
{
    setObjectName(QStringLiteral("MainMenu"));
    // Loaded for the whole run: hidden, never deleted, while other screens are open.
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* heading = new QLabel(QStringLiteral("ミナセル　メインメニュー"), this);
    heading->setObjectName(QStringLiteral("lblTitle"));
    QFont hf = heading->font();
    hf.setPointSize(hf.pointSize() + 8);
    hf.setBold(true);
    heading->setFont(hf);
    heading->setAlignment(Qt::AlignCenter);

    auto* frame = new QGroupBox(QStringLiteral("会社データ選択"), this);
    frame->setObjectName(QStringLiteral("fraKaisya"));
    m_company = new QComboBox(frame);
    m_company->setObjectName(QStringLiteral("cmbKaisya"));
    m_company->setToolTip(QStringLiteral("まず会社データ選択よりお始め下さい。"));
    m_company->setStatusTip(m_company->toolTip());
    m_company->setMinimumWidth(320);
    auto* frameLayout = new QHBoxLayout(frame);
    frameLayout->addWidget(m_company);

    m_newKaisya = menuButton(this, QStringLiteral("cmdNewKaisyaJoho"), QStringLiteral("会社情報新規登録"),
                             QStringLiteral("新規に会社情報を登録します。"));
    m_syokiSet = menuButton(this, QStringLiteral("cmdSyokiSet"), QStringLiteral("初期設定"),
                            QStringLiteral("会社情報の基本設定・変更を行います。"));
    m_inOut = menuButton(this, QStringLiteral("cmdInOutsyori"), QStringLiteral("入出力処理"),
                         QStringLiteral("データの入力・帳票の出力を行います。"));
    m_kyuyo = menuButton(this, QStringLiteral("cmdKyuyo"), QStringLiteral("給与明細入力"),
                         QStringLiteral("給与データの入力を行います。"));
    m_end = menuButton(this, QStringLiteral("cmdEnd"), QStringLiteral("ミナセル終了"),
                       QStringLiteral("ミナセルを終了します。"));

    m_message = new QLabel(QStringLiteral("自動バックアップ処理中！！"), this);
    m_message->setObjectName(QStringLiteral("lblMessage"));
    QFont mf = m_message->font();
    mf.setPointSize(mf.pointSize() + 4);
    mf.setBold(true);
    m_message->setFont(mf);
    m_message->setStyleSheet(QStringLiteral("color: #c00000;"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->hide();

    m_readMe = new QLabel(this);
    m_readMe->setObjectName(QStringLiteral("lblReadMe"));
    m_readMe->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_readMe->setFrameShape(QFrame::StyledPanel);
    m_readMe->setMargin(10);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(10);
    buttons->addWidget(frame);
    buttons->addSpacing(8);
    for (QPushButton* b : {m_newKaisya, m_syokiSet, m_inOut, m_kyuyo})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(m_end);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(20);
    middle->addLayout(buttons);
    middle->addWidget(m_readMe, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->setSpacing(12);
    layout->addWidget(heading);
    layout->addLayout(middle, 1);
    layout->addWidget(m_message);
    resize(960, 600);

    connect(m_company, &QComboBox::activated, this, &MainMenu::companyClicked);
    connect(m_newKaisya, &QPushButton::clicked, this,
            [this] { openScreen(QStringLiteral("InpKaisyaJoho"), QStringLiteral("MainMenu")); });
    connect(m_syokiSet, &QPushButton::clicked, this, [this] {
        this->ctx().callerName = QStringLiteral("MainMenu");
        openFrom(this, new SyokiSetMenu(this->ctx()));
    });
    connect(m_inOut, &QPushButton::clicked, this, [this] { openAfterSetupCheck(true); });
    connect(m_kyuyo, &QPushButton::clicked, this, [this] { openAfterSetupCheck(false); });
    connect(m_end, &QPushButton::clicked, this, &QWidget::close);

    ctx.refreshCompanies = [this](const QString& cid) { refreshCompanies(cid); };
    updateButtons();
}

MainMenu::~MainMenu()
{
    ctx().refreshCompanies = nullptr;
    delete m_splash;
}

QString MainMenu::readMeText()
{
    const QStringList lines = {
        QStringLiteral("☆必ずお読みください"),
        QStringLiteral("　 『給与明細入力』ボタンは必ず以下の登録作業を済ませた後にご利用下さい。"),
        QString(),
        QStringLiteral("◎初めて登録する場合"),
        QStringLiteral("　 最初に『会社データ選択』から、貴社に最も近い業種を選択して下さい。"),
        QStringLiteral("　 選択後、導入処理を実行することで準備完了です。"),
        QString(),
        QStringLiteral("　 なお、近い業種のない場合や独自の会社データを作成する場合は、新規登録して"),
        QStringLiteral("　 下さい。"),
        QString(),
        QStringLiteral("◎登録済みの場合"),
        QStringLiteral("　 以後は『会社データ選択』から登録した会社データを選択し、『給与明細入力』に"),
        QStringLiteral("　 進んで毎月の処理をして下さい。"),
        QString(),
        QStringLiteral("　 　　このソフトのご利用は解像度1024×768以上で最適になるよう設計しております。"),
    };
    return lines.join(QLatin1Char('\n'));
}

bool MainMenu::start()
{
    placeCentred();
    m_startup.onProgress = [this](int percent, const QString& status) {
        if (!m_showSplash)
            return;
        if (!m_splash) {
            m_splash = new SplashScreen;
            m_splash->show();
        }
        m_splash->setProgress(percent, status);
    };
    const bool ok = m_startup.run();
    if (m_splash) {
        m_splash->finish();
        delete m_splash;
        m_splash = nullptr;
    }
    if (!ok) {
        endProgram();
        return false;
    }
    fillCompanies(m_startup.currentIndex());
    m_readMe->setText(readMeText());
    updateCaption();
    return true;
}

void MainMenu::fillCompanies(int currentIndex)
{
    const QSignalBlocker block(m_company);
    m_company->clear();
    for (const CompanyList::Entry& e : m_startup.companies().entries())
        m_company->addItem(e.name, e.cid.toInt());
    m_company->setCurrentIndex(currentIndex);
    updateButtons();
}

void MainMenu::updateButtons()
{
    const bool any = m_company->count() > 0;
    auto registered = [this](const char* name) {
        return ctx().screens && ctx().screens->has(QString::fromLatin1(name));
    };
    // A button that cannot be used says why in its hint.
    const QString noCompany = QStringLiteral("会社情報を新規登録してから使えます。");
    setEnabledWithReason(m_newKaisya, registered("InpKaisyaJoho"), notAvailableHint());
    setEnabledWithReason(m_syokiSet, any, noCompany);
    setEnabledWithReason(m_inOut, any, noCompany);
    setEnabledWithReason(m_kyuyo, any && registered("InpKyuyo"), any ? notAvailableHint() : noCompany);
}

void MainMenu::companyClicked(int index)
{
    if (index < 0)
        return;
    const QString code = CompanyList::formatCode(m_company->itemData(index).toInt());
    if (code == ctx().companyId)
        return;
    ctx().companyId = code;
    ctx().companyName = m_company->itemText(index);
    updateCaption();
    CompanyList list;
    if (!list.remember(ctx(), code)) {
        ctx().reportError(list.lastError().code, list.lastError().description, QStringLiteral("MainMenu.cmbKaisya_Click"));
        return;
    }
    if (code <= QLatin1String("51"))
        return;
    bool ok = false;
    const std::optional<QString> date = list.registrationDate(ctx(), code, &ok);
    if (!ok) {
        ctx().reportError(list.lastError().code, list.lastError().description, QStringLiteral("MainMenu.cmbKaisya_Click"));
        return;
    }
    // An industry template not yet set up goes straight to its company information.
    if (date && date->trimmed() == CompanyList::templateDate())
        openScreen(QStringLiteral("InpKaisyaJoho"), QStringLiteral("SyokiSetMenu"));
}

void MainMenu::refreshCompanies(const QString& cid)
{
    CompanyList& list = m_startup.companies();
    if (!list.load(ctx())) {
        ctx().reportError(list.lastError().code, list.lastError().description,
                          QStringLiteral("MainMenu.refresh_companies"));
        return;
    }
    int index = cid.isEmpty() ? -1 : list.indexOf(cid);
    if (index < 0)
        index = list.indexOf(ctx().companyId);
    if (index < 0 && !list.entries().isEmpty())
        index = 0;
    fillCompanies(index);
    if (index < 0) {
        ctx().companyId = QStringLiteral("無し");
        ctx().companyName.clear();
    } else {
        const CompanyList::Entry& e = list.entries().at(index);
        const bool changed = e.cid != ctx().companyId;
        ctx().companyId = e.cid;
        ctx().companyName = e.name;
        if (changed && !list.remember(ctx(), e.cid)) {
            ctx().reportError(list.lastError().code, list.lastError().description,
                              QStringLiteral("MainMenu.refresh_companies"));
        }
    }
    updateCaption();
}

void MainMenu::openAfterSetupCheck(bool inOut)
{
    const QString procedure = inOut ? QStringLiteral("MainMenu.cmdInOutsyori_Click")
                                    : QStringLiteral("MainMenu.cmdKyuyo_Click");
    CompanyList list;
    bool ok = false;
    const std::optional<QString> date = list.registrationDate(ctx(), ctx().companyId, &ok);
    if (!ok) {
        ctx().reportError(list.lastError().code, list.lastError().description, procedure);
        return;
    }
    // Compared as stored, without trimming.
    if (date && *date == CompanyList::templateDate()) {
        ctx().messages().exclamation(
            QStringLiteral("初期データが正しく設定されていません。\n")
            + (inOut ? QStringLiteral("初期設定メニューで設定し直した後、「入出力処理」を選択して下さい。")
                     : QStringLiteral("初期設定メニューで設定し直した後、「給与明細登録」を選択して下さい。")));
        return;
    }
    if (inOut) {
        ctx().callerName = QStringLiteral("MainMenu");
        openFrom(this, new InOutMenu(ctx()));
    } else {
        openScreen(QStringLiteral("InpKyuyo"), QStringLiteral("MainMenu"));
    }
}

QWidget* MainMenu::openScreen(const QString& screenName, const QString& callerName)
{
    if (!ctx().screens)
        return nullptr;
    ctx().callerName = callerName;
    QWidget* screen = ctx().screens->create(screenName, ctx());
    if (screen)
        openFrom(this, screen);
    return screen;
}

void MainMenu::onActivated()
{
    if (m_ended)
        return;
    if (ctx().startupState != AppContext::StartupOk) {
        close();
        return;
    }
    if (m_startup.passwordRequired()) {
        m_startup.clearPasswordRequired();
        ctx().callerName = QStringLiteral("MainMenu");
        auto* password = new Password(ctx());
        // A wrong password leaves the start-up failed: the menu closes once it is back.
        connect(password, &Screen::closed, this, [this] { onActivated(); }, Qt::QueuedConnection);
        openOver(this, password);
        return;
    }
    ctx().callerName = QStringLiteral("MainMenu");
}

bool MainMenu::handleKey(QWidget*, QKeyEvent* event)
{
    const auto mods = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event->key() == Qt::Key_F6 && mods == Qt::NoModifier) {
        m_end->click();
        return true;
    }
    return false;
}

bool MainMenu::canClose()
{
    // Not while a screen waits over the menu (the password at start-up).
    return isEnabled() || ctx().startupState != AppContext::StartupOk;
}

void MainMenu::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    m_startup.shutdown([this](bool running) {
        m_message->setVisible(running);
        if (isVisible()) {
            repaint();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    });
    hide();
    emit closed();
}

void MainMenu::closeEvent(QCloseEvent* event)
{
    if (!canClose()) {
        event->ignore();
        return;
    }
    event->accept();
    endProgram();
}

void MainMenu::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isEnabled())
        onActivated();
    Screen::changeEvent(event);
}

void MainMenu::showEvent(QShowEvent* event)
{
    Screen::showEvent(event);
    // Not every window system makes a shown window active; do the same work anyway.
    QMetaObject::invokeMethod(this, [this] { if (isVisible() && isEnabled()) onActivated(); }, Qt::QueuedConnection);
}

} // namespace minasel
