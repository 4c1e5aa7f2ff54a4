#include "db/rowinserter.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"

#include <QSqlDriver>
#include <QSqlError>

#include <cmath>

#ifdef MINASEL_NATIVE_SQLITE
#include <sqlite3.h>
#endif

namespace minasel::db {

RowInserter::RowInserter(AppContext& ctx, Table table, Binding binding)
    : RowInserter(ctx.db(), table, ctx.clock().today().year(), binding)
{
    m_ctx = &ctx;
}

RowInserter::RowInserter(QSqlDatabase db, Table table, int currentYear, Binding binding)
    : m_table(table), m_query(db), m_year(currentYear)
{
    const TableDef& def = tableDef(table);
    if (table == Table::Company)
        m_torokubi = def.indexOf(QStringLiteral("TOROKUBI"));
    // Numbered placeholders: the driver binds them without searching by name.
    QStringList marks;
    for (int i = 1; i <= def.columnCount(); ++i)
        marks << QStringLiteral("?%1").arg(i);
    const QString sql = QStringLiteral("INSERT INTO %1 VALUES(%2)").arg(def.name, marks.join(QStringLiteral(", ")));
#ifdef MINASEL_NATIVE_SQLITE
    const QVariant handle = db.isOpen() && db.driver() ? db.driver()->handle() : QVariant();
    if (binding == Binding::Fastest && handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        m_handle = *static_cast<sqlite3* const*>(handle.data());
        if (m_handle && sqlite3_prepare_v2(m_handle, sql.toUtf8().constData(), -1, &m_stmt, nullptr) == SQLITE_OK) {
            m_prepared = true;
            return;
        }
        m_stmt = nullptr;
    }
#else
    Q_UNUSED(binding);
#endif
    m_prepared = m_query.prepare(sql);
}

RowInserter::~RowInserter()
{
#ifdef MINASEL_NATIVE_SQLITE
    if (m_stmt)
        sqlite3_finalize(m_stmt);
#endif
}

bool RowInserter::write(const RowValues& values)
{
    int code = 0;
    QString error;
    if (insert(values, &code, &error))
        return true;
    if (m_ctx) {
        m_ctx->reportError(code, error, writerProcedureName(m_table));
    }
    return false;
}

bool RowInserter::insert(const RowValues& values, int* code, QString* error)
{
    const TableDef& def = tableDef(m_table);
    if (values.size() != def.columnCount()) {
        if (code)
            *code = 9;
        if (error)
            *error = QStringLiteral("列の数が一致しません。(%1 / %2)").arg(values.size()).arg(def.columnCount());
        return false;
    }
    return bindAndRun(values, code, error);
}

bool RowInserter::bindAndRun(const RowValues& values, int* code, QString* error)
{
    const TableDef& def = tableDef(m_table);
    auto failed = [&](int c, const QString& description) {
        if (code)
            *code = c;
        if (error)
            *error = description;
        return false;
    };
#ifdef MINASEL_NATIVE_SQLITE
    auto sqliteFailed = [&]() {
        const int c = sqlite3_errcode(m_handle);
        const QString text = QString::fromUtf8(sqlite3_errmsg(m_handle));
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        return failed(c != 0 ? c : -1, text);
    };
#endif
    auto qtFailed = [&]() {
        bool ok = false;
        const int c = m_query.lastError().nativeErrorCode().toInt(&ok);
        return failed(ok && c != 0 ? c : -1, m_query.lastError().text());
    };
    if (!m_prepared)
        return qtFailed();

    for (int i = 0; i < def.columnCount(); ++i) {
        const QString& raw = values.at(i);
        if (def.columns[size_t(i)].kind == Kind::Number) {
            double number = 0;
            int refused = 0;
            try {
                number = NullToNum(raw);
                if (!std::isfinite(number) || std::fabs(number) > kLargestNumber)
                    refused = kOutOfRange;
            } catch (const TypeMismatch&) {
                refused = kNotANumber;
            }
            if (refused != 0) {
#ifdef MINASEL_NATIVE_SQLITE
                if (m_stmt)
                    sqlite3_clear_bindings(m_stmt);
#endif
                QStringList key;
                for (const QString& k : def.key)
                    key << k + QLatin1Char('=') + values.value(def.indexOf(k));
                const QString where = QStringLiteral("%1.%2%3").arg(def.name, def.columns[size_t(i)].name,
                                                                     key.isEmpty() ? QString() : QStringLiteral(", ") + key.join(QLatin1Char(' ')));
                return failed(refused, refused == kNotANumber ? QStringLiteral("型が一致しません。(%1)").arg(where)
                                                              : QStringLiteral("数値が範囲外です。(%1)").arg(where));
            }
#ifdef MINASEL_NATIVE_SQLITE
            if (m_stmt) {
                sqlite3_bind_double(m_stmt, i + 1, number);
                continue;
            }
#endif
            m_query.bindValue(i, number);
            continue;
        }
        QString text = i == m_torokubi ? normalizeTorokubi(raw, m_year) : m_verbatim ? raw : raw.trimmed();
#ifdef MINASEL_NATIVE_SQLITE
        if (m_stmt) {
            const QByteArray utf8 = text.toUtf8();
            sqlite3_bind_text(m_stmt, i + 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
            continue;
        }
#endif
        if (text.isNull())
            text = QStringLiteral("");   // a null text would be stored as NULL, not as the empty text
        m_query.bindValue(i, text);
    }
#ifdef MINASEL_NATIVE_SQLITE
    if (m_stmt) {
        if (sqlite3_step(m_stmt) != SQLITE_DONE)
            return sqliteFailed();
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        return true;
    }
#endif
    if (!m_query.exec())
        return qtFailed();
    return true;
}

} // namespace minasel::db
