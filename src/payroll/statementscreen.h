#pragma once
#include "app/screen.h"
#include "payroll/meisairecord.h"
#include "payroll/statementrepository.h"
#include "reports/printjob.h"

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace minasel::payroll {

// What the salary and bonus statement screens share: pay year and month with their
// normalisation, the list of employees still employed, loading the stored statement
// or else the master, and registering, deleting and printing the statement of one
// pay kind. The screens add their fields and computation.
class StatementScreen : public Screen {
    Q_OBJECT
public:
    StatementScreen(AppContext& ctx, const QString& title, const QString& form, const QString& kind);

    QString payMonth() const;       // year text followed by month text
    QString employeeCode() const;   // first five characters of the chosen entry, "" when none
    // The statement as the screen shows it, ready to be stored.
    virtual MeisaiRecord statementOnScreen() const = 0;
    // How the print button prints (tests replace the dialogs).
    reports::PrintJob::Hooks& printHooks() { return m_printHooks; }

protected:
    // Fills the employee list and clears the screen for a first opening. Called by the
    // screen's constructor once its fields exist.
    void initialise();

    // set_jyugyoin_combo
    bool set_jyugyoin_combo();
    // check_input: year, month and employee are there; else the message and the focus.
    bool check_input(const QString& caption);
    bool delete_data();
    // Reads the statement of the chosen month and employee again (stored row, else master).
    void reload(bool force = false);

    // The screen's own parts.
    virtual void clear_data() = 0;                   // every statement field back to 0
    virtual bool read_meisai_data(bool* found) = 0;  // false on a database failure
    virtual void read_data() = 0;
    virtual void recalculate() = 0;
    virtual QWidget* firstStatementField() const = 0;

    // F6 and the close box ask before typed entries are thrown away.
    bool canClose() override;
    // What is on screen now counts as unchanged (after loading or registering).
    void markUnchanged() { m_shown = statementOnScreen(); }

    void setStatus(const QString& text);
    // The row of pay year, pay month and employee that heads both statements.
    QHBoxLayout* monthAndEmployeeRow();

    StatementRepository& repository() { return m_repo; }
    const QString& form() const { return m_form; }

    QLineEdit* m_txtYear = nullptr;
    QLineEdit* m_txtMonth = nullptr;
    QComboBox* m_cmbJyugyoin = nullptr;
    QPushButton* m_cmdWrite = nullptr;
    QPushButton* m_cmdDelete = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QLabel* m_lblStatus = nullptr;
    QLabel* m_lblJuminzeiReminder = nullptr;

private:
    void cmdWrite_Click();
    void cmdDelete_Click();
    void cmdPrint_Click();
    void yearFinished();
    void monthFinished();
    void payMonthChanged();
    // The June update of the resident-tax notices, while it is not done.
    void showJuminzeiReminder();
    bool registerStatement();

    StatementRepository m_repo;
    QString m_form;
    QString m_kind;
    QString m_loadedKey;   // pay month and employee now on screen
    MeisaiRecord m_shown;  // the statement as loaded or last registered
    reports::PrintJob::Hooks m_printHooks;
};

} // namespace minasel::payroll
