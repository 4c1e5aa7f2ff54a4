#pragma once
#include <QSqlDatabase>
#include <QString>

namespace minasel::db {

// Why the database could not be compacted.
enum class CompactError { None, Busy, Copy, Check };

// Compacts the database file of `db` in place with the engine's own VACUUM:
// SQLite writes the compacted copy and puts its pages back into the same file
// inside one journalled transaction. The file is never renamed or replaced, so
// a connection of another process, the file's mode and a symbolic link to it
// all stay valid, and a crash midway leaves the old contents. Another process
// reading or writing makes it fail at once with Busy. The row count of every
// table and an integrity check are compared before and after.
bool compactDatabase(QSqlDatabase db, CompactError* why, QString* detail);

} // namespace minasel::db
