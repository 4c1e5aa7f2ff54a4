#pragma once
#include "db/rowwriter.h"

#include <QByteArrayView>
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
// One prepared statement serves every row written through the same inserter
// (StatementCache keeps one per table for a transaction). Where Qt's driver
// shares this program's SQLite library the values are bound through SQLite
// directly, which is several times faster than Qt's binding for wide rows, and
// plain decimal texts become numbers without QString's conversion.
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
    // A row as UTF-8 texts (a backup file's values): texts stored verbatim,
    // numbers read as insert() reads them. `values` holds columnCount() texts.
    bool insertUtf8(const QByteArrayView* values, int count, int* code, QString* error);
    bool native() const { return m_stmt != nullptr; }
    void setContext(AppContext* ctx) { m_ctx = ctx; }

private:
    bool bindAndRun(const RowValues& values, int* code, QString* error);
    bool refuseNumber(int column, int refused, const RowValues& values, int* code, QString* error);
    bool step(int* code, QString* error);

    AppContext* m_ctx = nullptr;
    Table m_table;
    QSqlQuery m_query;
    sqlite3* m_handle = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_prepared = false;
    bool m_verbatim = false;
    int m_torokubi = -1;
    int m_year;
    QByteArray m_scratch;   // UTF-8 of the texts of the row being bound
};

} // namespace minasel::db
