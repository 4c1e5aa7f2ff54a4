#include "db/tablereader.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

#ifdef MINASEL_NATIVE_SQLITE
#include <sqlite3.h>
#endif

namespace minasel::db {

TableReader::TableReader(QSqlDatabase db, const QString& table, const QString& cid) : m_query(db)
{
    const QString sql = QStringLiteral("SELECT * FROM %1 WHERE CID = ?").arg(table);
#ifdef MINASEL_NATIVE_SQLITE
    const QVariant handle = db.isOpen() && db.driver() ? db.driver()->handle() : QVariant();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        sqlite3* h = *static_cast<sqlite3* const*>(handle.data());
        const QByteArray id = cid.toUtf8();
        if (h && sqlite3_prepare_v2(h, sql.toUtf8().constData(), -1, &m_stmt, nullptr) == SQLITE_OK
            && sqlite3_bind_text(m_stmt, 1, id.constData(), int(id.size()), SQLITE_TRANSIENT) == SQLITE_OK) {
            m_columns = sqlite3_column_count(m_stmt);
            return;
        }
        m_error = QString::fromUtf8(h ? sqlite3_errmsg(h) : "no database");
        if (m_stmt)
            sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        return;
    }
#endif
    m_query.setForwardOnly(true);
    if (!m_query.prepare(sql)) {
        m_error = m_query.lastError().text();
        return;
    }
    m_query.addBindValue(cid);
    if (!m_query.exec()) {
        m_error = m_query.lastError().text();
        return;
    }
    m_columns = m_query.record().count();
}

TableReader::~TableReader()
{
#ifdef MINASEL_NATIVE_SQLITE
    if (m_stmt)
        sqlite3_finalize(m_stmt);
#endif
}

bool TableReader::next()
{
    if (failed())
        return false;
#ifdef MINASEL_NATIVE_SQLITE
    if (m_stmt) {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            m_error = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_stmt)));
        return false;
    }
#endif
    if (!m_query.next()) {
        if (m_query.lastError().isValid())
            m_error = m_query.lastError().text();
        return false;
    }
    m_texts.assign(size_t(m_columns), QByteArray());
    for (int i = 0; i < m_columns; ++i)
        if (type(i) == Type::Text)
            m_texts[size_t(i)] = m_query.value(i).toString().toUtf8();
    return true;
}

TableReader::Type TableReader::type(int column) const
{
#ifdef MINASEL_NATIVE_SQLITE
    if (m_stmt) {
        switch (sqlite3_column_type(m_stmt, column)) {
        case SQLITE_NULL: return Type::Null;
        case SQLITE_INTEGER: return Type::Integer;
        case SQLITE_FLOAT: return Type::Float;
        default: return Type::Text;
        }
    }
#endif
    const QVariant v = m_query.value(column);
    if (v.isNull())
        return Type::Null;
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: return Type::Float;
    case QMetaType::Int:
    case QMetaType::LongLong: return Type::Integer;
    default: return Type::Text;
    }
}

qint64 TableReader::integer(int column) const
{
#ifdef MINASEL_NATIVE_SQLITE
    if (m_stmt)
        return sqlite3_column_int64(m_stmt, column);
#endif
    return m_query.value(column).toLongLong();
}

double TableReader::number(int column) const
{
#ifdef MINASEL_NATIVE_SQLITE
    if (m_stmt)
        return sqlite3_column_double(m_stmt, column);
#endif
    return m_query.value(column).toDouble();
}

QByteArrayView TableReader::text(int column) const
{
#ifdef MINASEL_NATIVE_SQLITE
    if (m_stmt) {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return QByteArrayView(p, sqlite3_column_bytes(m_stmt, column));
    }
#endif
    return m_texts[size_t(column)];
}

} // namespace minasel::db
