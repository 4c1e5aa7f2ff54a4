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

// Opens the shared connection on ctx.databasePath(); a missing file is a failure
// (never an empty database created by the driver).
bool openConnection(AppContext& ctx, QString* error);
void closeConnection(AppContext& ctx);

// Opens a separate named connection on a file (tools, benchmarks, tests).
QSqlDatabase openFile(const QString& path, const QString& connectionName, QString* error);

} // namespace minasel::db
