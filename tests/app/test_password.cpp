#include "app/password.h"
#include "app/passwordstore.h"
#include "support/testdatadir.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::test;

namespace {

struct PasswordTest : ::testing::Test {
    TestDataDir t;
    QPointer<Password> screen;
    QWidget opener;

    void open(const QString& stored, const QString& caller = QStringLiteral("SyokiSetMenu"))
    {
        ASSERT_TRUE(PasswordStore(t.ctx()).store(stored));
        t.ctx().callerName = caller;
        opener.show();
        screen = new Password(t.ctx());
        Screen::openOver(&opener, screen);
        QApplication::setActiveWindow(screen);
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    }
    QLineEdit* field(int n) const
    {
        return screen->findChild<QLineEdit*>(QStringLiteral("txtPassword%1").arg(n));
    }
    void type(int n, const char* text) { field(n)->setText(QString::fromUtf8(text)); }
    void ok()
    {
        screen->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QString stored() { return *PasswordStore(t.ctx()).stored(); }
    void TearDown() override { delete screen; }
};

TEST_F(PasswordTest, SetModeNeedsNoCurrentPasswordAndStoresUpperCase)
{
    open(QStringLiteral("   "));
    EXPECT_EQ(screen->mode(), Password::Mode::Set);
    EXPECT_EQ(screen->title(), QStringLiteral("パスワード設定"));
    EXPECT_FALSE(field(0)->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), field(1));
    EXPECT_FALSE(opener.isEnabled());
    type(1, " ab'c\"d ");
    type(2, "AB'C\"D");
    ok();
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(stored(), QStringLiteral("AB'C\"D"));
    EXPECT_TRUE(opener.isEnabled());
    EXPECT_TRUE(t.messages().empty());
}

TEST_F(PasswordTest, MismatchKeepsTheScreenOpenOnTheNewPassword)
{
    open(QString());
    type(1, "abc");
    type(2, "abd");
    ok();
    ASSERT_FALSE(screen.isNull());
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(t.messages().lastText(), QStringLiteral("入力された新パスワードは確認できません。再入力して下さい。"));
    EXPECT_EQ(t.messages().last().icon, Messages::Icon::Exclamation);
    EXPECT_EQ(QApplication::focusWidget(), field(1));
    EXPECT_EQ(stored(), QString());
    EXPECT_FALSE(opener.isEnabled());
    // Put right, it goes through.
    type(2, "ABC");
    ok();
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(stored(), QStringLiteral("ABC"));
}

TEST_F(PasswordTest, ChangeModeChecksTheCurrentPassword)
{
    open(QStringLiteral("OLD"));
    EXPECT_EQ(screen->mode(), Password::Mode::Change);
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("パスワード変更 - ") + t.ctx().companyName);
    EXPECT_TRUE(field(0)->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), field(0));

    // Right current password (any case), new ones differ: stays open, nothing stored.
    type(0, "old");
    type(1, "new1");
    type(2, "new2");
    ok();
    ASSERT_FALSE(screen.isNull());
    EXPECT_EQ(QApplication::focusWidget(), field(1));
    EXPECT_EQ(stored(), QStringLiteral("OLD"));

    // Wrong current password: told so, the screen closes, nothing changes.
    type(0, "olde");
    type(2, "new1");
    ok();
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(t.messages().lastText(),
              QStringLiteral("現在のパスワードは正しく入力されていませんので、パスワードの変更はできません。\n\n初期設定画面に戻ります。"));
    EXPECT_EQ(stored(), QStringLiteral("OLD"));
    EXPECT_TRUE(opener.isEnabled());

    // Changing to nothing switches the check off.
    open(QStringLiteral("OLD"));
    type(0, "OLD");
    ok();
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(stored(), QString());
}

TEST_F(PasswordTest, UncheckablePasswordAtStartupDoesNotLetTheProgramRun)
{
    open(QStringLiteral("ABC"), QStringLiteral("MainMenu"));
    EXPECT_EQ(screen->mode(), Password::Mode::Startup);
    EXPECT_FALSE(field(0)->isVisible());
    EXPECT_FALSE(field(2)->isVisible());
    ASSERT_TRUE(t.exec(QStringLiteral("ALTER TABLE BASIC RENAME TO BASIC_GONE")));
    type(1, "abc");
    ok();
    EXPECT_EQ(t.ctx().startupState, AppContext::StartupNoCompany);
    EXPECT_EQ(t.messages().lastText(), QStringLiteral("エラーが発生しました。ログファイルを確認してください。"));
    EXPECT_TRUE(t.ctx().log().lines().last().contains(QStringLiteral("[Password.check_password] Step:1_0")));
}

} // namespace
