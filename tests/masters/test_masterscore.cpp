#include "app/valuehelpers.h"
#include "masters/codemaster.h"
#include "masters/companyrepository.h"
#include "masters/jyugyoinrepository.h"
#include "masters/otheritems.h"
#include "support/testdatadir.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::masters;

namespace {
const char* const kEightTables[] = {"COMPANY", "JYUGYOIN", "FUKAKYU", "SIKAKU", "MEISAI", "NENTYO", "SONOTA", "SONOTAKOJYO"};

QString q(const char* s)
{
    return QString::fromUtf8(s);
}

void failInsertsInto(test::TestDataDir& data, const char* table)
{
    ASSERT_TRUE(data.exec(QStringLiteral("CREATE TRIGGER fail_%1 BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, 'x'); END")
                              .arg(QLatin1String(table))));
}

// A dump of a table for "unchanged" comparisons.
QStringList dump(test::TestDataDir& data, const QString& sql)
{
    QSqlQuery query(data.ctx().db());
    EXPECT_TRUE(query.exec(sql));
    QStringList rows;
    while (query.next()) {
        QStringList v;
        for (int i = 0; i < query.record().count(); ++i)
            v << query.value(i).toString();
        rows << v.join(QLatin1Char('|'));
    }
    return rows;
}
} // namespace

TEST(CompanyNumbering, SmallestFreeFrom51)
{
    struct C {
        QStringList used;
        const char* expected;
    };
    QStringList first50;
    for (int i = 1; i <= 50; ++i)
        first50 << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    QStringList upper;
    for (int i = 51; i <= 99; ++i)
        upper << QString::number(i);
    const C cases[] = {
        {{"01", "51", "52", "54"}, "53"},
        {first50, "51"},
        {{}, "51"},
        {{"01", "02", "03", "04", "05"}, "51"},
        {upper, "100"},
        {QStringList(upper).mid(1) << QStringLiteral("01"), "51"},
    };
    for (const C& c : cases)
        EXPECT_EQ(CompanyRepository::newCid(c.used), QLatin1String(c.expected)) << c.used.join(QLatin1Char(',')).toStdString();
}

TEST(CompanyRepository, InsertReadUpdateKeepTextsAsTyped)
{
    test::TestDataDir data;
    CompanyRepository repo(data.ctx());
    CompanyInfo c;
    c.name = q("  O'Hara \"商店\"  ");
    c.kana = q("オハラショウテン");
    c.hojinNum = QStringLiteral("1234567890123");
    c.kijyunTime = 170.5;
    c.kinkyuTanka = -3000;
    c.coefficients[5] = 1.8;
    ASSERT_TRUE(repo.insert(QStringLiteral("51"), c));
    CompanyInfo back;
    bool found = false;
    ASSERT_TRUE(repo.read(QStringLiteral("51"), &back, &found));
    ASSERT_TRUE(found);
    EXPECT_EQ(back.name, q("O'Hara \"商店\""));
    EXPECT_EQ(back.torokubi, QStringLiteral("2026/12/06"));
    back.torokubi.clear();
    CompanyInfo expected = c;
    expected.name = expected.name.trimmed();
    EXPECT_EQ(back, expected);

    // An update replaces every field and stamps today; a template stops being a template.
    data.clock().set(QDateTime(QDate(2027, 1, 4), QTime(9, 0)));
    back.name = q("新しい名前");
    back.koyo = 0.0055;
    back.coefficients = {1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(repo.update(QStringLiteral("02"), back));
    CompanyInfo again;
    ASSERT_TRUE(repo.read(QStringLiteral("02"), &again, &found));
    EXPECT_EQ(again.torokubi, QStringLiteral("2027/01/04"));
    again.torokubi.clear();
    EXPECT_EQ(again, back);
    EXPECT_TRUE(data.messages().empty());

    ASSERT_TRUE(repo.read(QStringLiteral("77"), &again, &found));
    EXPECT_FALSE(found);
}

TEST(CompanyRepository, DeleteRemovesEveryTableOrNothing)
{
    test::TestDataDir data;
    // Give company 03 a row in each of the eight tables.
    for (const char* sql : {"INSERT INTO JYUGYOIN (CID, JGICODE) VALUES ('03', '00001')",
                            "INSERT INTO MEISAI (CID, SIKYUBI, JGICODE, SIKYUKBN) VALUES ('03', '202601', '00001', '1')",
                            "INSERT INTO NENTYO (CID, SIKYUYEAR, JGICODE) VALUES ('03', '2026', '00001')",
                            "INSERT INTO SONOTA (CID, JGICODE, SNTCODE) VALUES ('03', '00001', '1')",
                            "INSERT INTO SONOTAKOJYO (CID, JGICODE, SNTCODE) VALUES ('03', '00001', '1')"})
        ASSERT_TRUE(data.exec(QString::fromLatin1(sql))) << sql;
    auto rowsOf03 = [&] {
        int n = 0;
        for (const char* t : kEightTables)
            n += data.count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE CID = '03'").arg(QLatin1String(t)));
        return n;
    };
    const int before01 = dump(data, QStringLiteral("SELECT * FROM JYUGYOIN WHERE CID = '01'")).size();
    ASSERT_EQ(rowsOf03(), 10);

    // A failure in the middle (the sixth table) leaves all of them as they were.
    ASSERT_TRUE(data.exec(QStringLiteral(
        "CREATE TRIGGER fail_del BEFORE DELETE ON NENTYO BEGIN SELECT RAISE(ABORT, 'x'); END")));
    CompanyRepository repo(data.ctx());
    EXPECT_FALSE(repo.remove(QStringLiteral("03")));
    EXPECT_EQ(rowsOf03(), 10);
    EXPECT_EQ(data.messages().lastText(), q("エラーが発生しました。ログファイルを確認してください。"));

    ASSERT_TRUE(data.exec(QStringLiteral("DROP TRIGGER fail_del")));
    EXPECT_TRUE(repo.remove(QStringLiteral("03")));
    EXPECT_EQ(rowsOf03(), 0);
    EXPECT_EQ(dump(data, QStringLiteral("SELECT * FROM JYUGYOIN WHERE CID = '01'")).size(), before01);
    EXPECT_EQ(repo.count(), 4);
}

TEST(CompanyRepository, FaultsAreReportedNotSwallowed)
{
    test::TestDataDir data;
    CompanyRepository repo(data.ctx());
    data.ctx().db().close();
    CompanyInfo c;
    bool found = true;
    EXPECT_FALSE(repo.read(QStringLiteral("01"), &c, &found));
    EXPECT_EQ(repo.count(), -1);
    EXPECT_FALSE(repo.remove(QStringLiteral("02")));
    EXPECT_FALSE(repo.update(QStringLiteral("01"), c));
    EXPECT_GE(data.messages().entries().size(), 4);
}

TEST(EmployeeCode, Normalisation)
{
    const char* const cases[][2] = {
        {"7", "00007"},   {"12", "00012"},  {"A12", "A0012"}, {"ab", "AB000"},  {"AB5", "AB005"},
        {"abcde", "ABCDE"}, {"a0001", "A0001"}, {" 7 ", "00007"}, {"", ""},     {"1234", "01234"},
        {"x", "X0000"},   {"abcdef", "ABCDEF"}, {"9a", "0009A"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalizeEmployeeCode(QString::fromLatin1(c[0])), QLatin1String(c[1])) << c[0];
}

TEST(EmployeeAge, BirthdayCountsOnTheDay)
{
    EXPECT_EQ(JyugyoinRepository::age(1990, 6, 15, QDate(2025, 6, 14)), 34);
    EXPECT_EQ(JyugyoinRepository::age(1990, 6, 15, QDate(2025, 6, 15)), 35);
    EXPECT_EQ(JyugyoinRepository::age(2000, 2, 29, QDate(2025, 2, 28)), 24);
    EXPECT_EQ(JyugyoinRepository::age(2000, 2, 29, QDate(2025, 3, 1)), 25);
}

// The sum over the hours and zero hours are MstJyugyoinTest.HourlyRate's.
TEST(EmployeeHourlyRate, HoursInSinglePrecision)
{
    // Hours are taken in single precision, as the rate always was.
    EXPECT_DOUBLE_EQ(*JyugyoinRepository::hourlyRate(1000, 0, 0, 0, 162.7), 1000.0 / double(162.7f));
}

TEST(EmployeeRepository, DeleteTakesItemsButLeavesStatements)
{
    test::TestDataDir data;
    ASSERT_TRUE(data.exec(QStringLiteral(
        "INSERT INTO MEISAI (CID, SIKYUBI, JGICODE, SIKYUKBN) VALUES ('01', '202611', '00002', '1')")));
    ASSERT_TRUE(data.exec(QStringLiteral("INSERT INTO SONOTA (CID, JGICODE, SNTCODE, SNTNAME) VALUES ('02', '00002', '1', 'x')")));
    JyugyoinRepository repo(data.ctx());
    ASSERT_TRUE(repo.remove(QStringLiteral("00002")));
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM JYUGYOIN WHERE CID = '01' AND JGICODE = '00002'")), 0);
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM SONOTA WHERE CID = '01' AND JGICODE = '00002'")), 0);
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM SONOTAKOJYO WHERE CID = '01' AND JGICODE = '00002'")), 0);
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM MEISAI WHERE CID = '01' AND JGICODE = '00002'")), 1);
    // Another company's employee with the same code is untouched.
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM SONOTA WHERE CID = '02'")), 1);
}

TEST(EmployeeRepository, CountedAllowancesAndMonthTime)
{
    test::TestDataDir data;
    OtherItems items(data.ctx(), OtherItems::Kind::Teate);
    ASSERT_TRUE(items.save(QStringLiteral("00003"), {{q("資格"), 3000, true}, {q("皆勤"), 2000, false}, {q("端数"), 0.5, true}}));
    JyugyoinRepository repo(data.ctx());
    double sum = -1;
    ASSERT_TRUE(repo.countedAllowances(QStringLiteral("00003"), &sum));
    EXPECT_EQ(sum, 3000);   // 3000.5 rounds to even
    double hours = 0;
    ASSERT_TRUE(repo.monthTime(&hours));
    EXPECT_EQ(hours, 170);
    ASSERT_TRUE(data.exec(QStringLiteral("UPDATE COMPANY SET KIJYUNTIME = NULL WHERE CID = '01'")));
    ASSERT_TRUE(repo.monthTime(&hours));
    EXPECT_EQ(hours, 0);
}

// A failing save keeps the table: GridTest.LineDeletionAndClosingQuestion.
TEST(CodeMaster, WholeTableReplacedUpperCased)
{
    test::TestDataDir data;
    CodeMaster m(data.ctx(), CodeMaster::Kind::Fukakyu);
    ASSERT_TRUE(m.save({{QStringLiteral("b1"), q(" 主任 "), 10000}, {QString(), q("捨てる"), 1}, {QStringLiteral("A"), QString(), 0}}));
    QList<CodeMaster::Line> lines;
    ASSERT_TRUE(m.read(&lines));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], (CodeMaster::Line{QStringLiteral("A"), QString(), 0}));
    EXPECT_EQ(lines[1], (CodeMaster::Line{QStringLiteral("B1"), q("主任"), 10000}));
    // Other companies keep their tables.
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM FUKAKYU WHERE CID = '02'")), 2);
    EXPECT_EQ(CodeMaster::entryText({QStringLiteral("1"), q(" 主任 "), 10000}), q("1 主任 ¥10,000"));
}

TEST(CodeMaster, Duplicates)
{
    const QStringList codes{QStringLiteral("A1"), QString(), QStringLiteral("a1 "), QString(), QStringLiteral("B")};
    EXPECT_EQ(CodeMaster::findDuplicate(codes, 0), 2);
    EXPECT_EQ(CodeMaster::findDuplicate(codes, 2), 0);
    EXPECT_EQ(CodeMaster::findDuplicate(codes, 1), -1);   // empty lines never clash
    EXPECT_EQ(CodeMaster::findDuplicate(codes, 4), -1);
}

TEST(OtherItems, LineNumbersAreCodesAndFailuresRollBack)
{
    test::TestDataDir data;
    OtherItems items(data.ctx(), OtherItems::Kind::Teate);
    QList<OtherItems::Line> lines(9);
    lines[0] = {q("役職"), 5000, true};
    lines[2] = {q(" 住居 "), 1000, false};
    ASSERT_TRUE(items.save(QStringLiteral("00002"), lines));
    EXPECT_EQ(dump(data, QStringLiteral("SELECT SNTCODE, SNTNAME, SNTMONEY, KEISANKBN FROM SONOTA WHERE CID = '01' AND "
                                        "JGICODE = '00002' ORDER BY SNTCODE")),
              (QStringList{q("1|役職|5000|1"), q("3|住居|1000|0")}));
    QList<OtherItems::Line> back;
    ASSERT_TRUE(items.read(QStringLiteral("00002"), &back));
    EXPECT_EQ(back, (QList<OtherItems::Line>{{q("役職"), 5000, true}, {q("住居"), 1000, false}}));

    // Ten and more lines (restored from elsewhere) come back in numeric order.
    ASSERT_TRUE(data.exec(QStringLiteral("INSERT INTO SONOTA VALUES ('01', '00002', '10', 'ten', 10, '0')")));
    ASSERT_TRUE(items.read(QStringLiteral("00002"), &back));
    EXPECT_EQ(back.last().name, QStringLiteral("ten"));

    OtherItems kojyo(data.ctx(), OtherItems::Kind::Kojyo);
    const QStringList before = dump(data, QStringLiteral("SELECT * FROM SONOTAKOJYO ORDER BY CID, JGICODE, SNTCODE"));
    failInsertsInto(data, "SONOTAKOJYO");
    EXPECT_FALSE(kojyo.save(QStringLiteral("00002"), {{q("新"), 1, false}}));
    EXPECT_EQ(dump(data, QStringLiteral("SELECT * FROM SONOTAKOJYO ORDER BY CID, JGICODE, SNTCODE")), before);

    // Clearing every line removes the employee's items.
    ASSERT_TRUE(items.save(QStringLiteral("00002"), QList<OtherItems::Line>(9)));
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM SONOTA WHERE CID = '01' AND JGICODE = '00002'")), 0);
}
