#include "reports/ledgerdisplay.h"

#include "app/appcontext.h"
#include "reports/csvwriter.h"
#include "reports/ledgergrid.h"
#include "reports/printjob.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QFileInfo>
#include <QVBoxLayout>

namespace minasel::reports {

namespace {
constexpr int kFileError = 75;
}

LedgerDisplay::LedgerDisplay(AppContext& ctx, const QString& title, const QString& name) : Screen(ctx, title)
{
    setObjectName(name);
    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("cmbList"));
    m_list->setMinimumWidth(320);
    m_grid = new LedgerGrid(this);
    m_grid->setObjectName(QStringLiteral("flxDaityo"));
    m_csv = new QPushButton(QStringLiteral("CSV出力"), this);
    m_csv->setObjectName(QStringLiteral("cmdCsv"));
    m_back = new QPushButton(QStringLiteral("[f・6] 戻 る"), this);
    m_back->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton* b : {m_csv, m_back}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
    }

    m_top = new QVBoxLayout;
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_list);
    listRow->addStretch();
    m_top->addLayout(listRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_csv);
    buttons->addWidget(m_back);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(1100, 640);

    connect(m_list, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        showEntry(index);
        QApplication::restoreOverrideCursor();
    });
    connect(m_csv, &QPushButton::clicked, this, &LedgerDisplay::cmdCsv_Click);
    connect(m_back, &QPushButton::clicked, this, &QWidget::close);

    chooseCsvFile = [this](const QString& suggested) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("CSVファイルの保存先"), suggested,
                                            QStringLiteral("CSV ファイル (*.csv)"));
    };
}

void LedgerDisplay::setEntries(const QStringList& entries)
{
    const QSignalBlocker block(m_list);
    m_list->clear();
    m_list->addItems(entries);
    m_list->setCurrentIndex(-1);
}

void LedgerDisplay::setTable(LedgerTable table)
{
    m_grid->setTable(std::move(table));
}

bool LedgerDisplay::exportCsv(const QString& path)
{
    QString error;
    if (!CsvWriter::write(path, m_grid->table().csvRows(), &error)) {
        ctx().reportError(kFileError, error, objectName() + QStringLiteral(".cmdCsv_Click"));
        return false;
    }
    ctx().messages().information(
        QStringLiteral("CSVファイルを作成しました。\n%1").arg(QDir::toNativeSeparators(path)));
    return true;
}

void LedgerDisplay::cmdCsv_Click()
{
    // Named and placed as the PDF files are.
    QString suggested = PrintJob::suggestedPdfPath(csvName(), ctx().clock().today());
    suggested.chop(4);
    QString path = chooseCsvFile(suggested + QStringLiteral(".csv"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    exportCsv(path);
}

} // namespace minasel::reports
