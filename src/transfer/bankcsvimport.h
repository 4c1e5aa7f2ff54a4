#pragma once
#include "transfer/bankaccounts.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace minasel {
class AppContext;
}

namespace minasel::transfer {

// Employees' accounts from a CSV file of lines "code, bank code, branch code,
// kind (1 普通 / 2 当座), account number, holder name in kana" and optionally the
// bank and branch names. UTF-8 (with or without BOM) or Shift_JIS, as spreadsheet
// programs write it; a first line without a bank code is a heading. Every line is
// checked before anything is stored, and a single fault stores nothing.
class BankCsvImport {
public:
    struct Row {
        int line = 0;            // in the file, from 1
        QString name;            // the employee's name, "" when unknown
        EmployeeBank bank;       // as it would be stored
        QString error;           // "" when the line can be stored
    };

    BankCsvImport(AppContext& ctx, QString form);

    // Reads and checks the file. False (with *error) only when the file cannot be
    // decoded or the database not read; faults of lines are in the rows.
    bool read(const QByteArray& file, QList<Row>* rows, QString* error);
    static int errorCount(const QList<Row>& rows);
    // The rows as a table for the preview: heading first.
    static QList<QStringList> preview(const QList<Row>& rows);
    // Stores all rows in one transaction; refuses when any row has a fault.
    bool store(const QList<Row>& rows, QString* error);

    // Splits CSV text into records of fields (quoted fields, doubled quotes, CR LF
    // or LF), each with the file line it starts on; blank lines are left out.
    struct Record {
        int line = 0;
        QStringList fields;
    };
    static QList<Record> parse(const QString& text);

private:
    AppContext& m_ctx;
    QString m_form;
};

} // namespace minasel::transfer
