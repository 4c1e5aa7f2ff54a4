#include "floor/formbench.h"

#include "reports/fonts.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace minasel::bench {

void preferOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int runFormBenchmarks(int argc, char** argv, const std::function<bool(const QString& folder, QString* error)>& makeData,
                      const std::function<bool()>& setUp)
{
    installFontSubstitutions();
    if (argc == 3 && QByteArray(argv[1]) == "--make-data") {
        QString error;
        if (!makeData(QString::fromLocal8Bit(argv[2]), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        return 0;
    }
    if (!setUp()) {
        std::fprintf(stderr, "set-up failed\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace minasel::bench
