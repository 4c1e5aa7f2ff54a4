#include "app/writerlock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace minasel {

namespace {
// Whether a new file can be made in the folder at all: a lock that cannot be
// created must not be mistaken for one held by somebody else.
bool folderTakesFiles(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".minasel-probe-XXXXXX")));
    return probe.open();
}
} // namespace

WriterLock::WriterLock(const QString& dataFolder) : m_folder(QDir::cleanPath(dataFolder))
{
    const QString path = QDir(m_folder).filePath(fileName());
    auto lock = std::make_unique<QLockFile>(path);
    // Never stale by age: the program may run for days. A lock whose process is
    // gone (a crash, a kill) is recognised by QLockFile and taken over.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        m_lock = std::move(lock);
        m_state = State::Held;
        return;
    }
    if (lock->error() != QLockFile::LockFailedError || !folderTakesFiles(m_folder)) {
        m_state = State::Unwritable;
        return;
    }
    m_state = State::Busy;
    qint64 pid = 0;
    QString host, app;
    if (lock->getLockInfo(&pid, &host, &app))
        m_holderIsCommand = app == QLatin1String("minasel-cli");
}

WriterLock::~WriterLock() = default;

void WriterLock::release()
{
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
    m_state = State::Busy;
}

QString WriterLock::refusal(bool asProgram) const
{
    switch (m_state) {
    case State::Held:
        return QString();
    case State::Unwritable:
        return QStringLiteral("データフォルダ %1 に書き込むことができません。\n"
                              "フォルダが読み取り専用でないか、書き込みの権限があるかを確認して下さい。")
            .arg(QDir::toNativeSeparators(m_folder));
    case State::Busy:
        break;
    }
    if (m_holderIsCommand)
        return QStringLiteral("他の処理（minasel-cli）がデータを更新中です。\n処理が終わってから、もう一度実行して下さい。");
    if (asProgram)
        return QStringLiteral("このアプリケーションはすでに開かれています。");
    return QStringLiteral("ミナセルが起動中か、他の処理がデータを更新中のため、処理を行うことができません。\n"
                          "ミナセルを終了してから、もう一度実行して下さい。");
}

void restrictNewFilesToOwner()
{
#ifdef Q_OS_UNIX
    ::umask(077);
#endif
}

} // namespace minasel
