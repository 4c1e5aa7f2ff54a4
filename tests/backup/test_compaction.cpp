#include "backup/databasecompactor.h"
#include "db/database.h"
#include "support/testdatadir.h"
#include "backupfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

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

// In place: the file keeps its mode, a symbolic link stays a link to the
// compacted file, and a copy left by an older version's interrupted run goes.
TEST_F(CompactionTest, CompactsInPlaceKeepingModeAndLink)
{
    // Kyuyo.db becomes a link to the real file elsewhere, readable by the group.
    const QString real = data.path() + "/real/Kyuyo.db";
    db::closeConnection(data.ctx());
    ASSERT_TRUE(QDir().mkpath(data.path() + "/real"));
    ASSERT_TRUE(QFile::rename(dbPath(), real));
    ASSERT_TRUE(QFile::link(real, dbPath()));
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(real, mode));
    QString error;
    ASSERT_TRUE(db::openConnection(data.ctx(), &error)) << error.toStdString();
    ASSERT_TRUE(writeFile(copyPath(), "half a copy"));

    const qint64 sizeBefore = QFileInfo(real).size();
    DatabaseCompactor c(data.ctx());
    EXPECT_EQ(c.run(), Outcome::Compacted) << c.errorText().toStdString();
    EXPECT_TRUE(QFileInfo(dbPath()).isSymLink());
    EXPECT_LT(QFileInfo(real).size(), sizeBefore);
    EXPECT_EQ(QFileInfo(real).permissions() & 0x7077, mode);   // owner, group, others
    EXPECT_FALSE(QFileInfo::exists(copyPath()));
    EXPECT_TRUE(data.ctx().db().isOpen());
    EXPECT_EQ(dumpCompany(data.ctx().db(), "01"), before);
    EXPECT_TRUE(data.messages().empty());   // the completion message is the caller's to show
    c.tellCompleted();
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

// A disk that fills up during the compaction: SQLite rolls it back, and the
// file holds exactly what it held.
TEST_F(CompactionTest, AFailedCompactionLeavesTheDatabase)
{
    const QByteArray original = readFile(dbPath());
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = rlim_t(original.size() / 4);
    ::setrlimit(RLIMIT_FSIZE, &small);
    DatabaseCompactor c(data.ctx());
    const Outcome outcome = c.run();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(outcome, Outcome::CopyFailed);
    EXPECT_TRUE(data.ctx().db().isOpen());
    EXPECT_EQ(dumpCompany(data.ctx().db(), "01"), before);
    EXPECT_EQ(data.messages().lastText(), QStringLiteral("DBの圧縮中にエラーが発生しました(CompactDB)。"));
    EXPECT_EQ(data.messages().last().title, QStringLiteral("エラー"));
    EXPECT_TRUE(data.ctx().log().lines().last().contains("RunBackUp.cmdCompact_Click"));
    db::closeConnection(data.ctx());
    EXPECT_EQ(readFile(dbPath()), original);
}
