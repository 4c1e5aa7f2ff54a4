#pragma once
#include <QString>

namespace minasel::reports {
class PrintCanvas;
}

namespace minasel::payroll {

struct PayslipData;

// The printed salary and bonus slip: the ruling, the captions (with the names of
// the other allowances and deductions) and the values, on B5 landscape, in twips
// from the slip origin (kX0, kY0).
class PayslipLayout {
public:
    static constexpr int kX0 = 100;
    static constexpr int kY0 = 2000;
    static constexpr int kWidth = 13500;   // right edge of the frame, from the origin

    // The page set-up of every payslip.
    static constexpr int kFontSize = 10;
    static constexpr int kPaper = 13;         // JIS B5
    static constexpr int kOrientation = 2;    // landscape
    static constexpr int kCustomSize = 25000; // used only for user paper

    static QString title(int kind);

    static void draw(reports::PrintCanvas& canvas, const PayslipData& data);
    static void drawRuling(reports::PrintCanvas& canvas);
    static void drawCaptions(reports::PrintCanvas& canvas, const PayslipData& data);
    static void drawValues(reports::PrintCanvas& canvas, const PayslipData& data);

    // Width in twips of a text at a size: full-width characters one em, the rest half.
    static int textWidth(const QString& text, int points);
};

} // namespace minasel::payroll
