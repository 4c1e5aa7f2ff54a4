#include "masters/mastergridscreen.h"

#include "app/appcontext.h"
#include "masters/codemaster.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace minasel::masters {

namespace {
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    b->setMinimumWidth(110);
    return b;
}
} // namespace

MasterGridScreen::MasterGridScreen(AppContext& ctx, const QString& title, QWidget* parent) : Screen(ctx, title, parent)
{
    auto* root = new QVBoxLayout(this);
    m_header = new QVBoxLayout;
    root->addLayout(m_header);
    m_grid = new QTableWidget(this);
    m_grid->setObjectName(QStringLiteral("spGrid"));
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    m_grid->setTabKeyNavigation(false);
    root->addWidget(m_grid, 1);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("lblNote"));
    m_note->setVisible(false);
    root->addWidget(m_note);
    auto* buttons = new QHBoxLayout;
    m_write = makeButton(this, "cmdWrite", QStringLiteral("[f・1] 登 録"));
    m_delete = makeButton(this, "cmdDelete", QStringLiteral("[f・3] 削 除"));
    m_end = makeButton(this, "cmdEnd", QStringLiteral("[f・6] 戻 る"));
    m_write->setToolTip(QStringLiteral("一覧の内容を登録します。"));
    m_delete->setToolTip(QStringLiteral("選択された行を削除します。"));
    m_end->setToolTip(QStringLiteral("前の画面に戻ります。"));
    buttons->addWidget(m_write);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(m_end);
    root->addLayout(buttons);
    setTabOrder(m_grid, m_write);
    setTabOrder(m_write, m_delete);
    setTabOrder(m_delete, m_end);

    connect(m_write, &QPushButton::clicked, this, [this] { registerData(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteLine(); });
    connect(m_end, &QPushButton::clicked, this, [this] { close(); });
    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [this](int r, int c, int pr, int pc) { cellLeft(r, c, pr, pc); });
    connect(m_grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* it) { itemEdited(it->row(), it->column()); });
}

void MasterGridScreen::setNote(const QString& text)
{
    m_note->setText(text);
    m_note->setVisible(!text.isEmpty());
}

void MasterGridScreen::setupGrid(const QList<Column>& columns, int keyColumn, bool growing)
{
    m_columns = columns;
    m_keyColumn = keyColumn;
    m_growing = growing;
    QList<GridDelegate::ColumnKind> kinds;
    QStringList captions;
    for (const Column& c : columns) {
        kinds << c.kind;
        captions << c.caption;
    }
    m_delegate = new GridDelegate(kinds, m_grid);
    m_grid->setItemDelegate(m_delegate);
    m_grid->setColumnCount(int(columns.size()));
    m_grid->setHorizontalHeaderLabels(captions);
    int width = m_grid->verticalHeader()->sizeHint().width() + 4;
    for (int i = 0; i < columns.size(); ++i) {
        m_grid->setColumnWidth(i, columns[i].width);
        width += columns[i].width;
    }
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setMinimumWidth(width + m_grid->verticalScrollBar()->sizeHint().width() + 4);
}

void MasterGridScreen::newCell(int row, int column)
{
    auto* item = new QTableWidgetItem;
    switch (m_delegate->kind(column)) {
    case GridDelegate::ColumnKind::Amount:
        item->setData(Qt::EditRole, 0.0);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case GridDelegate::ColumnKind::Check:
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        break;
    default:
        item->setData(Qt::EditRole, QString());
        break;
    }
    m_grid->setItem(row, column, item);
}

void MasterGridScreen::setRows(int count)
{
    const bool was = m_loading;
    m_loading = true;
    const int old = m_grid->rowCount();
    m_grid->setRowCount(count);
    for (int r = old; r < count; ++r)
        for (int c = 0; c < m_grid->columnCount(); ++c)
            newCell(r, c);
    m_loading = was;
}

void MasterGridScreen::endLoad()
{
    m_loading = false;
    setChanged(false);
}

QString MasterGridScreen::text(int row, int column) const
{
    const QTableWidgetItem* it = m_grid->item(row, column);
    return it ? it->data(Qt::EditRole).toString() : QString();
}

double MasterGridScreen::amount(int row, int column) const
{
    const QTableWidgetItem* it = m_grid->item(row, column);
    return it ? it->data(Qt::EditRole).toDouble() : 0.0;
}

bool MasterGridScreen::checked(int row, int column) const
{
    const QTableWidgetItem* it = m_grid->item(row, column);
    return it && it->checkState() == Qt::Checked;
}

void MasterGridScreen::setLine(int row, const QStringList& texts, const QList<double>& amounts, const QList<int>& checks)
{
    const bool was = m_loading;
    m_loading = true;
    int t = 0, a = 0, k = 0;
    for (int c = 0; c < m_grid->columnCount(); ++c) {
        QTableWidgetItem* it = m_grid->item(row, c);
        switch (m_delegate->kind(c)) {
        case GridDelegate::ColumnKind::Amount:
            it->setData(Qt::EditRole, a < amounts.size() ? amounts[a++] : 0.0);
            break;
        case GridDelegate::ColumnKind::Check:
            it->setCheckState(k < checks.size() && checks[k++] ? Qt::Checked : Qt::Unchecked);
            break;
        default:
            it->setData(Qt::EditRole, t < texts.size() ? texts[t++] : QString());
            break;
        }
    }
    m_loading = was;
}

void MasterGridScreen::itemEdited(int row, int column)
{
    if (m_loading)
        return;
    setChanged(true);
    // Key texts are kept upper-cased and trimmed as they will be stored.
    if (column == m_keyColumn) {
        const QString t = text(row, column);
        const QString up = t.trimmed().toUpper();
        if (up != t) {
            m_loading = true;
            m_grid->item(row, column)->setData(Qt::EditRole, up);
            m_loading = false;
        }
    }
}

bool MasterGridScreen::checkKey(int row)
{
    if (row < 0 || row >= m_grid->rowCount())
        return true;
    QStringList keys;
    for (int r = 0; r < m_grid->rowCount(); ++r)
        keys << text(r, m_keyColumn);
    if (CodeMaster::findDuplicate(keys, row) < 0)
        return true;
    ctx().messages().exclamation(QStringLiteral("同じコード[ ") + keys.at(row).trimmed().toUpper()
                                 + QStringLiteral(" ]が既に存在しています。"));
    return false;
}

void MasterGridScreen::cellLeft(int row, int column, int previousRow, int previousColumn)
{
    if (m_loading || m_returning)
        return;
    if (previousColumn == m_keyColumn && previousRow >= 0 && (row != previousRow || column != previousColumn)
        && !checkKey(previousRow)) {
        // The cursor stays in the cell until the duplicate is resolved.
        m_returning = true;
        m_grid->setCurrentCell(previousRow, previousColumn);
        m_returning = false;
        return;
    }
    m_grid->setAttribute(Qt::WA_InputMethodEnabled, m_delegate->kind(column) == GridDelegate::ColumnKind::Name);
    if (m_growing && row >= 0 && row == m_grid->rowCount() - 1)
        setRows(m_grid->rowCount() + 1);
}

void MasterGridScreen::moveCell(bool forward)
{
    int r = m_grid->currentRow();
    int c = m_grid->currentColumn();
    if (r < 0) {
        m_grid->setCurrentCell(0, 0);
        return;
    }
    const int columns = m_grid->columnCount();
    if (forward) {
        if (++c >= columns) {
            c = 0;
            ++r;
        }
        if (r >= m_grid->rowCount()) {
            // Past the last line: on to the buttons (leaving the editor commits it).
            m_write->setFocus();
            return;
        }
    } else {
        if (--c < 0) {
            c = columns - 1;
            --r;
        }
        if (r < 0)
            return;
    }
    m_grid->setCurrentCell(r, c);
    m_grid->setFocus();
}

bool MasterGridScreen::handleKey(QWidget* receiver, QKeyEvent* event)
{
    if (!(receiver == m_grid || m_grid->isAncestorOf(receiver)))
        return false;
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (mods != Qt::NoModifier)
        return false;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool esc = event->key() == Qt::Key_Escape;
    if (!enter && !esc)
        return false;
    // Moving the cursor commits the cell being edited (and checks the key), as Tab does.
    moveCell(enter);
    return true;
}

void MasterGridScreen::deleteLine()
{
    const int row = m_grid->currentRow();
    if (row < 0 || row >= m_grid->rowCount())
        return;
    if (ctx().messages().show(Messages::Icon::Question, QStringLiteral("確認"),
                              QStringLiteral("選択された行を削除してもよろしいですか？"), Messages::Buttons::YesNo,
                              Messages::Answer::No)
        != Messages::Answer::Yes)
        return;
    // The lines below move up one and the last line is emptied.
    m_loading = true;
    const int rows = m_grid->rowCount();
    m_grid->removeRow(row);
    m_grid->insertRow(rows - 1);
    for (int c = 0; c < m_grid->columnCount(); ++c)
        newCell(rows - 1, c);
    m_loading = false;
    setChanged(true);
    m_grid->setCurrentCell(std::min(row, rows - 1), 0);
}

bool MasterGridScreen::registerData()
{
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        if (!checkKey(r)) {
            m_grid->setCurrentCell(r, m_keyColumn);
            return false;
        }
    }
    if (!store())
        return false;
    setChanged(false);
    emit saved();
    return true;
}

bool MasterGridScreen::canClose()
{
    if (!isChanged())
        return true;
    switch (ctx().messages().show(Messages::Icon::Question, QStringLiteral("確認"),
                                  QStringLiteral("データは変更されています。保存しますか？"),
                                  Messages::Buttons::YesNoCancel, Messages::Answer::Yes)) {
    case Messages::Answer::Yes:
        return registerData();
    case Messages::Answer::No:
        return true;
    default:
        return false;
    }
}

} // namespace minasel::masters
