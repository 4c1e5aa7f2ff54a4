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
    // Any file name the platform takes works: no conversion that can fail on
    // unusual characters.
    static bool renameOver(const QString& from, const QString& to, QString* error);

    // Forces a file's contents (or a folder's entries) to the disk.
    static bool syncToDisk(const QString& path);

    // Moves the files `names` from `staging` into `folder`, the file `commitName`
    // (the set's manifest) last. The previous set is first moved into the hidden
    // folder previousFolder() together with a list of what was moved, and only
    // removed once the new set is complete. A swap cut short at any point (power
    // loss, kill) is undone by recoverInterruptedSwap(), so the folder always ends
    // up holding one whole set. `stopAfterMoves` >= 0 stops (without any undo)
    // after that many moves, as a kill would: for tests.
    static bool replaceSet(const QString& staging, const QString& folder, const QStringList& names,
                           const QString& commitName, QString* error, int stopAfterMoves = -1);

    // Puts back the previous set of `folder` when a swap of replaceSet() did not
    // reach its end, or clears the previous set when it did. `names` are all the
    // file names a set may have (manifest included). True when nothing was
    // left to do or the folder was put right.
    static bool recoverInterruptedSwap(const QString& folder, const QStringList& names, const QString& commitName,
                                       QString* error);

    static QString previousFolder() { return QStringLiteral(".minasel-previous"); }
};

} // namespace minasel::backup
