#pragma once
#include "app/screen.h"

#include <functional>

class QLabel;
class QPushButton;

namespace minasel {

// バックアップ処理: backup to a chosen folder, restore from one, compaction.
// The work itself is done by the backup classes; this screen picks the folder,
// shows that it is working and keeps input away until the work is done.
class RunBackUp : public Screen {
    Q_OBJECT
public:
    explicit RunBackUp(AppContext& ctx, QWidget* parent = nullptr);

    // Asks for a folder ("" = cancelled). Replaced in tests.
    using FolderChooser = std::function<QString(RunBackUp*)>;
    void setFolderChooser(FolderChooser chooser) { m_chooseFolder = std::move(chooser); }

    void backUp();
    void restore();
    void compact();
    void showHelp();

private:
    // Runs `work` with the hourglass, the working label shown and the screen
    // closed to input; input typed meanwhile is dropped, not run afterwards.
    void runBusy(const QString& label, const std::function<void()>& work);

    FolderChooser m_chooseFolder;
    QString m_lastFolder;
    QLabel* m_message;
    QPushButton* m_back;
};

} // namespace minasel
