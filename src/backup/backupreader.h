#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace minasel::backup {

// Reads the rows of one backup file, `columns` values a row. Values are quoted
// (a doubled quote is one quote; a quoted value may hold commas and line
// breaks) or bare. A lone quote inside a quoted value that is not followed by a
// separator is kept as text, as files of older versions wrote it.
//
// Anything the reader cannot take whole is an error, never a silently shorter
// result: text that is not UTF-8, an unclosed quote, a row cut short (also the
// last one), a row with too many values, a line break outside quotes before a
// row is complete.
class BackupReader {
public:
    enum class Status { Row, End, Error };

    BackupReader(const QByteArray& data, int columns);

    // The next row into *row; End after the last one; Error (and stays so) on bad input.
    Status next(QStringList* row);

    int rowsRead() const { return m_rows; }
    // The line the last row read began on.
    int rowLine() const { return m_rowLine; }
    // Where and what went wrong, for the user: "12 行目: 値の数が足りません（27 個のうち 5 個）".
    QString errorText() const { return m_error; }
    int errorLine() const { return m_errorLine; }

private:
    Status fail(int line, const QString& what);
    bool atSeparator(qsizetype pos) const;

    QString m_text;
    qsizetype m_pos = 0;
    int m_columns;
    int m_line = 1;
    int m_rows = 0;
    int m_rowLine = 0;
    bool m_failed = false;
    QString m_error;
    int m_errorLine = 0;
};

} // namespace minasel::backup
