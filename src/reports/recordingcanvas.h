#pragma once
#include "reports/printcanvas.h"

#include <QSet>
#include <QStringList>

namespace minasel::reports {

// A canvas that only remembers what was asked of it, one line per call, for tests
// and for checking a layout without a printer:
//   "paper 13", "orientation 2", "custom 25000x25000" (" refused" appended when refused),
//   "font ＭＳ 明朝 10", "text 6100,2000 [給 与 明 細 書]", "line 100,3230 13600,3230",
//   "page", "end", "abort".
class RecordingCanvas : public PrintCanvas {
public:
    struct Text {
        int x = 0;
        int y = 0;
        QString text;
        QString font;
        int size = 0;
        int page = 1;
    };

    bool setPaperSize(int paperCode) override;
    bool setOrientation(int orientation) override;
    bool setCustomSize(int heightTwips, int widthTwips) override;
    void setFont(const QString& family, int points) override;
    void printAt(int x, int y, const QString& text) override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void newPage() override;
    bool endDocument() override;
    void abortDocument() override;
    QString deviceName() const override { return m_deviceName; }
    QList<int> paperCodes() const override { return m_paperCodes; }
    bool acceptsAnyPaper() const override { return m_anyPaper; }

    // Behaviour of the pretended device.
    void setDeviceName(const QString& name) { m_deviceName = name; }
    void setPaperCodes(const QList<int>& codes) { m_paperCodes = codes; }
    void refusePaper(int paperCode) { m_refused.insert(paperCode); }
    void refuseOrientation(bool refuse) { m_refuseOrientation = refuse; }
    void setAcceptsAnyPaper(bool any) { m_anyPaper = any; }
    void failEnd(bool fail) { m_failEnd = fail; }

    const QStringList& calls() const { return m_calls; }
    const QList<Text>& texts() const { return m_texts; }
    // The texts printed at exactly (x, y), in order.
    QStringList textsAt(int x, int y) const;
    // The first text equal to `text`, or nullptr.
    const Text* find(const QString& text) const;
    int pageCount() const { return m_page; }
    int lineCount() const { return m_lines; }
    bool ended() const { return m_ended; }
    bool aborted() const { return m_aborted; }

private:
    QStringList m_calls;
    QList<Text> m_texts;
    QString m_deviceName = QStringLiteral("Recorder");
    QList<int> m_paperCodes{9, 12, 13};
    QSet<int> m_refused;
    bool m_refuseOrientation = false;
    bool m_anyPaper = false;
    bool m_failEnd = false;
    QString m_font;
    int m_size = 0;
    int m_page = 1;
    int m_lines = 0;
    bool m_ended = false;
    bool m_aborted = false;
};

} // namespace minasel::reports
