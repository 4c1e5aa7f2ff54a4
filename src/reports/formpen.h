#pragma once
#include <QString>

namespace minasel::reports {

class PrintCanvas;

// Draws a form laid out in A4 twips: on A4 as it stands, or enlarged for a larger
// paper (B4 takes 5/4), coordinates, font sizes and the room of every box growing
// together. Text widths are those of the forms' fixed-pitch font (textWidth).
class FormPen {
public:
    static constexpr int kSmallestPoints = 4;

    explicit FormPen(PrintCanvas& canvas, double scale = 1.0) : m_canvas(canvas), m_scale(scale) {}

    void setScale(double scale) { m_scale = scale; }
    int scaled(int v) const;
    int points(int p) const;   // the size on the paper (never larger than the scale gives)

    void text(int x, int y, const QString& s, int points);
    void centred(int left, int right, int y, const QString& s, int points);
    // A text in a box of `room` twips: smaller when long, then cut.
    void fitted(int x, int y, const QString& s, int points, int room);
    // A number formatted with FormatRight, its right edge at `right`; one too wide for
    // `room` is made smaller, and when still too wide grows to the left.
    void number(int right, int y, double value, const QString& format, int points, int room);
    void line(int x1, int y1, int x2, int y2);
    // Puts the font back to the page set-up's, as the forms leave it.
    void resetFont(int points);
    // Tells the pen the size the page set-up has just put in force.
    void fontSetTo(int devicePoints) { m_size = devicePoints; }

private:
    void font(int devicePoints);
    void place(int deviceX, int y, const QString& s, int devicePoints);

    PrintCanvas& m_canvas;
    double m_scale;
    int m_size = -1;
};

} // namespace minasel::reports
