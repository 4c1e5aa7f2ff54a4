#pragma once
#include <QString>
#include <functional>

namespace minasel::bench {

// What the benchmarks of printed forms share after the application object is
// made: the fonts, `--make-data DIR` (only writes the data folder, for trying
// the command line or looking at the form), the fixture's set-up, the run.
int runFormBenchmarks(int argc, char** argv, const std::function<bool(const QString& folder, QString* error)>& makeData,
                      const std::function<bool()>& setUp);

// Form benchmarks run on the offscreen platform unless told otherwise.
void preferOffscreen();

} // namespace minasel::bench
