#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;
class QWidget;

namespace minasel {
class AppContext;
}

namespace minasel::reports {

class PrintCanvas;

// One print from a screen: checks that the chosen printer takes the form's
// paper, shows the preview, and on the user's word prints to the printer or
// writes the PDF file the user names (then offers to open it).
class PrintJob {
public:
    enum class Result { Printed, Cancelled, Refused, Failed };

    struct Paper {
        QString font;
        int fontSize = 10;
        int paperCode = 9;
        int orientation = 1;
        int heightTwips = 0;
        int widthTwips = 0;
    };

    // Draws the whole document on the canvas, its page set-up included, and ends
    // it (or abandons it and returns false, the failure already reported).
    using DrawFn = std::function<bool(PrintCanvas&)>;

    // Replaceable steps (tests, other front ends). Empty members use the dialogs.
    struct Hooks {
        // Shows the preview painted by `paint`; true when the user chose to print.
        std::function<bool(QPrinter& printer, const std::function<void(QPrinter*)>& paint)> preview;
        // The PDF file to write, "" when the user cancelled.
        std::function<QString(const QString& suggested)> choosePdfFile;
        std::function<void(const QString& path)> openFile;
        std::function<QStringList()> installedPrinters;
    };

    PrintJob(AppContext& ctx, QWidget* parent, QString procedure, Hooks hooks = {});
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    Result run(const QString& title, const QString& fileBase, const Paper& paper, const DrawFn& draw);

    // Where the output went: the PDF path or the printer name.
    const QString& output() const { return m_output; }
    bool toPdf() const { return m_pdf; }

    // The printer this run prints on: the chosen one (installed or not), with
    // none chosen the system default, else PDF output.
    static QString targetPrinter(const QString& chosen, const QStringList& installed);
    // A dated file name in the documents folder.
    static QString suggestedPdfPath(const QString& fileBase, const QDate& date);

private:
    AppContext& m_ctx;
    QWidget* m_parent;
    QString m_procedure;
    Hooks m_hooks;
    QString m_title;
    QString m_output;
    bool m_pdf = false;
};

} // namespace minasel::reports
