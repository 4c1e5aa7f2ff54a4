#include "backup/filesafety.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace minasel::backup {

namespace {
const QString kJournal = QStringLiteral("moved.txt");

QString in(const QString& folder, const QString& name)
{
    return folder + QLatin1Char('/') + name;
}

bool removeFolder(const QString& path)
{
    return !QFileInfo::exists(path) || QDir(path).removeRecursively();
}
} // namespace

QFileDevice::Permissions FileSafety::ownerFolder()
{
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
}

QFileDevice::Permissions FileSafety::ownerFile()
{
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner;
}

bool FileSafety::makeOwnerFolder(const QString& path)
{
    const QString clean = QDir::cleanPath(path);
    if (QFileInfo(clean).isDir())
        return true;
    // Create one level at a time so that every folder we make is ours alone.
    QStringList missing;
    QString p = clean;
    while (!p.isEmpty() && !QFileInfo::exists(p)) {
        missing.prepend(p);
        const QString parent = QFileInfo(p).path();
        if (parent == p)
            break;
        p = parent;
    }
    for (const QString& m : missing) {
        if (!QDir().mkdir(m))
            return false;
        QFile::setPermissions(m, ownerFolder());
    }
    return QFileInfo(clean).isDir();
}

bool FileSafety::renameOver(const QString& from, const QString& to, QString* error)
{
#ifdef Q_OS_WIN
    if (MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(from).utf16()),
                    reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(to).utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (error)
        *error = QStringLiteral("MoveFileEx error %1").arg(GetLastError());
    return false;
#else
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    if (error)
        *error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
#endif
}

bool FileSafety::syncToDisk(const QString& path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
#else
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return QFileInfo(path).isDir();
    return f.flush();
#endif
}

bool FileSafety::recoverInterruptedSwap(const QString& folder, const QStringList& names, const QString& commitName,
                                        QString* error)
{
    const QString previous = in(folder, previousFolder());
    if (!QFileInfo(previous).isDir())
        return true;
    QFile journal(in(previous, kJournal));
    // No list: nothing had been moved yet, or the swap had finished and was clearing up.
    // The folder's manifest is moved in last: with it there, the new set is whole.
    if (!journal.open(QIODevice::ReadOnly) || QFileInfo::exists(in(folder, commitName))) {
        if (removeFolder(previous))
            return true;
        if (error)
            *error = QStringLiteral("%1 を削除できません。").arg(previous);
        return false;
    }
    const QStringList moved = QString::fromUtf8(journal.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    journal.close();
    QString why;
    // Files of the unfinished new set that the previous set did not have go first.
    for (const QString& n : names)
        if (!moved.contains(n) && QFileInfo::exists(in(folder, n)) && !QFile::remove(in(folder, n))) {
            if (error)
                *error = QStringLiteral("%1 を削除できません。").arg(in(folder, n));
            return false;
        }
    // Then the previous set comes back, its manifest last.
    QStringList order = moved;
    if (order.removeAll(commitName) > 0)
        order << commitName;
    for (const QString& n : order) {
        if (!names.contains(n))
            continue;   // a journal that names something else is not ours to follow
        if (QFileInfo::exists(in(previous, n)) && !renameOver(in(previous, n), in(folder, n), &why)) {
            if (error)
                *error = QStringLiteral("以前のバックアップ %1 を戻せません。(%2)").arg(n, why);
            return false;
        }
    }
    syncToDisk(folder);
    return removeFolder(previous);
}

bool FileSafety::replaceSet(const QString& staging, const QString& folder, const QStringList& names,
                            const QString& commitName, QString* error, int stopAfterMoves)
{
    QStringList all = names;
    if (!all.contains(commitName))
        all << commitName;
    if (!recoverInterruptedSwap(folder, all, commitName, error))
        return false;
    const QString previous = in(folder, previousFolder());
    if (!QDir().mkdir(previous)) {
        *error = QStringLiteral("%1 に書き込めません。").arg(folder);
        return false;
    }
    QFile::setPermissions(previous, ownerFolder());

    // The previous set's manifest leaves first, so that a folder with a manifest
    // always holds the whole set that manifest describes.
    QStringList present;
    if (QFileInfo::exists(in(folder, commitName)))
        present << commitName;
    for (const QString& n : names)
        if (n != commitName && (QFileInfo::exists(in(folder, n)) || QFileInfo(in(folder, n)).isSymLink()))
            present << n;
    {
        QSaveFile journal(in(previous, kJournal));
        if (!journal.open(QIODevice::WriteOnly) || journal.write(present.join(QLatin1Char('\n')).toUtf8() + '\n') < 0
            || !journal.commit()) {
            removeFolder(previous);
            *error = QStringLiteral("%1 に書き込めません。(%2)").arg(folder, journal.errorString());
            return false;
        }
    }
    syncToDisk(previous);

    int moves = 0;
    QString why;
    auto move = [&](const QString& from, const QString& to) {
        if (stopAfterMoves >= 0 && moves >= stopAfterMoves)
            return false;
        ++moves;
        return renameOver(from, to, &why);
    };
    auto undo = [&](const QString& text) {
        if (stopAfterMoves < 0 || moves < stopAfterMoves) {
            QString ignored;
            recoverInterruptedSwap(folder, all, commitName, &ignored);
        }
        *error = text;
        return false;
    };
    for (const QString& n : present)
        if (!move(in(folder, n), in(previous, n)))
            return undo(QStringLiteral("以前のバックアップ %1 を置き換えられません。(%2)").arg(n, why));
    syncToDisk(previous);
    QStringList incoming;
    for (const QString& n : names)
        if (n != commitName)
            incoming << n;
    incoming << commitName;
    for (const QString& n : incoming)
        if (!move(in(staging, n), in(folder, n)))
            return undo(QStringLiteral("%1 をバックアップ先に置けません。(%2)").arg(n, why));
    syncToDisk(folder);
    removeFolder(previous);
    return true;
}

} // namespace minasel::backup
