#pragma once
#include "app/screen.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace minasel {
class NumberField;
class TextField;
}

namespace minasel::masters {

struct Employee;
class HyojunBox;

// The employee master: one employee at a time, chosen by typing the code.
class MstJyugyoin : public Screen {
    Q_OBJECT
public:
    explicit MstJyugyoin(AppContext& ctx, QWidget* parent = nullptr);

    QString currentCode() const { return m_currentCode; }

    // The procedures of the screen (public for the other-allowances screen and tests).
    bool readData();
    void setSikakuCombo();
    void setFukakyuCombo();
    void calculateTimemoney();
    void clearForm(bool keepCode);

private:
    struct DateFields {
        TextField* year;
        TextField* month;
        TextField* day;
    };

    void build();
    DateFields makeDate(const char* year, const char* month, const char* day, QLabel* dayLabel);
    void normaliseDate(const DateFields& d);
    static QString joinDate(const DateFields& d);
    void showDate(const DateFields& d, const QString& yyyymmdd);
    bool dateIsPartial(const DateFields& d) const;
    void updateAge();
    void codeLeft();
    void classChosen();
    void fill(const Employee& e);
    Employee collect() const;
    void write();
    void remove();
    void openItems(bool allowances);
    // Opens a screen of another subsystem on the employee shown (made by name and told
    // the employee by its setEmployee); `what` names the setting when the code is missing.
    void openForEmployee(const QString& screenName, const QString& what);
    void edited();
    // Health and pension from the standard amount, when one is set.
    void updatePremiums();

    QString m_currentCode;
    bool m_loading = false;

    TextField* m_code = nullptr;
    TextField* m_name = nullptr;
    TextField* m_kana = nullptr;
    QComboBox* m_sex = nullptr;
    DateFields m_birth{};
    QLabel* m_age = nullptr;
    TextField* m_zip = nullptr;
    TextField* m_add1 = nullptr;
    TextField* m_add2 = nullptr;
    TextField* m_tel = nullptr;
    QComboBox* m_kubun = nullptr;
    TextField* m_syokumu = nullptr;
    DateFields m_join{};
    DateFields m_leave{};
    TextField* m_myNumber = nullptr;
    NumberField* m_kihon = nullptr;
    NumberField* m_yhosyu = nullptr;
    NumberField* m_food = nullptr;
    NumberField* m_tukin = nullptr;
    NumberField* m_home = nullptr;
    QComboBox* m_sikaku = nullptr;
    QComboBox* m_fukaq = nullptr;
    NumberField* m_timeMoney = nullptr;
    NumberField* m_health = nullptr;
    NumberField* m_nenkin = nullptr;
    NumberField* m_simin = nullptr;
    NumberField* m_fuyo = nullptr;
    NumberField* m_family = nullptr;
    QCheckBox* m_family1 = nullptr;
    QCheckBox* m_family2 = nullptr;
    QCheckBox* m_family3 = nullptr;
    QCheckBox* m_gaijin = nullptr;
    QCheckBox* m_kaigo = nullptr;
    QCheckBox* m_koyo = nullptr;
    QCheckBox* m_tax = nullptr;
    QPushButton* m_write = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_teate = nullptr;
    QPushButton* m_kojyo = nullptr;
    HyojunBox* m_hyojunBox = nullptr;
};

} // namespace minasel::masters
