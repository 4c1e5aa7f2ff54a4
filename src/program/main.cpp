#include "app/appcontext.h"
#include "app/appearance.h"
#include "reports/fonts.h"
#include "app/mainmenu.h"
#include "app/qtmessages.h"
#include "app/screenregistry.h"
#include "backup/autobackup.h"
#include "db/database.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("minasel"));
    minasel::installFontSubstitutions();
    minasel::installJapaneseTranslations(app);
    minasel::installFocusStyle(app);

    minasel::QtMessages messages;
    minasel::SystemClock clock;
    minasel::AppContext ctx(messages, clock);
    minasel::ScreenRegistry screens;
    minasel::registerAllScreens(screens);
    ctx.screens = &screens;
    // The backup of the current company written at the end of every normal run.
    minasel::installAutomaticBackup(ctx);

    int code = 0;
    {
        // The program ends with the main menu; the screens hidden behind it do not end it.
        app.setQuitOnLastWindowClosed(false);
        minasel::MainMenu menu(ctx);
        if (menu.start()) {
            QObject::connect(&menu, &minasel::Screen::closed, &app, &QApplication::quit, Qt::QueuedConnection);
            menu.show();
            code = app.exec();
        } else {
            code = 1;
        }
        // Screens still open when the menu went (never in normal use) go before the context.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &menu)
                delete w;
    }
    minasel::db::closeConnection(ctx);
    return code;
}
