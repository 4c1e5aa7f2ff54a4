#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QIODevice;

namespace minasel::backup {

class Sha256;

// Reads the rows of one backup file, `columns` values a row. Values are quoted
// (a doubled quote is one quote; a quoted value may hold commas and line
// breaks) or bare. A lone quote inside a quoted value that is not followed by a
// separator is kept as text, as files of older versions wrote it.
//
// Anything the reader cannot take whole is an error, never a silently shorter
// result: text that is not UTF-8, an unclosed quote, a row cut short (also the
// last one), a row with too many values, a line break outside quotes before a
// row is complete.
//
// A file is read in chunks and checked as UTF-8 as it comes, so that memory
// stays the same whatever its size: the rows before a bad place are given out
// before the error (a caller that must take the file whole, as the restore,
// keeps everything in one transaction).
class BackupReader {
public:
    enum class Status { Row, End, Error };

    // The whole file in memory.
    BackupReader(const QByteArray& data, int columns);
    // The file read from `device` (open for reading) in chunks of `chunk` bytes.
    BackupReader(QIODevice* device, int columns, qsizetype chunk = 256 * 1024);
    ~BackupReader();

    // The next row into *row; End after the last one; Error (and stays so) on bad input.
    Status next(QStringList* row);
    // The same, the values as UTF-8 that stay valid until the next call.
    Status next(std::vector<QByteArrayView>* row);

    // The SHA-256 of every byte read (lower-case hex): complete once next() gave End.
    void computeHash();
    QByteArray hash();

    int rowsRead() const { return m_rows; }
    // The line the last row read began on.
    int rowLine() const { return m_rowLine; }
    // Where and what went wrong, for the user: "12 行目: 値の数が足りません（27 個のうち 5 個）".
    QString errorText() const { return m_error; }
    int errorLine() const { return m_errorLine; }

private:
    enum class Parse { Row, End, Error, NeedMore };

    Status fail(int line, const QString& what);
    Parse parseRow();
    bool readMore();
    void checkUtf8();

    QIODevice* m_device = nullptr;
    qsizetype m_chunk = 0;
    QByteArray m_buf;          // [0, m_checked) checked UTF-8, [m_checked, m_size) still to check
    qsizetype m_size = 0;
    qsizetype m_checked = 0;
    qsizetype m_pos = 0;       // where the next row starts
    bool m_eof = false;        // nothing more will come
    bool m_badUtf8 = false;    // the bytes at m_checked are not UTF-8
    bool m_bomChecked = false;
    int m_columns;
    int m_line = 1;
    int m_rows = 0;
    int m_rowLine = 0;
    bool m_failed = false;
    QString m_error;
    int m_errorLine = 0;
    std::unique_ptr<Sha256> m_hash;

    // The values of the row being read: places in m_buf, or in m_unescaped
    // (a value that held doubled quotes or was trimmed).
    struct Span {
        bool own;
        qsizetype from;
        qsizetype size;
    };
    std::vector<Span> m_spans;
    QByteArray m_unescaped;
};

} // namespace minasel::backup
