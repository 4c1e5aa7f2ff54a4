#include "backup/databasecompactor.h"
#include "db/database.h"
#include "support/testdatadir.h"
#include "backupfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::test;
using backup::DatabaseCompactor;
using Outcome = DatabaseCompactor::Outcome;

namespace {

class CompactionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fillCompany(data.ctx().db(), "01", 5, 24));
        // Deleted rows leave free pages behind: compaction has something to do.
        data.exec("DELETE FROM MEISAI WHERE SIKYUBI < '202112'");
        before = dumpCompany(data.ctx().db(), "01");
        data.messages().clear();
    }

    QString dbPath() { return data.ctx().databasePath(); }
    QString copyPath() { return data.ctx().dataFolder() + DatabaseCompactor::copyFileName(); }

    TestDataDir data;
    QStringList before;
};

} // namespace

// A copy left by an interrupted run does not stop the next one.
TEST_F(CompactionTest, CompactsReplacesAndReopensPastAStaleCopy)
{
    ASSERT_TRUE(writeFile(copyPath(), "half a copy"));
    const qint64 sizeBefore = QFileInfo(dbPath()).size();
    DatabaseCompactor c(data.ctx());
    EXPECT_EQ(c.run(), Outcome::Compacted) << c.errorText().toStdString();
    EXPECT_LT(QFileInfo(dbPath()).size(), sizeBefore);
    EXPECT_FALSE(QFileInfo::exists(copyPath()));
    EXPECT_TRUE(data.ctx().db().isOpen());
    EXPECT_EQ(dumpCompany(data.ctx().db(), "01"), before);
    EXPECT_EQ(QFileInfo(dbPath()).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
              QFileDevice::Permissions());
    ASSERT_EQ(data.messages().entries().size(), 1);
    EXPECT_EQ(data.messages().last().icon, Messages::Icon::Information);
    EXPECT_EQ(data.messages().lastText(), QStringLiteral("DB最適化処理が正しく終了しました。"));
}

TEST_F(CompactionTest, TransactionOpenOnTheSharedConnectionIsNotThrownAway)
{
    ASSERT_TRUE(data.ctx().db().transaction());
    data.exec("UPDATE JYUGYOIN SET JGINAME = '未確定' WHERE CID = '01'");
    DatabaseCompactor c(data.ctx());
    EXPECT_EQ(c.run(), Outcome::Busy);
    EXPECT_TRUE(data.ctx().db().isOpen());
    // The pending work is still there to be committed.
    EXPECT_TRUE(data.ctx().db().commit());
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM JYUGYOIN WHERE JGINAME = '未確定'"),
              data.count("SELECT COUNT(*) FROM JYUGYOIN WHERE CID = '01'"));
    EXPECT_FALSE(QFileInfo::exists(copyPath()));
    EXPECT_EQ(data.messages().last().icon, Messages::Icon::Exclamation);
}

TEST_F(CompactionTest, AnotherConnectionWithAnOpenTransactionStopsIt)
{
    QString error;
    {
        QSqlDatabase other = db::openFile(dbPath(), "other-writer", &error);
        ASSERT_TRUE(other.isOpen()) << error.toStdString();
        ASSERT_TRUE(other.transaction());
        QSqlQuery(other).exec("DELETE FROM SIKAKU WHERE CID = '01'");
        DatabaseCompactor c(data.ctx());
        EXPECT_EQ(c.run(), Outcome::Busy);
        EXPECT_TRUE(data.ctx().db().isOpen());
        EXPECT_TRUE(other.commit());   // its work lands in the one Kyuyo.db
        other.close();
    }
    QSqlDatabase::removeDatabase("other-writer");
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM SIKAKU WHERE CID = '01'"), 0);
}

// Another program (here the sqlite3 tool) in the middle of a write.
TEST_F(CompactionTest, AnotherProgramWritingStopsIt)
{
    const QString tool = QStandardPaths::findExecutable("sqlite3");
    if (tool.isEmpty())
        GTEST_SKIP() << "sqlite3 not installed";
    QProcess p;
    p.start(tool, {dbPath()});
    ASSERT_TRUE(p.waitForStarted());
    p.write("BEGIN IMMEDIATE; DELETE FROM FUKAKYU WHERE CID = '01'; SELECT 'locked';\n");
    ASSERT_TRUE(p.waitForReadyRead(5000));
    ASSERT_TRUE(p.readAll().contains("locked"));
    DatabaseCompactor c(data.ctx());
    EXPECT_EQ(c.run(), Outcome::Busy);
    EXPECT_TRUE(data.ctx().db().isOpen());
    EXPECT_FALSE(QFileInfo::exists(copyPath()));
    p.write("COMMIT;\n.quit\n");
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM FUKAKYU WHERE CID = '01'"), 0);
    // With the other program gone it works.
    DatabaseCompactor again(data.ctx());
    EXPECT_EQ(again.run(), Outcome::Compacted);
}

TEST_F(CompactionTest, AFailedCopyLeavesTheDatabaseAndReopensIt)
{
    // A folder where the copy should go: the copy cannot be made.
    ASSERT_TRUE(QDir().mkpath(copyPath() + "/blocker"));
    const QByteArray original = readFile(dbPath());
    DatabaseCompactor c(data.ctx());
    EXPECT_EQ(c.run(), Outcome::CopyFailed);
    EXPECT_EQ(readFile(dbPath()), original);
    EXPECT_TRUE(data.ctx().db().isOpen());
    EXPECT_EQ(dumpCompany(data.ctx().db(), "01"), before);
    EXPECT_EQ(data.messages().lastText(), QStringLiteral("DBの圧縮中にエラーが発生しました(CompactDB)。"));
    EXPECT_EQ(data.messages().last().title, QStringLiteral("エラー"));
    EXPECT_TRUE(data.ctx().log().lines().last().contains("RunBackUp.cmdCompact_Click"));
}
