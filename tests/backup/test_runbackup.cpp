#include "app/screenregistry.h"
#include "backup/filedialog.h"
#include "backup/runbackup.h"
#include "support/testdatadir.h"
#include "backupfixture.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QToolButton>
#include <QTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::test;

namespace {

class RunBackUpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fillCompany(data.ctx().db(), "01", 2, 3));
        registerBackupScreens(registry);
        screen = static_cast<RunBackUp*>(registry.create("RunBackUp", data.ctx()));
        ASSERT_NE(screen, nullptr);
        screen->setFolderChooser([this](RunBackUp*) {
            ++chooserCalls;
            return chosen;
        });
        screen->show();
        data.messages().clear();
    }
    void TearDown() override { delete screen; }

    QLabel* message() const { return screen->findChild<QLabel*>("lblMessage"); }
    void press(Qt::Key key) { QTest::keyClick(screen, key); }

    TestDataDir data;
    ScreenRegistry registry;
    RunBackUp* screen = nullptr;
    QTemporaryDir out;
    QString chosen;
    int chooserCalls = 0;
};

} // namespace

TEST_F(RunBackUpTest, CancellingTheFolderChoiceDoesNothing)
{
    chosen.clear();
    press(Qt::Key_F1);
    press(Qt::Key_F2);
    EXPECT_EQ(chooserCalls, 2);
    EXPECT_TRUE(data.messages().empty());
    EXPECT_TRUE(QDir(out.path()).isEmpty());
}

TEST_F(RunBackUpTest, F1BacksUpAndF2RestoresWithTheWorkingLabelAndHourglassShown)
{
    chosen = out.path() + "/";
    press(Qt::Key_F1);
    EXPECT_EQ(chooserCalls, 1);
    for (const QString& n : setFiles())
        EXPECT_TRUE(QFileInfo(out.path() + "/" + n).isFile()) << n.toStdString();
    EXPECT_EQ(data.messages().lastText(), QStringLiteral("バックアップ処理が正しく終了しました。"));
    EXPECT_EQ(data.messages().last().icon, Messages::Icon::Information);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(screen->isEnabled());

    const QStringList before = dumpCompany(data.ctx().db(), "01");
    data.exec("DELETE FROM MEISAI");
    bool labelShown = false;
    bool hourglass = false;
    // Called at the end of a restore, while the screen still shows its work.
    data.ctx().refreshCompanies = [&](const QString&) {
        labelShown = message()->isVisible() && message()->text() == QStringLiteral("復 旧 処 理 中 ！！");
        hourglass = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    };
    data.messages().clear();
    data.messages().answerNext(Messages::Answer::Yes);
    press(Qt::Key_F2);
    EXPECT_EQ(dumpCompany(data.ctx().db(), "01"), before);
    EXPECT_EQ(data.messages().entries().first().icon, Messages::Icon::Question);
    EXPECT_TRUE(labelShown);
    EXPECT_TRUE(hourglass);
    EXPECT_FALSE(message()->isVisible());
    EXPECT_EQ(data.messages().lastText(), QStringLiteral("復旧処理が終了しました"));
}

TEST_F(RunBackUpTest, F3AsksFirstAndNoChangesNothing)
{
    const QByteArray original = readFile(data.ctx().databasePath());
    data.messages().answerNext(Messages::Answer::No);
    press(Qt::Key_F3);
    ASSERT_EQ(data.messages().entries().size(), 1);
    EXPECT_EQ(data.messages().last().icon, Messages::Icon::Question);
    EXPECT_EQ(data.messages().lastText(),
              QStringLiteral("DB最適化処理を行ないます。\nまず、データのパックアップを取ってください。\n"
                             "データのバックアップは取りましたか？"));
    EXPECT_EQ(readFile(data.ctx().databasePath()), original);
    EXPECT_TRUE(data.ctx().db().isOpen());

    data.messages().answerNext(Messages::Answer::Yes);
    press(Qt::Key_F3);
    EXPECT_EQ(data.messages().lastText(), QStringLiteral("DB最適化処理が正しく終了しました。"));
    EXPECT_TRUE(data.ctx().db().isOpen());
    EXPECT_EQ(QApplication::focusWidget(), screen->findChild<QPushButton*>("cmdBack"));
}

TEST_F(RunBackUpTest, HelpAndBack)
{
    QTest::mouseClick(screen->findChild<QPushButton*>("cmdQuestion"), Qt::LeftButton);
    EXPECT_EQ(data.messages().last().icon, Messages::Icon::Information);
    EXPECT_TRUE(data.messages().lastText().startsWith(QStringLiteral("バックアップ処理ボタンを押下すると")));
    QWidget opener;
    screen->setOpener(&opener);
    QTest::keyClick(screen, Qt::Key_F1, Qt::ShiftModifier);   // a function key with Shift does nothing
    EXPECT_EQ(chooserCalls, 0);
    press(Qt::Key_F6);
    EXPECT_TRUE(opener.isVisible());
    screen = nullptr;   // deleted on close
}

// The platform's folder dialog (Qt's own under the offscreen platform): Japanese,
// with a path field and a new-folder button; OK gives the folder, Cancel nothing.
TEST(FileDialog, PlatformFolderDialogInJapaneseWithAPathField)
{
    TestDataDir data;
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("set");
    const QString set = dir.path() + "/set";
    for (bool ok : {true, false}) {
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->windowTitle(), QStringLiteral("フォルダ選択"));
            auto* path = d->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(path, nullptr);
            EXPECT_NE(d->findChild<QToolButton*>("newFolderButton"), nullptr);
            const auto* box = d->findChild<QDialogButtonBox*>("buttonBox");
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->button(QDialogButtonBox::Open)->text(), QStringLiteral("選択"));
            EXPECT_EQ(box->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
            path->setText(set);   // typed into the path field
            QMetaObject::invokeMethod(d, ok ? "accept" : "reject");
        });
        EXPECT_EQ(FileDialog::chooseFolder(data.ctx(), nullptr, dir.path()), ok ? set + "/" : QString());
    }
}

// The working notice is taken away before any completion message appears.
TEST(RunBackUpNotice, HiddenBeforeTheCompletionMessage)
{
    TestDataDir data;
    struct Watch : Messages {
        QLabel* notice = nullptr;
        QList<bool> noticeShown;
        Answer show(Icon, const QString&, const QString&, Buttons, Answer) override
        {
            noticeShown << (notice && notice->isVisible());
            return Answer::Yes;
        }
    } watch;
    AppContext ctx(watch, data.clock());
    ctx.setConnectionName(data.ctx().connectionName());
    ctx.setDataFolder(data.path());
    ctx.log().open(ctx.dataFolder());
    ctx.companyId = data.ctx().companyId;
    ctx.companyName = data.ctx().companyName;
    RunBackUp screen(ctx);
    QTemporaryDir out;
    screen.setFolderChooser([&](RunBackUp*) { return out.path() + "/"; });
    screen.show();
    watch.notice = screen.findChild<QLabel*>("lblMessage");
    for (Qt::Key key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3})   // backup; restore and compaction ask first
        QTest::keyClick(&screen, key);
    EXPECT_EQ(watch.noticeShown, QList<bool>(5, false));
}
