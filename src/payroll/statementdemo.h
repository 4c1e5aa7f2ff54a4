#pragma once
#include <QString>
#include <QStringList>

namespace minasel {
class AppContext;
}

namespace minasel::payroll {

// Fills the open database with demonstration companies: their rates, pay-item
// masters, employees, and salary (and June/December bonus) statements for a run
// of months, each statement computed as the statement screens compute it. The
// data is made from a fixed seed, so the same options give the same database.
class StatementDemo {
public:
    struct Options {
        int companies = 1;
        int employees = 10;
        int months = 12;
        QString lastMonth;            // "yyyymm"; empty: the current month of the clock
        unsigned seed = 20261206;
    };
    struct Summary {
        QStringList companyIds;
        int employees = 0;
        int salaryStatements = 0;
        int bonusStatements = 0;
    };

    explicit StatementDemo(AppContext& ctx);

    // New companies take the smallest free codes from "51" upward. Each company is
    // written in one transaction; false (with *error) leaves no part of a company behind.
    bool run(const Options& options, Summary* summary, QString* error);

private:
    AppContext& m_ctx;
};

} // namespace minasel::payroll
