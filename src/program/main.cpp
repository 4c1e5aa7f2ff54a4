#include "app/appcontext.h"
#include "app/qtmessages.h"
#include "app/screenregistry.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    minasel::QtMessages messages;
    minasel::SystemClock clock;
    minasel::AppContext ctx(messages, clock);
    minasel::ScreenRegistry screens;
    minasel::registerAllScreens(screens);
    ctx.screens = &screens;
    return 0;
}
