#include "app/log.h"

#include <QFile>
#include <QFileInfo>

namespace minasel {

namespace {
constexpr int kMaxSequence = 999;
const QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
}

Log::Log(FailHandler onFail) : m_onFail(std::move(onFail)) {}

QString Log::formatLine(int sequence, const LogRecord& r)
{
    return QStringLiteral("%1 %2 %3 %4 [%5] Step:%6_%7")
        .arg(sequence, 3, 10, QLatin1Char('0'))
        .arg(r.dateTime, r.code, r.message, r.procedure, r.step)
        .arg(r.flag);
}

void Log::fail(const QString& procedure, int code, const QString& description)
{
    if (m_onFail)
        m_onFail(procedure, code, description);
}

bool Log::open(const QString& folder, int capacity, const QString& fileName)
{
    m_lines = QStringList();
    m_lines.resize(capacity);
    m_position = 0;
    m_sequence = 0;
    m_path = folder + fileName;

    QFile file(m_path);
    if (!file.exists()) {
        if (!file.open(QIODevice::WriteOnly)) {
            fail(QStringLiteral("pbc2_LogOpen"), 75, file.errorString());
            return false;
        }
        file.setPermissions(kOwnerOnly);
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("pbc2_LogOpen"), 75, file.errorString());
        return false;
    }
    const QString content = QString::fromUtf8(file.readAll());
    QStringList fileLines = content.split(QStringLiteral("\r\n"));
    if (!fileLines.isEmpty() && fileLines.last().isEmpty())
        fileLines.removeLast();
    int k = 0;
    for (QString line : fileLines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (k >= capacity) {
            fail(QStringLiteral("pbc2_LogOpen"), 9, QStringLiteral("インデックスが有効範囲にありません。"));
            return false;
        }
        m_lines[k] = line;
        ++k;
        bool ok = false;
        const int number = line.left(3).toInt(&ok);
        if (ok && number > m_sequence && (m_sequence == 0 || number == m_sequence + 1)) {
            m_sequence = number;
            m_position = k;
        }
    }
    return true;
}

bool Log::set(const LogRecord& record)
{
    if (m_lines.isEmpty()) {
        fail(QStringLiteral("pbc2_LogSet"), 9, QStringLiteral("ログが開かれていません。"));
        return false;
    }
    ++m_position;
    if (m_position > m_lines.size())
        m_position = 1;
    ++m_sequence;
    if (m_sequence > kMaxSequence)
        m_sequence = 1;
    m_lines[m_position - 1] = formatLine(m_sequence, record);
    return writeOut();
}

QStringList Log::lines() const
{
    QStringList out;
    for (const QString& l : m_lines) {
        if (l.isEmpty())
            break;
        out << l;
    }
    return out;
}

bool Log::writeOut()
{
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(QStringLiteral("pvt2_LogOut"), 75, file.errorString());
        return false;
    }
    QByteArray data;
    for (const QString& l : m_lines) {
        if (l.isEmpty())
            break;
        data += l.toUtf8();
        data += "\r\n";
    }
    if (file.write(data) != data.size() || !file.flush()) {
        fail(QStringLiteral("pvt2_LogOut"), 75, file.errorString());
        return false;
    }
    file.close();
    file.setPermissions(kOwnerOnly);
    return true;
}

} // namespace minasel
