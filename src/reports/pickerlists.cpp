#include "reports/pickerlists.h"

#include "app/dberror.h"
#include "app/valuehelpers.h"
#include "db/boundquery.h"

#include <QSqlError>
#include <QSet>
#include <QSqlQuery>
#include <algorithm>
#include <iterator>

namespace minasel::reports {

namespace {
bool byCode(const PickerEntry& a, const PickerEntry& b)
{
    return a.code < b.code;
}
} // namespace

void PickerLists::sortByCode(QList<PickerEntry>& list)
{
    std::stable_sort(list.begin(), list.end(), byCode);
}

void PickerLists::setCandidates(QList<PickerEntry> candidates)
{
    m_left = std::move(candidates);
    sortByCode(m_left);
    m_right.clear();
}

int PickerLists::move(QList<PickerEntry>& from, QList<PickerEntry>& to, int row, int otherEnd)
{
    int first = std::min(row, otherEnd);
    int last = std::max(row, otherEnd);
    first = std::max(first, 0);
    last = std::min(last, int(from.size()) - 1);
    if (first > last)
        return 0;
    QList<PickerEntry> moving;
    QList<PickerEntry> staying;
    QSet<QString> codes;
    for (int i = 0; i < from.size(); ++i) {
        const PickerEntry& e = from[i];
        if (i >= first && i <= last && !e.code.trimmed().isEmpty()) {
            moving.append({e.code.trimmed(), e.name.trimmed()});
            codes.insert(moving.last().code);
        } else {
            staying.append(e);
        }
    }
    // One row per code, as the key of the lists: a code moved in replaces the
    // one already there. One pass over each list and one merge, however many move.
    QList<PickerEntry> kept;
    kept.reserve(to.size());
    for (const PickerEntry& e : std::as_const(to))
        if (!codes.contains(e.code))
            kept.append(e);
    // A run of a list in code order is in code order; anything else is sorted first.
    if (!std::is_sorted(moving.begin(), moving.end(), byCode))
        sortByCode(moving);
    if (!std::is_sorted(kept.begin(), kept.end(), byCode))
        sortByCode(kept);
    // Of two rows with one code the one moved in stays, the last of them.
    QList<PickerEntry> unique;
    unique.reserve(moving.size());
    for (qsizetype i = 0; i < moving.size(); ++i)
        if (i + 1 == moving.size() || moving[i + 1].code != moving[i].code)
            unique.append(moving[i]);
    to.clear();
    to.reserve(kept.size() + unique.size());
    std::merge(kept.begin(), kept.end(), unique.begin(), unique.end(), std::back_inserter(to), byCode);
    from = staying;
    return int(moving.size());
}

int PickerLists::moveRight(int row, int otherEnd)
{
    return move(m_left, m_right, row, otherEnd);
}

int PickerLists::moveLeft(int row, int otherEnd)
{
    return move(m_right, m_left, row, otherEnd);
}

bool PickerLists::rangeRows(const QString& start, const QString& end, int* first, int* last) const
{
    int f = -1;
    for (int i = 0; i < m_left.size(); ++i)
        if (m_left[i].code.trimmed() >= start) {
            f = i;
            break;
        }
    int l = -1;
    for (int i = int(m_left.size()) - 1; i >= 0; --i)
        if (m_left[i].code.trimmed() <= end) {
            l = i;
            break;
        }
    if (f < 0 || l < 0 || f > l)
        return false;
    *first = f;
    *last = l;
    return true;
}

bool PickerLists::loadEntries(QSqlDatabase db, const QString& sql, const QVariantList& values,
                              QList<PickerEntry>* out, QString* error, int* errorCode)
{
    out->clear();
    QSqlQuery q(db);
    DbError failure;
    if (!db::execBound(q, sql, values, &failure)) {
        if (error)
            *error = failure.description;
        if (errorCode)
            *errorCode = failure.code;
        return false;
    }
    while (q.next())
        out->append({NullToStr(q.value(0)), NullToStr(q.value(1))});
    return true;
}

} // namespace minasel::reports
