#include "app/valuehelpers.h"
#include "db/changecounter.h"
#include "db/decimaltext.h"
#include "db/rowinserter.h"
#include "db/rowwriter.h"
#include "db/statementcache.h"
#include "db/transactionguard.h"
#include "support/testdatadir.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace minasel;
using namespace minasel::db;

namespace {
bool sameDouble(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;   // -0 and 0 differ too
}
} // namespace

// Every text the fast path takes reads as NullToNum reads it, to the bit, in
// UTF-16 and in UTF-8; every plain decimal of up to 15 digits is taken.
TEST(DecimalText, PlainDecimalsReadExactlyAsNullToNum)
{
    QStringList texts = {"0", "-0", "+0", "-0.0", "00012.50", "99999999999", "-99999999999.99", "0.1", "0.30000000000000004",
                         "9007199254740992", "9007199254740993", "1.7976931348623157", "123456789012345678",
                         "0.0000000000000000000001", "5.", ".5", "1e5", "1,234", " 7", "7 ", "-", "", "1.2.3", "abc",
                         "１２", "inf", "nan", "0x10", "12-", "--1"};
    QRandomGenerator rng(18);
    for (int i = 0; i < 100000; ++i) {
        QString t = rng.bounded(3) == 0 ? QStringLiteral("-") : QString();
        const int whole = int(rng.bounded(1, 17));
        for (int d = 0; d < whole; ++d)
            t += QChar(u'0' + rng.bounded(10));
        if (rng.bounded(2)) {
            t += QLatin1Char('.');
            for (int d = int(rng.bounded(1, 24)); d > 0; --d)
                t += QChar(u'0' + rng.bounded(10));
        }
        texts << t;
    }
    static const QRegularExpression plain(QStringLiteral("^[-+]?([0-9]+)(\\.([0-9]+))?$"));
    int taken = 0;
    for (const QString& t : texts) {
        double fast16 = 0;
        double fast8 = 0;
        const QByteArray utf8 = t.toUtf8();
        const bool took16 = parsePlainDecimal(reinterpret_cast<const char16_t*>(t.utf16()), t.size(), &fast16);
        const bool took8 = parsePlainDecimal(utf8.constData(), utf8.size(), &fast8);
        ASSERT_EQ(took16, took8) << t.toStdString();
        // What a pay statement holds (up to 15 digits) never needs the slow path.
        const QRegularExpressionMatch m = plain.match(t);
        if (m.hasMatch() && m.captured(1).size() + m.captured(3).size() <= 15)
            ASSERT_TRUE(took16) << t.toStdString();
        if (!took16)
            continue;
        ++taken;
        const double slow = NullToNum(t);
        ASSERT_TRUE(sameDouble(fast16, slow) && sameDouble(fast8, slow)) << t.toStdString();
    }
    EXPECT_GT(taken, 60000);
    for (const char* t : {"5.", ".5", "1e5", "1,234", " 7", "inf", "12345678901234567890"}) {
        double d;
        EXPECT_FALSE(parsePlainDecimal(t, qsizetype(std::strlen(t)), &d)) << t;
    }
}

// Whoever writes a company's rows (a row writer, a plain UPDATE or DELETE, in a
// transaction or not) raises that company's count and no other; tables that
// are not company data raise nothing.
TEST(ChangeCounter, EveryWriterOfACompanyCountsAndNothingElse)
{
    test::TestDataDir data;
    QSqlDatabase db = data.ctx().db();
    auto changes = [&](const QString& cid) {
        ChangeCounter::State s;
        EXPECT_TRUE(ChangeCounter::read(db, cid, &s, nullptr));
        return s.changes;
    };
    const RowValues item = {"01", "Z9", "n", "1"};
    struct Case {
        const char* name;
        std::function<bool()> write;
        int company01;   // how much 01's count rises
        int company02;
    };
    const Case cases[] = {
        {"row writer", [&] { return WriteFukakyuTable(data.ctx(), item); }, 1, 0},
        {"update of one row", [&] { return data.exec("UPDATE FUKAKYU SET FUKANAME = 'x' WHERE CID = '01' AND FUKACODE = 'Z9'"); }, 1, 0},
        {"a row moved to another company", [&] { return data.exec("UPDATE FUKAKYU SET CID = '02' WHERE FUKACODE = 'Z9'"); }, 1, 1},
        {"delete", [&] { return data.exec("DELETE FROM FUKAKYU WHERE FUKACODE = 'Z9'"); }, 0, 1},
        {"three rows in one transaction",
         [&] {
             TransactionGuard tx(db);
             return WriteSikakuTable(data.ctx(), {"01", "Z1", "a", "1"}) && WriteSikakuTable(data.ctx(), {"01", "Z2", "b", "2"})
                 && WriteSikakuTable(data.ctx(), {"01", "Z3", "c", "3"}) && tx.commit();
         }, 3, 0},
        {"a rolled-back transaction", [&] { TransactionGuard tx(db); return WriteSikakuTable(data.ctx(), {"01", "Z4", "d", "4"}); }, 0, 0},
        {"settings and scratch lists", [&] { return data.exec("UPDATE BASIC SET CID = '02'") && data.exec("INSERT INTO FGLTMP VALUES('1', 'a')")
                                                   && data.exec("INSERT INTO PRTHOSEI VALUES('p', 'f', 1, 2)"); }, 0, 0},
    };
    for (const Case& c : cases) {
        const qint64 before01 = changes("01");
        const qint64 before02 = changes("02");
        ASSERT_TRUE(c.write()) << c.name;
        EXPECT_EQ(changes("01") - before01, c.company01) << c.name;
        EXPECT_EQ(changes("02") - before02, c.company02) << c.name;
    }
    // The automatic backup's mark: unchanged until the next write.
    ChangeCounter::State s;
    ASSERT_TRUE(ChangeCounter::read(db, "01", &s, nullptr));
    EXPECT_TRUE(s.changedSinceAutomaticBackup());
    ASSERT_TRUE(ChangeCounter::recordAutomaticBackup(db, "01", s.changes, nullptr));
    ASSERT_TRUE(ChangeCounter::read(db, "01", &s, nullptr));
    EXPECT_FALSE(s.changedSinceAutomaticBackup());
    ASSERT_TRUE(WriteFukakyuTable(data.ctx(), {"01", "Z8", "n", "1"}));
    ASSERT_TRUE(ChangeCounter::read(db, "01", &s, nullptr));
    EXPECT_TRUE(s.changedSinceAutomaticBackup());
}

// Inside a transaction every writer of a table shares one prepared statement;
// none is left open once the transaction ends, so the connection closes cleanly.
TEST(StatementCache, OneStatementPerTableAndTransaction)
{
    test::TestDataDir data;
    QSqlDatabase db = data.ctx().db();
    EXPECT_EQ(StatementCache::of(db), nullptr);
    {
        TransactionGuard tx(db);
        StatementCache* cache = StatementCache::of(db);
        ASSERT_NE(cache, nullptr);
        RowInserter* first = &cache->inserter(Table::Sikaku, data.ctx());
        ASSERT_TRUE(WriteSikakuTable(data.ctx(), {"01", "Y1", "a", "1"}));
        ASSERT_TRUE(insertRow(db, Table::Sikaku, {"01", "Y2", "b", "2"}, 2026, nullptr, nullptr));
        EXPECT_EQ(&cache->inserter(Table::Sikaku, 2026), first);
        {
            TransactionGuard inner(db);   // cannot begin: the outer cache stays
            EXPECT_FALSE(inner.active());
        }
        EXPECT_EQ(StatementCache::of(db), cache);
        ASSERT_TRUE(tx.commit());
        EXPECT_EQ(StatementCache::of(db), nullptr);
    }
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM SIKAKU WHERE SIKACODE LIKE 'Y%'"), 2);
    db.close();   // an unfinished statement would make SQLite refuse to close
    EXPECT_FALSE(db.lastError().text().contains(QStringLiteral("closing"))) << db.lastError().text().toStdString();
}
