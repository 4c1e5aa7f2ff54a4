#include "reports/employeepicker.h"

#include "app/appcontext.h"
#include "app/screen.h"
#include "app/textfield.h"
#include "app/valuehelpers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace minasel::reports {

EmployeePicker::EmployeePicker(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx)
{
    m_left = makeGrid(QStringLiteral("gdLeft"));
    m_right = makeGrid(QStringLiteral("gdRight"));
    m_toRight = new QPushButton(QStringLiteral("==>"), this);
    m_toRight->setObjectName(QStringLiteral("cmdTORIGHT"));
    m_toLeft = new QPushButton(QStringLiteral("<=="), this);
    m_toLeft->setObjectName(QStringLiteral("cmdTOLEFT"));
    m_toRight->setToolTip(QStringLiteral("選んだ従業員を右の一覧へ移します。"));
    m_toLeft->setToolTip(QStringLiteral("選んだ従業員を左の一覧へ戻します。"));
    for (QPushButton* b : {m_toRight, m_toLeft})
        b->setAutoDefault(false);
    m_start = new TextField(this, TextField::Kind::Code);
    m_start->setObjectName(QStringLiteral("txtStartNo"));
    m_end = new TextField(this, TextField::Kind::Code);
    m_end->setObjectName(QStringLiteral("txtEndNo"));
    for (TextField* f : {m_start, m_end}) {
        f->setMaxLength(5);
        f->setFixedWidth(70);
    }

    connect(m_toRight, &QPushButton::clicked, this, &EmployeePicker::moveSelectedRight);
    connect(m_toLeft, &QPushButton::clicked, this, &EmployeePicker::moveSelectedLeft);
    connect(m_left, &QTableWidget::itemSelectionChanged, this,
            [this] { updateArrow(m_left, m_toRight, leftCount()); });
    connect(m_right, &QTableWidget::itemSelectionChanged, this,
            [this] { updateArrow(m_right, m_toLeft, rightCount()); });
    // Range codes are read as the employee master writes codes ("1" is "00001"),
    // so that a range typed short still compares with the listed codes.
    connect(m_start, &QLineEdit::editingFinished, this, [this] {
        m_start->setText(NormalizeEmployeeCode(m_start->text()));
    });
    connect(m_end, &QLineEdit::editingFinished, this, &EmployeePicker::applyRange);

    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel(QStringLiteral("従業員番号"), this));
    range->addWidget(m_start);
    range->addWidget(new QLabel(QStringLiteral("～"), this));
    range->addWidget(m_end);
    range->addStretch();

    auto* arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(m_toRight);
    arrows->addSpacing(12);
    arrows->addWidget(m_toLeft);
    arrows->addStretch();

    auto* lists = new QHBoxLayout;
    lists->addWidget(m_left, 1);
    lists->addLayout(arrows);
    lists->addWidget(m_right, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(range);
    layout->addLayout(lists, 1);

    refill();
}

QTableWidget* EmployeePicker::makeGrid(const QString& name)
{
    auto* grid = new QTableWidget(kMinimumRows, 2, this);
    grid->setObjectName(name);
    grid->setHorizontalHeaderLabels({codeHeading(), nameHeading()});
    grid->verticalHeader()->hide();
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setColumnWidth(0, 90);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->setMinimumWidth(280);
    grid->setMinimumHeight(20 * 12);
    return grid;
}

void EmployeePicker::fillGrid(QTableWidget* grid, const QList<PickerEntry>& entries)
{
    QSignalBlocker block(grid);
    grid->setUpdatesEnabled(false);
    grid->clearContents();
    grid->setRowCount(std::max<int>(kMinimumRows, int(entries.size())));
    for (int r = 0; r < entries.size(); ++r) {
        grid->setItem(r, 0, new QTableWidgetItem(entries[r].code));
        grid->setItem(r, 1, new QTableWidgetItem(entries[r].name));
    }
    grid->setUpdatesEnabled(true);
}

void EmployeePicker::refill()
{
    fillGrid(m_left, m_lists.left());
    fillGrid(m_right, m_lists.right());
    // Back to the first row with nothing selected, both arrows off until the user picks.
    for (QTableWidget* grid : {m_left, m_right}) {
        QSignalBlocker block(grid);
        grid->clearSelection();
        grid->setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);
    }
    setArrowEnabled(m_toRight, false);
    setArrowEnabled(m_toLeft, false);
}

void EmployeePicker::setArrowEnabled(QPushButton* arrow, bool enabled)
{
    Screen::setEnabledWithReason(arrow, enabled, QStringLiteral("一覧で従業員を選ぶと使えます。"));
}

void EmployeePicker::setCandidates(const QList<PickerEntry>& candidates)
{
    m_lists.setCandidates(candidates);
    refill();
    emit chosenChanged();
}

bool EmployeePicker::selectedRun(QTableWidget* grid, int* row, int* otherEnd)
{
    const QList<QTableWidgetSelectionRange> ranges = grid->selectedRanges();
    if (ranges.isEmpty())
        return false;
    int top = ranges.first().topRow();
    int bottom = ranges.first().bottomRow();
    for (const auto& r : ranges) {
        top = std::min(top, r.topRow());
        bottom = std::max(bottom, r.bottomRow());
    }
    *row = top;
    *otherEnd = bottom;
    return true;
}

void EmployeePicker::updateArrow(QTableWidget* grid, QPushButton* arrow, int count)
{
    int row = 0;
    int end = 0;
    setArrowEnabled(arrow, selectedRun(grid, &row, &end) && (row < count || end < count));
}

void EmployeePicker::moveSelectedRight()
{
    int row = 0;
    int end = 0;
    if (selectedRun(m_left, &row, &end))
        m_lists.moveRight(row, end);
    refill();
    emit chosenChanged();
}

void EmployeePicker::moveSelectedLeft()
{
    int row = 0;
    int end = 0;
    if (selectedRun(m_right, &row, &end))
        m_lists.moveLeft(row, end);
    refill();
    emit chosenChanged();
}

void EmployeePicker::applyRange()
{
    if (m_inRange || m_end->text().isEmpty())
        return;
    m_inRange = true;
    m_end->setText(NormalizeEmployeeCode(m_end->text()));
    m_start->setText(NormalizeEmployeeCode(m_start->text()));
    const QString start = m_start->text().trimmed();
    const QString end = m_end->text().trimmed();
    if (start > end) {
        m_ctx.messages().exclamation(QStringLiteral("従業員番号の入力に誤りがあります。　再入力して下さい。"));
        m_end->setFocus();
        m_end->selectAll();
        m_inRange = false;
        return;
    }
    int first = 0;
    int last = 0;
    if (m_lists.rangeRows(start, end, &first, &last)) {
        m_lists.moveRight(first, last);
        refill();
        emit chosenChanged();
    }
    m_inRange = false;
}

} // namespace minasel::reports
