#include "db/database.h"
#include "support/cli.h"
#include "support/testdatadir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <unistd.h>

using namespace minasel;
using test::CliRun;

namespace {

CliRun cli(const QStringList& args)
{
    return test::runCli(QStringLiteral(MINASEL_CLI), args);
}

class CliBackupTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(out.isValid()); }
    QString dataDir() const { return data.path(); }
    // A backup of company 01 into `name` under the output folder: the set's path.
    QString backUp(const QString& name = QStringLiteral("set"))
    {
        const QString set = out.filePath(name);
        const CliRun r = cli({"backup", "--data-dir", dataDir(), "--company", "01", "--dir", set});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains("company 01")) << r.out.toStdString();
        return set;
    }
    int employees() { return data.count("SELECT COUNT(*) FROM JYUGYOIN WHERE CID = '01'"); }

    test::TestDataDir data;
    QTemporaryDir out;
};

} // namespace

TEST_F(CliBackupTest, RefusalsAndUsageErrorsExitNonZeroWithTheReason)
{
    const QString set = backUp();
    QFile::remove(set + "/T_005.txt");
    const struct {
        QStringList args;
        int status;
        QString reason;
    } cases[] = {
        {{"restore", "--data-dir", dataDir(), "--company", "01", "--dir", set}, 1,
         QStringLiteral("データが見つかりませんので、取込処理を中止します。")},
        {{"backup", "--data-dir", dataDir(), "--company", "77", "--dir", set}, 1, "77"},
        {{"backup", "--data-dir", out.path() + "/nowhere", "--company", "01", "--dir", set}, 1, "Kyuyo.db"},
        {{"backup", "--data-dir", dataDir()}, 2, "usage"},
        {{"restore", "--data-dir", dataDir(), "--company", "01", "--bogus", "x"}, 2, "usage"},
        {{"compact"}, 2, "usage"},
        {{"compact", "--data-dir", dataDir(), "extra"}, 2, "usage"},
    };
    for (const auto& c : cases) {
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.reason)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
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

    // A transaction open in the program: refused, nothing lost. (The program
    // running with its lock held: WritersRefuseWhileTheProgramRuns.)
    ASSERT_TRUE(data.ctx().db().transaction());
    data.exec("DELETE FROM SIKAKU");
    r = cli({"compact", "--data-dir", dataDir()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("使用中"))) << r.err.toStdString();
    EXPECT_TRUE(data.ctx().db().commit());
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM SIKAKU"), 0);
}

namespace {

// Runs the command as "nobody" when the test runs as root, who writes anywhere.
CliRun cliUnprivileged(const QStringList& args)
{
    if (::geteuid() != 0)
        return cli(args);
    QProcess p;
    p.start("setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", MINASEL_CLI} + args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

// Every command that writes takes the program's one-copy lock: while it is held
// they refuse with a message and change nothing.
TEST_F(CliBackupTest, WritersRefuseWhileTheProgramRuns)
{
    const QString set = backUp();
    data.exec("DELETE FROM SIKAKU WHERE CID = '01'");
    QLockFile running(dataDir() + "/minasel.lock");
    ASSERT_TRUE(running.tryLock(0));
    const QByteArray before = fileBytes(data.ctx().databasePath());
    for (const QStringList& args : {QStringList{"restore", "--data-dir", dataDir(), "--company", "01", "--dir", set},
                                    QStringList{"compact", "--data-dir", dataDir()},
                                    QStringList{"demo", "--data-dir", dataDir(), "--employees", "1", "--months", "1"}}) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, 1) << args.first().toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("ミナセルが起動中"))) << r.err.toStdString();
    }
    EXPECT_EQ(fileBytes(data.ctx().databasePath()), before);
    // Reading is not writing: a backup still works beside the program.
    backUp(QStringLiteral("b2"));
}

// A folder that cannot be written is said to be so, not taken for a running program.
TEST_F(CliBackupTest, ReadOnlyDataFolderIsNamed)
{
    if (::geteuid() == 0 && QStandardPaths::findExecutable("setpriv").isEmpty())
        GTEST_SKIP() << "no setpriv to run as another user";
    const QString set = backUp();
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther
        | QFileDevice::ExeOther | QFileDevice::ReadGroup | QFileDevice::ExeGroup;
    const QStringList folders = {out.path(), set, dataDir(), QFileInfo(dataDir()).path(),
                                 QFileInfo(QFileInfo(dataDir()).path()).path()};
    for (const QString& d : folders)
        QFile::setPermissions(d, readOnly);
    for (const QString& f : QDir(dataDir()).entryList(QDir::Files))
        QFile::setPermissions(dataDir() + "/" + f, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    for (const QString& f : QDir(set).entryList(QDir::Files))
        QFile::setPermissions(set + "/" + f, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    const CliRun r = cliUnprivileged({"restore", "--data-dir", dataDir(), "--company", "01", "--dir", set});
    for (const QString& d : folders)
        QFile::setPermissions(d, readOnly | QFileDevice::WriteOwner);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("に書き込むことができません"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(dataDir())) << r.err.toStdString();
}

// An empty Kyuyo.db is reported and left as it is, by the command that only
// reads (backup) as by one that writes (restore).
TEST_F(CliBackupTest, EmptyDatabaseIsLeftUntouched)
{
    const QString set = backUp();
    db::closeConnection(data.ctx());
    ASSERT_TRUE(QFile::resize(data.ctx().databasePath(), 0));
    for (const QStringList& args : {QStringList{"backup", "--data-dir", dataDir(), "--company", "01", "--dir", out.path() + "/b"},
                                    QStringList{"restore", "--data-dir", dataDir(), "--company", "01", "--dir", set}}) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, 1) << args.first().toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("空のファイル"))) << r.err.toStdString();
        EXPECT_EQ(QFileInfo(data.ctx().databasePath()).size(), 0);
    }
}

// A backup gives back what was lost; a set without a manifest (an older
// version's) shows the row counts and restores only with --yes; files and folders
// the commands make are the owner's.
TEST_F(CliBackupTest, BackUpBreakRestoreAndAnOldSetNeedsYes)
{
    const QString set = backUp();
    const int before = employees();
    ASSERT_GT(before, 0);
    data.exec("DELETE FROM JYUGYOIN WHERE CID = '01'");
    CliRun r = cli({"restore", "--data-dir", dataDir(), "--company", "01", "--dir", set});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(employees(), before);

    ASSERT_TRUE(QFile::remove(set + "/manifest.txt"));
    data.exec("DELETE FROM JYUGYOIN WHERE CID = '01'");
    r = cli({"restore", "--data-dir", dataDir(), "--company", "01", "--dir", set});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("従業員：0 件 → %1 件").arg(before))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("--yes"));
    EXPECT_EQ(employees(), 0);
    r = cli({"restore", "--data-dir", dataDir(), "--company", "01", "--dir", set, "--yes"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(employees(), before);

    const QString demo = out.path() + "/demo";
    ASSERT_EQ(cli({"demo", "--data-dir", demo, "--employees", "2", "--months", "1", "--last-month", "202601"}).status, 0);
    const QString pdf = out.path() + "/slips.pdf";
    r = cli({"payslips", "--data-dir", demo, "--company", "51", "--month", "202601", "--kind", "1", "--pdf", pdf});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const auto others = QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::ExeOther | QFileDevice::WriteOther;
    for (const QString& p : {demo, demo + "/Kyuyo.db", demo + "/kyuyo.log", pdf, set + "/T_001.txt"})
        EXPECT_FALSE(QFileInfo(p).permissions() & others) << p.toStdString();
}

// Compaction, restores and another writer started together, many times, with
// random delays: each either does its work or refuses because another holds the
// lock; the file is sound afterwards and a restore that said it succeeded did.
TEST_F(CliBackupTest, RacingWritersNeverDamageTheDatabase)
{
    // Enough data that compaction and restore take a while.
    ASSERT_EQ(cli({"demo", "--data-dir", dataDir(), "--companies", "1", "--employees", "100", "--months", "24"}).status, 0);
    const QString set = backUp();
    const int sikaku = data.count("SELECT COUNT(*) FROM SIKAKU WHERE CID = '01'");
    ASSERT_GT(sikaku, 0);
    const QList<QStringList> commands = {
        {"compact", "--data-dir", dataDir()},
        {"restore", "--data-dir", dataDir(), "--company", "01", "--dir", set},
        {"restore", "--data-dir", dataDir(), "--company", "01", "--dir", set},
        {"demo", "--data-dir", dataDir(), "--companies", "1", "--employees", "2", "--months", "2"},
    };
    std::mt19937 random(20260105);
    for (int round = 0; round < 8; ++round) {
        data.exec("DELETE FROM SIKAKU WHERE CID = '01'");
        std::vector<std::unique_ptr<QProcess>> running;
        for (const QStringList& c : commands) {
            QThread::msleep(std::uniform_int_distribution<int>(0, 40)(random));
            running.push_back(std::make_unique<QProcess>());
            running.back()->start(QStringLiteral(MINASEL_CLI), c);
        }
        bool restored = false;
        for (size_t i = 0; i < running.size(); ++i) {
            QProcess& p = *running[i];
            ASSERT_TRUE(p.waitForFinished(60000));
            const QString err = QString::fromUtf8(p.readAllStandardError());
            if (p.exitCode() == 0)
                restored = restored || commands[int(i)].first() == "restore";
            else
                EXPECT_TRUE(err.contains(QStringLiteral("処理を行うことができません")) || err.contains("minasel-cli"))
                    << "round " << round << ": " << err.toStdString();
        }
        EXPECT_EQ(data.scalar("PRAGMA integrity_check").toString(), "ok") << "round " << round;
        EXPECT_EQ(data.count("SELECT COUNT(*) FROM SIKAKU WHERE CID = '01'"), restored ? sikaku : 0) << "round " << round;
    }
}
