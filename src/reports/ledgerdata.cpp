#include "reports/ledgerdata.h"

#include "app/valuehelpers.h"
#include "db/boundquery.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace minasel::reports {

namespace {

bool readLines(QSqlDatabase db, const QString& sql, const QVariantList& values, QList<LedgerLine>* out,
               DbError* error)
{
    out->clear();
    QSqlQuery q(db);
    if (!db::execBound(q, sql, values, error))
        return false;
    const LedgerLineReader reader(q.record());
    while (q.next())
        out->append(reader.read(q));
    return true;
}

} // namespace

QString LedgerEmployee::jobName() const
{
    static const char* const names[] = {"役員", "正社員", "契約社員", "パート", "アルバイト"};
    const QString k = employeeKind.trimmed();
    if (k.size() != 1 || k[0] < QLatin1Char('0') || k[0] > QLatin1Char('4'))
        return {};
    return QString::fromUtf8(names[k[0].unicode() - '0']);
}

QString LedgerEmployee::joinedText() const
{
    const QString d = joined.trimmed();
    if (d.size() != 8)
        return {};
    return QStringLiteral("%1年%2月%3日").arg(d.left(4)).arg(d.mid(4, 2).toInt()).arg(d.mid(6, 2).toInt());
}

bool LedgerData::readPeriod(const QString& start, const QString& end, QList<LedgerLine>* out, DbError* error) const
{
    return readLines(m_db,
                     QStringLiteral("SELECT J.JGINAME, M.* FROM MEISAI M, JYUGYOIN J"
                                    " WHERE M.CID = J.CID AND M.JGICODE = J.JGICODE AND M.CID = ?"
                                    " AND M.SIKYUBI BETWEEN ? AND ?"
                                    " ORDER BY M.SIKYUKBN, M.SIKYUBI, M.JGICODE"),
                     {m_cid, start, end}, out, error);
}

bool LedgerData::readMonths(const QString& start, const QString& end, QList<LedgerMonth>* out, DbError* error) const
{
    out->clear();
    QSqlQuery q(m_db);
    // Joined on the company too: an employee code of another company must not add a month.
    if (!db::execBound(q,
             QStringLiteral("SELECT DISTINCT M.SIKYUKBN, M.SIKYUBI FROM MEISAI M, JYUGYOIN J"
                            " WHERE M.CID = J.CID AND M.JGICODE = J.JGICODE AND M.CID = ?"
                            " AND M.SIKYUBI BETWEEN ? AND ? ORDER BY M.SIKYUKBN, M.SIKYUBI"),
             {m_cid, start, end}, error))
        return false;
    while (q.next())
        out->append({NullToStr(q.value(0)).trimmed() == QLatin1String("2") ? 2 : 1, NullToStr(q.value(1)).trimmed()});
    return true;
}

bool LedgerData::readYearCandidates(const QString& year, QList<PickerEntry>* out, DbError* error) const
{
    QString text;
    int code = 0;
    const bool ok = PickerLists::loadEntries(
        m_db,
        QStringLiteral("SELECT J.JGICODE, J.JGINAME FROM JYUGYOIN J, MEISAI M"
                       " WHERE J.JGICODE = M.JGICODE AND J.CID = ? AND M.CID = ?"
                       " AND M.SIKYUBI BETWEEN ? AND ? GROUP BY J.JGICODE, J.JGINAME ORDER BY J.JGICODE"),
        {m_cid, m_cid, year + QStringLiteral("01"), year + QStringLiteral("12")}, out, &text, &code);
    if (!ok)
        *error = {code == 0 ? -1 : code, text};
    return ok;
}

bool LedgerData::readEmployeeYear(const QString& code, const QString& year, int kind, QList<LedgerLine>* out,
                                  DbError* error) const
{
    return readLines(m_db,
                     QStringLiteral("SELECT * FROM MEISAI WHERE CID = ? AND JGICODE = ?"
                                    " AND SIKYUBI BETWEEN ? AND ? AND SIKYUKBN = ? ORDER BY SIKYUBI"),
                     {m_cid, code, year + QStringLiteral("01"), year + QStringLiteral("12"), QString::number(kind)},
                     out, error);
}

bool LedgerData::readEmployee(const QString& code, LedgerEmployee* out, bool* found, DbError* error) const
{
    *found = false;
    QSqlQuery q(m_db);
    if (!db::execBound(q,
             QStringLiteral("SELECT JGINAME, NYUSYABI, JGIKBN, ADD1, ADD2, SEX FROM JYUGYOIN"
                            " WHERE CID = ? AND JGICODE = ?"),
             {m_cid, code}, error))
        return false;
    if (!q.next())
        return true;
    *found = true;
    auto s = [&](int i) { return NullToStr(q.value(i)).trimmed(); };
    *out = {code, s(0), s(1), s(2), s(3), s(4), s(5)};
    return true;
}

} // namespace minasel::reports
