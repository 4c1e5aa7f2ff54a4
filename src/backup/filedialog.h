#pragma once
#include <QFileDialog>

namespace minasel {

class AppContext;

// フォルダ選択: the platform's own folder dialog (with a path field and a
// button for a new folder), in Japanese, showing the backup files of the folder
// where the platform's dialog can show files at all.
class FileDialog : public QFileDialog {
    Q_OBJECT
public:
    FileDialog(AppContext& ctx, const QString& startFolder, QWidget* parent = nullptr);

    // The chosen folder ending with '/', or "" when the user cancelled. A folder
    // that cannot be read is refused with the program's message and the dialog
    // opens again.
    static QString chooseFolder(AppContext& ctx, QWidget* parent, const QString& startFolder);

    // The folder chosen or shown, ending with '/'.
    QString folder() const;

private:
    AppContext& m_ctx;
};

} // namespace minasel
