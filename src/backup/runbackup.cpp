#include "backup/runbackup.h"

#include "app/appcontext.h"
#include "backup/backuprestorer.h"
#include "backup/backupwriter.h"
#include "backup/databasecompactor.h"
#include "backup/filedialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace minasel {

namespace {
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& hint)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setStatusTip(hint);
    b->setAutoDefault(false);
    b->setMinimumHeight(40);
    return b;
}
} // namespace

RunBackUp::RunBackUp(AppContext& ctx, QWidget* parent) : Screen(ctx, QStringLiteral("バックアップ処理"), parent)
{
    setObjectName(QStringLiteral("runBackUp"));
    auto* backUp = makeButton(this, "cmdBackUp", QStringLiteral("[f・1] バックアップ処理"),
                              QStringLiteral("入力データのバックアップ処理を行います。"));
    auto* restoreButton = makeButton(this, "cmdLoalBack", QStringLiteral("[f・2] 復旧処理"),
                                     QStringLiteral("バックアップデータから復旧処理を行います。"));
    auto* compactButton = makeButton(this, "cmdCompact", QStringLiteral("[f・3] DB最適化"),
                                     QStringLiteral("DBの最適化処理を行います。"));
    m_back = makeButton(this, "cmdBack", QStringLiteral("[f・6] 戻 る"), QStringLiteral("前の画面に戻ります。"));
    auto* question = makeButton(this, "cmdQuestion", QStringLiteral("？"), QStringLiteral("ヘルプを表示します。"));
    question->setFixedWidth(40);

    auto* readMe = new QLabel(QStringLiteral("毎月の給与計算終了後には、必ずバックアップ処理を実行するようにして下さい。"), this);
    readMe->setObjectName(QStringLiteral("lblReadMe"));
    readMe->setWordWrap(true);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("lblMessage"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold; font-size: 16pt;"));
    m_message->setVisible(false);

    auto* grid = new QGridLayout;
    grid->addWidget(backUp, 0, 0);
    grid->addWidget(restoreButton, 0, 1);
    grid->addWidget(compactButton, 1, 0);
    grid->addWidget(m_back, 1, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(readMe, 1);
    top->addWidget(question, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addWidget(m_message);
    layout->setContentsMargins(16, 16, 16, 16);
    m_message->setMinimumHeight(36);
    resize(600, 250);

    connect(backUp, &QPushButton::clicked, this, &RunBackUp::backUp);
    connect(restoreButton, &QPushButton::clicked, this, &RunBackUp::restore);
    connect(compactButton, &QPushButton::clicked, this, &RunBackUp::compact);
    connect(m_back, &QPushButton::clicked, this, &QWidget::close);
    connect(question, &QPushButton::clicked, this, &RunBackUp::showHelp);

    m_chooseFolder = [](RunBackUp* self) {
        const QString chosen = FileDialog::chooseFolder(self->ctx(), self, self->m_lastFolder);
        if (!chosen.isEmpty())
            self->m_lastFolder = chosen;
        return chosen;
    };
}

void RunBackUp::runBusy(const QString& label, const std::function<void()>& work)
{
    m_message->setText(label);
    m_message->setVisible(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setEnabled(false);
    repaint();
    work();
    // Keys and clicks that arrived meanwhile reach a disabled screen and are dropped.
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
    setEnabled(true);
    QApplication::restoreOverrideCursor();
    m_message->setVisible(false);
    repaint();
}

void RunBackUp::backUp()
{
    const QString folder = m_chooseFolder(this);
    if (folder.isEmpty())
        return;
    bool ok = false;
    runBusy(QStringLiteral("バックアップ処理中！！"), [&] {
        backup::BackupWriter writer(ctx());
        ok = writer.write(folder, QStringLiteral("RunBackUp.cmdBackUp_Click"));
    });
    if (ok)
        ctx().messages().information(QStringLiteral("バックアップ処理が正しく終了しました。"));
}

void RunBackUp::restore()
{
    const QString folder = m_chooseFolder(this);
    if (folder.isEmpty())
        return;
    backup::BackupRestorer restorer(ctx());
    // Nothing is replaced before the set has proved whole and the user has seen
    // what it holds against what the company holds now, and said Yes.
    if (restorer.check(folder) != backup::BackupRestorer::Outcome::Restored
        || restorer.confirm(folder) != backup::BackupRestorer::Outcome::Restored)
        return;
    backup::BackupRestorer::Outcome outcome = backup::BackupRestorer::Outcome::Failed;
    runBusy(QStringLiteral("復 旧 処 理 中 ！！"), [&] { outcome = restorer.apply(folder); });
    updateCaption();
    if (outcome == backup::BackupRestorer::Outcome::Restored)
        ctx().messages().information(backup::BackupRestorer::completionText());
}

void RunBackUp::compact()
{
    if (ctx().messages().question(backup::DatabaseCompactor::question()) != Messages::Answer::Yes)
        return;
    backup::DatabaseCompactor compactor(ctx());
    backup::DatabaseCompactor::Outcome outcome = backup::DatabaseCompactor::Outcome::CopyFailed;
    runBusy(QStringLiteral("DB最適化処理中 ！！"), [&] { outcome = compactor.run(); });
    // The working notice is gone before the completion message appears.
    if (outcome == backup::DatabaseCompactor::Outcome::Compacted)
        compactor.tellCompleted();
    m_back->setFocus();
}

void RunBackUp::showHelp()
{
    ctx().messages().information(QStringLiteral("バックアップ処理ボタンを押下すると、データのバックアップ処理を行います。\n"
                                                "復旧処理ボタンを押下すると、データが壊れてしまった場合の復旧処理を行います。\n"
                                                "DB最適化ボタンを押下すると、DBのDB最適化を行い、データアクセスが速くなります。"));
}

} // namespace minasel
