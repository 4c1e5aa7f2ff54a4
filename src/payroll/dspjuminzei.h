#pragma once
#include "app/screen.h"
#include "payroll/juminzeirepository.h"

#include <functional>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace minasel::payroll {

// 住民税 特別徴収税額一覧: every employee still employed with the notice of a tax year,
// those without one marked, so that the June update is not forgotten. From here the
// notice of the chosen employee is typed, or the notices of all are read from CSV.
class DspJuminzei : public Screen {
    Q_OBJECT
public:
    explicit DspJuminzei(AppContext& ctx);

    void setYear(int year);
    int year() const;
    // How the CSV file is chosen (tests replace the dialog); "" when cancelled.
    std::function<QString(QWidget*)> chooseFile;

    // Reads the list again.
    bool refresh();
    // Opens the entry screen on the chosen employee; the list is read again when it closes.
    QWidget* openEntry();
    // Reads the CSV file and opens its preview; nullptr when nothing was read.
    QWidget* importCsv();

private:
    JuminzeiRepository m_repo;
    QLineEdit* m_txtNendo = nullptr;
    QLabel* m_lblNendo = nullptr;
    QTableWidget* m_grid = nullptr;
    QLabel* m_lblSummary = nullptr;
    QList<JuminzeiRepository::Line> m_lines;
};

} // namespace minasel::payroll
