#include "db/rowwriter.h"

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
    }
    return QString();
}

QString normalizeTorokubi(const QString& value, int currentYear)
{
    QString digits;
    for (QChar c : value)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    if (digits.size() < 5)
        return QString();
    int year, month, day;
    if (digits.size() <= 6) {
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
    const TableDef& def = tableDef(table);
    auto failed = [&](int c, const QString& description) {
        if (code)
            *code = c;
        if (error)
            *error = description;
        return false;
    };
    if (values.size() != def.columnCount())
        return failed(9, QStringLiteral("列の数が一致しません。(%1 / %2)").arg(values.size()).arg(def.columnCount()));

    QStringList marks;
    for (int i = 0; i < def.columnCount(); ++i)
        marks << QStringLiteral("?");
    QSqlQuery q(db);
    auto sqlFailed = [&]() {
        bool ok = false;
        int c = q.lastError().nativeErrorCode().toInt(&ok);
        if (!ok || c == 0)
            c = -1;
        return failed(c, q.lastError().text());
    };
    if (!q.prepare(QStringLiteral("INSERT INTO %1 VALUES(%2)").arg(def.name, marks.join(QStringLiteral(", ")))))
        return sqlFailed();
    const int torokubi = table == Table::Company ? def.indexOf(QStringLiteral("TOROKUBI")) : -1;
    for (int i = 0; i < def.columnCount(); ++i) {
        const QString raw = values.at(i);
        if (def.columns[size_t(i)].kind == Kind::Number) {
            try {
                q.addBindValue(NullToNum(raw));
            } catch (const TypeMismatch& e) {
                return failed(TypeMismatch::code, QString::fromStdString(e.what()));
            }
        } else if (i == torokubi) {
            q.addBindValue(normalizeTorokubi(raw, currentYear));
        } else {
            q.addBindValue(raw.trimmed());
        }
    }
    if (!q.exec())
        return sqlFailed();
    return true;
}

bool writeRow(AppContext& ctx, Table table, const RowValues& values)
{
    int code = 0;
    QString error;
    if (insertRow(ctx.db(), table, values, ctx.clock().today().year(), &code, &error))
        return true;
    ctx.step = QStringLiteral("1");
    ctx.logError(code, error, writerProcedureName(table));
    return false;
}

bool WriteCompanyTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::Company, v); }
bool WriteFukakyuTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::Fukakyu, v); }
bool WriteJyugyoinTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::Jyugyoin, v); }
bool WriteMeisaiTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::Meisai, v); }
bool WriteNentyoTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::Nentyo, v); }
bool WriteSikakuTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::Sikaku, v); }
bool WriteSonotaTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::Sonota, v); }
bool WriteSonotaKojyoTable(AppContext& ctx, const RowValues& v) { return writeRow(ctx, Table::SonotaKojyo, v); }

} // namespace minasel::db
