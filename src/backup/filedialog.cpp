#include "backup/filedialog.h"

#include "app/appcontext.h"

#include <QDir>
#include <QFileInfo>

namespace minasel {

FileDialog::FileDialog(AppContext& ctx, const QString& startFolder, QWidget* parent)
    : QFileDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FileDialog"));
    setWindowTitle(QStringLiteral("フォルダ選択"));
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
    // The set's files show which folder holds a backup (where the platform lists files here).
    setNameFilter(QStringLiteral("バックアップファイル (T_*.txt manifest.txt)"));
    // Qt's own dialog, where the platform has none, speaks Japanese even before
    // its translations are loaded.
    setLabelText(QFileDialog::LookIn, QStringLiteral("場所:"));
    setLabelText(QFileDialog::FileName, QStringLiteral("フォルダ:"));
    setLabelText(QFileDialog::FileType, QStringLiteral("表示:"));
    setLabelText(QFileDialog::Accept, QStringLiteral("選択"));
    setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
    const QString start = QFileInfo(startFolder).isDir() ? startFolder : QDir::homePath();
    setDirectory(start);
}

QString FileDialog::folder() const
{
    const QStringList chosen = selectedFiles();
    QString path = chosen.isEmpty() ? directory().absolutePath() : chosen.first();
    path = QDir::cleanPath(path);
    if (path.isEmpty())
        return QString();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

QString FileDialog::chooseFolder(AppContext& ctx, QWidget* parent, const QString& startFolder)
{
    QString start = startFolder;
    for (;;) {
        FileDialog dialog(ctx, start, parent);
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        const QString chosen = dialog.folder();
        const QFileInfo info(chosen);
        if (!chosen.isEmpty() && info.isDir() && info.isReadable() && QDir(chosen).isReadable())
            return chosen;
        ctx.messages().exclamation(QStringLiteral("選択されたドライブにアクセスすることができません。"));
        start = dialog.directory().absolutePath();
    }
}

} // namespace minasel
