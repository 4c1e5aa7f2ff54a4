#include "app/appearance.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace minasel {

bool installJapaneseTranslations(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

void installFocusStyle(QApplication& app)
{
    // The styles mark the focus only after keyboard navigation, and a check box's
    // mark is a faint outline: a screen driven by Enter and the mouse showed none.
    app.setStyleSheet(app.styleSheet() + QStringLiteral(R"(
QCheckBox:focus, QRadioButton:focus { background-color: #cfe2ff; }
QLineEdit:focus { background-color: #fff8d0; }
QComboBox:focus { background-color: #fff8d0; }
QPushButton:focus { background-color: #cfe2ff; }
QAbstractItemView:focus { border: 2px solid #3b78d8; }
QTabBar:focus { background-color: #cfe2ff; }
)"));
}

} // namespace minasel
