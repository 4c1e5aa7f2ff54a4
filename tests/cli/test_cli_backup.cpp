#include "db/database.h"
#include "support/testdatadir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace minasel;

namespace {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

CliRun cli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(MINASEL_CLI), args);
    p.waitForFinished(60000);
    CliRun r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

class CliBackupTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(out.isValid()); }
    QString dataDir() const { return data.path(); }

    test::TestDataDir data;
    QTemporaryDir out;
};

} // namespace

TEST_F(CliBackupTest, BackUpBreakRestore)
{
    const QString set = out.path() + "/set";
    CliRun r = cli({"backup", "--data-dir", dataDir(), "--company", "01", "--dir", set});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("company 01"));
    EXPECT_TRUE(QFileInfo(set + "/T_008.txt").isFile());

    const int employees = data.count("SELECT COUNT(*) FROM JYUGYOIN WHERE CID = '01'");
    ASSERT_GT(employees, 0);
    data.exec("DELETE FROM JYUGYOIN WHERE CID = '01'");
    r = cli({"restore", "--data-dir", dataDir(), "--company", "01", "--dir", set});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM JYUGYOIN WHERE CID = '01'"), employees);
}

TEST_F(CliBackupTest, RefusalsExitNonZeroWithTheReason)
{
    const QString set = out.path() + "/set";
    ASSERT_EQ(cli({"backup", "--data-dir", dataDir(), "--company", "01", "--dir", set}).status, 0);
    QFile::remove(set + "/T_005.txt");
    CliRun r = cli({"restore", "--data-dir", dataDir(), "--company", "01", "--dir", set});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("データが見つかりませんので、取込処理を中止します。"))) << r.err.toStdString();

    ASSERT_EQ(cli({"backup", "--data-dir", dataDir(), "--company", "01", "--dir", set}).status, 0);
    r = cli({"restore", "--data-dir", dataDir(), "--company", "02", "--dir", set});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("のものではありませんので、"))) << r.err.toStdString();

    r = cli({"backup", "--data-dir", dataDir(), "--company", "77", "--dir", set});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("77"));

    r = cli({"backup", "--data-dir", out.path() + "/nowhere", "--company", "01", "--dir", set});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Kyuyo.db"));
}

TEST_F(CliBackupTest, UsageErrors)
{
    for (const QStringList& args : {QStringList{"backup", "--data-dir", dataDir()},
                                    QStringList{"restore", "--data-dir", dataDir(), "--company", "01", "--bogus", "x"},
                                    QStringList{"compact"}, QStringList{"compact", "--data-dir", dataDir(), "extra"}}) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("usage")) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST_F(CliBackupTest, Compact)
{
    data.exec("DELETE FROM JYUGYOIN WHERE CID <> '01'");
    const int rows = data.count("SELECT COUNT(*) FROM JYUGYOIN");
    db::closeConnection(data.ctx());   // the program is not running meanwhile
    CliRun r = cli({"compact", "--data-dir", dataDir()});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("compacted"));
    EXPECT_FALSE(QFileInfo::exists(dataDir() + "/bak_Kyuyo.db"));
    QString error;
    ASSERT_TRUE(db::openConnection(data.ctx(), &error)) << error.toStdString();
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM JYUGYOIN"), rows);

    // A transaction open in the program: refused, nothing lost.
    ASSERT_TRUE(data.ctx().db().transaction());
    data.exec("DELETE FROM SIKAKU");
    r = cli({"compact", "--data-dir", dataDir()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("使用中"))) << r.err.toStdString();
    EXPECT_TRUE(data.ctx().db().commit());
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM SIKAKU"), 0);

    // The program running (its one-copy lock held): refused even when idle.
    QLockFile running(dataDir() + "/minasel.lock");
    ASSERT_TRUE(running.tryLock(0));
    r = cli({"compact", "--data-dir", dataDir()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("起動中"))) << r.err.toStdString();
    running.unlock();
}
