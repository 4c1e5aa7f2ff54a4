#include "climain.h"

#include "app/writerlock.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>
#include <QMap>
#include <cstdio>

#include "clicommands.inc"

namespace minasel::cli {

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream& err()
{
    static QTextStream s(stderr);
    return s;
}

int usageError(const char* usage, const QString& why)
{
    err() << "error: " << why << "\n" << usage;
    return kUsageError;
}

bool Options::parse(const QStringList& args, const QStringList& allowed, QString* error,
                    const QStringList& flags)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString a = args[i];
        if (!a.startsWith(QStringLiteral("--"))) {
            m_positional << a;
            continue;
        }
        const QString name = a.mid(2);
        if (flags.contains(name)) {
            m_values[name] = QString();
            continue;
        }
        if (!allowed.contains(name)) {
            *error = QStringLiteral("unknown option %1").arg(a);
            return false;
        }
        if (i + 1 >= args.size()) {
            *error = QStringLiteral("%1 needs a value").arg(a);
            return false;
        }
        m_values[name] = args[++i];
    }
    return true;
}

bool Options::integer(const QString& name, long long* v, QString* error) const
{
    bool ok = false;
    *v = value(name).toLongLong(&ok);
    if (!ok)
        *error = QStringLiteral("--%1 needs a whole number").arg(name);
    return ok;
}

bool Options::number(const QString& name, double* v, QString* error) const
{
    bool ok = false;
    *v = value(name).toDouble(&ok);
    if (!ok)
        *error = QStringLiteral("--%1 needs a number").arg(name);
    return ok;
}

} // namespace minasel::cli

int main(int argc, char** argv)
{
    // Whatever a command creates (databases, journals, locks, backups, PDFs) is the owner's alone.
    minasel::restrictNewFilesToOwner();
    // Printed forms are drawn with fonts, which need a GUI application object
    // (on the offscreen platform when there is no display); the other commands
    // need none and stay quiet without a desktop session.
    bool draws = false;
    for (const auto& c : kCommands)
        if (c.fn && argc > 1 && c.name == QString::fromLocal8Bit(argv[1]))
            draws = c.draws;
    std::unique_ptr<QCoreApplication> app;
    if (draws) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QStringList args = app->arguments().mid(1);
    using minasel::cli::err;
    auto usage = [&]() {
        err() << "usage: minasel-cli COMMAND [options]\ncommands:";
        for (const auto& c : kCommands)
            if (c.fn)
                err() << ' ' << c.name;
        err() << "\n";
        err().flush();
        return minasel::cli::kUsageError;
    };
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))
        return usage();
    const QString name = args.takeFirst();
    for (const auto& c : kCommands)
        if (c.fn && c.name == name) {
            const int rc = c.fn(args);
            minasel::cli::out().flush();
            err().flush();
            return rc;
        }
    return usage();
}
