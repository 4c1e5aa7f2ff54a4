#pragma once
#include <QString>

namespace minasel {
class AppContext;
}

namespace minasel::reports {

class PrintCanvas;

// Paper, orientation (and for the user paper its size in twips), then the font.
// A device that refuses a setting stops the print with the message to change
// printers, unless it is a PDF output, which takes any paper. Returns true when
// the form may be printed.
bool setPrintPaper(AppContext& ctx, PrintCanvas& canvas, const QString& fontName, int fontSize, int paperCode,
                   int orientation, int heightTwips, int widthTwips);

// The refusal text shown by setPrintPaper.
QString paperRefusedMessage();

// The ledgers print on B4 where the printer has it, else on A4.
int chooseLedgerPaper(const PrintCanvas& canvas);

} // namespace minasel::reports
