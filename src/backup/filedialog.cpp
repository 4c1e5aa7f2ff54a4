#include "backup/filedialog.h"

#include "app/appcontext.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace minasel {

FileDialog::FileDialog(AppContext& ctx, const QStringList& fileFilter, const QString& startFolder, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_filter(fileFilter)
{
    setObjectName(QStringLiteral("FileDialog"));
    setWindowTitle(QStringLiteral("フォルダ選択"));
    resize(560, 420);

    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("Drive1"));
    QStringList roots;
    for (const QFileInfo& d : QDir::drives())
        roots << d.absoluteFilePath();
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes())
        if (s.isValid() && s.isReady() && !roots.contains(s.rootPath()) && !s.rootPath().startsWith(QLatin1String("/proc"))
            && !s.rootPath().startsWith(QLatin1String("/sys")) && !s.rootPath().startsWith(QLatin1String("/dev")))
            roots << s.rootPath();
    const QString home = QDir::homePath();
    if (!roots.contains(home))
        roots << home;
    m_drives->addItems(roots);

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QString());
    m_folders = new QTreeView(this);
    m_folders->setObjectName(QStringLiteral("Dir1"));
    m_folders->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_folders->hideColumn(c);
    m_folders->header()->hide();

    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("File1"));
    m_files->setSelectionMode(QAbstractItemView::NoSelection);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancle"));
    for (QPushButton* b : {ok, cancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("ドライブ"), this));
    left->addWidget(m_drives);
    left->addWidget(new QLabel(QStringLiteral("フォルダ"), this));
    left->addWidget(m_folders, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("ファイル"), this));
    right->addWidget(m_files, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addLayout(right, 2);

    connect(m_drives, &QComboBox::activated, this, &FileDialog::driveChosen);
    connect(m_folders->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { refreshFiles(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setFolder(QFileInfo(startFolder).isDir() ? startFolder : home);
}

void FileDialog::driveChosen(int index)
{
    const QString root = m_drives->itemText(index);
    if (!QDir(root).isReadable()) {
        m_ctx.messages().exclamation(QStringLiteral("選択されたドライブにアクセスすることができません。"));
        m_drives->setCurrentIndex(m_driveIndex);
        return;
    }
    m_driveIndex = index;
    setFolder(root);
}

QString FileDialog::folder() const
{
    QString path = m_model->filePath(m_folders->currentIndex());
    if (path.isEmpty())
        return QString();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

void FileDialog::setFolder(const QString& path)
{
    const QModelIndex index = m_model->index(QDir::cleanPath(path));
    m_folders->setCurrentIndex(index);
    m_folders->scrollTo(index);
    m_folders->expand(index);
    refreshFiles();
}

void FileDialog::refreshFiles()
{
    m_files->clear();
    const QString path = m_model->filePath(m_folders->currentIndex());
    if (path.isEmpty())
        return;
    m_files->addItems(QDir(path).entryList(m_filter, QDir::Files, QDir::Name));
}

QString FileDialog::chooseFolder(AppContext& ctx, QWidget* parent, const QStringList& fileFilter,
                                 const QString& startFolder)
{
    FileDialog dialog(ctx, fileFilter, startFolder, parent);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.folder();
}

} // namespace minasel
