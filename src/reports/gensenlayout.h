#pragma once
#include <QString>

namespace minasel::reports {

class PrintCanvas;
struct GensenData;

// The withholding slip (給与所得の源泉徴収票 and its municipal twin, the
// 給与支払報告書) after the official form in force since 令和7年分, on JIS B5
// portrait, in twips from the corner of the paper. Each copy is drawn at the
// origin (kX0, kY0); the preprinted form gets the values only, at the same
// places, moved by the printer's offset.
class GensenLayout {
public:
    static constexpr int kX0 = 1226;
    static constexpr int kY0 = 1000;

    // Page set-up of every slip.
    static constexpr int kFontSize = 10;
    static constexpr int kPaper = 13;          // JIS B5
    static constexpr int kOrientation = 1;     // portrait
    static constexpr int kCustomWidth = 9000;  // used only for user paper
    static constexpr int kCustomHeight = 6600;

    enum Copy { Municipal1 = 1, Municipal2 = 2, TaxOffice = 3, Recipient = 4 };

    // PrintByPlainPaper(k) and print_gensen_data(k): copy k on a page of its
    // own (a new page before copies 2, 3 and 4).
    static void PrintByPlainPaper(PrintCanvas& canvas, int copy, const GensenData& data);
    static void print_gensen_data(PrintCanvas& canvas, int copy, const GensenData& data);
    // The values on the preprinted form, moved by (dx, dy) twips.
    static void print_gensen_data_genshi(PrintCanvas& canvas, const GensenData& data, int dx, int dy);
    // A plain sheet with the preprinted form's value places outlined and filled
    // with sample values, moved by the offset, to hold against the form.
    static void printCalibration(PrintCanvas& canvas, int dx, int dy, const QString& printer, double mmX,
                                 double mmY);

    // "令和元年分", "令和8年分", "平成30年分".
    static QString yearCaption(int year);
    static int mmToTwips(double mm);
};

} // namespace minasel::reports
