#include "db/database.h"
#include "db/rowinserter.h"
#include "db/rowwriter.h"
#include "db/transactionguard.h"
#include "app/valuehelpers.h"
#include "support/testdatadir.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::db;

namespace {
RowValues companyRow(const QString& cid, const QString& name, const QString& torokubi)
{
    RowValues v;
    for (int i = 0; i < 27; ++i)
        v << QString();
    v[0] = cid;
    v[1] = name;
    v[12] = QStringLiteral(" 9.91 ");
    v[25] = torokubi;
    return v;
}
} // namespace

TEST(RowWriter, TorokubiNormalisation)
{
    struct C {
        const char* in;
        const char* out;
    };
    const C cases[] = {
        {"2024/04/01", "2024/04/01"}, {"20240401", "2024/04/01"}, {"240401", "2024/04/01"},
        {"2024/13/05", "2024/12/05"}, {"2023/04/31", "2023/04/30"}, {"2024/02/30", "2024/02/29"},
        {"2023/02/29", "2023/02/28"}, {"2024/00/00", "2024/01/01"}, {"1234", ""}, {"", ""},
        {"2000/01/01", "2000/01/01"}, {"2024-4-1x", "2024/04/01"}, {"2026/1/5", "2026/01/05"}, {"26.1.5", "2026/01/05"},
    };
    for (const C& c : cases)
        EXPECT_EQ(normalizeTorokubi(QString::fromLatin1(c.in), 2026), QString::fromLatin1(c.out)) << c.in;

    test::TestDataDir data;
    ASSERT_TRUE(WriteCompanyTable(data.ctx(), companyRow(QStringLiteral("60"), QStringLiteral("x"), QStringLiteral("261231"))));
    EXPECT_EQ(data.scalar(QStringLiteral("SELECT TOROKUBI FROM COMPANY WHERE CID = '60'")).toString(), QStringLiteral("2026/12/31"));
    EXPECT_DOUBLE_EQ(data.scalar(QStringLiteral("SELECT KEKOHOKEN FROM COMPANY WHERE CID = '60'")).toDouble(), 9.91);
}

TEST(RowWriter, FailureIsLoggedUnderTheWriterAndReturnsFalse)
{
    test::TestDataDir data;
    RowValues v;
    for (int i = 0; i < 73; ++i)
        v << QString();
    v[0] = QStringLiteral("01");
    v[1] = QStringLiteral("202612");
    v[2] = QStringLiteral("00001");
    v[3] = QStringLiteral("1");
    v[6] = QStringLiteral("abc");   // a number column given text
    data.ctx().step = QStringLiteral("0");
    EXPECT_FALSE(WriteMeisaiTable(data.ctx(), v));
    EXPECT_EQ(data.messages().lastText(), QStringLiteral("エラーが発生しました。ログファイルを確認してください。"));
    const QString line = data.ctx().log().lines().last();
    EXPECT_TRUE(line.contains(QStringLiteral(" [Publish.WriteMeisaiTable] Step:1_0"))) << line.toStdString();
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM MEISAI")), 0);

    v[6] = QStringLiteral("200000");
    EXPECT_TRUE(WriteMeisaiTable(data.ctx(), v));
    // The duplicate key is refused by the database as well.
    EXPECT_FALSE(WriteMeisaiTable(data.ctx(), v));
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM MEISAI")), 1);
    // Wrong number of values.
    EXPECT_FALSE(WriteSikakuTable(data.ctx(), {QStringLiteral("01")}));
}

TEST(Database, FilesAreOwnerOnlyAndAMissingFileIsNotCreated)
{
    test::TestDataDir data;
    const auto perms = QFileInfo(data.ctx().databasePath()).permissions();
    EXPECT_FALSE(perms & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther));
    const auto dperms = QFileInfo(data.path()).permissions();
    EXPECT_FALSE(dperms & (QFile::ReadOther | QFile::ExeOther));

    closeConnection(data.ctx());
    ASSERT_TRUE(QFile::remove(data.ctx().databasePath()));
    QString error;
    // The folder exists, so no new database is made and the open fails.
    EXPECT_EQ(getDataFolder(2026, &error), data.path());
    EXPECT_FALSE(openConnection(data.ctx(), &error));
    EXPECT_FALSE(QFile::exists(data.ctx().databasePath()));
}

// Both ways of binding must store the same values with the same storage classes:
// an empty text as '' (the still-employed test is TAISYABI = ''), numbers as reals.
TEST(RowInserter, BothBindingsStoreTheSameRow)
{
    test::TestDataDir data;
    QStringList dumps;
    for (auto binding : {RowInserter::Binding::Fastest, RowInserter::Binding::QtOnly}) {
        data.exec(QStringLiteral("DELETE FROM JYUGYOIN WHERE JGICODE = '99999'"));
        RowValues v;
        for (int i = 0; i < 38; ++i)
            v << QString();
        v[0] = QStringLiteral("01");
        v[1] = QStringLiteral("99999");
        v[2] = QStringLiteral("  O'Hara 「太郎」 ");
        v[14] = QStringLiteral("1,234.5");
        v[36] = QStringLiteral("1");
        RowInserter inserter(data.ctx(), Table::Jyugyoin, binding);
        ASSERT_TRUE(inserter.write(v));
        QSqlQuery q(data.ctx().db());
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT * FROM JYUGYOIN WHERE JGICODE = '99999'")) && q.next());
        QStringList cells;
        for (int i = 0; i < 38; ++i)
            cells << q.value(i).toString() + QLatin1Char('/') + QString::number(q.value(i).isNull());
        QSqlQuery t(data.ctx().db());
        t.exec(QStringLiteral("SELECT typeof(TAISYABI), typeof(KIHONKYU), typeof(YOBI1) FROM JYUGYOIN WHERE JGICODE = '99999'"));
        t.next();
        cells << t.value(0).toString() << t.value(1).toString() << t.value(2).toString();
        dumps << cells.join(QLatin1Char('|'));
        EXPECT_TRUE(dumps.last().endsWith(QStringLiteral("|text|real|real"))) << dumps.last().toStdString();
        EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM JYUGYOIN WHERE CID = '01' AND TAISYABI = '' AND JGICODE = '99999'")), 1);
    }
    EXPECT_EQ(dumps[0], dumps[1]);
    EXPECT_TRUE(dumps[0].contains(QStringLiteral("O'Hara 「太郎」/0")));
}

TEST(RowInserter, FailuresOfBothBindingsAreReportedAndLeaveNothing)
{
    test::TestDataDir data;
    for (auto binding : {RowInserter::Binding::Fastest, RowInserter::Binding::QtOnly}) {
        RowInserter inserter(data.ctx(), Table::Sikaku, binding);
        int code = 0;
        QString error;
        EXPECT_FALSE(inserter.insert({QStringLiteral("01"), QStringLiteral("A0001"), QStringLiteral("dup"), QStringLiteral("1")}, &code, &error));
        EXPECT_NE(code, 0);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(inserter.insert({QStringLiteral("01"), QStringLiteral("Z1"), QStringLiteral("x"), QStringLiteral("abc")}, &code, &error));
        EXPECT_EQ(code, TypeMismatch::code);
        // The inserter stays usable after a failure.
        EXPECT_TRUE(inserter.insert({QStringLiteral("01"), QStringLiteral("Z1"), QStringLiteral("x"), QStringLiteral("7")}, &code, &error))
            << error.toStdString();
        data.exec(QStringLiteral("DELETE FROM SIKAKU WHERE SIKACODE = 'Z1'"));
    }
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM SIKAKU WHERE SIKANAME = 'dup'")), 0);
}
