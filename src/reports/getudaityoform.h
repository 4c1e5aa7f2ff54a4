#pragma once
#include "reports/ledgerform.h"
#include "reports/ledgerline.h"

#include <QList>
#include <functional>

namespace minasel {
class AppContext;
}

namespace minasel::reports {

class FormPen;
class PrintCanvas;

// The printed monthly payroll ledger: one line per statement, salary before
// bonus, by pay month. A page holds 15 lines; a new page starts after 15 lines
// and with every new pay month (or kind), the month's totals closing the month.
// A4 and B4 landscape have the same form, B4 enlarged by 5/4.
class GetuDaityoForm {
public:
    using Outcome = LedgerOutcome;
    using Progress = std::function<void(int done, int total)>;

    static constexpr int kLinesPerPage = 15;

    // Geometry in A4 twips.
    static constexpr int kLeft = 300;
    static constexpr int kNameRight = 1500;
    static constexpr int kDaysRight = 1800;
    static constexpr int kHoursRight = 2290;
    static constexpr int kAmountWidth = 555;
    static constexpr int kTop = 1050;
    static constexpr int kGroupBottom = 1300;
    static constexpr int kHeadBottom = 1750;
    static constexpr int kLineHeight = 560;
    static constexpr int kTotalTop = kHeadBottom + kLinesPerPage * kLineHeight;

    // `procedure` names the failures in the log.
    GetuDaityoForm(AppContext& ctx, QString procedure);

    // Sets the page up for the paper (9 A4 or 12 B4; other paper prints nothing),
    // prints every line and ends the document; abandons it on any failure.
    Outcome print(PrintCanvas& canvas, int paperCode, const QList<LedgerLine>& lines, const Progress& progress = {});
    int pageCount() const { return m_pages; }

    static QString title(const QString& payMonth);   // "2026年11月 分 給 料 台 帳"
    static int lineTop(int index) { return kHeadBottom + index * kLineHeight; }

private:
    void print_frame(FormPen& pen) const;
    void print_title(FormPen& pen, const QString& payMonth, int page) const;
    void print_line(FormPen& pen, const LedgerLine& line, int top, int height) const;
    void print_total(FormPen& pen, const LedgerLine& total) const;

    AppContext& m_ctx;
    QString m_procedure;
    int m_pages = 0;
};

} // namespace minasel::reports
