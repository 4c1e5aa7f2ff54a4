#pragma once
#include <QString>
#include <QStringList>
#include <functional>

namespace minasel {

struct LogRecord {
    QString dateTime;   // "YYYY/MM/DD HH:NN:SS"
    QString code;       // "0" for information, else the error number
    QString message;
    QString procedure;
    QString step;
    int flag = 0;
};

// The program's one log: a ring of lines in memory, rewritten to the file whole
// after every new line so that nothing is lost if the program dies.
class Log {
public:
    // Called when the log itself cannot be read or written: procedure, code, description.
    using FailHandler = std::function<void(const QString&, int, const QString&)>;

    explicit Log(FailHandler onFail = {});

    // pbc2_LogOpen: prepares the ring and loads an existing file. `folder` ends with '/'.
    bool open(const QString& folder, int capacity = 999, const QString& fileName = QStringLiteral("kyuyo.log"));
    // pbc2_LogSet
    bool set(const LogRecord& record);

    static QString formatLine(int sequence, const LogRecord& record);

    const QString& path() const { return m_path; }
    int writePosition() const { return m_position; }
    int sequence() const { return m_sequence; }
    int capacity() const { return int(m_lines.size()); }
    QStringList lines() const;   // the used part of the ring, in index order
    void setFailHandler(FailHandler h) { m_onFail = std::move(h); }

private:
    bool writeOut();   // pvt2_LogOut
    void fail(const QString& procedure, int code, const QString& description);

    QStringList m_lines;   // index 0 is ring element 1
    int m_position = 0;
    int m_sequence = 0;
    QString m_path;
    FailHandler m_onFail;
};

} // namespace minasel
