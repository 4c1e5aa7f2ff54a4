#pragma once
#include "app/screen.h"
#include "masters/griddelegate.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

namespace minasel::masters {

// What the grid masters share: the grid with its per-column editors, Enter and
// Esc moving between cells, the unique key column, line deletion, and the
// question on closing with unsaved edits.
class MasterGridScreen : public Screen {
    Q_OBJECT
public:
    struct Column {
        QString caption;
        GridDelegate::ColumnKind kind;
        int width;
    };

    MasterGridScreen(AppContext& ctx, const QString& title, QWidget* parent = nullptr);

    QTableWidget* grid() const { return m_grid; }
    // cmdWrite: true when everything was stored.
    bool registerData();

signals:
    void saved();

protected:
    // `keyColumn` holds the values that must be unique; `growing` adds a line
    // whenever the cursor reaches the last one.
    void setupGrid(const QList<Column>& columns, int keyColumn, bool growing);
    QVBoxLayout* headerLayout() const { return m_header; }
    void setNote(const QString& text);

    virtual bool store() = 0;   // writes the grid to the database

    // Cell access for the derived screens.
    QString text(int row, int column) const;
    double amount(int row, int column) const;
    bool checked(int row, int column) const;
    void setLine(int row, const QStringList& texts, const QList<double>& amounts, const QList<int>& checks);
    void setRows(int count);
    void beginLoad() { m_loading = true; }
    void endLoad();

    // check_code for one line: upper-cases the key and refuses a duplicate.
    bool checkKey(int row);
    void deleteLine();

    bool canClose() override;
    bool handleKey(QWidget* receiver, QKeyEvent* event) override;

private:
    void cellLeft(int row, int column, int previousRow, int previousColumn);
    void itemEdited(int row, int column);
    void moveCell(bool forward);
    void newCell(int row, int column);

    QVBoxLayout* m_header = nullptr;
    QTableWidget* m_grid = nullptr;
    GridDelegate* m_delegate = nullptr;
    QLabel* m_note = nullptr;
    QPushButton* m_write = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_end = nullptr;
    QList<Column> m_columns;
    int m_keyColumn = 0;
    bool m_growing = false;
    bool m_loading = false;
    bool m_returning = false;
};

} // namespace minasel::masters
