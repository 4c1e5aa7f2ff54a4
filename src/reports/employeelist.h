#pragma once
#include "masters/employee.h"
#include "masters/otheritems.h"
#include "reports/pickerlists.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace minasel {
class AppContext;
}

namespace minasel::reports {

// One employee of the employee list: his master row and the amounts that stand
// beside it. The individual number is never read into it: the list must not be
// able to print, show or export it.
struct EmployeeListEntry {
    using Item = masters::OtherItems::Line;
    masters::Employee employee;   // employee.myNumber stays empty
    double qualification = 0;     // the qualification allowance of his SIKACODE
    double additional = 0;        // the additional pay of his FUKACODE
    QList<Item> allowances;       // other allowances in line order, at most kAllowances
    QList<Item> deductions;       // other deductions in line order, at most kDeductions
};

// The values of the list. Allowance and Deduction take the item number (0-based).
enum class ListField {
    Code, Name, Kana, Sex, Birthday, Kbn, Syokumu, Zip, Address, Tel, Nyusyabi, Taisyabi,
    Kihonkyu, Yhosyu, Food, Tukin, Sikaku, Home, Family, Fukakyu, Allowance,
    Health, Nenkin, Simizei, Deduction, TimeMoney, FamiNum, Haigu, Child1, Child2, Gaijin, Kaigo, Koyo, CalcTax
};

// Paper and screen write a few values differently.
enum class ListMedium { Print, Display };

// The data of the employee list (print and display) and how its values read.
class EmployeeList {
public:
    static constexpr int kAllowances = 9;
    static constexpr int kDeductions = 5;

    // The log names of the reading steps, which differ between print and display.
    // (The other allowances and deductions are read as the master screens read them.)
    struct Procedures {
        QString employees;
        QString qualification;
        QString additional;
    };
    static Procedures printProcedures();
    static Procedures displayProcedures();

    explicit EmployeeList(AppContext& ctx);

    // read_data: the picker's candidates, all employees or only those still employed.
    bool candidates(bool activeOnly, QList<PickerEntry>* out);
    // The chosen employees in code order with their amounts; codes no longer in
    // the master are left out. False on a fault (logged under `procedures`).
    bool read(const QStringList& codes, const Procedures& procedures, QList<EmployeeListEntry>* out);
    // Every employee (or every one still employed), for the command line.
    bool readAll(bool activeOnly, const Procedures& procedures, QList<EmployeeListEntry>* out);

    static QString text(const EmployeeListEntry& entry, ListField field, ListMedium medium, int item = 0);

    // The display grid: its headings, and one row of texts per employee.
    struct Column {
        QString heading;
        ListField field;
        int item = 0;
    };
    static const QList<Column>& displayColumns();
    static QStringList displayHeadings();
    static QStringList displayRow(const EmployeeListEntry& entry);
    // Headings and rows as the CSV export writes them.
    static QList<QStringList> table(const QList<EmployeeListEntry>& entries);

    // "yyyymmdd" as "yyyy/mm/dd"; anything else as stored.
    static QString dateText(const QString& stored);
    // Amounts and counts: right-aligned, zero shown blank.
    static bool isNumeric(ListField field);

private:
    bool readAmounts(const QString& sql, const QString& procedure, QMap<QString, double>* out);
    bool readItems(masters::OtherItems::Kind kind, const QString& code, int limit, QList<EmployeeListEntry::Item>* out);

    AppContext& m_ctx;
};

} // namespace minasel::reports
