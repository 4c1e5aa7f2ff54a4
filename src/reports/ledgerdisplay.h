#pragma once
#include "app/screen.h"
#include "reports/ledgertable.h"

#include <functional>

class QComboBox;
class QPushButton;
class QVBoxLayout;

namespace minasel::reports {

class LedgerGrid;

// What both ledger display screens share: the list of what to show at the top
// (`cmbList`), the grid (`flxDaityo`), "CSV出力" writing exactly the grid, and back.
class LedgerDisplay : public Screen {
    Q_OBJECT
public:
    LedgerDisplay(AppContext& ctx, const QString& title, const QString& name);

    QComboBox* list() const { return m_list; }
    LedgerGrid* grid() const { return m_grid; }

    // Writes the grid to a CSV file; false (reported) when it cannot be written.
    bool exportCsv(const QString& path);
    // Asks for the file (the dialog unless replaced), then writes it.
    void cmdCsv_Click();
    // The CSV file to write, "" when the user cancelled (tests replace the dialog).
    std::function<QString(const QString& suggested)> chooseCsvFile;

protected:
    // Fills the grid for the list's entry `index` (the last entry is all data).
    virtual void showEntry(int index) = 0;
    // The file name the CSV export suggests, without folder and suffix.
    virtual QString csvName() const = 0;

    void setEntries(const QStringList& entries);
    void setTable(LedgerTable table);
    QVBoxLayout* topArea() const { return m_top; }

private:
    QComboBox* m_list;
    LedgerGrid* m_grid;
    QPushButton* m_csv;
    QPushButton* m_back;
    QVBoxLayout* m_top;
};

} // namespace minasel::reports
