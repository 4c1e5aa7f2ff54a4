#pragma once
#include <QList>
#include <QPageSize>
#include <QString>

namespace minasel {
class AppContext;
}

namespace minasel::reports {

// Paper codes as the forms name them (the printer-driver numbering).
enum PaperCode { PaperA4 = 9, PaperB4 = 12, PaperB5 = 13, PaperUser = 256 };
enum Orientation { Portrait = 1, Landscape = 2 };

// Page size for a paper code; an invalid size for a code we do not know.
// `heightTwips`/`widthTwips` are used only for PaperUser.
QPageSize pageSizeForCode(int paperCode, int heightTwips = 0, int widthTwips = 0);
// The paper codes we can name, for devices that take any paper.
QList<int> knownPaperCodes();

// Everything a form is drawn with: coordinates in twips from the top-left corner
// of the paper, text placed by its top-left corner, the font in force until the
// next setFont (a new page keeps it).
class PrintCanvas {
public:
    virtual ~PrintCanvas() = default;

    // Each returns false when the device refuses the setting.
    virtual bool setPaperSize(int paperCode) = 0;
    virtual bool setOrientation(int orientation) = 0;
    virtual bool setCustomSize(int heightTwips, int widthTwips) = 0;

    virtual void setFont(const QString& family, int points) = 0;
    virtual void printAt(int x, int y, const QString& text) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
    virtual void newPage() = 0;
    // Completes the document; false when it could not be completed (the output is then abandoned).
    virtual bool endDocument() = 0;
    // Abandons the document: nothing of it reaches the output.
    virtual void abortDocument() = 0;

    virtual QString deviceName() const = 0;
    // The paper codes the device offers (empty when it cannot say).
    virtual QList<int> paperCodes() const = 0;
    // PDF outputs take any paper, so a refusal of theirs is not a reason to stop.
    virtual bool acceptsAnyPaper() const { return false; }
};

// Ends the document; when the device refuses, logs its reason (or "印刷を完了できません
// でした。" when it gives none) as printer error 482 under `procedure`, and says false.
bool finishDocument(AppContext& ctx, PrintCanvas& canvas, const QString& procedure);

// The two primitives every form is written with.
inline void SetPrintFont(PrintCanvas& canvas, const QString& fontName, int fontSize)
{
    canvas.setFont(fontName, fontSize);
}

inline void PrintAt(PrintCanvas& canvas, int x, int y, const QString& text)
{
    canvas.printAt(x, y, text);
}

} // namespace minasel::reports
