#pragma once
#include "reports/ledgerdata.h"

#include <QList>
#include <QStringList>

namespace minasel::reports {

struct KojinDaityo;

// The display grids of both ledgers as rows of texts: two heading rows (the group
// a column stands in, or the column's own heading where it has none, then the
// column's heading) and the rows. The screens show exactly this and the CSV
// export writes exactly this.
class LedgerTable {
public:
    enum class RowKind { Line, Label, Subtotal, Total };
    struct Row {
        RowKind kind = RowKind::Line;
        QStringList cells;
    };

    // The headings alone, the first column headed `firstHeading`.
    explicit LedgerTable(const QString& firstHeading = QStringLiteral("氏名"));

    QStringList groups;
    QStringList headings;
    QList<Row> rows;

    int columnCount() const { return int(headings.size()); }
    // Heading rows first, then the rows: what the CSV file holds.
    QList<QStringList> csvRows() const;

    // One pay month and kind: a line per statement in code order, then "合計".
    static LedgerTable monthly(const QList<LedgerLine>& lines);
    // A whole span: each month and kind under its title with its "小計", then "合計".
    static LedgerTable monthlyAll(const QList<LedgerLine>& lines);
    // One employee's year: the twelve month lines, "小計" of the salaries, the
    // bonuses, and "合計" of both.
    static LedgerTable individual(const KojinDaityo& year);
    // Several employees one after the other, each under its code and name.
    static LedgerTable individualAll(const QList<KojinDaityo>& years);

    // The display list's entry for a month and kind: "2026年11月分給料台帳---給与".
    static QString entryText(const LedgerMonth& month);
    static QString allDataEntry() { return QStringLiteral("全データ一覧"); }

    // The cells of a line after its first column.
    static QStringList cells(const LedgerLine& line);

private:
    void add(RowKind kind, const QString& first, const LedgerLine* line = nullptr);
    void addIndividual(const KojinDaityo& year);
};

} // namespace minasel::reports
