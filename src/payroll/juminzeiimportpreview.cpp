#include "payroll/juminzeiimportpreview.h"

#include "app/appcontext.h"
#include "payroll/juminzeirepository.h"
#include "payroll/statementwidgets.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace minasel::payroll {

JuminzeiImportPreview::JuminzeiImportPreview(AppContext& ctx, const QString& fileName, int year, JuminzeiImport import)
    : Screen(ctx, QStringLiteral("住民税 特別徴収税額の取込")), m_import(std::move(import)), m_year(year)
{
    setObjectName(QStringLiteral("JuminzeiImportPreview"));
    resize(960, 560);
    auto* root = new QVBoxLayout(this);
    auto* summary = caption(this, QString(), QStringLiteral("lblSummary"));
    summary->setWordWrap(true);
    root->addWidget(summary);
    const QString file = QFileInfo(fileName).fileName();
    if (!m_import.ok()) {
        summary->setText(QStringLiteral("%1 は取り込めません。次の行を直してから、もう一度取り込んで下さい。何も登録していません。")
                             .arg(file));
        summary->setStyleSheet(QStringLiteral("color: #b00000;"));
        auto* list = new QListWidget(this);
        list->setObjectName(QStringLiteral("lstErrors"));
        list->addItems(m_import.errors());
        root->addWidget(list, 1);
    } else {
        summary->setText(QStringLiteral("%1 の %2 分: 新規 %3 名、変更 %4 名、変更なし %5 名。"
                                        "「登録」で変更のある行をすべて登録します。")
                             .arg(file, taxYearName(year))
                             .arg(m_import.count(JuminzeiImport::Change::New))
                             .arg(m_import.count(JuminzeiImport::Change::Changed))
                             .arg(m_import.count(JuminzeiImport::Change::Same)));
        const QList<QStringList> rows = m_import.previewRows();
        const QStringList headings = JuminzeiImport::previewHeadings();
        auto* grid = new QTableWidget(int(rows.size()), int(headings.size()), this);
        grid->setObjectName(QStringLiteral("grdPreview"));
        grid->setHorizontalHeaderLabels(headings);
        grid->verticalHeader()->hide();
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows[r].size(); ++c) {
                auto* item = new QTableWidgetItem(rows[r][c]);
                if (c >= 4 || c == 0)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                grid->setItem(r, c, item);
            }
        grid->resizeColumnsToContents();
        root->addWidget(grid, 1);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* cmdWrite = functionKeyButton(this, QStringLiteral("cmdWrite"), QStringLiteral("[f・1] 登 録"));
    auto* cmdCancel = functionKeyButton(this, QStringLiteral("cmdCancel"), QStringLiteral("[f・6] 戻 る"));
    setEnabledWithReason(cmdWrite, m_import.ok() && !m_import.schedules().isEmpty(),
                         m_import.ok() ? QStringLiteral("変更のある行がありません。")
                                       : QStringLiteral("取り込めない行があります。"));
    buttons->addWidget(cmdWrite);
    buttons->addWidget(cmdCancel);
    root->addLayout(buttons);
    connect(cmdWrite, &QPushButton::clicked, this, [this] {
        if (write())
            close();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
}

bool JuminzeiImportPreview::write()
{
    const QList<JuminzeiSchedule> schedules = m_import.schedules();
    if (!m_import.ok() || schedules.isEmpty())
        return false;
    if (!JuminzeiRepository(ctx(), QStringLiteral("DspJuminzei")).save(schedules))
        return false;
    m_stored = true;
    ctx().messages().information(
        QStringLiteral("%1 の特別徴収税額を %2 名分登録しました。").arg(taxYearName(m_year)).arg(schedules.size()));
    return true;
}

} // namespace minasel::payroll
