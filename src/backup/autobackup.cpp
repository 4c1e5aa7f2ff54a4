#include "backup/autobackup.h"

#include "app/appcontext.h"
#include "backup/backupreader.h"
#include "backup/backupwriter.h"

#include <QFile>
#include <QRegularExpression>

namespace minasel {

void installAutomaticBackup(AppContext& ctx)
{
    ctx.automaticBackup = [](AppContext& c) { return backup::runAutomaticBackup(c); };
}

namespace backup {

QString safeFolderName(const QString& companyName)
{
    // Whole characters only: a cut between the two halves of a surrogate pair
    // (a 4-byte character such as 𠮷) would leave a name no file system takes.
    // 120 bytes of UTF-8 leave room for the code suffix and the set's own
    // hidden folders within every file system's 255.
    constexpr int kMaxUtf8 = 120;
    QString name;
    int bytes = 0;
    const QList<uint> chars = companyName.toUcs4();
    for (uint c : chars) {
        QString piece;
        if (c < 0x20 || c == 0x7f || (c >= 0xd800 && c <= 0xdfff) || c > 0x10ffff
            || (c < 0x80 && QStringLiteral("\\/:*?\"<>|").contains(QChar(char16_t(c)))))
            piece = QStringLiteral("_");
        else
            piece = QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
        const int size = int(piece.toUtf8().size());
        if (bytes + size > kMaxUtf8)
            break;
        bytes += size;
        name += piece;
    }
    name = name.trimmed();
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    if (name.isEmpty())
        return QStringLiteral("_");
    static const QRegularExpression reserved(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (reserved.match(name).hasMatch())
        name.prepend(QLatin1Char('_'));
    return name;
}

namespace {
// The company code of the set in `folder`, or "" when there is none.
QString setCompany(const QString& folder)
{
    QFile f(folder + QStringLiteral("T_001.txt"));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    BackupReader reader(f.readAll(), 27);
    QStringList row;
    return reader.next(&row) == BackupReader::Status::Row ? row.value(0) : QString();
}
} // namespace

QString defaultBackupFolder(AppContext& ctx)
{
    const QString base = ctx.dataFolder() + QStringLiteral("Data/");
    const QString folder = base + safeFolderName(ctx.companyName) + QLatin1Char('/');
    const QString owner = setCompany(folder);
    if (owner.isEmpty() || owner == ctx.companyId)
        return folder;
    return base + safeFolderName(ctx.companyName) + QLatin1Char('_') + ctx.companyId + QLatin1Char('/');
}

bool runAutomaticBackup(AppContext& ctx)
{
    if (!ctx.db().isOpen() || ctx.companyId.isEmpty() || ctx.companyId == QStringLiteral("無し"))
        return true;   // no company chosen: nothing to keep
    BackupWriter writer(ctx);
    return writer.write(defaultBackupFolder(ctx), QStringLiteral("RunBackUp.cmdBackUp_Click"));
}

} // namespace backup
} // namespace minasel
