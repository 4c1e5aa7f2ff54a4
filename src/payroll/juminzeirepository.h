#pragma once
#include "payroll/juminzeiimport.h"
#include "payroll/juminzeischedule.h"

#include <QList>
#include <QMap>
#include <QVariantList>

class QSqlQuery;

namespace minasel {
class AppContext;
}

namespace minasel::payroll {

// The resident-tax notices (JUMINZEI) of the current company. A failure is logged
// under "<form>.<procedure>" with the common message, and the call reports it.
class JuminzeiRepository {
public:
    JuminzeiRepository(AppContext& ctx, const QString& form);

    // The employee's notice for the tax year; nullopt when there is none or on a
    // failure (*ok false).
    std::optional<JuminzeiSchedule> read(const QString& code, int year, bool* ok = nullptr);
    // Replaces the notices given (delete and insert of each in one transaction: all or none).
    bool save(const QList<JuminzeiSchedule>& schedules);
    bool remove(const QString& code, int year);

    // One employee still employed, with his notices of a tax year and the year before.
    struct Line {
        QString code;
        QString name;
        std::optional<JuminzeiSchedule> current;
        std::optional<JuminzeiSchedule> previous;
        // Had a notice last year and has none yet: the June update was forgotten.
        bool missing() const { return previous && !current; }
    };
    bool overview(int year, QList<Line>* out);
    // Every employee of the company (code → name), those who left included.
    bool employeeNames(QMap<QString, QString>* out);
    // The notices of a tax year by employee code.
    bool schedulesOf(int year, QMap<QString, JuminzeiSchedule>* out);

    // Reads a CSV file of notices of the tax year against the company's employees and
    // stored notices. False with *fileError set when the file cannot be read (or is far
    // too large to be one), false alone after a reported database failure.
    bool readCsv(const QString& path, int year, JuminzeiImport* out, QString* fileError);

    // Where the resident tax of a new salary statement of `payMonth` comes from: the
    // notice of its tax year, else `masterAmount` (the master's SIMIZEI).
    bool planFor(const QString& code, const QString& payMonth, long long masterAmount, JuminzeiPlan* out);
    // Employees still employed who had a notice for the tax year before `year` and have
    // none for it (0 also when the count fails: it only reminds).
    int missingCount(int year);

private:
    bool run(QSqlQuery& q, const QString& sql, const QVariantList& values, const QString& procedure);

    AppContext& m_ctx;
    QString m_form;
};

} // namespace minasel::payroll
