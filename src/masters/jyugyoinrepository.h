#pragma once
#include "masters/employee.h"

#include <QDate>
#include <QList>
#include <functional>
#include <optional>

namespace minasel {
class AppContext;
}

namespace minasel::masters {

// The employee master of the current company and the sums the hourly rate needs.
// Faults are logged under the employee screen's procedure names.
class JyugyoinRepository {
public:
    explicit JyugyoinRepository(AppContext& ctx);

    // read_data: false on a fault; *found tells whether the employee exists.
    bool read(const QString& code, Employee* out, bool* found);
    // Replaces the employee's row (delete + insert in one transaction); `alsoInside`,
    // when given, writes what belongs with the row inside the same transaction.
    bool save(const Employee& e, const std::function<bool()>& alsoInside = {});
    // Removes the employee, his other allowances and deductions and the side rows of
    // his master (bank account, standard remuneration, resident-tax notices) in one
    // transaction; his statements and year-end rows stay.
    bool remove(const QString& code);
    // get_sonota_teate: the other allowances flagged for the hourly rate.
    bool countedAllowances(const QString& code, double* sum);
    // get_month_time: the company's standard monthly hours (Null = 0).
    bool monthTime(double* hours);

    // Whole years between the birthday and today.
    static int age(int year, int month, int day, const QDate& today);
    // (base + food + additional pay + counted allowances) / hours; none when hours is 0.
    static std::optional<double> hourlyRate(double base, double food, double additional, double allowances,
                                            double hours);

private:
    AppContext& m_ctx;
};

} // namespace minasel::masters
