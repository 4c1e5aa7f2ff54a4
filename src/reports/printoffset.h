#pragma once
#include <QSqlDatabase>
#include <QString>

namespace minasel {
struct DbError;
}

namespace minasel::reports {

// Where a printer puts a preprinted form's values, off from where they should
// be: millimetres to the right and down (negative: left and up), kept per
// printer and form. Not company data: never in a backup set.
struct PrintOffset {
    double x = 0;
    double y = 0;
    static constexpr double kLimit = 30.0;   // beyond this the sheet is in the wrong tray, not misaligned
};

// The withholding slip's preprinted form.
inline QString gensenFormName() { return QStringLiteral("GENSEN"); }

// The stored offset (0, 0 when there is none).
bool readPrintOffset(QSqlDatabase db, const QString& printer, const QString& form, PrintOffset* out, DbError* error);
// Replaces the stored offset in one transaction.
bool writePrintOffset(QSqlDatabase db, const QString& printer, const QString& form, const PrintOffset& offset,
                      DbError* error);

} // namespace minasel::reports
