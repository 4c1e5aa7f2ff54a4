#include "db/schema.h"
#include "support/testdatadir.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace minasel;

namespace {
QStringList columnsOf(QSqlDatabase db, const QString& table)
{
    QStringList out;
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table));
    while (q.next())
        out << q.value(1).toString() + QLatin1Char(':') + q.value(2).toString();
    return out;
}
} // namespace

// The column order is what the backup files and positional inserts rely on:
// check the stored tables against the list written out here by hand.
TEST(Schema, ColumnsInOrder)
{
    test::TestDataDir data;
    QSqlDatabase db = data.ctx().db();
    EXPECT_EQ(columnsOf(db, QStringLiteral("COMPANY")).join(QLatin1Char(',')),
              QStringLiteral("CID:TEXT,COMPANY:TEXT,CFKN:TEXT,ZIP:TEXT,ADRSTDHK:TEXT,ADRS1:TEXT,ADRS2:TEXT,TEL:TEXT,"
                             "FAX:TEXT,TYAKU:TEXT,TNAME:TEXT,TFKN:TEXT,KEKOHOKEN:DOUBLE,KEKOHOKEN2:DOUBLE,"
                             "KONEHOKEN:DOUBLE,KOYOHOKENRITU:DOUBLE,KIJYUNTIME:DOUBLE,KYUJITUTANKA:DOUBLE,"
                             "KINKYUTANKA:DOUBLE,JKGNOMAL:DOUBLE,JKGHOTEQ:DOUBLE,JKGNOMALSINYA:DOUBLE,"
                             "JKGHOTESINYA:DOUBLE,JKGNOMAL60:DOUBLE,JKGSINYA60:DOUBLE,TOROKUBI:TEXT,HOJINNUM:TEXT"));
    const QStringList j = columnsOf(db, QStringLiteral("JYUGYOIN"));
    ASSERT_EQ(j.size(), 38);
    EXPECT_EQ(j[13], QStringLiteral("TAISYABI:TEXT"));
    EXPECT_EQ(j[28], QStringLiteral("TIMEMONEY:DOUBLE"));
    EXPECT_EQ(j[37], QStringLiteral("MYNUMBER:TEXT"));
    const QStringList m = columnsOf(db, QStringLiteral("MEISAI"));
    ASSERT_EQ(m.size(), 73);
    EXPECT_EQ(m[29], QStringLiteral("SINYATEATE60:DOUBLE"));
    EXPECT_EQ(m[30], QStringLiteral("STEATE1NM:TEXT"));
    EXPECT_EQ(m[47], QStringLiteral("STEATE9:DOUBLE"));
    EXPECT_EQ(m[48], QStringLiteral("KEKINTIME:DOUBLE"));
    EXPECT_EQ(m[54], QStringLiteral("TAX:DOUBLE"));
    EXPECT_EQ(m[56], QStringLiteral("SKOJYO1NM:TEXT"));
    EXPECT_EQ(m[65], QStringLiteral("SKOJYO5:DOUBLE"));
    EXPECT_EQ(m[71], QStringLiteral("NENTYOMONEY:DOUBLE"));
    EXPECT_EQ(m[72], QStringLiteral("KEHOKBN:TEXT"));
    const QStringList n = columnsOf(db, QStringLiteral("NENTYO"));
    ASSERT_EQ(n.size(), 96);
    EXPECT_EQ(n[24], QStringLiteral("kyuryo:DOUBLE"));
    EXPECT_EQ(n[28], QStringLiteral("HAIGUMONEY:DOUBLE"));
    EXPECT_EQ(n[47], QStringLiteral("SASIHIKI:DOUBLE"));
    EXPECT_EQ(n[48], QStringLiteral("TEKIYO1:TEXT"));
    EXPECT_EQ(n[65], QStringLiteral("JYUTAKUKARIZAN2:DOUBLE"));
    EXPECT_EQ(n[69], QStringLiteral("FAMINAME1:TEXT"));
    EXPECT_EQ(n[81], QStringLiteral("FAMI5:TEXT"));
    EXPECT_EQ(n[94], QStringLiteral("NESYO5:TEXT"));
    EXPECT_EQ(n[95], QStringLiteral("TYOUSEISW:DOUBLE"));
    EXPECT_EQ(columnsOf(db, QStringLiteral("SONOTA")).join(QLatin1Char(',')),
              QStringLiteral("CID:TEXT,JGICODE:TEXT,SNTCODE:TEXT,SNTNAME:TEXT,SNTMONEY:DOUBLE,KEISANKBN:TEXT"));
    EXPECT_EQ(columnsOf(db, QStringLiteral("FGLTMP")).join(QLatin1Char(',')), QStringLiteral("TMPCODE:TEXT,TMPNAME:TEXT"));
    // Side tables, in the order their backup files hold them.
    EXPECT_EQ(columnsOf(db, QStringLiteral("PRTHOSEI")).join(QLatin1Char(',')),
              QStringLiteral("PRTNAME:TEXT,FORMNAME:TEXT,HOSEIX:DOUBLE,HOSEIY:DOUBLE"));
    EXPECT_EQ(columnsOf(db, QStringLiteral("JYUGYOINGINKO")).join(QLatin1Char(',')),
              QStringLiteral("CID:TEXT,JGICODE:TEXT,GINKOCODE:TEXT,GINKONAME:TEXT,SITENCODE:TEXT,SITENNAME:TEXT,"
                             "YOKINKBN:TEXT,KOZANO:TEXT,KOZANAME:TEXT,FURIKOMIKBN:TEXT"));
    EXPECT_EQ(columnsOf(db, QStringLiteral("HYOJUNHOSYU")).join(QLatin1Char(',')),
              QStringLiteral("CID:TEXT,JGICODE:TEXT,HYOJUNGAKU:DOUBLE,HOSYUGAKU:DOUBLE"));
    EXPECT_EQ(columnsOf(db, QStringLiteral("JUMINZEI")).join(QLatin1Char(',')),
              QStringLiteral("CID:TEXT,JGICODE:TEXT,NENDO:TEXT,NENGAKU:DOUBLE,GAKU06:DOUBLE,GAKU07:DOUBLE,GAKU08:DOUBLE,"
                             "GAKU09:DOUBLE,GAKU10:DOUBLE,GAKU11:DOUBLE,GAKU12:DOUBLE,GAKU01:DOUBLE,GAKU02:DOUBLE,"
                             "GAKU03:DOUBLE,GAKU04:DOUBLE,GAKU05:DOUBLE,HENKOTUKI:DOUBLE"));
    EXPECT_EQ(columnsOf(db, QStringLiteral("BASIC")).join(QLatin1Char(',')), QStringLiteral("PASSWORD:TEXT,CID:TEXT"));
}

TEST(Schema, FixedRowsAndSeed)
{
    test::TestDataDir data;
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM BASIC")), 1);
    QSqlQuery q(data.ctx().db());
    q.exec(QStringLiteral("SELECT SEQNO, TEXTNAME, FLPNO, KEISIKI FROM BACKUP ORDER BY SEQNO"));
    QStringList rows;
    while (q.next())
        rows << QStringLiteral("%1 %2 %3 %4").arg(q.value(0).toInt()).arg(q.value(1).toString()).arg(q.value(2).toInt()).arg(q.value(3).toString());
    EXPECT_EQ(rows, (QStringList{"1 T_001 27 COMPANY", "2 T_002 4 FUKAKYU", "3 T_003 38 JYUGYOIN",
                                 "4 T_004 73 MEISAI", "5 T_005 96 NENTYO", "6 T_006 4 SIKAKU", "7 T_007 6 SONOTA",
                                 "8 T_008 5 SONOTAKOJYO", "9 T_009 23 NENTYOSINKOKU",
                                 "10 T_010 10 KAISYAGINKO", "11 T_011 10 JYUGYOINGINKO",
                                 "12 T_012 5 SYAHOSETTEI", "13 T_013 4 HYOJUNHOSYU", "14 T_014 17 JUMINZEI"}));
    EXPECT_EQ(data.scalar(QStringLiteral("SELECT TOROKUBI FROM COMPANY WHERE CID = '01'")).toString(), QStringLiteral("2024/04/01"));
    EXPECT_GE(data.count(QStringLiteral("SELECT COUNT(*) FROM COMPANY WHERE TOROKUBI = '2000/01/01'")), 2);
    EXPECT_GE(data.count(QStringLiteral("SELECT COUNT(*) FROM JYUGYOIN WHERE CID = '01'")), 3);
    EXPECT_EQ(db::schemaVersion(data.ctx().db()), db::kSchemaVersion);
}

TEST(Schema, KeysAreUniqueInTheDatabaseToo)
{
    test::TestDataDir data;
    EXPECT_FALSE(data.exec(QStringLiteral("INSERT INTO SIKAKU VALUES('01', 'A0001', 'dup', 1)")));
    EXPECT_TRUE(data.exec(QStringLiteral("INSERT INTO SIKAKU VALUES('02', 'Z0001', 'ok', 1)")));
}

// A file of the first version (before the side tables and the change counter)
// is brought up to date on opening: its rows stay, its tables, indexes, triggers
// and BACKUP rows become those of a new file, and every company starts as changed.
TEST(Schema, AFirstVersionFileIsUpgraded)
{
    test::TestDataDir data;
    QSqlDatabase db = data.ctx().db();
    auto schema = [&] {
        QStringList rows;
        QSqlQuery q(db);
        q.exec(QStringLiteral("SELECT type || ' ' || name || ' ' || IFNULL(sql, '') FROM sqlite_master ORDER BY type, name"));
        while (q.next())
            rows << q.value(0).toString();
        q.exec(QStringLiteral("SELECT SEQNO || ' ' || TEXTNAME || ' ' || FLPNO || ' ' || KEISIKI FROM BACKUP ORDER BY SEQNO"));
        while (q.next())
            rows << q.value(0).toString();
        return rows;
    };
    const QStringList current = schema();
    // Four triggers (insert, delete, update, a row moved) on each table of company data.
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'trigger'")),
              4 * db::companyTables().size());
    for (const db::TableDef& t : db::allTables())
        if (t.since > 1)
            ASSERT_TRUE(data.exec(QStringLiteral("DROP TABLE %1").arg(t.name)));
    ASSERT_TRUE(data.exec(QStringLiteral("DELETE FROM BACKUP WHERE SEQNO > 8")));
    QStringList triggers;
    {
        QSqlQuery q(db);
        q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger'"));
        while (q.next())
            triggers << q.value(0).toString();
    }
    for (const QString& t : triggers)
        ASSERT_TRUE(data.exec(QStringLiteral("DROP TRIGGER ") + t));
    ASSERT_TRUE(data.exec(QStringLiteral("DROP TABLE CHANGECOUNT")));
    ASSERT_TRUE(data.exec(QStringLiteral("PRAGMA user_version = 1")));
    const int employees = data.count(QStringLiteral("SELECT COUNT(*) FROM JYUGYOIN"));

    QString error;
    ASSERT_TRUE(db::upgradeSchema(db, &error)) << error.toStdString();
    EXPECT_EQ(db::schemaVersion(db), db::kSchemaVersion);
    EXPECT_EQ(schema(), current);
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM JYUGYOIN")), employees);
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM CHANGECOUNT WHERE AUTOBACKUP = -1")),
              data.count(QStringLiteral("SELECT COUNT(*) FROM COMPANY")));
}
