#include "reports/printpreview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace minasel::reports {

PrintPreview::PrintPreview(QPrinter* printer, PaintFn paint, const QString& title, QWidget* parent)
    : QDialog(parent), m_paint(std::move(paint))
{
    setWindowTitle(QStringLiteral("印刷プレビュー - %1").arg(title));
    setObjectName(QStringLiteral("PrintPreview"));
    m_view = new QPrintPreviewWidget(printer, this);
    m_view->setObjectName(QStringLiteral("pvPages"));
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* p) { m_paint(p); });
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &PrintPreview::updatePageLabel);

    auto button = [this](const QString& name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* prev = button(QStringLiteral("cmdPrevPage"), QStringLiteral("< 前頁"));
    QPushButton* next = button(QStringLiteral("cmdNextPage"), QStringLiteral("次頁 >"));
    QPushButton* fit = button(QStringLiteral("cmdFit"), QStringLiteral("全体表示"));
    QPushButton* zoomIn = button(QStringLiteral("cmdZoomIn"), QStringLiteral("拡大"));
    QPushButton* zoomOut = button(QStringLiteral("cmdZoomOut"), QStringLiteral("縮小"));
    QPushButton* print = button(QStringLiteral("cmdPrint"), QStringLiteral("印 刷"));
    QPushButton* close = button(QStringLiteral("cmdClose"), QStringLiteral("閉じる"));
    m_pageLabel = new QLabel(this);

    connect(prev, &QPushButton::clicked, this, [this] { m_view->setCurrentPage(m_view->currentPage() - 1); updatePageLabel(); });
    connect(next, &QPushButton::clicked, this, [this] { m_view->setCurrentPage(m_view->currentPage() + 1); updatePageLabel(); });
    connect(fit, &QPushButton::clicked, m_view, &QPrintPreviewWidget::fitInView);
    connect(zoomIn, &QPushButton::clicked, this, [this] { m_view->zoomIn(); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { m_view->zoomOut(); });
    connect(print, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* bar = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(prev), static_cast<QWidget*>(m_pageLabel), static_cast<QWidget*>(next),
                       static_cast<QWidget*>(fit), static_cast<QWidget*>(zoomIn), static_cast<QWidget*>(zoomOut)})
        bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(print);
    bar->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);
    resize(1000, 760);
    print->setFocus();
}

void PrintPreview::updatePageLabel()
{
    m_pageLabel->setText(QStringLiteral("%1 / %2").arg(m_view->currentPage()).arg(m_view->pageCount()));
}

} // namespace minasel::reports
