#pragma once
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace minasel::test {

// One run of a command-line program as the user runs it: its exit status (-1
// when it crashed or did not end in time), stdout and stderr.
struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

inline CliRun runCli(const QString& program, const QStringList& args, int timeoutMs = 60000)
{
    QProcess p;
    p.start(program, args);
    CliRun r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// The pages of a PDF file as pdfinfo counts them; -1 when poppler-utils are not installed.
inline int pdfPages(const QString& path)
{
    const CliRun r = runCli(QStringLiteral("pdfinfo"), {path});
    if (r.status < 0)
        return -1;
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(r.out);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace minasel::test
