// The demonstration data: companies, masters and statements that agree with the
// statement computation.
#include "payroll/kyuyocalculator.h"
#include "payroll/statementdemo.h"
#include "payroll/statementrepository.h"
#include "payroll/syoyocalculator.h"
#include "support/testdatadir.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::payroll;

TEST(StatementDemo, FillsCompaniesWithStatementsThatRecomputeToThemselves)
{
    test::TestDataDir td;
    StatementDemo demo(td.ctx());
    StatementDemo::Options o;
    o.companies = 2;
    o.employees = 6;
    o.months = 8;
    o.lastMonth = QStringLiteral("202701");
    StatementDemo::Summary s;
    QString error;
    ASSERT_TRUE(demo.run(o, &s, &error)) << error.toStdString();
    EXPECT_EQ(s.companyIds, (QStringList{QStringLiteral("51"), QStringLiteral("52")}));
    EXPECT_EQ(s.employees, 12);
    EXPECT_EQ(s.salaryStatements, 2 * 6 * 8);
    EXPECT_GT(s.bonusStatements, 0);
    EXPECT_EQ(td.ctx().companyId, QStringLiteral("01"));
    EXPECT_EQ(td.count(QStringLiteral("SELECT COUNT(*) FROM MEISAI WHERE SIKYUKBN = '1'")), 96);
    EXPECT_EQ(td.count(QStringLiteral("SELECT COUNT(*) FROM MEISAI WHERE SIKYUKBN = '2' AND SIKYUBI NOT LIKE '%12' AND SIKYUBI NOT LIKE '%06'")), 0);
    EXPECT_EQ(td.count(QStringLiteral("SELECT MIN(SIKYUBI) FROM MEISAI")), 202606);

    // Every salary statement is what the statement screen computes from it.
    td.ctx().companyId = QStringLiteral("51");
    StatementRepository repo(td.ctx(), QStringLiteral("test"));
    CompanyRates rates;
    ASSERT_TRUE(repo.companyRates(&rates));
    QSqlQuery q(td.ctx().db());
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT * FROM MEISAI WHERE CID = '51' ORDER BY SIKYUBI, JGICODE, SIKYUKBN")));
    int salaries = 0, withOvertime = 0, bonuses = 0;
    while (q.next()) {
        const MeisaiRecord row = MeisaiRecord::fromSqlRecord(q.record());
        const StatementSwitches sw = StatementSwitches::fromTexts(repo.koyohokenSw(row.employeeCode),
                                                                  repo.taxKubun(row.employeeCode));
        if (row.kind == QLatin1String("1")) {
            ++salaries;
            withOvertime += row.overtimePay[0] > 0;
            EXPECT_EQ(calculateKyuyo(row, rates, sw).statement, row) << row.payMonth.toStdString();
            EXPECT_GT(row.payColumnsTotal(), 0);
        } else {
            ++bonuses;
            SyoyoParameters p;
            p.rates = rates;
            p.switches = sw;
            p.insured = repo.employeeMaster(row.employeeCode)->insured();
            p.previousPay = repo.previousMonthPay(row.employeeCode, row.payMonth);
            p.healthStandardEarlier = repo.healthStandardEarlier(row.employeeCode, row.payMonth);
            EXPECT_EQ(calculateSyoyo(row, p).statement, row);
            if (p.previousPay)   // a salary last month: the rate table gives some tax
                EXPECT_GT(row.tax, 0) << row.payMonth.toStdString();
        }
    }
    EXPECT_EQ(salaries, 48);
    EXPECT_GT(withOvertime, 10);
    EXPECT_GT(bonuses, 0);
    EXPECT_TRUE(td.messages().empty());

    // A second run takes the next free codes.
    o.companies = 1;
    ASSERT_TRUE(demo.run(o, &s, &error));
    EXPECT_EQ(s.companyIds, QStringList{QStringLiteral("53")});
}

TEST(StatementDemo, RefusesWhatCannotBeMade)
{
    test::TestDataDir td;
    StatementDemo demo(td.ctx());
    StatementDemo::Options o;
    StatementDemo::Summary s;
    QString error;
    o.companies = 50;   // only 49 codes from 51 to 99
    EXPECT_FALSE(demo.run(o, &s, &error));
    EXPECT_FALSE(error.isEmpty());
    o.companies = 1;
    o.months = 0;
    EXPECT_FALSE(demo.run(o, &s, &error));
    EXPECT_EQ(td.count(QStringLiteral("SELECT COUNT(*) FROM COMPANY")), 5);
}
