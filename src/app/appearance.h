#pragma once

class QApplication;
class QCoreApplication;

namespace minasel {

// Qt's own dialogs and buttons (はい / いいえ, the file dialog) in Japanese. False
// when the translation files are not installed: the program still runs, in English.
bool installJapaneseTranslations(QCoreApplication& app);

// The look every screen shares: the control holding the focus is always marked,
// whether it was reached by mouse, Tab or Enter.
void installFocusStyle(QApplication& app);

} // namespace minasel
