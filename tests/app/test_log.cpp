#include "app/appcontext.h"
#include "app/fakemessages.h"
#include "app/log.h"
#include "support/testdatadir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace minasel;

namespace {

LogRecord record(const QString& message)
{
    return {QStringLiteral("2026/12/06 10:00:00"), QStringLiteral("0"), message, QStringLiteral("Test.proc"),
            QStringLiteral("1"), 0};
}

QStringList fileLines(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QString all = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(all.isEmpty() || all.endsWith(QStringLiteral("\r\n")));
    QStringList l = all.split(QStringLiteral("\r\n"));
    l.removeLast();
    return l;
}

void writeFile(const QString& path, const QList<int>& numbers)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    for (int i : numbers)
        f.write(Log::formatLine(i, record(QStringLiteral("old"))).toUtf8() + "\r\n");
}

QList<int> range(int from, int to)
{
    QList<int> l;
    for (int i = from; i <= to; ++i)
        l << i;
    return l;
}

} // namespace

TEST(Log, NewFileStartsAtOneAndIsOwnerOnly)
{
    QTemporaryDir dir;
    Log log;
    ASSERT_TRUE(log.open(dir.path() + QLatin1Char('/')));
    EXPECT_TRUE(QFile::exists(log.path()));
    EXPECT_EQ(QFile::permissions(log.path()) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    ASSERT_TRUE(log.set(record(QStringLiteral("プログラム起動"))));
    EXPECT_EQ(log.writePosition(), 1);
    const QStringList lines = fileLines(log.path());
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("001 2026/12/06 10:00:00 0 プログラム起動 [Test.proc] Step:1_0")));
}

// A reopened log continues after the run of consecutive numbers from its first line.
TEST(Log, ReloadContinuesTheRun)
{
    const struct {
        QList<int> numbers;
        int sequence;
        int position;
    } cases[] = {{range(1, 120), 120, 120}, {{5, 6, 7, 300, 301, 2}, 7, 3}};
    for (const auto& c : cases) {
        QTemporaryDir dir;
        writeFile(dir.path() + QStringLiteral("/kyuyo.log"), c.numbers);
        Log log;
        ASSERT_TRUE(log.open(dir.path() + QLatin1Char('/')));
        EXPECT_EQ(log.sequence(), c.sequence);
        EXPECT_EQ(log.writePosition(), c.position);
        log.set(record(QStringLiteral("next")));
        EXPECT_TRUE(fileLines(log.path()).at(c.position).startsWith(QStringLiteral("%1 ").arg(c.sequence + 1, 3, 10, QLatin1Char('0'))));
    }
}

TEST(Log, WrapsAfter999AndKeepsOlderLinesBehind)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    writeFile(folder + QStringLiteral("kyuyo.log"), range(1, 999));
    Log log;
    ASSERT_TRUE(log.open(folder));
    EXPECT_EQ(log.sequence(), 999);
    log.set(record(QStringLiteral("wrapped")));
    EXPECT_EQ(log.writePosition(), 1);
    QStringList lines = fileLines(log.path());
    ASSERT_EQ(lines.size(), 999);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("001 ")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("002 ")) && lines[1].contains(QStringLiteral("old")));

    // Reloading a wrapped ring cannot tell new from old by number alone: the run of
    // consecutive numbers from the first line reaches 999 at the end, so the next
    // line goes to position 1 again.
    log.set(record(QStringLiteral("second")));
    Log again;
    ASSERT_TRUE(again.open(folder));
    EXPECT_EQ(again.writePosition(), 999);
    EXPECT_EQ(again.sequence(), 999);
}

TEST(Log, UnwritableFileEndsTheProgramWithTheLogMessage)
{
    test::TestDataDir data;
    AppContext& ctx = data.ctx();
    QFile::setPermissions(ctx.log().path(), QFile::ReadOwner);
    if (QFile(ctx.log().path()).open(QIODevice::WriteOnly))
        GTEST_SKIP() << "running as a user who can write read-only files";
    EXPECT_THROW(ctx.logInfo(QStringLiteral("x"), QStringLiteral("Test")), test::TerminateCalled);
    const QString text = data.messages().lastText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("ログファイルのアクセスに失敗しました \nPROC:pvt2_LogOut\nCODE:")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\n MSG:")));
}

TEST(Log, TooManyLinesIsALogFailure)
{
    QTemporaryDir dir;
    writeFile(dir.path() + QStringLiteral("/kyuyo.log"), range(1, 12));
    QString failedIn;
    Log log([&](const QString& proc, int, const QString&) { failedIn = proc; });
    EXPECT_FALSE(log.open(dir.path() + QLatin1Char('/'), 10));
    EXPECT_EQ(failedIn, QStringLiteral("pbc2_LogOpen"));
}

TEST(LogError, LogsAndShowsTheCommonMessage)
{
    test::TestDataDir data;
    // An error handler reports from whatever step it is in: the line says step 1.
    data.ctx().step = QStringLiteral("0");
    data.ctx().reportError(-1, QStringLiteral("disk full"), QStringLiteral("Publish.WriteMeisaiTable"));
    EXPECT_EQ(data.messages().lastText(), QStringLiteral("エラーが発生しました。ログファイルを確認してください。"));
    EXPECT_EQ(data.messages().last().title, QStringLiteral("ミナセル"));
    EXPECT_EQ(data.ctx().step, QStringLiteral("0"));
    EXPECT_TRUE(data.ctx().log().lines().last().endsWith(
        QStringLiteral("-1 disk full [Publish.WriteMeisaiTable] Step:1_0")));
}
