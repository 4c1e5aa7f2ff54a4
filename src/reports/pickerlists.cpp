#include "reports/pickerlists.h"

#include "app/dberror.h"
#include "app/valuehelpers.h"
#include "reports/boundquery.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace minasel::reports {

void PickerLists::sortByCode(QList<PickerEntry>& list)
{
    std::stable_sort(list.begin(), list.end(),
                     [](const PickerEntry& a, const PickerEntry& b) { return a.code < b.code; });
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
    for (int i = 0; i < from.size(); ++i) {
        const PickerEntry& e = from[i];
        if (i >= first && i <= last && !e.code.trimmed().isEmpty())
            moving.append({e.code.trimmed(), e.name.trimmed()});
        else
            staying.append(e);
    }
    for (const PickerEntry& e : moving) {
        // One row per code, as the key of the lists.
        to.erase(std::remove_if(to.begin(), to.end(), [&](const PickerEntry& t) { return t.code == e.code; }),
                 to.end());
        to.append(e);
    }
    from = staying;
    sortByCode(to);
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
    if (!execBound(q, sql, values, &failure)) {
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
