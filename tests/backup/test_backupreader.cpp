#include "backup/backupformat.h"
#include "backup/backupreader.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using minasel::backup::BackupFormat;
using minasel::backup::BackupReader;

namespace {

struct ReadResult {
    bool ok = false;
    QList<QStringList> rows;
    QString error;
};

ReadResult readWith(BackupReader& reader)
{
    ReadResult r;
    QStringList row;
    BackupReader::Status s;
    while ((s = reader.next(&row)) == BackupReader::Status::Row)
        r.rows << row << QStringList{QString::number(reader.rowLine())};
    r.ok = s == BackupReader::Status::End;
    r.error = reader.errorText();
    return r;
}

// Reads the data whole, and again from a device in chunks so small that every
// value, line end and character is cut somewhere: both must give the same rows,
// on the same lines, and the same errors.
ReadResult readAll(const QByteArray& data, int columns)
{
    BackupReader whole(data, columns);
    ReadResult r = readWith(whole);
    for (qsizetype chunk : {1, 2, 3, 7}) {
        QBuffer buffer;
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
        BackupReader chunked(&buffer, columns, chunk);
        chunked.computeHash();
        const ReadResult c = readWith(chunked);
        EXPECT_EQ(c.ok, r.ok) << "chunk " << chunk << ": " << data.toStdString();
        EXPECT_EQ(c.rows, r.rows) << "chunk " << chunk << ": " << data.toStdString();
        EXPECT_EQ(c.error, r.error) << "chunk " << chunk << ": " << data.toStdString();
        if (c.ok)
            EXPECT_EQ(chunked.hash(), QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
    }
    // Without the line numbers, which only the test above compares.
    for (qsizetype i = r.rows.size() - 1; i > 0; i -= 2)
        r.rows.removeAt(i);
    return r;
}

QList<QStringList> rows(std::initializer_list<QStringList> r)
{
    return QList<QStringList>(r);
}

} // namespace

TEST(BackupFormat, NumbersInPlainDecimalsThatReadBackExactly)
{
    EXPECT_EQ(BackupFormat::valueText(QVariant(300000.0)), "300000");
    EXPECT_EQ(BackupFormat::valueText(QVariant(0.1 + 0.2)), "0.30000000000000004");
    EXPECT_EQ(BackupFormat::valueText(QVariant(1e21)), "1000000000000000000000");
    EXPECT_EQ(BackupFormat::valueText(QVariant(-1.25)), "-1.25");
    EXPECT_EQ(BackupFormat::valueText(QVariant(qlonglong(42))), "42");
    EXPECT_EQ(BackupFormat::valueText(QVariant()), "");
    EXPECT_EQ(BackupFormat::valueText(QVariant(QMetaType(QMetaType::QString))), "");

    // The writer's own path gives the same texts, whatever the double.
    QRandomGenerator rng(99);
    QList<double> values = {0.0, -0.0, 1e21, -1.25, 5e-324, 9007199254740993.0, 99999999999.99, 1e300};
    for (int i = 0; i < 20000; ++i) {
        const quint64 bits = rng.generate64();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        values << (std::isfinite(d) ? d : 1.0) << double(qint64(bits % 100000000000)) / 100.0;
    }
    for (double d : values) {
        QByteArray line;
        BackupFormat::appendNumber(line, d);
        ASSERT_EQ(line, '"' + BackupFormat::valueText(QVariant(d)).toUtf8() + '"') << d;
    }
}

// What the files hold is read whole; what cannot be taken whole is refused, saying why.
TEST(BackupReader, ReadsWhatTheFilesHoldAndRefusesTheRest)
{
    struct Case {
        const char* name;
        QByteArray data;
        int columns;
        QList<QStringList> expected;
        const char* refused = nullptr;   // expected in the error text
    };
    const Case cases[] = {
        {"one row", "\"01\",\"a\",\"1\"\r\n", 3, rows({{"01", "a", "1"}})},
        {"two rows, LF only, no final break", "\"01\",\"a\"\n\"01\",\"b\"", 2, rows({{"01", "a"}, {"01", "b"}})},
        {"doubled quote", "\"a\"\"b\",\"\"\"\"\r\n", 2, rows({{"a\"b", "\""}})},
        {"comma and line break inside quotes", "\"x,y\",\"1\r\n2\"\r\n", 2, rows({{"x,y", "1\r\n2"}})},
        {"old files: a lone quote inside a value", "\"ab\"cd\",\"e\"\r\n", 2, rows({{"ab\"cd", "e"}})},
        {"bare values are trimmed", " 12 , abc\r\n", 2, rows({{"12", "abc"}})},
        {"quoted blanks are kept", "\" a \",\"\"\r\n", 2, rows({{" a ", ""}})},
        {"empty lines between rows", "\r\n\"1\"\r\n\r\n\"2\"\r\n\r\n", 1, rows({{"1"}, {"2"}})},
        {"byte order mark", "\xEF\xBB\xBF\"1\"\r\n", 1, rows({{"1"}})},
        {"empty file", "", 4, rows({})},
        {"blanks after the closing quote", "\"a\" ,\"b\"  \r\n", 2, rows({{"a", "b"}})},
        {"last row cut short", "\"01\",\"a\",\"1\"\r\n\"01\",\"b\"", 3, {}, "2 行目"},
        {"last row cut inside a value", "\"01\",\"a\",\"1\"\r\n\"01\",\"b", 3, {}, "引用符"},
        {"row with too many values", "\"01\",\"a\",\"1\",\"x\"\r\n", 3, {}, "多すぎ"},
        {"line break before the row is complete", "\"01\",\"a\"\r\n\"1\"\r\n", 3, {}, "足りません"},
        {"unclosed quote", "\"abc\r\n", 1, {}, "引用符"},
        {"quote inside a bare value", "ab\"c\r\n", 1, {}, "引用符"},
        {"not UTF-8", "\"\x82\xa0\"\r\n", 1, {}, "UTF-8"},
        {"not UTF-8 on the third line", "\"a\"\r\n\"b\r\n\xE7\xB5\"\r\n", 1, {}, "3 行目: UTF-8"},
        {"an overlong form", "\"\xC0\xAF\"\r\n", 1, {}, "UTF-8"},
        {"a surrogate", "\"\xED\xA0\x80\"\r\n", 1, {}, "UTF-8"},
        {"a character cut at the end", "\"a\"\r\n\xE7\xB5", 1, {}, "UTF-8"},
        {"only a separator", ",\r\n", 1, {}, "多すぎ"},
        {"ends right after a separator", "\"a\",", 2, {}, "足りません"},
    };
    for (const Case& c : cases) {
        const ReadResult r = readAll(c.data, c.columns);
        EXPECT_EQ(r.ok, !c.refused) << c.name << ": " << r.error.toStdString();
        if (c.refused)
            EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.refused))) << c.name << ": " << r.error.toStdString();
        else
            EXPECT_EQ(r.rows, c.expected) << c.name;
    }
}

TEST(BackupReader, StaysFailedAfterAnError)
{
    BackupReader reader("\"a\"\r\n\"b\r\n", 1);
    QStringList row;
    EXPECT_EQ(reader.next(&row), BackupReader::Status::Row);
    EXPECT_EQ(reader.next(&row), BackupReader::Status::Error);
    EXPECT_EQ(reader.next(&row), BackupReader::Status::Error);
    EXPECT_TRUE(row.isEmpty());
}

namespace {

QString randomValue(QRandomGenerator& rng)
{
    static const QString pieces[] = {"\"", ",", "\r\n", "\n", "\r", " ", "a", "給", "0", "\"\"", "\t", "x\"y"};
    QString v;
    const int n = int(rng.bounded(6));
    for (int i = 0; i < n; ++i)
        v += pieces[rng.bounded(int(std::size(pieces)))];
    return v;
}

} // namespace

// Whatever the values hold, a written row reads back unchanged.
TEST(BackupReader, EveryWrittenRowReadsBack)
{
    QRandomGenerator rng(20261206);
    for (int round = 0; round < 500; ++round) {
        const int columns = 1 + int(rng.bounded(6));
        QList<QStringList> written;
        QByteArray data;
        for (int r = 0; r < int(rng.bounded(4)); ++r) {
            QStringList row;
            for (int c = 0; c < columns; ++c)
                row << randomValue(rng);
            written << row;
            data += BackupFormat::formatRow(row);
        }
        const ReadResult got = readAll(data, columns);
        ASSERT_TRUE(got.ok) << got.error.toStdString() << " in " << data.toStdString();
        ASSERT_EQ(got.rows, written) << data.toStdString();
    }
}

// A file cut on a row's end reads as the rows before the cut; a file cut
// anywhere else is refused, unless what is left is a complete file in itself.
TEST(BackupReader, FuzzTruncatedSetsAreNeverTakenAsComplete)
{
    QRandomGenerator rng(7);
    for (int round = 0; round < 300; ++round) {
        const int columns = 1 + int(rng.bounded(5));
        QList<QStringList> written;
        QByteArray data;
        QList<qsizetype> ends;   // where each row's last quote closes
        for (int r = 0; r < 1 + int(rng.bounded(4)); ++r) {
            QStringList row;
            for (int c = 0; c < columns; ++c)
                row << randomValue(rng) + QStringLiteral("v");   // never empty, never ends in a quote
            written << row;
            data += BackupFormat::formatRow(row);
            ends << data.size() - 2;
        }
        for (qsizetype cut = 0; cut <= data.size(); ++cut) {
            const ReadResult got = readAll(data.left(cut), columns);
            qsizetype complete = 0;
            bool onBoundary = cut == 0;
            for (qsizetype e : ends) {
                if (cut >= e)
                    ++complete;
                if (cut >= e && cut <= e + 2)
                    onBoundary = true;
            }
            if (onBoundary) {
                ASSERT_TRUE(got.ok) << "cut " << cut << ": " << got.error.toStdString();
                ASSERT_EQ(got.rows, written.mid(0, complete));
            } else if (got.ok) {
                // Only a cut that leaves a file complete in itself may read: a
                // cut right after the first quote of a doubled pair at the very
                // end. Then the rows are exactly what the shorter file says.
                QByteArray again;
                for (const QStringList& row : got.rows)
                    again += BackupFormat::formatRow(row);
                ASSERT_EQ(again.chopped(2), data.left(cut)) << "cut " << cut << " of " << data.toStdString();
            }
        }
    }
}

// Random bytes never crash the reader, and whatever it takes as a whole file
// is a set of complete rows that writes back to an equivalent file.
TEST(BackupReader, FuzzRandomInput)
{
    QRandomGenerator rng(4242);
    static const QByteArray alphabet = QByteArray("\"\",,\r\n \tab0") + QByteArray("\xE7\xB5\xA6\x82\xFF", 5);
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        QByteArray data;
        const int len = int(rng.bounded(40));
        for (int i = 0; i < len; ++i)
            data += alphabet[rng.bounded(int(alphabet.size()))];
        const int columns = 1 + int(rng.bounded(4));
        const ReadResult got = readAll(data, columns);
        if (!got.ok) {
            ASSERT_FALSE(got.error.isEmpty());
            continue;
        }
        ++accepted;
        QByteArray again;
        for (const QStringList& row : got.rows) {
            ASSERT_EQ(row.size(), columns);
            again += BackupFormat::formatRow(row);
        }
        const ReadResult back = readAll(again, columns);
        ASSERT_TRUE(back.ok);
        ASSERT_EQ(back.rows, got.rows) << data.toStdString();
    }
    EXPECT_GT(accepted, 100);   // the fuzzer reaches the accepting paths too
}
