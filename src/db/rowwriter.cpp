#include "db/rowwriter.h"

#include "db/rowinserter.h"
#include "db/statementcache.h"

#include "app/appcontext.h"
#include "app/datehelpers.h"
#include "app/valuehelpers.h"

#include <QSqlError>
#include <QSqlQuery>

namespace minasel::db {

QString writerProcedureName(Table table)
{
    switch (table) {
    case Table::Company: return QStringLiteral("Publish.WriteCompanyTable");
    case Table::Fukakyu: return QStringLiteral("Publish.WriteFukakyuTable");
    case Table::Jyugyoin: return QStringLiteral("Publish.WriteJyugyoinTable");
    case Table::Meisai: return QStringLiteral("Publish.WriteMeisaiTable");
    case Table::Nentyo: return QStringLiteral("Publish.WriteNentyoTable");
    case Table::Sikaku: return QStringLiteral("Publish.WriteSikakuTable");
    case Table::Sonota: return QStringLiteral("Publish.WriteSonotaTable");
    case Table::SonotaKojyo: return QStringLiteral("Publish.WriteSonotaKojyoTable");
    case Table::NentyoSinkoku: return QStringLiteral("Publish.WriteNentyoSinkokuTable");
    case Table::KaisyaGinko: return QStringLiteral("Publish.WriteKaisyaGinkoTable");
    case Table::JyugyoinGinko: return QStringLiteral("Publish.WriteJyugyoinGinkoTable");
    case Table::SyahoSettei: return QStringLiteral("Publish.WriteSyahoSetteiTable");
    case Table::HyojunHosyu: return QStringLiteral("Publish.WriteHyojunHosyuTable");
    case Table::Juminzei: return QStringLiteral("Publish.WriteJuminzeiTable");
    }
    return QString();
}

QString normalizeTorokubi(const QString& value, int currentYear)
{
    QString digits;
    QStringList groups;   // the runs of digits, where separators part them
    bool inGroup = false;
    for (QChar c : value) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (digit) {
            digits += c;
            if (!inGroup)
                groups << QString();
            groups.last() += c;
        }
        inGroup = digit;
    }
    int year, month, day;
    if (groups.size() == 3 && (groups[0].size() == 2 || groups[0].size() == 4) && groups[1].size() <= 2
        && groups[2].size() <= 2) {
        // "2026/1/5": read by its parts. Joining the digits ("202615") would
        // read them as 2020/12/15.
        year = groups[0].toInt();
        if (groups[0].size() == 2)
            year += (currentYear / 100) * 100;
        month = groups[1].toInt();
        day = groups[2].toInt();
    } else if (digits.size() < 5) {
        return QString();
    } else if (digits.size() <= 6) {
        const QString padded = digits.leftJustified(6, QLatin1Char('0'));
        year = (currentYear / 100) * 100 + padded.mid(0, 2).toInt();
        month = padded.mid(2, 2).toInt();
        day = padded.mid(4, 2).toInt();
    } else {
        const QString padded = digits.leftJustified(8, QLatin1Char('0'));
        year = padded.mid(0, 4).toInt();
        month = padded.mid(4, 2).toInt();
        day = padded.mid(6, 2).toInt();
    }
    month = std::clamp(month, 1, 12);
    day = std::clamp(day, 1, daysInMonth(year, month));
    return QStringLiteral("%1/%2/%3")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

bool insertRow(QSqlDatabase db, Table table, const RowValues& values, int currentYear, int* code,
               QString* error)
{
    if (StatementCache* cache = StatementCache::of(db))
        return cache->inserter(table, currentYear).insert(values, code, error);
    return RowInserter(db, table, currentYear).insert(values, code, error);
}

bool writeRow(AppContext& ctx, Table table, const RowValues& values)
{
    // Inside a transaction the table's statement is prepared once; a lone write
    // is its own transaction and prepares its own.
    if (StatementCache* cache = StatementCache::of(ctx.db()))
        return cache->inserter(table, ctx).write(values);
    return RowInserter(ctx, table).write(values);
}

bool WriteCompanyTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::Company, v); }
bool WriteFukakyuTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::Fukakyu, v); }
bool WriteJyugyoinTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::Jyugyoin, v); }
bool WriteMeisaiTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::Meisai, v); }
bool WriteNentyoTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::Nentyo, v); }
bool WriteSikakuTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::Sikaku, v); }
bool WriteSonotaTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::Sonota, v); }
bool WriteSonotaKojyoTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::SonotaKojyo, v); }
bool WriteNentyoSinkokuTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::NentyoSinkoku, v); }
bool WriteKaisyaGinkoTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::KaisyaGinko, v); }
bool WriteJyugyoinGinkoTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::JyugyoinGinko, v); }
bool WriteSyahoSetteiTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::SyahoSettei, v); }
bool WriteHyojunHosyuTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::HyojunHosyu, v); }
bool WriteJuminzeiTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::Juminzei, v); }

} // namespace minasel::db
