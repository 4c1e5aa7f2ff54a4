#include "app/startup.h"
#include "support/testdatadir.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <set>
#include <gtest/gtest.h>

using namespace minasel;

namespace {

QString probePath()
{
    return QStringLiteral(LOCKPROBE_PATH);
}

TEST(SingleCopy, TwoCopiesStartedTogetherExactlyOneRuns)
{
    QTemporaryDir dir;
    for (int round = 0; round < 5; ++round) {
        QProcess a, b;
        a.start(probePath(), {dir.path() + QStringLiteral("/"), QStringLiteral("600")});
        b.start(probePath(), {dir.path() + QStringLiteral("/"), QStringLiteral("600")});
        ASSERT_TRUE(a.waitForFinished(10000) && b.waitForFinished(10000));
        const std::multiset<int> codes{a.exitCode(), b.exitCode()};
        EXPECT_EQ(codes, (std::multiset<int>{0, 3})) << "round " << round;
    }
}

TEST(SingleCopy, LockOfAKilledCopyIsTakenOver)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/");
    QProcess crashed;
    crashed.start(probePath(), {folder, QStringLiteral("60000")});
    ASSERT_TRUE(crashed.waitForReadyRead(10000));
    EXPECT_EQ(crashed.readAllStandardOutput().trimmed(), QByteArray("locked"));

    QProcess refused;
    refused.start(probePath(), {folder, QStringLiteral("0")});
    ASSERT_TRUE(refused.waitForFinished(10000));
    EXPECT_EQ(refused.exitCode(), 3);

    crashed.kill();   // no clean-up: the lock file stays behind
    ASSERT_TRUE(crashed.waitForFinished(10000));
    ASSERT_TRUE(QFileInfo::exists(folder + Startup::lockFileName()));

    QProcess next;
    next.start(probePath(), {folder, QStringLiteral("0")});
    ASSERT_TRUE(next.waitForFinished(10000));
    EXPECT_EQ(next.exitCode(), 0);
}

} // namespace
