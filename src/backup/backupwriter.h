#pragma once
#include <QList>
#include <QString>

namespace minasel {
class AppContext;
}

namespace minasel::backup {

// Writes the current company's backup set (a file per table and the manifest)
// into a folder.
//
// The rows go from the database to the files and are read back a block at a
// time, so memory stays the same whatever the size of the company.
// The files are first written into a hidden staging folder beside the set and
// read back; only a set that reads back complete is moved into place, after the
// previous set has been moved aside (FileSafety::replaceSet). Whatever fails,
// even a kill, the folder holds either the previous set or the new one.
class BackupWriter {
public:
    explicit BackupWriter(AppContext& ctx);

    // Errors are logged under `procedure` (with the common error message) and
    // false is returned; the folder is created when it does not exist.
    bool write(const QString& folder, const QString& procedure);

    // What went wrong, in words (also in the log line).
    const QString& errorText() const { return m_error; }
    // Rows written per file, in BACKUP order (for reports and tests).
    const QList<int>& rowCounts() const { return m_rows; }
    // The company's change count (db::ChangeCounter) the set was made at.
    qint64 changeCount() const { return m_changes; }
    // Tests: act as if killed after this many file moves of the swap.
    void stopSwapAfter(int moves) { m_stopAfterMoves = moves; }

private:
    bool fail(int code, const QString& text, const QString& procedure);

    AppContext& m_ctx;
    QString m_error;
    QList<int> m_rows;
    int m_stopAfterMoves = -1;
    qint64 m_changes = -1;
};

} // namespace minasel::backup
