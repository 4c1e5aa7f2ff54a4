#pragma once
#include "app/screen.h"
#include "payroll/juminzeirepository.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace minasel {
class NumberField;
}

namespace minasel::payroll {

// 住民税 特別徴収税額: one employee's notice for one tax year. The yearly amount gives the
// standard split, or the twelve amounts are typed as printed; a change notice replaces
// them from a chosen month on. Only amounts that add up to the yearly amount are stored.
class MstJuminzei : public Screen {
    Q_OBJECT
public:
    explicit MstJuminzei(AppContext& ctx);

    // Opens on this employee; false (and says so) when the company has no such employee.
    Q_INVOKABLE bool setEmployee(const QString& code);
    void setYear(int year);
    // The tax year a new user is working on: from May (when the notices arrive) that of
    // the calendar year, before May the one begun last June.
    static int defaultYear(const QDate& today);

    JuminzeiSchedule scheduleOnScreen() const;

private:
    void build();
    void fillEmployees();
    void load();
    void showSchedule(const JuminzeiSchedule& s);
    void split();
    void applyChange();
    void updateTotal();
    bool write();
    void remove();
    // Asks before unsaved amounts are left for another employee or year; false keeps them.
    bool leaveAllowed();
    QString code() const;
    int year() const;

    JuminzeiRepository m_repo;
    bool m_loading = false;
    int m_changedFrom = 0;
    long long m_lastYearly = 0;   // the yearly amount the month amounts were last split from
    QString m_shownCode;
    int m_shownYear = 0;

    QComboBox* m_cmbJyugyoin = nullptr;
    QLineEdit* m_txtNendo = nullptr;
    QLabel* m_lblNendo = nullptr;
    NumberField* m_txtNengaku = nullptr;
    std::array<NumberField*, JuminzeiSchedule::kMonths> m_txtGaku{};
    QLabel* m_lblGokei = nullptr;
    QComboBox* m_cmbHenkoTuki = nullptr;
    NumberField* m_txtHenkoNengaku = nullptr;
    QLabel* m_lblHenko = nullptr;
    QLabel* m_lblStatus = nullptr;
};

} // namespace minasel::payroll
