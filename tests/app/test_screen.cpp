#include "app/appearance.h"
#include "app/numberfield.h"
#include "app/qtmessages.h"
#include "app/screen.h"
#include "app/textfield.h"
#include "support/testdatadir.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::test;

namespace {

// A small work screen: two fields, a number, a list, and the F1/F6 buttons.
class SampleScreen : public Screen {
public:
    explicit SampleScreen(AppContext& ctx) : Screen(ctx, QStringLiteral("見本"))
    {
        name = new TextField(this);
        name->setObjectName(QStringLiteral("txtName"));
        amount = new NumberField(this);
        amount->setObjectName(QStringLiteral("numAmount"));
        code = new TextField(this, TextField::Kind::Code);
        code->setObjectName(QStringLiteral("txtCode"));
        kind = new QComboBox(this);
        kind->addItems({QStringLiteral("一般"), QStringLiteral("役員")});
        blankFirst = new QComboBox(this);
        blankFirst->setEditable(true);
        blankFirst->addItems({QStringLiteral(" "), QStringLiteral("A")});
        regist = new QPushButton(QStringLiteral("[f・1] 登 録"), this);
        back = new QPushButton(QStringLiteral("[f・6] 戻 る"), this);
        int y = 0;
        for (QWidget* w : std::initializer_list<QWidget*>{name, amount, code, kind, blankFirst, regist, back})
            w->setGeometry(10, y += 30, 150, 25);
        resize(200, 260);
        connect(regist, &QPushButton::clicked, this, [this] { ++registered; });
        connect(back, &QPushButton::clicked, this, &QWidget::close);
    }
    TextField* name;
    NumberField* amount;
    TextField* code;
    QComboBox* kind;
    QComboBox* blankFirst;
    QPushButton* regist;
    QPushButton* back;
    int registered = 0;
};

struct ScreenTest : ::testing::Test {
    TestDataDir t;
    SampleScreen* s = nullptr;
    void SetUp() override
    {
        s = new SampleScreen(t.ctx());
        s->show();
        QApplication::setActiveWindow(s);
        ASSERT_TRUE(QTest::qWaitForWindowActive(s));
        s->name->setFocus();
    }
    void TearDown() override { delete s; }
};

TEST_F(ScreenTest, EnterMovesOnAndEscMovesBackWithoutPressingButtons)
{
    QTest::keyClick(s->name, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), s->amount);
    QTest::keyClicks(s->amount, "12345");   // a number is committed on the way
    QTest::keyClick(s->amount, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(s->amount->text(), QStringLiteral("12,345"));
    EXPECT_EQ(QApplication::focusWidget(), s->code);
    QTest::keyClick(s->code, Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), s->amount);
    // Through the lists to the button: Enter lands on it, never clicks it.
    s->blankFirst->setFocus();
    QTest::keyClick(s->blankFirst, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), s->regist);
    EXPECT_EQ(s->registered, 0);
    // On a button the user moved to, Enter is the user's press.
    QTest::keyClick(s->regist, Qt::Key_Return);
    EXPECT_EQ(s->registered, 1);
}

// Enter finishes a field's entry once, and a focus the field's own handler chose is kept.
TEST_F(ScreenTest, EnterFinishesTheEntryExactlyOnceAndKeepsAChosenFocus)
{
    QSignalSpy finished(s->name, &QLineEdit::editingFinished);
    QTest::keyClicks(s->name, "abc");
    QTest::keyClick(s->name, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), s->amount);
    QTest::keyClick(s->amount, Qt::Key_Escape);   // back again, and away again
    QTest::keyClick(s->name, Qt::Key_Tab);
    EXPECT_EQ(finished.count(), 1);

    QObject::connect(s->name, &QLineEdit::returnPressed, s, [this] { s->kind->setFocus(); });
    s->name->setFocus();
    QTest::keyClick(s->name, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), s->kind);
}

TEST_F(ScreenTest, FunctionKeysOnlyWithoutModifiers)
{
    for (Qt::KeyboardModifier mod : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier, Qt::NoModifier})
        QTest::keyClick(s->name, Qt::Key_F1, mod);
    EXPECT_EQ(s->registered, 1);
    s->regist->setEnabled(false);
    QTest::keyClick(s->name, Qt::Key_F1);
    EXPECT_EQ(s->registered, 1);
    QTest::keyClick(s->name, Qt::Key_F2);   // no such button: nothing at all
    EXPECT_TRUE(s->isVisible());
    QPointer<SampleScreen> alive(s);
    QTest::keyClick(s->name, Qt::Key_F6);
    EXPECT_FALSE(s->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull()) << "screens go when they close";
    s = nullptr;
}

TEST_F(ScreenTest, ClearControlsResetsFieldsAndLists)
{
    s->name->setText(QStringLiteral("山田"));
    s->code->setText(QStringLiteral("00001"));
    s->amount->setValue(5000);
    s->kind->setCurrentIndex(1);
    s->blankFirst->setCurrentIndex(1);
    s->blankFirst->setEditText(QStringLiteral("手入力"));
    s->clearControls();
    EXPECT_EQ(s->name->text(), QString());
    EXPECT_EQ(s->code->text(), QString());
    EXPECT_EQ(s->amount->value(), 0);
    EXPECT_EQ(s->amount->text(), QStringLiteral("0"));
    EXPECT_EQ(s->kind->currentIndex(), 0);
    EXPECT_EQ(s->blankFirst->currentText(), QStringLiteral("手入力"));
}

// A plain widget knows nothing of openers; the opener comes back all the same.
// (Screens opened from and over a menu: MainMenuTest.SubMenusOpenTheirScreensAndLeaveOnX.)
TEST_F(ScreenTest, PlainWindowsBringTheirOpenerBack)
{
    auto* plain = new QWidget;
    Screen::openFrom(s, plain);
    EXPECT_FALSE(s->isVisible());
    plain->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(s->isVisible());
}

// Back from a screen opened over it, the opener takes the keys again where the user
// left it: without a window manager to hand the focus on, F6 left the keyboard nowhere.
TEST_F(ScreenTest, ClosingAScreenGivesTheKeysBackToItsOpener)
{
    s->kind->setFocus();
    auto* sub = new SampleScreen(t.ctx());
    Screen::openOver(s, sub);
    ASSERT_TRUE(QTest::qWaitForWindowActive(sub));
    QTest::keyClick(sub->name, Qt::Key_F6);
    ASSERT_TRUE(QTest::qWaitForWindowActive(s));
    EXPECT_EQ(QApplication::focusWidget(), s->kind);
}

} // namespace

#include "app/splashscreen.h"
#include <QLabel>
#include <QProgressBar>

namespace {

TEST(SplashScreen, ShowsProgressAndCannotBeClosedByTheUser)
{
    SplashScreen splash;
    splash.show();
    splash.setProgress(40, QStringLiteral("データベースを開いています"));
    EXPECT_EQ(splash.findChild<QProgressBar*>()->value(), 40);
    EXPECT_EQ(splash.status(), QStringLiteral("データベースを開いています"));
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("lblProductName"))->text(), QStringLiteral("ミナセルソフト"));
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("lblWait"))->text(),
              QStringLiteral("ただいま起動中です。しばらくお待ちください"));
    splash.close();
    EXPECT_TRUE(splash.isVisible());
    splash.finish();
    EXPECT_FALSE(splash.isVisible());
}

} // namespace

TEST(QtDialogs, SpeakJapanese)
{
    ASSERT_TRUE(installJapaneseTranslations(*qApp));
    QString yes, no;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        yes = box->button(QMessageBox::Yes)->text();
        no = box->button(QMessageBox::No)->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(QtMessages().question(QStringLiteral("続けますか？")), Messages::Answer::No);
    EXPECT_TRUE(yes.startsWith(QStringLiteral("はい"))) << yes.toStdString();   // "はい(&Y)": Alt+Y as well
    EXPECT_TRUE(no.startsWith(QStringLiteral("いいえ"))) << no.toStdString();
}
