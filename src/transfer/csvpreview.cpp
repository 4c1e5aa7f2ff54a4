#include "transfer/csvpreview.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace minasel::transfer {

CsvPreview::CsvPreview(const QList<BankCsvImport::Row>& rows, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CsvPreview"));
    setWindowTitle(QStringLiteral("振込口座の取込 - 確認"));
    const QList<QStringList> table = BankCsvImport::preview(rows);
    auto* grid = new QTableWidget(int(table.size()) - 1, int(table.first().size()), this);
    grid->setObjectName(QStringLiteral("grdPreview"));
    grid->setHorizontalHeaderLabels(table.first());
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->horizontalHeader()->setStretchLastSection(true);
    for (int r = 1; r < table.size(); ++r)
        for (int c = 0; c < table[r].size(); ++c) {
            auto* item = new QTableWidgetItem(table[r][c]);
            if (!rows[r - 1].error.isEmpty())
                item->setForeground(QColor(0xc0, 0, 0));
            grid->setItem(r - 1, c, item);
        }
    grid->resizeColumnsToContents();

    const int faults = BankCsvImport::errorCount(rows);
    auto* note = new QLabel(faults == 0 ? QStringLiteral("%1 件の振込口座を登録します。").arg(rows.size())
                                        : QStringLiteral("誤りのある行が %1 行あります。何も登録しません。"
                                                         "ファイルを直してから取り込み直して下さい。")
                                              .arg(faults),
                            this);
    note->setObjectName(QStringLiteral("lblResult"));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* store = buttons->addButton(QStringLiteral("登録"), QDialogButtonBox::AcceptRole);
    store->setObjectName(QStringLiteral("cmdTouroku"));
    store->setEnabled(faults == 0 && !rows.isEmpty());
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid, 1);
    layout->addWidget(note);
    layout->addWidget(buttons);
    resize(900, 480);
}

} // namespace minasel::transfer
