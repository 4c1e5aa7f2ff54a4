#pragma once
#include <QString>

namespace minasel::reports {

// The font names the forms ask for.
inline QString minchoFont() { return QStringLiteral("ＭＳ 明朝"); }
inline QString gothicFont() { return QStringLiteral("ＭＳ ゴシック"); }

} // namespace minasel::reports

namespace minasel {

// Maps the Windows font names of the forms ("ＭＳ 明朝", "ＭＳ ゴシック" and their
// variants) onto the Japanese fonts installed here: IPA fonts first, Noto CJK as
// fallback. Safe to call more than once; needs a QGuiApplication.
void installFontSubstitutions();

} // namespace minasel
