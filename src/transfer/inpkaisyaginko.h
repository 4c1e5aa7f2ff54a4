#pragma once
#include "app/screen.h"

class QPushButton;

namespace minasel {
class TextField;
}

namespace minasel::transfer {

class BankAccountBox;
class KanaField;
struct CompanyBank;

// The company's side of the salary transfer file, opened from the company
// screen: the client code its bank gave it, its name for the bank, the account
// the salaries are paid from, and the usual pay day (the default transfer date).
class InpKaisyaGinko : public Screen {
    Q_OBJECT
public:
    explicit InpKaisyaGinko(AppContext& ctx, QWidget* parent = nullptr);

    bool isLoaded() const { return m_loaded; }
    // read_data / write_data: false after a fault or a refused value.
    bool readData();
    bool writeData();

protected:
    bool canClose() override;
    void showEvent(QShowEvent* event) override;

private:
    CompanyBank collect() const;
    void fill(const CompanyBank& bank);
    void setButtonsEnabled(bool on);

    bool m_loaded = false;
    bool m_loading = false;
    TextField* m_clientCode;
    KanaField* m_clientName;
    BankAccountBox* m_account;
    TextField* m_payDay;
    QPushButton* m_write;
    QPushButton* m_back;
};

} // namespace minasel::transfer
