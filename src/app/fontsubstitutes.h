#pragma once
#include <QString>

namespace minasel {

// The forms and screens name the fonts "ＭＳ 明朝" and "ＭＳ ゴシック"; map them to
// an installed Japanese Mincho and Gothic. Returns the families chosen ("" when
// none of the candidates is installed, which leaves Qt's own fallback).
struct FontSubstitutes {
    QString mincho;
    QString gothic;
};

FontSubstitutes installFontSubstitutes();

} // namespace minasel
