#pragma once
#include <QString>
#include <memory>

class QLockFile;

namespace minasel {

// The one-copy lock of a data folder, held by every process that writes the
// database there: the program for its whole run, and each command that writes
// (restore, compaction, demo data, registrations) for as long as it writes.
// Whoever comes second is refused at once and told why, so two writers never
// meet on one file.
//
//     WriterLock lock(dataFolder);
//     if (!lock.held()) { tell(lock.refusal()); return; }
//     ... write ...                       // released when `lock` goes
class WriterLock {
public:
    enum class State {
        Held,         // ours until destroyed
        Busy,         // another process holds it
        Unwritable,   // the folder cannot take the lock file (read-only, no permission)
    };

    // Tries once, without waiting. A lock left by a process that no longer
    // runs is taken over.
    explicit WriterLock(const QString& dataFolder);
    ~WriterLock();
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;

    bool held() const { return m_state == State::Held; }
    State state() const { return m_state; }
    // Why the lock could not be had, for the user ("" when held). `asProgram`
    // words a busy lock the way the program's start-up does.
    QString refusal(bool asProgram = false) const;
    // Whether the holder of a busy lock is a command of minasel-cli (not the program).
    bool heldByCommand() const { return m_holderIsCommand; }
    void release();

    static QString fileName() { return QStringLiteral("minasel.lock"); }

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_folder;
    State m_state = State::Busy;
    bool m_holderIsCommand = false;
};

// Every file and folder this process creates from now on is its owner's alone
// (umask 077 where the platform has one). Called once at the start of the
// program and of each command line run.
void restrictNewFilesToOwner();

} // namespace minasel
