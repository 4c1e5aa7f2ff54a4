#pragma once
#include <QString>

namespace minasel::reports {

// The forms' fonts are fixed-pitch: a full-width character takes one em
// (points × 20 twips), a half-width one (ASCII, half-width kana) half of it.
int textWidth(const QString& text, int points);

// A text made to fit `room` twips: drawn smaller, down to `minPoints`, and cut
// at the end when even that is too wide.
struct FittedText {
    QString text;
    int points = 0;
};
FittedText fitText(const QString& text, int points, int room, int minPoints = 6);

} // namespace minasel::reports
