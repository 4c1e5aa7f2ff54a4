#include "backup/backupreader.h"

#include <QStringDecoder>

namespace minasel::backup {

namespace {
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
bool isBreak(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}
} // namespace

BackupReader::BackupReader(const QByteArray& data, int columns) : m_columns(columns)
{
    QStringDecoder decode(QStringDecoder::Utf8);
    m_text = decode(data);
    if (decode.hasError())
        fail(1, QStringLiteral("UTF-8 として読めない文字が含まれています"));
    else if (columns < 1)
        fail(1, QStringLiteral("列の数が正しくありません"));
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

bool BackupReader::atSeparator(qsizetype pos) const
{
    while (pos < m_text.size() && isBlank(m_text[pos]))
        ++pos;
    return pos >= m_text.size() || m_text[pos] == QLatin1Char(',') || isBreak(m_text[pos]);
}

BackupReader::Status BackupReader::next(QStringList* row)
{
    row->clear();
    if (m_failed)
        return Status::Error;
    const qsizetype n = m_text.size();
    // Empty lines between rows (and the final line end) carry nothing.
    while (m_pos < n && (isBreak(m_text[m_pos]) || isBlank(m_text[m_pos]))) {
        if (m_text[m_pos] == QLatin1Char('\n'))
            ++m_line;
        ++m_pos;
    }
    if (m_pos >= n)
        return Status::End;

    const int startLine = m_line;
    row->reserve(m_columns);
    for (int col = 0; col < m_columns; ++col) {
        while (m_pos < n && isBlank(m_text[m_pos]))
            ++m_pos;
        QString value;
        if (m_pos < n && m_text[m_pos] == QLatin1Char('"')) {
            const int openLine = m_line;
            ++m_pos;
            qsizetype from = m_pos;
            for (;;) {
                if (m_pos >= n)
                    return fail(openLine, QStringLiteral("引用符が閉じられていません（%1 個目の値）").arg(col + 1));
                const QChar c = m_text[m_pos];
                if (c == QLatin1Char('"')) {
                    value += QStringView(m_text).mid(from, m_pos - from);
                    if (m_pos + 1 < n && m_text[m_pos + 1] == QLatin1Char('"')) {
                        value += QLatin1Char('"');
                        m_pos += 2;
                    } else if (atSeparator(m_pos + 1)) {
                        ++m_pos;
                        while (m_pos < n && isBlank(m_text[m_pos]))
                            ++m_pos;
                        break;
                    } else {
                        value += QLatin1Char('"');
                        ++m_pos;
                    }
                    from = m_pos;
                    continue;
                }
                if (c == QLatin1Char('\n'))
                    ++m_line;
                ++m_pos;
            }
        } else {
            const qsizetype from = m_pos;
            while (m_pos < n && m_text[m_pos] != QLatin1Char(',') && !isBreak(m_text[m_pos])) {
                if (m_text[m_pos] == QLatin1Char('"'))
                    return fail(m_line, QStringLiteral("引用符の位置が正しくありません（%1 個目の値）").arg(col + 1));
                ++m_pos;
            }
            value = m_text.mid(from, m_pos - from).trimmed();
        }
        row->append(value);

        const bool last = col == m_columns - 1;
        if (m_pos >= n) {
            if (!last)
                return fail(startLine, QStringLiteral("値の数が足りません（%1 個のうち %2 個）").arg(m_columns).arg(col + 1));
            break;
        }
        const QChar sep = m_text[m_pos];
        if (sep == QLatin1Char(',')) {
            if (last)
                return fail(startLine, QStringLiteral("値の数が多すぎます（%1 個を超えています）").arg(m_columns));
            ++m_pos;
            // A file that ends right after a separator was cut off there.
            if (m_pos >= n)
                return fail(startLine, QStringLiteral("値の数が足りません（%1 個のうち %2 個）").arg(m_columns).arg(col + 1));
            continue;
        }
        // A line break: the row must be complete here.
        if (!last)
            return fail(startLine, QStringLiteral("値の数が足りません（%1 個のうち %2 個）").arg(m_columns).arg(col + 1));
        if (sep == QLatin1Char('\r') && m_pos + 1 < n && m_text[m_pos + 1] == QLatin1Char('\n'))
            ++m_pos;
        ++m_pos;
        ++m_line;
    }
    ++m_rows;
    m_rowLine = startLine;
    return Status::Row;
}

} // namespace minasel::backup
