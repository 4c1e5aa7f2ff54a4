#pragma once
#include <QString>

namespace minasel {

class AppContext;

// Sets ctx.automaticBackup: the backup of the current company written at the
// end of every normal run into the data folder's Data/<company name>/, without
// a message when it succeeds.
void installAutomaticBackup(AppContext& ctx);

namespace backup {

// A company name as a folder name on every platform: path separators, the
// characters Windows refuses and control characters become "_", a reserved
// device name gets a "_" in front, trailing dots and blanks go, and the name
// is kept short enough for any file system.
QString safeFolderName(const QString& companyName);

// Data/<safe company name>/ in the data folder. When that folder already holds
// the set of another company (two names that become the same folder name),
// the company code is added so that neither overwrites the other.
QString defaultBackupFolder(AppContext& ctx);

// The automatic backup itself (what the hook runs); true when it succeeded.
// Skipped, with a line in the log, when nothing of the company changed since
// its last automatic backup (db::ChangeCounter) and that set is still there.
bool runAutomaticBackup(AppContext& ctx);

} // namespace backup
} // namespace minasel
