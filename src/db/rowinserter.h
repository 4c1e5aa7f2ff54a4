#pragma once
#include "db/rowwriter.h"

#include <QSqlQuery>

struct sqlite3;
struct sqlite3_stmt;

namespace minasel::db {

// The one place where a row of a data table is bound and inserted: texts trimmed
// (an empty text stays an empty text, never NULL), numbers read as in the forms
// (empty = 0, anything else that is not a number refused, and so is a number that
// is not finite or beyond ±kLargestNumber), TOROKUBI normalised. A refused value
// is described by table, column and row key, never by the value itself, so that
// no personal data reaches the log.
// One prepared statement serves every row written through the same inserter, so
// a restore of many rows prepares once per table. Where Qt's driver shares this
// program's SQLite library the values are bound through SQLite directly, which
// is several times faster than Qt's binding for wide rows.
class RowInserter {
public:
    enum class Binding { Fastest, QtOnly };

    // Logs failures under "Publish.Write<Table>Table" through the context.
    RowInserter(AppContext& ctx, Table table, Binding binding = Binding::Fastest);
    // No logging: the caller reports the code and description that insert() gives.
    RowInserter(QSqlDatabase db, Table table, int currentYear, Binding binding = Binding::Fastest);
    ~RowInserter();
    RowInserter(const RowInserter&) = delete;
    RowInserter& operator=(const RowInserter&) = delete;

    // Texts are stored exactly as given (no trimming): a restore gives back what
    // the backup wrote. Trimming is for what the user types.
    void keepTextsVerbatim() { m_verbatim = true; }

    // Codes insert() gives for a value it refuses (before the database is asked).
    static constexpr int kNotANumber = 13;
    static constexpr int kOutOfRange = 6;
    static constexpr double kLargestNumber = 99'999'999'999.0;

    bool write(const RowValues& values);
    bool insert(const RowValues& values, int* code, QString* error);
    bool native() const { return m_stmt != nullptr; }

private:
    bool bindAndRun(const RowValues& values, int* code, QString* error);

    AppContext* m_ctx = nullptr;
    Table m_table;
    QSqlQuery m_query;
    sqlite3* m_handle = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_prepared = false;
    bool m_verbatim = false;
    int m_torokubi = -1;
    int m_year;
};

} // namespace minasel::db
