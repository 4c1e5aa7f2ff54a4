#pragma once
#include <QString>

namespace minasel::reports {

// The span of pay months of the monthly ledger, from the four fields of its
// screen: the end defaults to the start, and a span that ends before it starts
// is refused.
struct LedgerPeriod {
    enum class Problem { None, NoStartYear, NoStartMonth, Reversed };

    Problem problem = Problem::None;
    QString start;   // "yyyymm"
    QString end;
    QString endYear;    // the end fields as they are to be shown (the start's when left empty)
    QString endMonth;

    bool ok() const { return problem == Problem::None; }
    // The refusal to show, "" when the span is good.
    QString message() const;

    static LedgerPeriod check(const QString& startYear, const QString& startMonth, const QString& endYear,
                              const QString& endMonth);
    // What a year field shows on leaving: "000#" ("" stays "").
    static QString formatYear(const QString& text);
    // "2026年11月" of "202611".
    static QString monthText(const QString& payMonth);
};

} // namespace minasel::reports
