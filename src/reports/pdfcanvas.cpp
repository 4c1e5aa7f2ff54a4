#include "reports/pdfcanvas.h"

#include "app/appcontext.h"

#include <QFileInfo>

namespace minasel::reports {

QString pdfDeviceName()
{
    return AppContext::pdfPrinterName();
}

PdfCanvas::PdfCanvas(const QString& filePath, const QString& title)
    : PainterCanvas(nullptr, pdfDeviceName()), m_path(filePath), m_title(title)
{
}

PdfCanvas::~PdfCanvas()
{
    // An unfinished document is abandoned, never committed.
    if (m_file && m_file->isOpen())
        abortDocument();
}

bool PdfCanvas::open()
{
    m_file = std::make_unique<QSaveFile>(m_path);
    if (!m_file->open(QIODevice::WriteOnly)) {
        setErrorString(QStringLiteral("%1: %2").arg(QFileInfo(m_path).fileName(), m_file->errorString()));
        m_file.reset();
        return false;
    }
    // Forms carry personal data: readable by their owner only.
    m_file->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    m_writer = std::make_unique<QPdfWriter>(m_file.get());
    m_writer->setResolution(1200);
    m_writer->setCreator(QStringLiteral("ミナセル"));
    if (!m_title.isEmpty())
        m_writer->setTitle(m_title);
    setDevice(m_writer.get());
    // The writer starts with its own default page; give it ours.
    setPaperSize(PaperA4);
    return true;
}

bool PdfCanvas::endDocument()
{
    if (!m_file)
        return false;
    bool ok = PainterCanvas::endDocument();
    if (ok && !m_file->commit()) {
        setErrorString(QStringLiteral("%1: %2").arg(QFileInfo(m_path).fileName(), m_file->errorString()));
        ok = false;
    }
    if (!ok && m_file->isOpen())
        m_file->cancelWriting();
    m_writer.reset();
    m_file.reset();
    setDevice(nullptr);
    return ok;
}

void PdfCanvas::abortDocument()
{
    PainterCanvas::abortDocument();
    if (m_file && m_file->isOpen()) {
        m_file->cancelWriting();
        m_file->commit();   // with writing cancelled this only discards the temporary file
    }
    m_writer.reset();
    m_file.reset();
    setDevice(nullptr);
}

} // namespace minasel::reports
