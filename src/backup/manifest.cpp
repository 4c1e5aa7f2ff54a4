#include "backup/manifest.h"

#include "backup/sha256.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#ifndef MINASEL_VERSION
#define MINASEL_VERSION "0"
#endif

namespace minasel::backup {

namespace {
const QByteArray kHeader = "MINASEL-BACKUP-MANIFEST 1";
}

QString Manifest::programVersion()
{
    return QStringLiteral(MINASEL_VERSION);
}

QByteArray Manifest::hash(const QByteArray& bytes)
{
    return Sha256::hex(bytes);
}

QByteArray Manifest::hashFile(const QString& path, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = f.errorString();
        return QByteArray();
    }
    Sha256 h;
    QByteArray chunk(256 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 got = f.read(chunk.data(), chunk.size());
        if (got < 0) {
            *error = f.errorString();
            return QByteArray();
        }
        if (got == 0)
            break;
        h.add(QByteArrayView(chunk.constData(), got));
    }
    return h.hexResult();
}

void Manifest::add(const QString& file, int rows, const QByteArray& bytes)
{
    m_entries.append({file, rows, hash(bytes)});
}

void Manifest::addHash(const QString& file, int rows, const QByteArray& sha256)
{
    m_entries.append({file, rows, sha256});
}

const Manifest::Entry* Manifest::find(const QString& file) const
{
    for (const Entry& e : m_entries)
        if (e.fileName == file)
            return &e;
    return nullptr;
}

QByteArray Manifest::toBytes() const
{
    QByteArray out = kHeader + "\r\n";
    out += "VERSION " + programVersion().toUtf8() + "\r\n";
    for (const Entry& e : m_entries)
        out += "FILE " + e.fileName.toUtf8() + ' ' + QByteArray::number(e.rows) + ' ' + e.sha256 + "\r\n";
    // The count at the end shows that no line was lost.
    out += "END " + QByteArray::number(m_entries.size()) + "\r\n";
    return out;
}

bool Manifest::parse(const QByteArray& bytes, Manifest* m, QString* error)
{
    static const QRegularExpression fileLine(QStringLiteral("^FILE (T_[0-9]{3}\\.txt) ([0-9]{1,9}) ([0-9a-f]{64})$"));
    *m = Manifest();
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    auto fail = [&](int line, const QString& what) {
        *error = QStringLiteral("%1 行目: %2").arg(line).arg(what);
        return false;
    };
    bool ended = false;
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray raw = lines[i];
        if (!raw.endsWith('\r'))
            return fail(i + 1, QStringLiteral("行の終わりが正しくありません"));
        raw.chop(1);
        const QString line = QString::fromUtf8(raw);
        if (ended)
            return fail(i + 1, QStringLiteral("END の後に行があります"));
        if (i == 0) {
            if (raw != kHeader)
                return fail(1, QStringLiteral("マニフェストではありません"));
        } else if (i == 1) {
            if (!line.startsWith(QLatin1String("VERSION ")))
                return fail(2, QStringLiteral("VERSION がありません"));
            m->m_version = line.mid(8);
        } else if (line.startsWith(QLatin1String("END "))) {
            bool ok = false;
            if (line.mid(4).toInt(&ok) != m->m_entries.size() || !ok)
                return fail(i + 1, QStringLiteral("ファイルの数が一致しません"));
            ended = true;
        } else {
            const QRegularExpressionMatch match = fileLine.match(line);
            if (!match.hasMatch())
                return fail(i + 1, QStringLiteral("読めない行です"));
            if (m->find(match.captured(1)))
                return fail(i + 1, QStringLiteral("%1 が二度あります").arg(match.captured(1)));
            m->m_entries.append({match.captured(1), match.captured(2).toInt(), match.captured(3).toLatin1()});
        }
    }
    if (!ended)
        return fail(int(lines.size()), QStringLiteral("途中で切れています"));
    return true;
}

bool Manifest::verify(const QString& folder, const QStringList& required, const QStringList& known, QString* file,
                      QString* why) const
{
    auto mismatch = [&](const QString& name, const QString& what) {
        *file = name;
        *why = what;
        return false;
    };
    for (const Entry& e : m_entries)
        if (!known.contains(e.fileName))
            return mismatch(e.fileName, QStringLiteral("このバックアップは新しい版のミナセル（%1）で作られています").arg(m_version));
    for (const QString& name : known) {
        const bool present = QFileInfo::exists(folder + QLatin1Char('/') + name);
        const Entry* e = find(name);
        if (!e && (present || required.contains(name)))
            return mismatch(name, QStringLiteral("バックアップ作成時にはなかったファイルです"));
        if (!e)
            continue;
        if (!present)
            return mismatch(name, QStringLiteral("ファイルがありません"));
        QString error;
        const QByteArray sha256 = hashFile(folder + QLatin1Char('/') + name, &error);
        if (sha256.isEmpty())
            return mismatch(name, error);
        if (sha256 != e->sha256)
            return mismatch(name, QStringLiteral("内容がバックアップ作成時と一致しません（欠けているか、書き換えられています）"));
    }
    return true;
}

} // namespace minasel::backup
