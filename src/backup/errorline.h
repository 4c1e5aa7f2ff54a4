#pragma once
#include <QString>

namespace minasel {
class AppContext;
}

namespace minasel::backup {

// An error line in the log without the common error box, for failures the
// caller explains to the user in a message of its own.
void logErrorLine(AppContext& ctx, int code, const QString& text, const QString& procedure);

} // namespace minasel::backup
