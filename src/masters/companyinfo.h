#pragma once
#include <QString>
#include <array>

namespace minasel::masters {

// One company's particulars and rates as the company screen edits them.
// The defaults are what a new company starts with.
struct CompanyInfo {
    QString name;        // COMPANY
    QString kana;        // CFKN
    QString zip;         // ZIP
    QString prefecture;  // ADRSTDHK
    QString address1;    // ADRS1
    QString address2;    // ADRS2
    QString tel;         // TEL
    QString fax;         // FAX
    QString repTitle;    // TYAKU
    QString repName;     // TNAME
    QString repKana;     // TFKN
    QString hojinNum;    // HOJINNUM
    double kenko = 8.2;
    double kenko2 = 9.39;
    double kosei = 15.35;
    double koyo = 0.004;
    double kijyunTime = 0;
    double kyujituTanka = 0;
    double kinkyuTanka = 0;
    // JKGNOMAL, JKGHOTEQ, JKGNOMALSINYA, JKGHOTESINYA, JKGNOMAL60, JKGSINYA60
    std::array<double, 6> coefficients{1.25, 1.35, 1.5, 1.6, 1.5, 1.75};
    QString torokubi;    // read only: set to today by every save

    bool operator==(const CompanyInfo&) const = default;
};

} // namespace minasel::masters
