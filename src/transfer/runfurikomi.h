#pragma once
#include "app/screen.h"
#include "reports/printjob.h"
#include "transfer/bankcsvimport.h"
#include "transfer/transferdata.h"
#include "transfer/transferfile.h"

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace minasel {
class TextField;
}

namespace minasel::transfer {

// 振込データ作成: the bank transfer file of a pay month's salaries or bonuses.
// The employees with a stored statement are listed with their net pay and
// account, ticked for the transfer; those who cannot be paid by transfer are
// listed apart. Writing checks the file as a bank's upload does and shows its
// trailer beside the sum of the statements; the transfer list prints the same data.
class RunFurikomi : public Screen {
    Q_OBJECT
public:
    explicit RunFurikomi(AppContext& ctx, QWidget* parent = nullptr);
    ~RunFurikomi() override;

    // The file name the user chooses ("" when he cancels); tests replace it.
    std::function<QString(const QString& suggested)> chooseFile;
    reports::PrintJob::Hooks& printHooks() { return m_printHooks; }
    // The CSV of employees' accounts to import ("" when cancelled), and the user's
    // word on its preview; tests replace both.
    std::function<QString()> chooseCsv;
    std::function<bool(const QList<BankCsvImport::Row>& rows)> confirmImport;

    // read_data: the statements of the month and kind, and the company's account.
    bool readData();
    // The same when the pay month or kind differs from the list's.
    void readIfChanged();
    // Writes the file of the ticked employees; false when refused, cancelled or failed.
    bool writeFile();
    bool printList();
    // Employees' accounts from a CSV file, shown before anything is stored.
    bool importCsv();
    void setAllChecked(bool on);
    QStringList checkedCodes() const;
    // 振込指定日 as typed, "MMDD".
    QString typedDate() const;
    const QString& lastPath() const { return m_lastPath; }

private:
    QString payMonth() const;
    int kind() const;
    bool checkConditions();
    bool prepare(TransferFile::Result* result);
    void showTotals();
    void showResult(const TransferFile::Result& result);

    TextField* m_year;
    TextField* m_month;
    QRadioButton* m_salary;
    QRadioButton* m_bonus;
    TextField* m_dateMonth;
    TextField* m_dateDay;
    QCheckBox* m_crlf;
    QLabel* m_client;
    QTableWidget* m_grid;
    QTableWidget* m_excluded;
    QLabel* m_chosen;
    QLabel* m_trailer;
    QLabel* m_statements;
    QPushButton* m_all;
    QPushButton* m_none;
    QPushButton* m_csv;
    QPushButton* m_write;
    QPushButton* m_print;
    QPushButton* m_back;

    bool m_hasCompany = false;
    QList<TransferLine> m_lines;
    QString m_readFor;   // the pay month and kind the list was read for
    QString m_lastPath;
    reports::PrintJob::Hooks m_printHooks;
};

} // namespace minasel::transfer
