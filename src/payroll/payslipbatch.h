#pragma once
#include "reports/pickerlists.h"

#include <QString>
#include <functional>

namespace minasel {
class AppContext;
}

namespace minasel::reports {
class PrintCanvas;
}

namespace minasel::payroll {

// Prints the stored statements of the month, one slip per page, for the given
// employees in their order, as one document: the page set-up first (nothing is
// printed when the printer refuses it), then each slip; the document is ended
// at the end, or abandoned on a failure (logged under `procedure`).
class PayslipBatch {
public:
    enum class Outcome { Printed, Refused, Failed, NothingToPrint };
    using Progress = std::function<void(int done, int total)>;

    PayslipBatch(AppContext& ctx, QString procedure);

    Outcome print(reports::PrintCanvas& canvas, const QString& payMonth, int kind,
                  const QList<reports::PickerEntry>& employees, const Progress& progress = {});

    int printedCount() const { return m_printed; }
    // Employees chosen whose statement was no longer there (skipped).
    const QStringList& missing() const { return m_missing; }

private:
    AppContext& m_ctx;
    QString m_procedure;
    int m_printed = 0;
    QStringList m_missing;
};

} // namespace minasel::payroll
