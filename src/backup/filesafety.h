#pragma once
#include <QFileDevice>
#include <QString>
#include <QStringList>

namespace minasel::backup {

// File-system steps that must not lose data: owner-only folders and files,
// replacing a file in one step, swapping a whole set of files.
class FileSafety {
public:
    static QFileDevice::Permissions ownerFolder();
    static QFileDevice::Permissions ownerFile();

    // Creates the folder and missing parents (owner only); an existing folder is left as it is.
    static bool makeOwnerFolder(const QString& path);

    // Puts `from` in place of `to` in one step (the old `to`, if any, is replaced).
    static bool renameOver(const QString& from, const QString& to, QString* error);

    // Forces a file's contents (or a folder's entries) to the disk.
    static bool syncToDisk(const QString& path);

    // Moves the files `names` from `staging` into `folder`. The files of a
    // previous set are first moved aside and put back if anything fails, so the
    // folder never holds a mixture of the two sets.
    static bool replaceSet(const QString& staging, const QString& folder, const QStringList& names, QString* error);
};

} // namespace minasel::backup
