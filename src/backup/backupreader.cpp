#include "backup/backupreader.h"

#include "backup/sha256.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace minasel::backup {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isBreak(char c)
{
    return c == '\r' || c == '\n';
}

// The length of the UTF-8 character at p: 0 when it is not one (an overlong
// form, a surrogate, beyond U+10FFFF, a stray continuation byte), -1 when
// `end` cuts it while what is there is right so far.
int utf8Length(const uchar* p, const uchar* end)
{
    const uchar c = p[0];
    if (c < 0x80)
        return 1;
    int length;
    uchar low = 0x80;
    uchar high = 0xBF;
    if (c < 0xC2)
        return 0;
    if (c < 0xE0) {
        length = 2;
    } else if (c < 0xF0) {
        length = 3;
        if (c == 0xE0)
            low = 0xA0;
        else if (c == 0xED)
            high = 0x9F;
    } else if (c < 0xF5) {
        length = 4;
        if (c == 0xF0)
            low = 0x90;
        else if (c == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if (p + i >= end)
            return -1;
        if (p[i] < (i == 1 ? low : 0x80) || p[i] > (i == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

QString tooFew(int columns, int got)
{
    return QStringLiteral("値の数が足りません（%1 個のうち %2 個）").arg(columns).arg(got);
}

} // namespace

BackupReader::BackupReader(const QByteArray& data, int columns) : m_buf(data), m_columns(columns)
{
    m_size = m_buf.size();
    m_eof = true;
    checkUtf8();
    if (columns < 1)
        fail(1, QStringLiteral("列の数が正しくありません"));
}

BackupReader::BackupReader(QIODevice* device, int columns, qsizetype chunk)
    : m_device(device), m_chunk(std::max<qsizetype>(chunk, 1)), m_columns(columns)
{
    if (columns < 1)
        fail(1, QStringLiteral("列の数が正しくありません"));
}

BackupReader::~BackupReader() = default;

void BackupReader::computeHash()
{
    m_hash = std::make_unique<Sha256>();
    if (!m_device)
        m_hash->add(m_buf);
}

QByteArray BackupReader::hash()
{
    return m_hash ? m_hash->hexResult() : QByteArray();
}

BackupReader::Status BackupReader::fail(int line, const QString& what)
{
    if (!m_failed) {
        m_failed = true;
        m_errorLine = line;
        m_error = QStringLiteral("%1 行目: %2").arg(line).arg(what);
    }
    return Status::Error;
}

void BackupReader::checkUtf8()
{
    const auto* b = reinterpret_cast<const uchar*>(m_buf.constData());
    qsizetype i = m_checked;
    while (i < m_size && !m_badUtf8) {
        // Plain ASCII eight bytes at a time.
        while (i + 8 <= m_size) {
            quint64 word;
            std::memcpy(&word, b + i, 8);
            if (word & 0x8080808080808080ULL)
                break;
            i += 8;
        }
        if (i >= m_size)
            break;
        const int n = utf8Length(b + i, b + m_size);
        if (n > 0) {
            i += n;
            continue;
        }
        if (n < 0 && !m_eof)
            break;   // the rest of the character comes with the next chunk
        m_badUtf8 = true;
    }
    m_checked = i;
}

bool BackupReader::readMore()
{
    if (m_eof || !m_device)
        return false;
    // What lies before the row being read is done with.
    if (m_pos > 0) {
        m_buf.remove(0, m_pos);
        m_size -= m_pos;
        m_checked -= m_pos;
        m_pos = 0;
    }
    m_buf.resize(m_size + m_chunk);
    const qint64 got = m_device->read(m_buf.data() + m_size, m_chunk);
    if (got < 0) {
        m_buf.resize(m_size);
        fail(m_line, QStringLiteral("ファイルを読めません（%1）").arg(m_device->errorString()));
        return false;
    }
    if (got == 0)
        m_eof = true;
    else if (m_hash)
        m_hash->add(QByteArrayView(m_buf.constData() + m_size, got));
    m_size += got;
    m_buf.resize(m_size);
    checkUtf8();
    return true;
}

BackupReader::Parse BackupReader::parseRow()
{
    const char* d = m_buf.constData();
    const qsizetype n = m_checked;
    // n is the end of the file, not only of what has been read so far.
    const bool atEnd = m_eof && !m_badUtf8 && m_checked == m_size;
    qsizetype pos = m_pos;
    int line = m_line;
    m_spans.clear();
    m_unescaped.clear();

    // Empty lines between rows (and the final line end) carry nothing.
    while (pos < n && (isBreak(d[pos]) || isBlank(d[pos]))) {
        if (d[pos] == '\n')
            ++line;
        ++pos;
    }
    m_pos = pos;
    m_line = line;
    if (pos >= n)
        return atEnd ? Parse::End : Parse::NeedMore;

    const int startLine = line;
    auto error = [&](int at, const QString& what) {
        fail(at, what);
        return Parse::Error;
    };
    for (int col = 0; col < m_columns; ++col) {
        while (pos < n && isBlank(d[pos]))
            ++pos;
        if (pos >= n && !atEnd)
            return Parse::NeedMore;
        if (pos < n && d[pos] == '"') {
            const int openLine = line;
            ++pos;
            qsizetype from = pos;
            bool own = false;   // the value holds a doubled quote: built in m_unescaped
            qsizetype ownFrom = 0;
            for (;;) {
                if (pos >= n) {
                    if (!atEnd)
                        return Parse::NeedMore;
                    return error(openLine, QStringLiteral("引用符が閉じられていません（%1 個目の値）").arg(col + 1));
                }
                const char c = d[pos];
                if (c == '"') {
                    if (pos + 1 >= n && !atEnd)
                        return Parse::NeedMore;
                    if (pos + 1 < n && d[pos + 1] == '"') {
                        if (!own) {
                            own = true;
                            ownFrom = m_unescaped.size();
                        }
                        m_unescaped.append(d + from, pos - from).append('"');
                        pos += 2;
                        from = pos;
                        continue;
                    }
                    qsizetype after = pos + 1;
                    while (after < n && isBlank(d[after]))
                        ++after;
                    if (after >= n && !atEnd)
                        return Parse::NeedMore;
                    if (after >= n || d[after] == ',' || isBreak(d[after])) {
                        if (own) {
                            m_unescaped.append(d + from, pos - from);
                            m_spans.push_back({true, ownFrom, m_unescaped.size() - ownFrom});
                        } else {
                            m_spans.push_back({false, from, pos - from});
                        }
                        pos = after;
                        break;
                    }
                    // A lone quote inside the value is kept as it stands.
                }
                if (c == '\n')
                    ++line;
                ++pos;
            }
        } else {
            const qsizetype from = pos;
            while (pos < n && d[pos] != ',' && !isBreak(d[pos])) {
                if (d[pos] == '"')
                    return error(line, QStringLiteral("引用符の位置が正しくありません（%1 個目の値）").arg(col + 1));
                ++pos;
            }
            if (pos >= n && !atEnd)
                return Parse::NeedMore;
            // Bare values come only from files edited by hand: trimmed as text.
            const QByteArray trimmed = QString::fromUtf8(d + from, pos - from).trimmed().toUtf8();
            m_spans.push_back({true, m_unescaped.size(), trimmed.size()});
            m_unescaped.append(trimmed);
        }

        const bool last = col == m_columns - 1;
        if (pos >= n) {
            if (!last)
                return error(startLine, tooFew(m_columns, col + 1));
            break;
        }
        const char sep = d[pos];
        if (sep == ',') {
            if (last)
                return error(startLine, QStringLiteral("値の数が多すぎます（%1 個を超えています）").arg(m_columns));
            ++pos;
            if (pos >= n) {
                if (!atEnd)
                    return Parse::NeedMore;
                // A file that ends right after a separator was cut off there.
                return error(startLine, tooFew(m_columns, col + 1));
            }
            continue;
        }
        // A line break: the row must be complete here.
        if (!last)
            return error(startLine, tooFew(m_columns, col + 1));
        if (sep == '\r') {
            if (pos + 1 >= n && !atEnd)
                return Parse::NeedMore;
            if (pos + 1 < n && d[pos + 1] == '\n')
                ++pos;
        }
        ++pos;
        ++line;
    }
    m_pos = pos;
    m_line = line;
    ++m_rows;
    m_rowLine = startLine;
    return Parse::Row;
}

BackupReader::Status BackupReader::next(std::vector<QByteArrayView>* row)
{
    row->clear();
    if (m_failed)
        return Status::Error;
    if (!m_bomChecked) {
        while (m_size < 3 && readMore()) {
        }
        if (m_failed)
            return Status::Error;
        if (m_size >= 3 && std::memcmp(m_buf.constData(), "\xEF\xBB\xBF", 3) == 0)
            m_pos = 3;
        m_bomChecked = true;
    }
    for (;;) {
        switch (parseRow()) {
        case Parse::Row:
            row->reserve(m_spans.size());
            for (const Span& s : m_spans)
                row->push_back(QByteArrayView((s.own ? m_unescaped.constData() : m_buf.constData()) + s.from, s.size));
            return Status::Row;
        case Parse::End:
            return Status::End;
        case Parse::Error:
            return Status::Error;
        case Parse::NeedMore:
            break;
        }
        if (m_badUtf8) {
            // The line of the bad byte: the lines of the row read so far added.
            int line = m_line;
            for (qsizetype i = m_pos; i < m_checked; ++i)
                if (m_buf.at(i) == '\n')
                    ++line;
            return fail(line, QStringLiteral("UTF-8 として読めない文字が含まれています"));
        }
        if (!readMore())
            return m_failed ? Status::Error : fail(m_line, QStringLiteral("ファイルを読めません"));
    }
}

BackupReader::Status BackupReader::next(QStringList* row)
{
    row->clear();
    std::vector<QByteArrayView> values;
    const Status s = next(&values);
    if (s == Status::Row) {
        row->reserve(qsizetype(values.size()));
        for (QByteArrayView v : values)
            row->append(QString::fromUtf8(v));
    }
    return s;
}

} // namespace minasel::backup
