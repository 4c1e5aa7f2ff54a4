#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace minasel::backup {

// What a backup set holds, written beside its files: per file the row count and
// the SHA-256 of its bytes, and the program version that wrote it. Restore
// refuses a set whose files do not match, so a file cut short, emptied, thinned
// out or swapped with another set's is found before any data is replaced.
class Manifest {
public:
    struct Entry {
        QString fileName;
        int rows = 0;
        QByteArray sha256;   // lower-case hex
    };

    static QString fileName() { return QStringLiteral("manifest.txt"); }
    static QString programVersion();
    static QByteArray hash(const QByteArray& bytes);
    // The hash of a file, read in chunks; empty (with *error) when it cannot be read.
    static QByteArray hashFile(const QString& path, QString* error);

    void add(const QString& file, int rows, const QByteArray& bytes);
    void addHash(const QString& file, int rows, const QByteArray& sha256);
    QByteArray toBytes() const;
    // A manifest that is not whole (a line missing or changed) is an error.
    static bool parse(const QByteArray& bytes, Manifest* manifest, QString* error);

    const QList<Entry>& entries() const { return m_entries; }
    const Entry* find(const QString& file) const;
    const QString& version() const { return m_version; }

    // Checks the set in `folder` against this manifest: every file it names is
    // there with the same bytes, it names every file of `required`, and every
    // file of `known` that lies in the folder; a name outside `known` belongs to
    // a newer program. On a mismatch *file is the file to name to the user.
    bool verify(const QString& folder, const QStringList& required, const QStringList& known, QString* file,
                QString* why) const;

private:
    QString m_version;
    QList<Entry> m_entries;
};

} // namespace minasel::backup
