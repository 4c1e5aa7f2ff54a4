#include "db/rowinserter.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"

#include <QSqlError>

namespace minasel::db {

RowInserter::RowInserter(AppContext& ctx, Table table)
    : m_ctx(ctx), m_table(table), m_query(ctx.db()), m_year(ctx.clock().today().year())
{
    const TableDef& def = tableDef(table);
    // Numbered placeholders: the driver binds them without searching by name.
    QStringList marks;
    for (int i = 1; i <= def.columnCount(); ++i)
        marks << QStringLiteral("?%1").arg(i);
    m_prepared = m_query.prepare(QStringLiteral("INSERT INTO %1 VALUES(%2)").arg(def.name, marks.join(QStringLiteral(", "))));
    if (table == Table::Company)
        m_torokubi = def.indexOf(QStringLiteral("TOROKUBI"));
}

bool RowInserter::fail(int code, const QString& description)
{
    m_ctx.step = QStringLiteral("1");
    m_ctx.logError(code, description, writerProcedureName(m_table));
    return false;
}

bool RowInserter::write(const RowValues& values)
{
    const TableDef& def = tableDef(m_table);
    auto sqlCode = [this]() {
        bool ok = false;
        const int c = m_query.lastError().nativeErrorCode().toInt(&ok);
        return ok && c != 0 ? c : -1;
    };
    if (!m_prepared)
        return fail(sqlCode(), m_query.lastError().text());
    if (values.size() != def.columnCount())
        return fail(9, QStringLiteral("列の数が一致しません。(%1 / %2)").arg(values.size()).arg(def.columnCount()));
    for (int i = 0; i < def.columnCount(); ++i) {
        const QString& raw = values.at(i);
        if (def.columns[size_t(i)].kind == Kind::Number) {
            try {
                m_query.bindValue(i, NullToNum(raw));
            } catch (const TypeMismatch& e) {
                return fail(TypeMismatch::code, QString::fromStdString(e.what()));
            }
        } else if (i == m_torokubi) {
            m_query.bindValue(i, normalizeTorokubi(raw, m_year));
        } else {
            m_query.bindValue(i, raw.trimmed());
        }
    }
    if (!m_query.exec())
        return fail(sqlCode(), m_query.lastError().text());
    return true;
}

} // namespace minasel::db
