#include "backup/autobackup.h"

#include "app/appcontext.h"
#include "backup/backupreader.h"
#include "backup/backupwriter.h"
#include "backup/manifest.h"
#include "db/changecounter.h"

#include <QFile>
#include <QFileInfo>
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
    BackupReader reader(&f, 27);
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
    const QString procedure = QStringLiteral("RunBackUp.cmdBackUp_Click");
    const QString folder = defaultBackupFolder(ctx);
    // Nothing of the company changed since its last automatic backup, and that
    // set is still in its folder: writing it again would give the same files.
    db::ChangeCounter::State counter;
    QString error;
    const bool counted = db::ChangeCounter::read(ctx.db(), ctx.companyId, &counter, &error);
    if (counted && !counter.changedSinceAutomaticBackup() && QFileInfo::exists(folder + Manifest::fileName())) {
        ctx.logInfo(QStringLiteral("自動バックアップを省略しました（会社 %1 のデータは前回の自動バックアップ以降変更されていません）")
                        .arg(ctx.companyId),
                    procedure);
        return true;
    }
    BackupWriter writer(ctx);
    if (!writer.write(folder, procedure))
        return false;
    // A failure here only means the next end of a run backs up again.
    if (counted && !db::ChangeCounter::recordAutomaticBackup(ctx.db(), ctx.companyId, writer.changeCount(), &error))
        ctx.logInfo(QStringLiteral("自動バックアップの記録を残せませんでした（%1）").arg(error), procedure);
    return true;
}

} // namespace backup
} // namespace minasel
