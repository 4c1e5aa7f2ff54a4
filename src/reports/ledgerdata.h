#pragma once
#include "app/dberror.h"
#include "reports/ledgerline.h"
#include "reports/pickerlists.h"

#include <QList>
#include <QSqlDatabase>

namespace minasel::reports {

// A pay month and kind of the monthly ledger's display list.
struct LedgerMonth {
    int kind = 1;
    QString payMonth;   // "yyyymm"
    bool operator==(const LedgerMonth&) const = default;
};

// The employee particulars at the head of an individual ledger.
struct LedgerEmployee {
    QString code;
    QString name;
    QString joined;        // NYUSYABI "yyyymmdd" or ""
    QString employeeKind;  // JGIKBN
    QString address1;
    QString address2;
    QString sex;

    QString jobName() const;      // the class as a job name; "" for classes without one
    QString joinedText() const;   // "2019年4月1日", "" when not known
};

// The statements both ledgers read, for one company. Each read returns false on
// a database error (*error set) and leaves the list empty.
class LedgerData {
public:
    LedgerData(QSqlDatabase db, QString cid) : m_db(std::move(db)), m_cid(std::move(cid)) {}

    // Every statement of the span, salary before bonus, then by month and code.
    bool readPeriod(const QString& start, const QString& end, QList<LedgerLine>* out, DbError* error) const;
    // The kinds and months of the span that have statements, in that order.
    bool readMonths(const QString& start, const QString& end, QList<LedgerMonth>* out, DbError* error) const;

    // Employees with a statement in the year, in code order.
    bool readYearCandidates(const QString& year, QList<PickerEntry>* out, DbError* error) const;
    // One employee's statements of one kind in the year, by month.
    bool readEmployeeYear(const QString& code, const QString& year, int kind, QList<LedgerLine>* out,
                          DbError* error) const;
    // The employee's particulars; *found false when the employee is gone.
    bool readEmployee(const QString& code, LedgerEmployee* out, bool* found, DbError* error) const;

private:
    QSqlDatabase m_db;
    QString m_cid;
};

} // namespace minasel::reports
