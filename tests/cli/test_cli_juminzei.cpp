#include "support/cli.h"
#include "support/testdatadir.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace minasel;

namespace {

test::CliRun cli(const QStringList& args)
{
    return test::runCli(QStringLiteral(MINASEL_CLI), args);
}

} // namespace

TEST(CliJuminzei, SplitsAndImportsOnlyASoundFileAndOnlyWithYes)
{
    test::CliRun r = cli({"juminzei", "split", "--amount", "100000"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("6月\t8700\n7月\t8300\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.endsWith(QStringLiteral("5月\t8300\n")));
    EXPECT_EQ(cli({"juminzei", "split", "--amount", "-1"}).status, 2);

    test::TestDataDir data;
    const QString csv = data.path() + QStringLiteral("/notice.csv");
    auto import = [&](const QByteArray& text, bool yes) {
        QFile f(csv);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(text);
        f.close();
        QStringList args{"juminzei", "import", "--data-dir", data.path(), "--company", "01", "--year", "2026", "--csv", csv};
        return cli(yes ? args << "--yes" : args);
    };
    const QByteArray good = "00001,100000,8700,8300,8300,8300,8300,8300,8300,8300,8300,8300,8300,8300\n";
    r = import(good + "00002,1000,1000,0,0,0,0,0,0,0,0,0,0,1\n", true);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("2 行目: 6月〜5月の合計 1,001 円が年税額 1,000 円と一致しません。")))
        << r.err.toStdString();
    r = import(good, false);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("新規\t00001"))) << r.out.toStdString();
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM JUMINZEI"), 0);
    r = import(good, true);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(data.scalar("SELECT GAKU06 FROM JUMINZEI WHERE CID = '01' AND JGICODE = '00001' AND NENDO = '2026'").toInt(),
              8700);
}
