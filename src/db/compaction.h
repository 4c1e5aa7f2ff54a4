#pragma once
#include <QString>

namespace minasel::db {

// Why a compacted copy could not be made.
enum class CompactError { None, Busy, Open, Copy, Check };

// Writes a compacted copy of the database file `source` to `target` on a
// connection of its own: first makes sure no other connection holds a lock on
// the file (an open transaction elsewhere), then copies, then checks the copy
// (integrity and the row count of every table). `target` must not exist or be
// an empty file. The source file is never written.
bool writeCompactCopy(const QString& source, const QString& target, CompactError* why, QString* detail);

} // namespace minasel::db
