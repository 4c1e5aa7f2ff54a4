#pragma once
#include "db/schema.h"

#include <QStringList>

namespace minasel {
class AppContext;
}

namespace minasel::db {

// The values of one row as texts, in column order (values[0] is the first column).
using RowValues = QStringList;

// Inserts one row; every value is bound, texts trimmed, numbers read as in the
// forms (empty = 0). On failure the error is logged under "Publish.Write<Table>Table"
// and false returned; the caller rolls back its transaction.
bool writeRow(AppContext& ctx, Table table, const RowValues& values);
// The same insert without logging: for seeding and for callers with their own reporting.
bool insertRow(QSqlDatabase db, Table table, const RowValues& values, int currentYear, int* code,
               QString* error);

bool WriteCompanyTable(AppContext& ctx, const RowValues& values);
bool WriteFukakyuTable(AppContext& ctx, const RowValues& values);
bool WriteJyugyoinTable(AppContext& ctx, const RowValues& values);
bool WriteMeisaiTable(AppContext& ctx, const RowValues& values);
bool WriteNentyoTable(AppContext& ctx, const RowValues& values);
bool WriteSikakuTable(AppContext& ctx, const RowValues& values);
bool WriteSonotaTable(AppContext& ctx, const RowValues& values);
bool WriteSonotaKojyoTable(AppContext& ctx, const RowValues& values);
bool WriteNentyoSinkokuTable(AppContext& ctx, const RowValues& values);
bool WriteKaisyaGinkoTable(AppContext& ctx, const RowValues& values);
bool WriteJyugyoinGinkoTable(AppContext& ctx, const RowValues& values);
bool WriteSyahoSetteiTable(AppContext& ctx, const RowValues& values);
bool WriteHyojunHosyuTable(AppContext& ctx, const RowValues& values);
bool WriteJuminzeiTable(AppContext& ctx, const RowValues& values);

// TOROKUBI as stored: "yyyy/mm/dd" from digits with or without separators, a
// two-digit year taking today's century; fewer than five digits give "".
QString normalizeTorokubi(const QString& value, int currentYear);

QString writerProcedureName(Table table);

} // namespace minasel::db
