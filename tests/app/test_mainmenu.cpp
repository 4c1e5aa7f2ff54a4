#include "app/mainmenu.h"
#include "app/screenregistry.h"
#include "startupfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace minasel;
using namespace minasel::test;

namespace {

// Stands in for a work screen: remembers the caller name it was opened with.
class ProbeScreen : public Screen {
public:
    ProbeScreen(AppContext& ctx, const QString& name) : Screen(ctx, name), caller(ctx.callerName)
    {
        setObjectName(name);
        resize(200, 100);
    }
    QString caller;
};

void pump()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWidget* visibleWindow(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

struct MainMenuTest : ::testing::Test {
    TestDataDir t{false};
    ScreenRegistry registry;
    std::unique_ptr<MainMenu> menu;
    QStringList opened;   // "name:caller"
    int backups = 0;
    bool noticeDuringBackup = false;

    void registerProbe(const QString& name)
    {
        registry.add(name, [this, name](AppContext& c) {
            opened << name + QStringLiteral(":") + c.callerName;
            return new ProbeScreen(c, name);
        });
    }
    void registerAll()
    {
        for (const char* n : {"InpKaisyaJoho", "MstJyugyoin", "MstSikaku", "MstFukakyu", "InpKyuyo", "InpSyoyo",
                              "PrtKyuyoSyoyo", "PrtKojinDaityo", "PrtTukiDaityo", "InpNentyo", "PrtGensen",
                              "RunBackUp", "SetUsePrinter"})
            registerProbe(QString::fromLatin1(n));
    }
    bool start(const std::function<void(QSqlDatabase&)>& edit = {})
    {
        prepareData(t, edit);
        t.ctx().screens = &registry;
        t.ctx().automaticBackup = [this](AppContext&) {
            ++backups;
            noticeDuringBackup = menu->findChild<QLabel*>(QStringLiteral("lblMessage"))->isVisible();
            return true;
        };
        menu = std::make_unique<MainMenu>(t.ctx(), false);
        if (!menu->start())
            return false;
        menu->show();
        pump();
        return true;
    }
    QPushButton* button(const char* name, QWidget* in = nullptr) const
    {
        return (in ? in : menu.get())->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    void pick(const QString& cid)
    {
        QComboBox* c = menu->companyList();
        const int i = c->findData(cid.toInt());
        ASSERT_GE(i, 0) << cid.toStdString();
        c->setCurrentIndex(i);
        emit c->activated(i);
        pump();
    }
    QString basicCid() { return t.scalar(QStringLiteral("SELECT CID FROM BASIC")).toString(); }
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<Screen*>(w) && w != menu.get())
                delete w;
        menu.reset();
    }
};

TEST_F(MainMenuTest, NoCompanyLeavesOnlyRegistrationAndEnd)
{
    registerAll();
    ASSERT_TRUE(start([](QSqlDatabase& d) { execOk(d, QStringLiteral("DELETE FROM COMPANY")); }));
    EXPECT_EQ(menu->companyList()->count(), 0);
    EXPECT_EQ(t.ctx().companyId, QStringLiteral("無し"));
    for (const char* b : {"cmdSyokiSet", "cmdInOutsyori", "cmdKyuyo"}) {
        EXPECT_FALSE(button(b)->isEnabled()) << b;
        EXPECT_TRUE(button(b)->toolTip().endsWith(QStringLiteral("（会社情報を新規登録してから使えます。）"))) << b;
    }
    EXPECT_TRUE(button("cmdEnd")->isEnabled());
    button("cmdNewKaisyaJoho")->click();
    EXPECT_EQ(opened, QStringList{QStringLiteral("InpKaisyaJoho:MainMenu")});
    EXPECT_FALSE(menu->isVisible());
}

TEST_F(MainMenuTest, ShowsTheCompaniesAndOnlyRegisteredScreens)
{
    ASSERT_TRUE(start());
    // The current company is shown; the whole list is what PickingCompaniesAndTemplates picks from.
    EXPECT_EQ(menu->companyList()->currentText(), t.ctx().companyName);
    EXPECT_EQ(menu->companyList()->toolTip(), QStringLiteral("まず会社データ選択よりお始め下さい。"));
    EXPECT_EQ(button("cmdEnd")->toolTip(), QStringLiteral("ミナセルを終了します。"));
    EXPECT_TRUE(menu->findChild<QLabel*>(QStringLiteral("lblReadMe"))->text().startsWith(QStringLiteral("☆必ずお読みください\n")));
    EXPECT_FALSE(menu->findChild<QLabel*>(QStringLiteral("lblMessage"))->isVisible());
    // Nothing registered: the buttons that lead to screens cannot be pressed.
    EXPECT_FALSE(button("cmdNewKaisyaJoho")->isEnabled());
    EXPECT_FALSE(button("cmdKyuyo")->isEnabled());
    EXPECT_TRUE(button("cmdSyokiSet")->isEnabled());
}

TEST_F(MainMenuTest, PickingCompaniesAndTemplates)
{
    registerAll();
    ASSERT_TRUE(start([](QSqlDatabase& d) {
        copyCompany(d, QStringLiteral("02"), QStringLiteral("52"), QStringLiteral("テンプレート52"),
                    QStringLiteral("2000/01/01"));
        copyCompany(d, QStringLiteral("02"), QStringLiteral("53"), QStringLiteral("設定済53"),
                    QStringLiteral("2026/04/01"));
        execOk(d, QStringLiteral("UPDATE BASIC SET CID = '52'"));
    }));
    // A remembered template above "51" opens nothing at start, nor when picked while current.
    EXPECT_EQ(t.ctx().companyId, QStringLiteral("52"));
    pick(QStringLiteral("52"));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(menu->isVisible());

    pick(QStringLiteral("02"));   // a template up to "51": only made current
    EXPECT_EQ(t.ctx().companyId, QStringLiteral("02"));
    EXPECT_EQ(basicCid(), QStringLiteral("02"));
    EXPECT_EQ(menu->windowTitle(), QStringLiteral("メインメニュー - ") + menu->companyList()->currentText());
    pick(QStringLiteral("53"));   // set up already
    EXPECT_TRUE(opened.isEmpty());

    pick(QStringLiteral("52"));   // a template above "51": straight to its company information
    EXPECT_EQ(basicCid(), QStringLiteral("52"));
    EXPECT_EQ(opened, QStringList{QStringLiteral("InpKaisyaJoho:SyokiSetMenu")});
    EXPECT_FALSE(menu->isVisible());
    visibleWindow(QStringLiteral("InpKaisyaJoho"))->close();
    pump();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(t.ctx().callerName, QStringLiteral("MainMenu"));
}

TEST_F(MainMenuTest, SetupCheckRefusesTemplates)
{
    registerAll();
    ASSERT_TRUE(start([](QSqlDatabase& d) {
        // Stored with a trailing blank: the check compares without trimming.
        execOk(d, QStringLiteral("UPDATE COMPANY SET TOROKUBI = '2000/01/01 ' WHERE CID = '03'"));
    }));
    pick(QStringLiteral("02"));
    button("cmdInOutsyori")->click();
    EXPECT_EQ(t.messages().lastText(), QStringLiteral("初期データが正しく設定されていません。\n"
                                                      "初期設定メニューで設定し直した後、「入出力処理」を選択して下さい。"));
    EXPECT_EQ(t.messages().last().icon, Messages::Icon::Exclamation);
    button("cmdKyuyo")->click();
    EXPECT_EQ(t.messages().lastText(), QStringLiteral("初期データが正しく設定されていません。\n"
                                                      "初期設定メニューで設定し直した後、「給与明細登録」を選択して下さい。"));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(visibleWindow(QStringLiteral("InOutMenu")), nullptr);
    EXPECT_TRUE(menu->isVisible());

    pick(QStringLiteral("03"));
    button("cmdKyuyo")->click();
    EXPECT_EQ(opened, QStringList{QStringLiteral("InpKyuyo:MainMenu")});
    EXPECT_FALSE(menu->isVisible());
}

struct MenuButton {
    const char* name;
    const char* caption;
    const char* hint;
    const char* screen;   // opened in place of the menu; empty: none
};

struct SubMenu {
    const char* opener;
    const char* name;
    const char* title;
    const char* readMe;
    std::vector<MenuButton> buttons;
    const char* overButton;   // opens a screen that waits over the menu
    const char* overScreen;
};

const MenuButton kBack{"cmdBack", "メインメニュー（X）", "メインメニューへ戻ります。", ""};

const SubMenu kSubMenus[] = {
    {"cmdSyokiSet", "SyokiSetMenu", "初期設定 - ",
     "最初は会社情報を設定して下さい。\n１）から順に５）へと進んで下さい。但し、１）と２）の設定を行えば、"
     "「給与明細入力」処理へと進めます。資格と付加給がない場合は入力は不要です。また、これら情報の登録は何時でもできます。",
     {{"cmdKaisyaJoho", "１)会社情報設定", "会社情報の設定を行います。", "InpKaisyaJoho"},
      {"cmdJyugyoin", "２)従業員マスタ保守", "従業員情報の設定を行います。", "MstJyugyoin"},
      {"cmdSikaku", "３）資格マスタ保守", "資格手当の入力を行います。", "MstSikaku"},
      {"cmdFukakyu", "４）付加給マスタ保守", "付加給データの設定を行います。", "MstFukakyu"},
      {"cmdPassword", "５）パスワード設定／変更", "パスワードの設定・変更を行います。", ""},
      {"cmdJuminzei", "６）住民税 特別徴収税額", "市区町村の通知書の住民税（特別徴収税額）を入力・確認します。", "DspJuminzei"},
      kBack},
     "cmdPassword", "Password"},
    {"cmdInOutsyori", "InOutMenu", "入出力処理 - ",
     "　給与明細入力で、毎月の給与を入力して下さい。\n\n　賞与支給と年末調整の時期がくる時に入力して下さい。"
     "\n\n　帳票等は必要な時に印字して下さい。",
     {{"cmdInpKyuyo", "１）給与明細登録", "月々の給与データを入力します。", "InpKyuyo"},
      {"cmdInpSyoyo", "２）賞与明細登録", "賞与データを入力します。", "InpSyoyo"},
      {"cmdPrtKyoyoSyoyo", "３）給与・賞与明細印刷", "個人別の給与明細・賞与明細を印刷します。", "PrtKyuyoSyoyo"},
      {"cmdPrtKojinDaityo", "４）個人別賃金台帳印刷", "個人別の賃金台帳を表示・印刷します。", "PrtKojinDaityo"},
      {"cmdPrtTukiDaityo", "５）月別賃金台帳印刷", "月別の賃金台帳を表示・印刷します。", "PrtTukiDaityo"},
      {"cmdInpNentyo", "６）年末調整", "年末調整を行います。", "InpNentyo"},
      {"cmdPrtGensen", "７）源泉徴収票印刷", "源泉徴収票を印刷します。", "PrtGensen"},
      {"cmdBackUp", "８）バックアップ処理", "入力データのバックアップ・復元を行います。", "RunBackUp"},
      {"cmdSetPrinter", "９）プリンター選択", "印刷用のプリンターを選択します。", ""},
      {"cmdFurikomi", "１０）振込データ作成", "給与・賞与の銀行振込データを作成します。", "RunFurikomi"}, kBack},
     "cmdSetPrinter", "SetUsePrinter"},
};

// Both sub-menus: captions and hints as shown (a button without its screen says
// why it cannot be used), the digit of each caption opening its screen in place of
// the menu (which comes back as the caller of the next one), the modal one waiting
// over it, and X alone (no modifier) leading back to the main menu.
TEST_F(MainMenuTest, SubMenusOpenTheirScreensAndLeaveOnX)
{
    for (const char* n : {"InpKaisyaJoho", "MstJyugyoin", "MstSikaku", "InpKyuyo", "InpSyoyo", "PrtKyuyoSyoyo",
                          "PrtKojinDaityo", "PrtTukiDaityo", "InpNentyo", "RunBackUp", "SetUsePrinter", "RunFurikomi",
                          "DspJuminzei"})
        registerProbe(QString::fromLatin1(n));   // MstFukakyu and PrtGensen left out
    ASSERT_TRUE(start());
    for (const SubMenu& sub : kSubMenus) {
        const QString menuName = QString::fromLatin1(sub.name);
        button(sub.opener)->click();
        QPointer<QWidget> m = visibleWindow(menuName);
        ASSERT_NE(m, nullptr) << sub.name;
        EXPECT_FALSE(menu->isVisible());
        EXPECT_EQ(m->windowTitle(), QString::fromUtf8(sub.title) + t.ctx().companyName);
        EXPECT_EQ(m->findChild<QLabel*>(QStringLiteral("lblReadMe"))->text(), QString::fromUtf8(sub.readMe));
        EXPECT_EQ(m->findChildren<QPushButton*>().size(), int(sub.buttons.size())) << sub.name;
        for (size_t i = 0; i < sub.buttons.size(); ++i) {
            const MenuButton& b = sub.buttons[i];
            QPushButton* pb = button(b.name, m);
            ASSERT_NE(pb, nullptr) << b.name;
            const QString screen = QString::fromLatin1(b.screen);
            const bool missing = !screen.isEmpty() && !registry.has(screen);
            const QString hint = QString::fromUtf8(b.hint) + (missing ? QStringLiteral("（この機能は未対応です。）") : QString());
            EXPECT_EQ(pb->text(), QString::fromUtf8(b.caption)) << b.name;
            EXPECT_EQ(pb->toolTip(), hint) << b.name;
            EXPECT_EQ(pb->statusTip(), hint) << b.name;
            if (screen.isEmpty())
                continue;
            opened.clear();
            // Items past the ninth have no single digit: they are clicked.
            if (i < 9)
                QTest::keyClick(button("cmdBack", m), Qt::Key(Qt::Key_1 + int(i)));
            else
                pb->click();
            if (missing) {
                EXPECT_FALSE(pb->isEnabled()) << b.name;
                EXPECT_TRUE(opened.isEmpty()) << b.name;
                continue;
            }
            EXPECT_EQ(opened, QStringList{screen + QStringLiteral(":") + menuName});
            EXPECT_FALSE(m->isVisible()) << b.name;
            t.ctx().callerName = screen;   // as a screen opening others would
            visibleWindow(screen)->close();
            EXPECT_TRUE(m->isVisible()) << b.name;
            EXPECT_EQ(t.ctx().callerName, menuName) << b.name;
        }
        button(sub.overButton, m)->click();
        QWidget* over = visibleWindow(QString::fromLatin1(sub.overScreen));
        ASSERT_NE(over, nullptr) << sub.overScreen;
        EXPECT_TRUE(m->isVisible());
        EXPECT_FALSE(m->isEnabled());
        over->close();
        EXPECT_TRUE(m->isEnabled());

        QWidget* focus = button("cmdBack", m);
        for (Qt::KeyboardModifier mod : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
            QTest::keyClick(focus, Qt::Key_X, mod);
            EXPECT_TRUE(m->isVisible()) << sub.name << " " << int(mod);
        }
        QTest::keyClick(focus, Qt::Key_X);
        pump();
        EXPECT_TRUE(m.isNull()) << sub.name;
        EXPECT_TRUE(menu->isVisible()) << sub.name;
    }
}

TEST_F(MainMenuTest, EndingRunsTheBackupWithTheNoticeThenLogs)
{
    ASSERT_TRUE(start());
    QSignalSpy closed(menu.get(), &Screen::closed);
    QTest::keyClick(button("cmdEnd"), Qt::Key_F6);   // with a modifier it would not: ScreenTest
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(backups, 1);
    EXPECT_TRUE(noticeDuringBackup);
    EXPECT_FALSE(menu->findChild<QLabel*>(QStringLiteral("lblMessage"))->isVisible());
    // Closing the connection and the end line: Startup.ShutdownBacksUpThenClosesThenLogsTheEnd.
}

TEST_F(MainMenuTest, CompanyScreenKeepsTheListInStep)
{
    ASSERT_TRUE(start());
    ASSERT_TRUE(t.exec(QStringLiteral("UPDATE COMPANY SET COMPANY = '改名商事' WHERE CID = '01'")));
    t.ctx().refreshCompanies(QString());
    EXPECT_EQ(menu->companyList()->currentText(), QStringLiteral("改名商事"));
    EXPECT_EQ(t.ctx().companyName, QStringLiteral("改名商事"));
    EXPECT_EQ(menu->windowTitle(), QStringLiteral("メインメニュー - 改名商事"));
    EXPECT_EQ(basicCid(), QString());   // the current company did not change

    ASSERT_TRUE(t.exec(QStringLiteral("INSERT INTO COMPANY (CID, COMPANY, TOROKUBI) VALUES ('60', '新会社', '2026/12/06')")));
    t.ctx().refreshCompanies(QStringLiteral("60"));
    EXPECT_EQ(menu->companyList()->count(), 6);
    EXPECT_EQ(t.ctx().companyId, QStringLiteral("60"));
    EXPECT_EQ(menu->companyList()->currentText(), QStringLiteral("新会社"));
    EXPECT_EQ(basicCid(), QStringLiteral("60"));

    ASSERT_TRUE(t.exec(QStringLiteral("DELETE FROM COMPANY WHERE CID = '60'")));
    t.ctx().refreshCompanies(QString());
    EXPECT_EQ(t.ctx().companyId, QStringLiteral("01"));
    EXPECT_EQ(menu->companyList()->currentIndex(), 0);
    EXPECT_EQ(basicCid(), QStringLiteral("01"));

    ASSERT_TRUE(t.exec(QStringLiteral("DELETE FROM COMPANY")));
    t.ctx().refreshCompanies(QString());
    EXPECT_EQ(t.ctx().companyId, QStringLiteral("無し"));
    EXPECT_FALSE(button("cmdSyokiSet")->isEnabled());
}

struct PasswordCase {
    const char* name;
    const char* typed;
    bool runs;
};

class StartupPassword : public MainMenuTest, public ::testing::WithParamInterface<PasswordCase> {};

TEST_P(StartupPassword, AskedOnceAndAWrongOneEndsTheProgram)
{
    ASSERT_TRUE(start([](QSqlDatabase& d) { execOk(d, QStringLiteral("UPDATE BASIC SET PASSWORD = 'SE''CRET'")); }));
    QSignalSpy closed(menu.get(), &Screen::closed);
    QWidget* pw = visibleWindow(QStringLiteral("Password"));
    ASSERT_NE(pw, nullptr);
    EXPECT_EQ(pw->windowTitle(), QStringLiteral("パスワード照合 - ") + t.ctx().companyName);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(menu->isEnabled());
    auto* field = pw->findChild<QLineEdit*>(QStringLiteral("txtPassword1"));
    field->setText(QString::fromUtf8(GetParam().typed));
    QTest::keyClick(field, Qt::Key_Return);
    pump();
    EXPECT_EQ(visibleWindow(QStringLiteral("Password")), nullptr);
    if (GetParam().runs) {
        EXPECT_TRUE(t.messages().empty());
        EXPECT_EQ(t.ctx().startupState, AppContext::StartupOk);
        EXPECT_TRUE(menu->isEnabled());
        EXPECT_TRUE(menu->isVisible());
        EXPECT_EQ(closed.count(), 0);
        menu->onActivated();   // asked once only
        EXPECT_EQ(visibleWindow(QStringLiteral("Password")), nullptr);
    } else {
        EXPECT_EQ(t.messages().lastText(), QStringLiteral("パスワードは正しく入力されていませんので、プログラムが終了します。"));
        EXPECT_EQ(t.ctx().startupState, AppContext::StartupNoCompany);
        EXPECT_EQ(closed.count(), 1);
        EXPECT_EQ(backups, 0);
        EXPECT_EQ(logTails(t).last(), QStringLiteral("0 プログラム終了 [Form_Unload] Step:1_0"));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupPassword,
    ::testing::Values(PasswordCase{"LowerCase", "se'cret", true}, PasswordCase{"Padded", "  SE'CRET ", true},
                      PasswordCase{"Wrong", "secret", false}, PasswordCase{"Empty", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainMenuTest, MissingDatabaseEndsTheStart)
{
    ASSERT_TRUE(QDir().mkpath(t.path()));
    t.ctx().screens = &registry;
    menu = std::make_unique<MainMenu>(t.ctx(), true);
    QSignalSpy closed(menu.get(), &Screen::closed);
    EXPECT_FALSE(menu->start());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(t.messages().entries().first().title, QStringLiteral("DB Openエラー"));
    EXPECT_EQ(logTails(t).last(), QStringLiteral("0 プログラム終了 [Form_Unload] Step:1_0"));
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(visibleWindow(QStringLiteral("frmSplash")), nullptr);
}

} // namespace
