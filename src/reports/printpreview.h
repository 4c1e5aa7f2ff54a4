#pragma once
#include <QDialog>
#include <functional>

class QPrinter;
class QPrintPreviewWidget;
class QLabel;

namespace minasel::reports {

// The preview shown before paper is used: the pages as they will print, page
// by page, with zoom, and the choice to print them or to close. The page setup
// is the form's own, so the dialog offers no page settings.
class PrintPreview : public QDialog {
    Q_OBJECT
public:
    using PaintFn = std::function<void(QPrinter*)>;
    PrintPreview(QPrinter* printer, PaintFn paint, const QString& title, QWidget* parent = nullptr);

    QPrintPreviewWidget* view() const { return m_view; }

private:
    void updatePageLabel();

    QPrintPreviewWidget* m_view;
    QLabel* m_pageLabel;
    PaintFn m_paint;
};

} // namespace minasel::reports
