#pragma once
#include "db/rowwriter.h"
#include "nentyo/nentyocalc.h"

#include <QString>
#include <optional>

class QSqlRecord;

namespace minasel::nentyo {

// The year's pay of one employee as the statements hold it (read_meisai_data).
struct PayTotals {
    long long kyuryo = 0, kyuryoTax = 0;   // salary statements
    long long syoyo = 0, syoyoTax = 0;     // bonus statements
    long long hoken = 0;                   // social insurance deducted from both
};

// One employee's year-end adjustment as it is stored: the NENTYO row and beside it
// the declarations the law asks for since 2025 (NENTYOSINKOKU). Every value is the
// text the row writers take, found by its column name in either table, so that the
// screen, the command line and printing read and write the same thing.
class NentyoRecord {
public:
    // Nothing declared yet: numbers "0", texts "", adjustment する, no spouse.
    NentyoRecord(const QString& cid, const QString& year, const QString& code);

    QString cid() const { return text(QStringLiteral("CID")); }
    QString year() const { return text(QStringLiteral("SIKYUYEAR")); }
    QString code() const { return text(QStringLiteral("JGICODE")); }

    // Unknown column names are a programming error (asserted), never data.
    QString text(const QString& column) const;
    long long amount(const QString& column) const;   // whole yen; "" and text count as 0
    bool flag(const QString& column) const { return amount(column) == 1; }
    void set(const QString& column, const QString& value);
    void setAmount(const QString& column, long long value);
    void setFlag(const QString& column, bool on) { setAmount(column, on ? 1 : 0); }

    // The 96 values of NENTYO in column order (HOKEN1 "0", the premiums deducted from
    // pay in MAEHOKEN) and the values of the side row.
    const db::RowValues& nentyoRow() const { return m_nentyo; }
    const db::RowValues& sinkokuRow() const { return m_sinkoku; }
    // From "Select *" rows; `sinkoku` null when there is no side row (a year stored
    // before the side table, or restored from eight files). A stored HOKEN1 is added
    // into MAEHOKEN. Throws TypeMismatch for a text in a number column.
    static NentyoRecord fromSql(const QSqlRecord& nentyo, const QSqlRecord* sinkoku);
    // From rows in column order (nentyoRow() and sinkokuRow() of another record);
    // an empty `sinkoku` is a record without declarations.
    static NentyoRecord fromRows(const db::RowValues& nentyo, const db::RowValues& sinkoku);

    void setPayTotals(const PayTotals& pay);
    // read_zennendo_data: what the employee declares again each year (remarks, family,
    // names and numbers, status, housing loan); no amounts, premiums or pay.
    void takeOver(const NentyoRecord& lastYear);

    NentyoInput input() const;
    // calc_kyuyo_syotoku and calc_nentyo: the results into their columns. With しない
    // the declared premiums and the housing credit are 0 as well.
    NentyoResult recompute();

    // The individual-number columns with the row each belongs to ("配偶者", "特定親族２" ...).
    struct NumberColumn {
        const char* column;
        const char* row;
    };
    static std::span<const NumberColumn> myNumberColumns();
    // The first individual number that is present but not valid, if any.
    std::optional<NumberColumn> firstInvalidMyNumber() const;

private:
    QString* slot(const QString& column);
    const QString* slot(const QString& column) const;

    db::RowValues m_nentyo;
    db::RowValues m_sinkoku;
};

// A stored number as the row writers take it: no separators, "0" for zero.
QString generalNumber(double value);

} // namespace minasel::nentyo
