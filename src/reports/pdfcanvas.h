#pragma once
#include "reports/paintercanvas.h"

#include <QPdfWriter>
#include <QSaveFile>
#include <memory>

namespace minasel::reports {

// A canvas writing a PDF file. The file appears under its name only when the
// document ends well: until then it is written beside it and renamed at the end,
// so a failure never leaves a broken PDF under the chosen name.
class PdfCanvas : public PainterCanvas {
public:
    explicit PdfCanvas(const QString& filePath, const QString& title = QString());
    ~PdfCanvas() override;

    // Opens the output; false (see errorString()) when the file cannot be written.
    bool open();
    bool endDocument() override;
    void abortDocument() override;
    bool acceptsAnyPaper() const override { return true; }

    QString filePath() const { return m_path; }

private:
    QString m_path;
    QString m_title;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QPdfWriter> m_writer;
};

// The name the PDF output goes by in the printer list.
QString pdfDeviceName();

} // namespace minasel::reports
