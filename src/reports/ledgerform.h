#pragma once
#include <QString>
#include <QStringList>

namespace minasel {
class AppContext;
}

namespace minasel::reports {

class FormPen;
class PrintCanvas;
struct LedgerLine;

enum class LedgerOutcome { Printed, Refused, Failed, NothingToPrint };

// What the two printed ledgers share: the 25 columns from basic pay to net pay
// (pairs of items one over the other in a box), their headings under the three
// group headings, the figures of a line, and the rules printed under the table.
// Coordinates are A4 twips; the pen enlarges them for B4.
class LedgerForm {
public:
    static constexpr int kColumns = 25;
    static constexpr int kPageFontPoints = 9;   // the font the page set-up leaves in force
    static constexpr int kOrientation = 2;      // both ledgers print landscape
    static constexpr int kValuePoints = 6;
    static constexpr int kHeadingPoints = 5;
    static constexpr int kGroupPoints = 6;
    static constexpr int kPad = 40;   // between a figure and the rules of its box

    // Columns from `left`, each `width` wide.
    LedgerForm(FormPen& pen, int left, int width) : m_pen(pen), m_left(left), m_width(width) {}

    int right() const { return m_left + kColumns * m_width; }
    int edge(int column) const { return m_left + column * m_width; }

    // The headings between `top` and `bottom`, the group headings above `groupBottom`;
    // the vertical rules run down to `tableBottom`.
    void drawHeadings(int top, int groupBottom, int bottom, int tableBottom) const;
    // The figures of one line (or totals line) in a band of `height` from `top`.
    void drawLine(const LedgerLine& line, int top, int height) const;

    // 1 for A4, 5/4 for B4, 0 for paper the ledgers do not print on.
    static double scaleFor(int paperCode);
    // Sets the page up for ledger paper (9 A4, 12 B4) and the pen's scale for it;
    // false, the document abandoned, for other paper or when the printer refuses.
    static bool setUpPage(AppContext& ctx, PrintCanvas& canvas, int paperCode, FormPen& pen);
    // Leaves the page set-up's font and ends the document; a failure is logged under `procedure`.
    static LedgerOutcome endDocument(AppContext& ctx, PrintCanvas& canvas, FormPen& pen, const QString& procedure);

    // The three rules under the table.
    static void drawFooter(FormPen& pen, int x, int y);
    static QStringList footerRules();

    // Text positions of the upper, lower and single items of a band.
    static int upperY(int top, int height) { return top + (height / 2 - kValuePoints * 20) / 2; }
    static int lowerY(int top, int height) { return top + height / 2 + (height / 2 - kValuePoints * 20) / 2; }
    static int singleY(int top, int height) { return top + (height - kValuePoints * 20) / 2; }

    // Overtime hours ("#,###.0#") and attendance hours ("##.0#"); no hours print as blanks.
    static QString hoursFormat() { return QStringLiteral("##.0#"); }
    static QString overtimeHoursFormat() { return QStringLiteral("#,###.0#"); }

private:
    void money(int column, int y, double value) const;

    FormPen& m_pen;
    int m_left;
    int m_width;
};

} // namespace minasel::reports
