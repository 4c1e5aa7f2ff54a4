#pragma once
#include <QString>
#include <QStringList>

namespace minasel::masters {

// One JYUGYOIN row as the employee screen edits it. Dates are "yyyymmdd" or "".
struct Employee {
    QString code;       // JGICODE
    QString name;       // JGINAME
    QString kana;       // JGIKANA
    QString sex;        // SEX
    QString birthday;   // BIRTHDAY
    QString zip;        // ZIP
    QString add1;       // ADD1
    QString add2;       // ADD2
    QString tel;        // TELNO
    QString kbn;        // JGIKBN "0".."6"
    QString syokumu;    // SYOKUMU
    QString nyusyabi;   // NYUSYABI
    QString taisyabi;   // TAISYABI
    double kihonkyu = 0;
    double yhosyu = 0;
    double food = 0;
    double tukin = 0;
    QString sikacode;   // SIKACODE, "" for none
    double home = 0;
    double fami = 0;
    QString fukacode;   // FUKACODE, "" for none
    double health = 0;
    double nenkin = 0;
    double simizei = 0;
    double timemoney = 0;
    double faminum = 0;
    bool haigu = false;
    bool child1 = false;
    bool child2 = false;
    bool gaijin = false;
    bool kaigo = false;   // KEHOKBN
    bool koyo = false;    // KOYOKBN
    bool calcTax = false; // CALCUTAX
    QString myNumber;     // MYNUMBER

    // The 38 values for the row writer; the reserved columns are always "0".
    QStringList toRow(const QString& cid) const;

    bool operator==(const Employee&) const = default;
};

} // namespace minasel::masters
