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

void writeFile(const QString& path, int from, int to)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    for (int i = from; i <= to; ++i)
        f.write(Log::formatLine(i, record(QStringLiteral("old"))).toUtf8() + "\r\n");
}

} // namespace

TEST(Log, LineFormat)
{
    LogRecord r{QStringLiteral("2026/12/06 09:05:03"), QStringLiteral("-1"), QStringLiteral("UNIQUE constraint"),
                QStringLiteral("Publish.WriteMeisaiTable"), QStringLiteral("1"), 0};
    EXPECT_EQ(Log::formatLine(7, r),
              QStringLiteral("007 2026/12/06 09:05:03 -1 UNIQUE constraint [Publish.WriteMeisaiTable] Step:1_0"));
}

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

TEST(Log, ReloadContinuesTheRun)
{
    QTemporaryDir dir;
    writeFile(dir.path() + QStringLiteral("/kyuyo.log"), 1, 120);
    Log log;
    ASSERT_TRUE(log.open(dir.path() + QLatin1Char('/')));
    EXPECT_EQ(log.sequence(), 120);
    log.set(record(QStringLiteral("next")));
    EXPECT_EQ(log.writePosition(), 121);
    EXPECT_TRUE(fileLines(log.path()).at(120).startsWith(QStringLiteral("121 ")));
}

TEST(Log, WrapsAfter999AndKeepsOlderLinesBehind)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    writeFile(folder + QStringLiteral("kyuyo.log"), 1, 999);
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

TEST(Log, BrokenRunEndsAtTheGap)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/kyuyo.log");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    for (int n : {5, 6, 7, 300, 301, 2})
        f.write(Log::formatLine(n, record(QStringLiteral("x"))).toUtf8() + "\r\n");
    f.close();
    Log log;
    ASSERT_TRUE(log.open(dir.path() + QLatin1Char('/')));
    EXPECT_EQ(log.sequence(), 7);
    EXPECT_EQ(log.writePosition(), 3);
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
    writeFile(dir.path() + QStringLiteral("/kyuyo.log"), 1, 12);
    QString failedIn;
    Log log([&](const QString& proc, int, const QString&) { failedIn = proc; });
    EXPECT_FALSE(log.open(dir.path() + QLatin1Char('/'), 10));
    EXPECT_EQ(failedIn, QStringLiteral("pbc2_LogOpen"));
}

TEST(LogError, LogsAndShowsTheCommonMessage)
{
    test::TestDataDir data;
    data.ctx().step = QStringLiteral("1");
    data.ctx().logError(-1, QStringLiteral("disk full"), QStringLiteral("Publish.WriteMeisaiTable"));
    EXPECT_EQ(data.messages().lastText(), QStringLiteral("エラーが発生しました。ログファイルを確認してください。"));
    EXPECT_EQ(data.messages().last().title, QStringLiteral("ミナセル"));
    EXPECT_EQ(data.ctx().step, QStringLiteral("0"));
    EXPECT_TRUE(data.ctx().log().lines().last().endsWith(
        QStringLiteral("-1 disk full [Publish.WriteMeisaiTable] Step:1_0")));
}
