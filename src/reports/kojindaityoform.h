#pragma once
#include "reports/ledgerdata.h"
#include "reports/ledgerform.h"

#include <functional>

namespace minasel {
class AppContext;
}

namespace minasel::reports {

class FormPen;
class PrintCanvas;

// One employee's year as the individual ledger shows it.
struct KojinDaityo {
    LedgerEmployee employee;
    QList<LedgerLine> salary;   // by month
    QList<LedgerLine> bonus;
    LedgerLine total() const;   // salary and bonus together
    LedgerLine salaryTotal() const;
};

// The printed individual ledger (withholding book and wage ledger): one employee
// per page, the employee's particulars at the head, each salary statement on
// the line of its month, the bonuses in their own section, and the totals.
// A4 and B4 landscape, B4 enlarged by 5/4 (month lines 400 and 500 twips apart).
class KojinDaityoForm {
public:
    using Outcome = LedgerOutcome;
    using Progress = std::function<void(int done, int total)>;

    static constexpr int kBonusLines = 6;    // more bonuses continue on another page

    // Geometry in A4 twips.
    static constexpr int kLeft = 300;
    static constexpr int kMonthRight = 860;
    static constexpr int kAttendanceRight = 1420;
    static constexpr int kAmountWidth = 590;
    static constexpr int kHeaderTop = 850;
    static constexpr int kHeaderRow = 470;
    static constexpr int kTop = 1950;
    static constexpr int kGroupBottom = 2200;
    static constexpr int kHeadBottom = 2650;
    static constexpr int kLineHeight = 400;
    static constexpr int kBonusTop = kHeadBottom + 12 * kLineHeight;
    static constexpr int kTotalTop = kBonusTop + kBonusLines * kLineHeight;

    KojinDaityoForm(AppContext& ctx) : m_ctx(ctx) {}

    // Reads one employee's ledger of the year; *found false when the employee is gone.
    // A failure is logged under the procedure that reads the particulars or the lines.
    static bool read(AppContext& ctx, const QString& code, const QString& year, KojinDaityo* out, bool* found,
                     const QString& titleProcedure = QStringLiteral("PrtKojinDaityo.print_title_data"),
                     const QString& dataProcedure = QStringLiteral("PrtKojinDaityo.print_data"));
    // Prints the employees in their order, one per page, as one document.
    Outcome print(PrintCanvas& canvas, int paperCode, const QString& year, const QList<PickerEntry>& employees,
                  const Progress& progress = {});
    int pageCount() const { return m_pages; }

    static int monthTop(int month) { return kHeadBottom + (month - 1) * kLineHeight; }

private:
    void print_frame(FormPen& pen) const;
    void print_title_data(FormPen& pen, const QString& year, const LedgerEmployee& e, int page) const;
    void print_line(FormPen& pen, const LedgerLine& line, int top, const QString& label) const;
    void print_page(FormPen& pen, const QString& year, const KojinDaityo& d, int part, int parts);

    AppContext& m_ctx;
    int m_pages = 0;
};

} // namespace minasel::reports
