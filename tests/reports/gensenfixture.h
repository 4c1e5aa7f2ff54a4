#pragma once
#include "db/rowwriter.h"
#include "payroll/payslipfixture.h"
#include "support/testdatadir.h"

#include <QMap>
#include <gtest/gtest.h>

namespace minasel::test {

using Values = QMap<QString, QString>;

// 2026, employee 00002 (佐藤 花子 of the sample company): pay 9,000,000 with
// every box of the slip filled. Written by hand, not by the computation.
inline Values fullNentyo()
{
    return {{"CID", "01"}, {"SIKYUYEAR", "2026"}, {"JGICODE", "00002"},
            {"kyuryo", "8000000"}, {"KYURYOTAX", "300000"}, {"syoyo", "800000"}, {"SYOYOTAX", "60000"},
            {"MAEKEI", "200000"}, {"MAETAXKEI", "10000"}, {"SASIHIKI", "21400"}, {"NETYOKBN", "1"},
            {"MAEHOKEN", "1200000"}, {"HOKEN2", "30000"}, {"KAKEKIN", "60000"},
            {"KOJYOGO", "7050000"}, {"KOJYOKEI", "3210000"}, {"HAIGUKBN", "1"}, {"OLDHAIGU", "1"},
            {"HAIGUKOJYO", "480000"}, {"HAIGUMONEY", "400000"},
            {"FAMINUM", "2"}, {"FAMINUM1", "1"}, {"FAMINUM2", "1"}, {"FAMINUM3", "1"}, {"FAMINUM4", "3"},
            {"FAMINUM5", "1"}, {"SYUGAISYA", "1"}, {"SYUGAISYA1", "1"}, {"SYUGAISYA2", "1"},
            {"SEMEKOJYO", "100000"}, {"SONGAKOJYO", "35000"}, {"YEARTAX", "400000"}, {"TOKUKOJYO", "250000"},
            {"SEMEHOKEN_NEW", "120000"}, {"SEMEHOKEN", "30000"}, {"KAIGOIRYOHOKEN", "45000"},
            {"NENKINHOKEN_NEW", "100000"}, {"NENKINHOKEN", "20000"}, {"KKMNENKIN", "200000"},
            {"SONGAIHOKEN", "12000"}, {"RESTARTDATE", "20200715"}, {"JYUTAKUKARINUM", "1"},
            {"JYUTAKUKARIFLAG1", "住（特）"}, {"JYUTAKUKARIZAN1", "30000000"},
            {"TEKIYO1", "前職分加算"}, {"TEKIYO2", "株式会社前職"}, {"TEKIYO3", "東京都港区"},
            {"HAIGUSYANAME", "佐藤 太一"}, {"HAIGUSYANAMEKN", "サトウ タイチ"}, {"HAIGUSYAMYNUM", "123456789018"},
            {"FAMINAME1", "佐藤 一郎"}, {"FAMINAMEKN1", "サトウ イチロウ"}, {"FAMIMYNUM1", "123456789018"},
            {"FAMINAME2", "佐藤 二郎"}, {"FAMINAMEKN2", "サトウ ジロウ"}, {"FAMIMYNUM2", "123456789018"},
            {"FAMI5", "佐藤 五郎 123456789018"},
            {"NESYONAME1", "佐藤 六子"}, {"NESYONAMEKN1", "サトウ ムツコ"}, {"NESYOMYNUM1", "123456789018"},
            {"GAKUSEI", "1"}, {"TKWOMAN", "1"}, {"TYOUSEISW", "1"}};
}

inline Values fullSinkoku()
{
    return {{"CID", "01"}, {"SIKYUYEAR", "2026"}, {"JGICODE", "00002"}, {"TOKUNAME1", "佐藤 三郎"},
            {"TOKUNAMEKN1", "サトウ サブロウ"}, {"TOKUMYNUM1", "123456789018"}, {"TOKUSYOTOKU1", "900000"},
            {"UNDER23", "1"}};
}

// Stores the two rows, the employee's number and the payer's 12-digit number.
inline void storeFullSlip(TestDataDir& dir, const Values& nentyo = fullNentyo(), const Values& sinkoku = fullSinkoku())
{
    ASSERT_TRUE(db::WriteNentyoTable(dir.ctx(), tableRow(db::Table::Nentyo, nentyo)));
    if (!sinkoku.isEmpty())
        ASSERT_TRUE(db::WriteNentyoSinkokuTable(dir.ctx(), tableRow(db::Table::NentyoSinkoku, sinkoku)));
    ASSERT_TRUE(dir.exec(QStringLiteral("UPDATE JYUGYOIN SET MYNUMBER = '123456789018' WHERE CID = '01'")));
    ASSERT_TRUE(dir.exec(QStringLiteral("UPDATE COMPANY SET HOJINNUM = '123456789018' WHERE CID = '01'")));
}

} // namespace minasel::test
