#pragma once
#include "app/screen.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace minasel::transfer {

class BankAccountBox;
class KanaField;
struct EmployeeBank;

// One employee's account for the salary transfer, opened from the employee
// master for the employee shown there; whether his net pay goes by transfer.
class MstJyugyoinGinko : public Screen {
    Q_OBJECT
public:
    explicit MstJyugyoinGinko(AppContext& ctx, QWidget* parent = nullptr);

    // Chooses the employee (opened by name, so the opener passes him this way).
    // False, after telling the user, when he is not registered or a fault occurred.
    Q_INVOKABLE bool setEmployee(const QString& code);

    QString code() const { return m_code; }
    bool writeData();
    bool deleteData();

private:
    EmployeeBank collect() const;
    void fill(const EmployeeBank& bank);
    void setButtonsEnabled(bool on);
    void transferToggled();

    QString m_code;
    QString m_kana;   // the name in kana of the master, offered as the holder name
    bool m_loading = false;
    QLabel* m_employee;
    QCheckBox* m_transfer;
    BankAccountBox* m_account;
    KanaField* m_holder;
    QPushButton* m_fromKana;
    QPushButton* m_write;
    QPushButton* m_delete;
    QPushButton* m_back;
};

} // namespace minasel::transfer
