#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <vector>

struct sqlite3_stmt;

namespace minasel::db {

// Reads the rows of one company in a table ("SELECT * FROM <table> WHERE CID
// = ?", in the order the database gives them), each value as it is stored:
// Null, a whole number, a double or a text (UTF-8). Where Qt's driver shares
// this program's SQLite library the rows come straight from SQLite, without a
// QVariant or a QString for every value.
class TableReader {
public:
    enum class Type { Null, Integer, Float, Text };

    TableReader(QSqlDatabase db, const QString& table, const QString& cid);
    ~TableReader();
    TableReader(const TableReader&) = delete;
    TableReader& operator=(const TableReader&) = delete;

    // The next row; false after the last one or on an error (see failed()).
    bool next();
    bool failed() const { return !m_error.isEmpty(); }
    const QString& errorText() const { return m_error; }
    int columnCount() const { return m_columns; }

    Type type(int column) const;
    qint64 integer(int column) const;
    double number(int column) const;
    QByteArrayView text(int column) const;

private:
    QSqlQuery m_query;
    sqlite3_stmt* m_stmt = nullptr;
    int m_columns = 0;
    QString m_error;
    std::vector<QByteArray> m_texts;   // the Qt path: the row's texts as UTF-8
};

} // namespace minasel::db
