#include "db/rowinserter.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "db/decimaltext.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QStringEncoder>

#include <cmath>

#ifdef MINASEL_NATIVE_SQLITE
#include <sqlite3.h>
#endif

namespace minasel::db {

namespace {

// 0 and the number, or the code of the refusal. Plain decimals are read here;
// anything else goes through NullToNum, so both give the same numbers and
// refuse the same texts.
int checkedNumber(double number)
{
    return !std::isfinite(number) || std::fabs(number) > RowInserter::kLargestNumber ? RowInserter::kOutOfRange : 0;
}

int readNumber(QStringView text, double* number)
{
    if (text.isEmpty()) {
        *number = 0;
        return 0;
    }
    if (!parsePlainDecimal(reinterpret_cast<const char16_t*>(text.utf16()), text.size(), number)) {
        try {
            *number = NullToNum(text.toString());
        } catch (const TypeMismatch&) {
            return RowInserter::kNotANumber;
        }
    }
    return checkedNumber(*number);
}

int readNumber(QByteArrayView utf8, double* number)
{
    if (utf8.isEmpty()) {
        *number = 0;
        return 0;
    }
    if (!parsePlainDecimal(utf8.data(), utf8.size(), number)) {
        try {
            *number = NullToNum(QString::fromUtf8(utf8));
        } catch (const TypeMismatch&) {
            return RowInserter::kNotANumber;
        }
    }
    return checkedNumber(*number);
}

} // namespace

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

bool RowInserter::refuseNumber(int column, int refused, const RowValues& values, int* code, QString* error)
{
#ifdef MINASEL_NATIVE_SQLITE
    if (m_stmt)
        sqlite3_clear_bindings(m_stmt);
#endif
    const TableDef& def = tableDef(m_table);
    QStringList key;
    for (const QString& k : def.key)
        key << k + QLatin1Char('=') + values.value(def.indexOf(k));
    const QString where = QStringLiteral("%1.%2%3").arg(def.name, def.columns[size_t(column)].name,
                                                         key.isEmpty() ? QString() : QStringLiteral(", ") + key.join(QLatin1Char(' ')));
    if (code)
        *code = refused;
    if (error)
        *error = refused == kNotANumber ? QStringLiteral("型が一致しません。(%1)").arg(where)
                                        : QStringLiteral("数値が範囲外です。(%1)").arg(where);
    return false;
}

bool RowInserter::step(int* code, QString* error)
{
#ifdef MINASEL_NATIVE_SQLITE
    if (sqlite3_step(m_stmt) == SQLITE_DONE) {
        sqlite3_reset(m_stmt);
        return true;
    }
    const int c = sqlite3_errcode(m_handle);
    const QString text = QString::fromUtf8(sqlite3_errmsg(m_handle));
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    if (code)
        *code = c != 0 ? c : -1;
    if (error)
        *error = text;
    return false;
#else
    Q_UNUSED(code);
    Q_UNUSED(error);
    return false;
#endif
}

bool RowInserter::bindAndRun(const RowValues& values, int* code, QString* error)
{
    const TableDef& def = tableDef(m_table);
    auto qtFailed = [&]() {
        bool ok = false;
        const int c = m_query.lastError().nativeErrorCode().toInt(&ok);
        if (code)
            *code = ok && c != 0 ? c : -1;
        if (error)
            *error = m_query.lastError().text();
        return false;
    };
    if (!m_prepared)
        return qtFailed();

    QString torokubi;
#ifdef MINASEL_NATIVE_SQLITE
    if (m_stmt) {
        // The texts' UTF-8 goes into one buffer kept from row to row.
        QStringEncoder encode(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
        qsizetype space = 0;
        for (int i = 0; i < def.columnCount(); ++i)
            if (def.columns[size_t(i)].kind == Kind::Text)
                space += encode.requiredSpace(values.at(i).size()) + (i == m_torokubi ? 16 : 0);
        if (m_scratch.size() < space)
            m_scratch.resize(space);
        char* out = m_scratch.data();
        for (int i = 0; i < def.columnCount(); ++i) {
            const QString& raw = values.at(i);
            if (def.columns[size_t(i)].kind == Kind::Number) {
                double number = 0;
                if (const int refused = readNumber(raw, &number))
                    return refuseNumber(i, refused, values, code, error);
                sqlite3_bind_double(m_stmt, i + 1, number);
                continue;
            }
            QStringView text = m_verbatim ? QStringView(raw) : QStringView(raw).trimmed();
            if (i == m_torokubi) {
                torokubi = normalizeTorokubi(raw, m_year);
                text = torokubi;
            }
            // The buffer was sized for the whole row: it does not move while the row is bound.
            char* const from = out;
            out = encode.appendToBuffer(out, text);
            sqlite3_bind_text(m_stmt, i + 1, from, int(out - from), SQLITE_STATIC);
        }
        return step(code, error);
    }
#endif
    for (int i = 0; i < def.columnCount(); ++i) {
        const QString& raw = values.at(i);
        if (def.columns[size_t(i)].kind == Kind::Number) {
            double number = 0;
            if (const int refused = readNumber(raw, &number))
                return refuseNumber(i, refused, values, code, error);
            m_query.bindValue(i, number);
            continue;
        }
        QString text = i == m_torokubi ? normalizeTorokubi(raw, m_year) : m_verbatim ? raw : raw.trimmed();
        if (text.isNull())
            text = QStringLiteral("");   // a null text would be stored as NULL, not as the empty text
        m_query.bindValue(i, text);
    }
    if (!m_query.exec())
        return qtFailed();
    return true;
}

bool RowInserter::insertUtf8(const QByteArrayView* values, int count, int* code, QString* error)
{
    const TableDef& def = tableDef(m_table);
#ifdef MINASEL_NATIVE_SQLITE
    if (m_stmt && count == def.columnCount()) {
        QByteArray torokubi;
        for (int i = 0; i < count; ++i) {
            const QByteArrayView raw = values[i];
            if (def.columns[size_t(i)].kind == Kind::Number) {
                double number = 0;
                if (const int refused = readNumber(raw, &number)) {
                    RowValues texts;
                    for (int j = 0; j < count; ++j)
                        texts << QString::fromUtf8(values[j]);
                    return refuseNumber(i, refused, texts, code, error);
                }
                sqlite3_bind_double(m_stmt, i + 1, number);
            } else if (i == m_torokubi) {
                torokubi = normalizeTorokubi(QString::fromUtf8(raw), m_year).toUtf8();
                sqlite3_bind_text(m_stmt, i + 1, torokubi.constData(), int(torokubi.size()), SQLITE_STATIC);
            } else {
                // An empty text is "", never NULL: a view of nothing still points somewhere.
                sqlite3_bind_text(m_stmt, i + 1, raw.isEmpty() ? "" : raw.data(), int(raw.size()), SQLITE_STATIC);
            }
        }
        return step(code, error);
    }
#endif
    RowValues texts;
    texts.reserve(count);
    for (int i = 0; i < count; ++i)
        texts << QString::fromUtf8(values[i]);
    const bool verbatim = m_verbatim;
    m_verbatim = true;
    const bool ok = insert(texts, code, error);
    m_verbatim = verbatim;
    return ok;
}

} // namespace minasel::db
