#include "nentyo/nentyobatch.h"

namespace minasel::nentyo {

NentyoBatch::NentyoBatch(AppContext& ctx) : m_repo(ctx) {}

bool NentyoBatch::compute(const QString& year, const QString& code, QList<Employee>* out, bool* unknown)
{
    out->clear();
    if (unknown)
        *unknown = false;
    QList<payroll::EmployeeEntry> list;
    if (!m_repo.employees(year, &list))
        return false;
    if (!code.isEmpty()) {
        list.removeIf([&](const payroll::EmployeeEntry& e) { return e.code != code; });
        if (list.isEmpty()) {
            if (unknown)
                *unknown = true;
            return false;
        }
    }
    for (const payroll::EmployeeEntry& e : list) {
        Employee one{NentyoRecord(QString(), year, e.code), {}, false};
        if (!m_repo.load(year, e.code, &one.record, &one.stored))
            return false;
        one.result = one.record.recompute();
        out->append(std::move(one));
    }
    return true;
}

bool NentyoBatch::registerAll(const QList<Employee>& employees)
{
    QList<NentyoRecord> records;
    for (const Employee& e : employees)
        records.append(e.record);
    return m_repo.saveAll(records);
}

} // namespace minasel::nentyo
