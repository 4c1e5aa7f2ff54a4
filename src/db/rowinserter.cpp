#include "db/rowinserter.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"

#include <QSqlError>

namespace minasel::db {

RowInserter::RowInserter(AppContext& ctx, Table table) : RowInserter(ctx.db(), table, ctx.clock().today().year())
{
    m_ctx = &ctx;
}

RowInserter::RowInserter(QSqlDatabase db, Table table, int currentYear)
    : m_table(table), m_query(db), m_year(currentYear)
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

bool RowInserter::write(const RowValues& values)
{
    int code = 0;
    QString error;
    if (insert(values, &code, &error))
        return true;
    if (m_ctx) {
        m_ctx->step = QStringLiteral("1");
        m_ctx->logError(code, error, writerProcedureName(m_table));
    }
    return false;
}

bool RowInserter::insert(const RowValues& values, int* code, QString* error)
{
    const TableDef& def = tableDef(m_table);
    auto failed = [&](int c, const QString& description) {
        if (code)
            *code = c;
        if (error)
            *error = description;
        return false;
    };
    auto sqlFailed = [&]() {
        bool ok = false;
        const int c = m_query.lastError().nativeErrorCode().toInt(&ok);
        return failed(ok && c != 0 ? c : -1, m_query.lastError().text());
    };
    if (!m_prepared)
        return sqlFailed();
    if (values.size() != def.columnCount())
        return failed(9, QStringLiteral("列の数が一致しません。(%1 / %2)").arg(values.size()).arg(def.columnCount()));
    for (int i = 0; i < def.columnCount(); ++i) {
        const QString& raw = values.at(i);
        if (def.columns[size_t(i)].kind == Kind::Number) {
            try {
                m_query.bindValue(i, NullToNum(raw));
            } catch (const TypeMismatch& e) {
                return failed(TypeMismatch::code, QString::fromStdString(e.what()));
            }
        } else if (i == m_torokubi) {
            m_query.bindValue(i, normalizeTorokubi(raw, m_year));
        } else {
            m_query.bindValue(i, raw.trimmed());
        }
    }
    if (!m_query.exec())
        return sqlFailed();
    return true;
}

} // namespace minasel::db
