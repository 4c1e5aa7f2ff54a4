// A stand-in for a second copy of the program in the lock tests: takes the
// one-copy lock of a data folder, says so, holds it for a while and exits with 0,
// or exits with 3 when another copy holds it.
#include "app/appcontext.h"
#include "app/clock.h"
#include "app/fakemessages.h"
#include "app/startup.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("minasel"));
    if (argc < 3)
        return 2;
    minasel::FakeMessages messages;
    minasel::SystemClock clock;
    minasel::AppContext ctx(messages, clock);
    ctx.setDataFolder(QString::fromLocal8Bit(argv[1]));
    minasel::Startup startup(ctx);
    if (!startup.lockInstance()) {
        std::puts("refused");
        return 3;
    }
    std::puts("locked");
    std::fflush(stdout);
    QThread::msleep(std::strtoul(argv[2], nullptr, 10));
    return 0;
}
