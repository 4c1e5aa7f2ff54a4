#include "reports/setuseprinter.h"

#include "app/appcontext.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace minasel::reports {

SetUsePrinter::SetUsePrinter(AppContext& ctx, PrinterList installed, QWidget* parent)
    : Screen(ctx, QStringLiteral("使用するプリンタの設定"), parent), m_installed(std::move(installed))
{
    setObjectName(QStringLiteral("SetUsePrinter"));
    if (!m_installed)
        m_installed = [] { return QPrinterInfo::availablePrinterNames(); };

    auto* frame = new QGroupBox(QStringLiteral("　使用するプリンタの設定　"), this);
    m_list = new QComboBox(frame);
    m_list->setObjectName(QStringLiteral("cmbPrinterList"));
    m_list->setMinimumWidth(360);
    auto* inFrame = new QVBoxLayout(frame);
    inFrame->addWidget(m_list);

    m_apply = new QPushButton(QStringLiteral("適 用"), this);
    m_apply->setObjectName(QStringLiteral("cmdSetPrinter"));
    m_cancel = new QPushButton(QStringLiteral("中 止"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton* b : {m_apply, m_cancel})
        b->setAutoDefault(false);
    connect(m_apply, &QPushButton::clicked, this, &SetUsePrinter::apply);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    fillPrinterList();
}

void SetUsePrinter::fillPrinterList()
{
    m_list->clear();
    QStringList names = m_installed();
    if (names.isEmpty())
        ctx().messages().information(QStringLiteral("プリンタードライバーがインストールされていません。"));
    std::reverse(names.begin(), names.end());
    m_list->addItems(names);
    // PDF output is always there, so a machine without printers can still print.
    m_list->addItem(AppContext::pdfPrinterName());
    m_list->setCurrentIndex(0);
}

void SetUsePrinter::apply()
{
    const QString chosen = m_list->currentText();
    // Asked again: a printer may have been removed while the screen was open.
    const bool found = chosen == AppContext::pdfPrinterName() || m_installed().contains(chosen);
    if (found) {
        ctx().printerName = chosen;
        ctx().messages().exclamation(QStringLiteral("通常使うプリンターを[ %1 ]に変更しました。").arg(chosen.trimmed()));
    } else {
        ctx().messages().exclamation(QStringLiteral("通常使うプリンターの変更処理に失敗しました。"));
    }
    close();
}

} // namespace minasel::reports
