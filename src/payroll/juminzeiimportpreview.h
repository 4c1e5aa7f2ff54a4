#pragma once
#include "app/screen.h"
#include "payroll/juminzeiimport.h"

namespace minasel::payroll {

// What a CSV file of notices would change, before anything is stored: the faults of a
// file that cannot be taken, or every line with what it changes. Registering stores
// all lines in one transaction.
class JuminzeiImportPreview : public Screen {
    Q_OBJECT
public:
    JuminzeiImportPreview(AppContext& ctx, const QString& fileName, int year, JuminzeiImport import);

    bool stored() const { return m_stored; }

private:
    bool write();

    JuminzeiImport m_import;
    int m_year;
    bool m_stored = false;
};

} // namespace minasel::payroll
