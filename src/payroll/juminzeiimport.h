#pragma once
#include "payroll/juminzeischedule.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QStringList>

namespace minasel::payroll {

// The notices of one tax year read from a CSV file, one employee a line:
//   employee code, yearly amount, June, July, ... , May
// A first line of headings is allowed; its month headings must then read 6月 ... 5月 in
// that order, so that a file laid out January to December is not read into the wrong
// months. UTF-8 or Shift_JIS (as spreadsheets save it).
//
// Nothing is stored from a file with any fault: every faulty line is named.
class JuminzeiImport {
public:
    static constexpr int kColumns = 2 + JuminzeiSchedule::kMonths;

    enum class Change { New, Changed, Same };
    struct Line {
        int lineNo = 0;
        QString name;
        JuminzeiSchedule schedule;
        std::optional<JuminzeiSchedule> before;
        Change change = Change::New;
    };

    // `employees`: the company's employees (code → name); `existing`: the notices of
    // the year already stored, by code.
    static JuminzeiImport parse(const QByteArray& data, int year, const QMap<QString, QString>& employees,
                                const QMap<QString, JuminzeiSchedule>& existing);

    bool ok() const { return m_errors.isEmpty() && !m_lines.isEmpty(); }
    const QStringList& errors() const { return m_errors; }
    const QList<Line>& lines() const { return m_lines; }
    QList<JuminzeiSchedule> schedules() const;
    int count(Change c) const;

    // The preview as a table: headings, then one row a line (what changes and the amounts).
    static QStringList previewHeadings();
    QList<QStringList> previewRows() const;
    static QString changeText(Change c);

private:
    void refuse(int line, const QString& what);

    QStringList m_errors;
    QList<Line> m_lines;
};

} // namespace minasel::payroll
