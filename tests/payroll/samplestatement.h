#pragma once
#include "payroll/meisairecord.h"

namespace minasel::test {

// The salary statement of employee 00002 for December 2026 as the seeded master starts it.
inline payroll::MeisaiRecord sampleSalary00002()
{
    payroll::MeisaiRecord e;
    e.cid = QStringLiteral("01");
    e.payMonth = QStringLiteral("202612");
    e.employeeCode = QStringLiteral("00002");
    e.employeeKind = QStringLiteral("1");
    e.kihonkyu = 240000;
    e.commuting = 12000;
    e.qualification = 5000;
    e.housing = 10000;
    e.family = 5000;
    e.allowanceNames[0] = QStringLiteral("資格手当（追加）");
    e.allowances[0] = 3000;
    e.hourlyRate = 1618;
    e.health = 14868;
    e.pension = 27450;
    e.residentTax = 12500;
    e.deductionNames = {QStringLiteral("財形貯蓄"), QStringLiteral("その他控除２"), QStringLiteral("その他控除３"),
                        QStringLiteral("その他控除４"), QStringLiteral("その他控除５")};
    e.deductions[0] = 10000;
    e.dependants = 1;
    e.healthKind = QStringLiteral("0");
    return e;
}

} // namespace minasel::test
