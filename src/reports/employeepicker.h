#pragma once
#include "reports/pickerlists.h"

#include <QWidget>

class QPushButton;
class QTableWidget;

namespace minasel {
class AppContext;
class TextField;
}

namespace minasel::reports {

// The two-list employee picker of the report screens: candidates on the left,
// chosen employees on the right, both in code order; the arrows move the
// selected run of rows, and a code range moves every candidate inside it.
// The grids show a heading and never fewer than 23 rows below it.
class EmployeePicker : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinimumRows = 23;   // data rows under the heading

    explicit EmployeePicker(AppContext& ctx, QWidget* parent = nullptr);

    // New candidates (the chosen list is emptied).
    void setCandidates(const QList<PickerEntry>& candidates);
    const QList<PickerEntry>& candidates() const { return m_lists.left(); }
    const QList<PickerEntry>& chosen() const { return m_lists.right(); }
    int leftCount() const { return int(m_lists.left().size()); }
    int rightCount() const { return int(m_lists.right().size()); }

    QTableWidget* leftGrid() const { return m_left; }
    QTableWidget* rightGrid() const { return m_right; }
    QPushButton* toRightButton() const { return m_toRight; }
    QPushButton* toLeftButton() const { return m_toLeft; }
    TextField* startField() const { return m_start; }
    TextField* endField() const { return m_end; }

    // The arrows' actions.
    void moveSelectedRight();
    void moveSelectedLeft();
    // What leaving the end code does: check the range and move it right.
    void applyRange();

    static QString codeHeading() { return QStringLiteral(" 従業員番号"); }
    static QString nameHeading() { return QStringLiteral("　　　　　　　　氏     名"); }

signals:
    void chosenChanged();

private:
    QTableWidget* makeGrid(const QString& name);
    void fillGrid(QTableWidget* grid, const QList<PickerEntry>& entries);
    void refill();
    void updateArrow(QTableWidget* grid, QPushButton* arrow, int count);
    static void setArrowEnabled(QPushButton* arrow, bool enabled);
    static bool selectedRun(QTableWidget* grid, int* row, int* otherEnd);

    AppContext& m_ctx;
    PickerLists m_lists;
    QTableWidget* m_left;
    QTableWidget* m_right;
    QPushButton* m_toRight;
    QPushButton* m_toLeft;
    TextField* m_start;
    TextField* m_end;
    bool m_inRange = false;
};

} // namespace minasel::reports
