#pragma once
#include "db/rowwriter.h"
#include "reports/pickerlists.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace minasel {
struct DbError;
}

namespace minasel::reports {

// The indices of the slip's field list. 6 to 77 are the list the slip has
// always been printed from; what the law added since 2020 follows after 77.
namespace gensen {
enum Field {
    Pay = 6,                    // 支払金額
    Tax = 7,                    // 源泉徴収税額
    SocialInsurance = 8,        // 社会保険料等の金額
    AfterDeduction = 9,         // 給与所得控除後の金額
    DeductionTotal = 10,        // 所得控除の額の合計額
    SpouseDeduction = 11,       // 配偶者（特別）控除の額
    SpousePresent = 12,
    DependSpecific = 13,        // 特定扶養親族
    DependElderlyLiving = 14,   // 同居老親等
    DependElderlyOther = 15,    // その他の老人扶養親族
    DependOther = 16,           // その他（一般）
    DisabledSpecial = 17,
    DisabledOther = 18,
    LifeInsurance = 19,
    Earthquake = 20,
    YearTax = 21,
    HousingCredit = 22,
    NationalPension = 23,
    SpouseIncome = 24,
    NewLife = 25, OldLife = 26, CareMedical = 27, NewPension = 28, OldPension = 29, OldLongTerm = 30,
    ResidenceStart1 = 31,
    Tekiyo1 = 32, Tekiyo2 = 33, Tekiyo3 = 34,
    Under16 = 35,
    WorkingStudent = 36,
    ElderlySpouse = 37,
    DisabledLivingTogether = 38,
    NonResident = 39,
    HousingCount = 40,
    HousingAvailable = 41,
    ResidenceStart2 = 42,
    HousingKind1 = 43, HousingKind2 = 44,
    HousingBalance1 = 45, HousingBalance2 = 46,
    SpouseName = 47, SpouseKana = 48, SpouseNumber = 49,
    Dependants = 50,            // name, kana, number of dependant 1, then 2 ... 4
    DependantsMore = 62,
    Under16Dependants = 63,     // the same for the dependants under 16
    Under16More = 75,
    SmallEnterprise = 77,       // 小規模企業共済等掛金 (内)
    Widow = 78,
    SingleParent = 79,
    Adjusted = 80,              // "1" when the year-end adjustment was made
    BasicDeduction = 81,
    IncomeAdjustment = 82,      // 所得金額調整控除額
    SpecificRelativeDeduction = 83,
    SpecificRelativeCount = 84, // 特親
    SpecificRelatives = 85,     // name, kana, number of each 特定親族 counted, up to four
    SpecificRelativesMore = 97,
    FieldCount = 98
};
// Name, kana and individual number of person `i` (0..3) of a group starting at `first`.
inline int personName(int first, int i) { return first + 3 * i; }
inline int personKana(int first, int i) { return first + 3 * i + 1; }
inline int personNumber(int first, int i) { return first + 3 * i + 2; }
} // namespace gensen

struct GensenPayer {
    QString zip, name, address1, address2, tel, number;
};

struct GensenRecipient {
    QString code, name, kana, zip, address1, address2, myNumber, kind, foreigner, joined, left, birthday;
};

// Everything one employee's slip prints.
struct GensenData {
    int year = 0;
    QStringList fields;   // gensen::FieldCount texts
    GensenRecipient recipient;
    GensenPayer payer;

    QString field(int i) const { return i >= 0 && i < fields.size() ? fields[i] : QString(); }
    long long amount(int i) const;
};

// set_gensen_data: the field list of one employee and year from the NENTYO row
// and its NENTYOSINKOKU row (column order of the schema; an empty side row
// counts as no declarations). Both the stored rows and the year-end screen's
// boxes come this way. The deductions the row does not keep (基礎控除,
// 特定親族特別控除, 所得金額調整控除) come from the year-end computation of
// the rows. Returns false (with *error) when a row is malformed.
bool set_gensen_data(int year, const db::RowValues& nentyo, const db::RowValues& sinkoku, GensenData* out,
                     QString* error);

// The stored rows of one employee's year; *found false when there is no NENTYO row.
bool readGensenRows(QSqlDatabase db, const QString& cid, int year, const QString& code, db::RowValues* nentyo,
                    db::RowValues* sinkoku, bool* found, DbError* error);
// The payer block of the company ("" fields when the company has none).
bool readGensenPayer(QSqlDatabase db, const QString& cid, GensenPayer* out, DbError* error);
// The recipient block; *found false when the employee is not in the master.
bool readGensenRecipient(QSqlDatabase db, const QString& cid, const QString& code, GensenRecipient* out,
                         bool* found, DbError* error);
// The employees with a NENTYO row in the year, in code order.
bool gensenCandidates(QSqlDatabase db, const QString& cid, int year, QList<PickerEntry>* out, DbError* error);

} // namespace minasel::reports
