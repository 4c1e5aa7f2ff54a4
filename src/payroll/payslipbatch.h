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

struct PayslipData;

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
    // One slip of values already at hand (a statement as a screen shows it).
    Outcome printSlip(reports::PrintCanvas& canvas, const PayslipData& slip);

    int printedCount() const { return m_printed; }
    // Employees chosen whose statement was no longer there (skipped).
    const QStringList& missing() const { return m_missing; }

private:
    // Gives slip i: false on a database failure (reported), *found false when it is gone.
    using Fetch = std::function<bool(int i, PayslipData* slip, bool* found)>;
    Outcome run(reports::PrintCanvas& canvas, int total, const Fetch& fetch, const Progress& progress);
    long long shienPart(const PayslipData& slip);

    AppContext& m_ctx;
    QString m_procedure;
    int m_printed = 0;
    QStringList m_missing;
};

} // namespace minasel::payroll
