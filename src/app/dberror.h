#pragma once
#include <QSqlError>
#include <QString>

namespace minasel {

// A failed statement as the log wants it: a number and a description.
struct DbError {
    int code = 0;
    QString description;

    static DbError from(const QSqlError& e)
    {
        bool ok = false;
        int c = e.nativeErrorCode().toInt(&ok);
        if (!ok || c == 0)
            c = -1;
        return {c, e.text()};
    }
};

} // namespace minasel
