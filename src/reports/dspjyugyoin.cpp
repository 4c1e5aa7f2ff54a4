#include "reports/dspjyugyoin.h"

#include "app/appcontext.h"
#include "reports/csvwriter.h"
#include "reports/printjob.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace minasel::reports {

namespace {
constexpr int kFileError = 75;
}

DspJyugyoin::DspJyugyoin(AppContext& ctx, const QStringList& codes, QWidget* parent)
    : Screen(ctx, QStringLiteral("従業員名簿表示"), parent), m_codes(codes)
{
    setObjectName(QStringLiteral("DspJyugyoin"));
    const QStringList headings = EmployeeList::displayHeadings();
    m_grid = new QTableWidget(0, int(headings.size()), this);
    m_grid->setObjectName(QStringLiteral("grdJyugyoin"));
    m_grid->setHorizontalHeaderLabels(headings);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(22);

    m_csv = new QPushButton(QStringLiteral("CSV出力"), this);
    m_csv->setObjectName(QStringLiteral("cmdCsv"));
    m_csv->setToolTip(QStringLiteral("表示している従業員名簿をCSVファイルに書き出します。"));
    m_cancel = new QPushButton(QStringLiteral("[f・6] 戻 る"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cancel->setToolTip(QStringLiteral("前の画面に戻ります。"));
    for (QPushButton* b : {m_csv, m_cancel})
        b->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_csv);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(1000, 520);

    chooseCsvFile = [this](const QString& suggested) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("CSVファイルの保存先"), suggested,
                                            QStringLiteral("CSV ファイル (*.csv)"));
    };
    connect(m_csv, &QPushButton::clicked, this, [this] { exportCsv(); });
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);

    displayData();
}

bool DspJyugyoin::displayData()
{
    m_grid->setRowCount(0);
    if (!EmployeeList(ctx()).read(m_codes, EmployeeList::displayProcedures(), &m_entries))
        return false;
    const QList<EmployeeList::Column>& columns = EmployeeList::displayColumns();
    m_grid->setRowCount(int(m_entries.size()));
    for (int r = 0; r < m_entries.size(); ++r) {
        const QStringList row = EmployeeList::displayRow(m_entries[r]);
        for (int c = 0; c < row.size(); ++c) {
            auto* item = new QTableWidgetItem(row[c]);
            if (EmployeeList::isNumeric(columns[c].field))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(r, c, item);
        }
    }
    m_grid->resizeColumnsToContents();
    return true;
}

bool DspJyugyoin::exportCsv()
{
    QString path = PrintJob::suggestedPdfPath(QStringLiteral("従業員名簿"), ctx().clock().today());
    path = QDir(QFileInfo(path).path()).filePath(QFileInfo(path).completeBaseName() + QStringLiteral(".csv"));
    path = chooseCsvFile(path);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    QString error;
    if (!CsvWriter::write(path, EmployeeList::table(m_entries), &error)) {
        ctx().reportError(kFileError, error, QStringLiteral("dspJyugyoin.cmdCsv_Click"));
        return false;
    }
    ctx().messages().information(QStringLiteral("CSVファイルを作成しました。\n%1").arg(QDir::toNativeSeparators(path)));
    return true;
}

} // namespace minasel::reports
