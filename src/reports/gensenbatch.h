#pragma once
#include "db/rowwriter.h"
#include "reports/gensendata.h"

#include <QString>
#include <functional>

namespace minasel {
class AppContext;
}

namespace minasel::reports {

class PrintCanvas;

// Withholding slips as one document. The slips are made first (prepare: each
// employee's rows, the recipient and the payer; nothing is printed when one
// cannot be made), then printed: the page set-up (nothing is printed when the
// printer refuses it), four copies a slip on plain paper or the values alone
// on the preprinted form. The document is ended, or abandoned on a failure,
// which is logged under `procedure`.
class GensenBatch {
public:
    enum class Outcome { Printed, Refused, Failed, NothingToPrint };
    enum class Paper { Plain, Form };
    using Progress = std::function<void(int done, int total)>;

    GensenBatch(AppContext& ctx, QString procedure);

    // The stored slips of the year for the employees, in their order. False
    // (the user told, or the error logged) when a slip cannot be made.
    bool prepare(int year, const QList<PickerEntry>& employees);
    // One slip from rows in hand (the year-end screen's boxes).
    bool prepareRows(int year, const QString& code, const db::RowValues& nentyo, const db::RowValues& sinkoku);
    const QList<GensenData>& slips() const { return m_slips; }

    // Where the preprinted form's values go, off their places (twips).
    void setOffset(int dx, int dy) { m_dx = dx; m_dy = dy; }

    Outcome print(PrintCanvas& canvas, Paper paper, const Progress& progress = {});
    // The calibration sheet of the preprinted form.
    Outcome printCalibration(PrintCanvas& canvas, const QString& printer, double mmX, double mmY);

    int printedCount() const { return m_printed; }

    static QString noRowMessage(const QStringList& codes);
    static QString noPayerMessage();

private:
    // Recipient and payer of each slip, its rows already in m_slips.
    bool complete(const QStringList& codes);
    bool setUp(PrintCanvas& canvas);
    bool end(PrintCanvas& canvas);

    AppContext& m_ctx;
    QString m_procedure;
    QList<GensenData> m_slips;
    int m_dx = 0;
    int m_dy = 0;
    int m_printed = 0;
};

} // namespace minasel::reports
