#pragma once
#include "app/screen.h"
#include "reports/employeelist.h"

#include <functional>

class QPushButton;
class QTableWidget;

namespace minasel::reports {

// The chosen employees in a grid, one line each in code order, with the
// headings of the employee list; the grid can be exported as CSV.
class DspJyugyoin : public Screen {
    Q_OBJECT
public:
    DspJyugyoin(AppContext& ctx, const QStringList& codes, QWidget* parent = nullptr);

    QTableWidget* grid() const { return m_grid; }
    // The CSV file to write, "" when the user cancelled (tests replace the dialog).
    std::function<QString(const QString& suggested)> chooseCsvFile;

    // display_data: reads the employees and fills the grid.
    bool displayData();
    // Writes the headings and rows of the grid; false when cancelled or failed.
    bool exportCsv();

private:
    QStringList m_codes;
    QList<EmployeeListEntry> m_entries;
    QTableWidget* m_grid;
    QPushButton* m_csv;
    QPushButton* m_cancel;
};

} // namespace minasel::reports
