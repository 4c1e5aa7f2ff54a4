#pragma once
#include "transfer/transferdata.h"
#include "transfer/zenginfile.h"

#include <QStringList>

namespace minasel {
class AppContext;
}

namespace minasel::transfer {

// One transfer file of a pay month: the statements are read again when it is
// made, so that what is written is what is stored now; chosen employees whose
// statement has gone (or who can no longer be paid by transfer) are left out
// and named. The bytes are checked as a bank's upload would check them before
// anything is written.
class TransferFile {
public:
    struct Request {
        QString payMonth;     // "yyyymm"
        int kind = 1;         // 1 salary, 2 bonus
        QString date;         // MMDD
        bool crlf = false;
        QStringList codes;    // the chosen employees
    };

    struct Result {
        Request request;
        CompanyBank company;
        QList<TransferLine> lines;   // written, in code order
        QStringList skipped;         // "code name: reason"
        long long statementTotal = 0;   // sum of the net pay of the statements written
        ZenginFile::Summary summary;    // the trailer and records, read back from the bytes
        QByteArray bytes;
    };

    TransferFile(AppContext& ctx, QString form);

    // False with *error (a message for the user) when there is no company bank
    // record, nothing left to write, or the file would not pass the check.
    bool prepare(const Request& request, Result* result, QString* error);

    // Writes the bytes whole or not at all, readable by the owner only.
    static bool write(const QString& path, const QByteArray& bytes, QString* error);

    // "給与" or "賞与".
    static QString kindName(int kind);

private:
    AppContext& m_ctx;
    QString m_form;
};

} // namespace minasel::transfer
