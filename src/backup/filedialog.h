#pragma once
#include <QDialog>
#include <QStringList>

class QComboBox;
class QListWidget;
class QTreeView;
class QFileSystemModel;

namespace minasel {

class AppContext;

// フォルダ選択: a drive list, a folder list and the files of the chosen folder
// (only the names in `fileFilter`), with OK and Cancel.
class FileDialog : public QDialog {
    Q_OBJECT
public:
    FileDialog(AppContext& ctx, const QStringList& fileFilter, const QString& startFolder, QWidget* parent = nullptr);

    // The chosen folder ending with '/', or "" when the user cancelled.
    static QString chooseFolder(AppContext& ctx, QWidget* parent, const QStringList& fileFilter,
                                const QString& startFolder);

    QString folder() const;
    void setFolder(const QString& path);

private:
    void driveChosen(int index);
    void refreshFiles();

    AppContext& m_ctx;
    QStringList m_filter;
    QComboBox* m_drives;
    QTreeView* m_folders;
    QFileSystemModel* m_model;
    QListWidget* m_files;
    int m_driveIndex = 0;
};

} // namespace minasel
