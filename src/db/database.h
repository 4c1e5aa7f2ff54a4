#pragma once
#include <QSqlDatabase>
#include <QString>

namespace minasel {
class AppContext;
}

namespace minasel::db {

// The data folder: MINASEL_DATA_DIR when set, else the user's application data
// folder + "/Vora/Kyuyo". Created (owner only) when missing, and a new database
// is made in a folder that had to be created. An existing folder without a
// database gets none, as the program has always done. Returns the path without
// the final '/', or "" when no folder can be had.
QString getDataFolder(int currentYear, QString* error = nullptr);

// A new Kyuyo.db at `path`: the tables, the fixed rows and the seed companies.
bool createDatabaseFile(const QString& path, int currentYear, QString* error);

enum class Access { ReadWrite, ReadOnly };

// Opens the shared connection on ctx.databasePath(). A missing, empty or foreign
// file (no tables of this program) is a failure and is left exactly as it is:
// only a folder without any database gets a new one. ReadWrite brings an older
// file up to the current schema; ReadOnly never writes and refuses an older file.
bool openConnection(AppContext& ctx, QString* error, Access access = Access::ReadWrite);
void closeConnection(AppContext& ctx);

// Opens a separate named connection on a file (tools, benchmarks, tests).
QSqlDatabase openFile(const QString& path, const QString& connectionName, QString* error);

} // namespace minasel::db
