#pragma once
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

namespace minasel::reports {

struct PickerEntry {
    QString code;
    QString name;
    bool operator==(const PickerEntry&) const = default;
};

// The two lists of the employee picker: candidates (left) and chosen (right),
// each always in code order whatever was moved. Rows are 0-based data rows.
class PickerLists {
public:
    // New candidates; the chosen list is emptied.
    void setCandidates(QList<PickerEntry> candidates);
    const QList<PickerEntry>& left() const { return m_left; }
    const QList<PickerEntry>& right() const { return m_right; }

    // Moves the run of rows between `row` and `otherEnd` (either order, cut to
    // the filled rows; blank codes skipped). Returns how many moved.
    int moveRight(int row, int otherEnd);
    int moveLeft(int row, int otherEnd);

    // The run of candidate rows whose codes lie in [start, end] (text order):
    // false when none does.
    bool rangeRows(const QString& start, const QString& end, int* first, int* last) const;

    // Runs a select of two columns (code, name) with bound values and collects its rows.
    static bool loadEntries(QSqlDatabase db, const QString& sql, const QVariantList& values,
                            QList<PickerEntry>* out, QString* error, int* errorCode = nullptr);

private:
    static int move(QList<PickerEntry>& from, QList<PickerEntry>& to, int row, int otherEnd);
    static void sortByCode(QList<PickerEntry>& list);

    QList<PickerEntry> m_left;
    QList<PickerEntry> m_right;
};

} // namespace minasel::reports
