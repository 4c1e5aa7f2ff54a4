#pragma once
#include "nentyo/nentyorepository.h"

namespace minasel::nentyo {

// The year-end adjustment of many employees of the current company at once, each
// computed as the year-end screen computes it on choosing him: from his stored row
// and declarations when there are some, otherwise from the year's pay rows.
class NentyoBatch {
public:
    struct Employee {
        NentyoRecord record;
        NentyoResult result;
        bool stored = false;   // computed from a registered row
    };

    explicit NentyoBatch(AppContext& ctx);

    // Every employee with pay rows in the year, or only `code`; false on a database
    // failure (reported) or, with *unknown set, when `code` has no pay rows that year.
    bool compute(const QString& year, const QString& code, QList<Employee>* out, bool* unknown = nullptr);
    // Registers every result with its December balance in one transaction.
    bool registerAll(const QList<Employee>& employees);

private:
    NentyoRepository m_repo;
};

} // namespace minasel::nentyo
