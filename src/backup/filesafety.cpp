#include "backup/filesafety.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace minasel::backup {

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
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), ec);
    if (ec) {
        if (error)
            *error = QString::fromStdString(ec.message());
        return false;
    }
    return true;
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

bool FileSafety::replaceSet(const QString& staging, const QString& folder, const QStringList& names, QString* error)
{
    QTemporaryDir aside(folder + QStringLiteral("/.minasel-previous-XXXXXX"));
    if (!aside.isValid()) {
        *error = QStringLiteral("%1 に書き込めません。(%2)").arg(folder, aside.errorString());
        return false;
    }
    QFile::setPermissions(aside.path(), ownerFolder());

    QStringList movedAside;
    QStringList placed;
    auto undo = [&]() {
        QString ignored;
        for (const QString& n : placed)
            renameOver(folder + QLatin1Char('/') + n, staging + QLatin1Char('/') + n, &ignored);
        for (const QString& n : movedAside)
            renameOver(aside.filePath(n), folder + QLatin1Char('/') + n, &ignored);
    };
    QString why;
    for (const QString& n : names) {
        const QString target = folder + QLatin1Char('/') + n;
        if (!QFileInfo::exists(target) && !QFileInfo(target).isSymLink())
            continue;
        if (!renameOver(target, aside.filePath(n), &why)) {
            undo();
            *error = QStringLiteral("以前のバックアップ %1 を置き換えられません。(%2)").arg(n, why);
            return false;
        }
        movedAside << n;
    }
    for (const QString& n : names) {
        if (!renameOver(staging + QLatin1Char('/') + n, folder + QLatin1Char('/') + n, &why)) {
            undo();
            *error = QStringLiteral("%1 をバックアップ先に置けません。(%2)").arg(n, why);
            return false;
        }
        placed << n;
    }
    syncToDisk(folder);
    return true;
}

} // namespace minasel::backup
