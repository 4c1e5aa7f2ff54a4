#pragma once
#include "db/rowwriter.h"
#include "db/schema.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace minasel::test {

// A row of `table` with every column filled (texts and numbers that vary with
// `seed`), then the named columns set as given.
inline db::RowValues makeRow(db::Table table, const QMap<QString, QString>& set, int seed)
{
    const db::TableDef& def = db::tableDef(table);
    db::RowValues v;
    for (int i = 0; i < def.columnCount(); ++i) {
        const db::Column& c = def.columns[size_t(i)];
        if (set.contains(c.name))
            v << set.value(c.name);
        else if (c.kind == db::Kind::Number)
            v << QString::number((seed * 7919 + i * 31) % 500000 + (i % 3 == 0 ? 0.25 : 0.0), 'f', 2);
        else
            v << QStringLiteral("値%1-%2").arg(seed).arg(i);
    }
    return v;
}

inline bool insert(QSqlDatabase db, db::Table t, const db::RowValues& v)
{
    return db::insertRow(db, t, v, 2026, nullptr, nullptr);
}

// Statements, year-end rows and items for company `cid` (which already has its
// COMPANY row), with texts that hold quotes, commas and line breaks.
inline bool fillCompany(QSqlDatabase db, const QString& cid, int employees, int months)
{
    using db::Table;
    if (!db.transaction())
        return false;
    bool ok = true;
    for (int e = 1; e <= employees; ++e) {
        const QString code = QStringLiteral("%1").arg(e + 100, 5, 10, QLatin1Char('0'));
        ok = ok && insert(db, Table::Jyugyoin, makeRow(Table::Jyugyoin, {{"CID", cid}, {"JGICODE", code},
                 {"JGINAME", QStringLiteral("社員 \"%1\" 様").arg(e)}, {"ADD1", QStringLiteral("東京都, 千代田区")}}, e));
        for (int m = 0; m < months; ++m) {
            const QString month = QStringLiteral("%1%2").arg(2020 + m / 12).arg(m % 12 + 1, 2, 10, QLatin1Char('0'));
            ok = ok && insert(db, Table::Meisai, makeRow(Table::Meisai, {{"CID", cid}, {"SIKYUBI", month},
                     {"JGICODE", code}, {"SIKYUKBN", "1"}, {"STEATE1NM", QStringLiteral("手当\"A\",\r\n二行目")}}, e * 100 + m));
        }
        ok = ok && insert(db, Table::Nentyo, makeRow(Table::Nentyo, {{"CID", cid}, {"SIKYUYEAR", "2025"},
                 {"JGICODE", code}, {"TEKIYO1", QStringLiteral("摘要 \"引用\" と, カンマ")},
                 {"TEKIYO2", QStringLiteral("一行目\r\n二行目\n三行目")}, {"TEKIYO3", QStringLiteral("\"")}}, e));
        // Every side table holds a row for each employee too (one for the company when keyed by company alone).
        for (Table side : db::sideTables())
            if (e == 1 || db::tableDef(side).key.contains(QStringLiteral("JGICODE")))
                ok = ok && insert(db, side, makeRow(side, {{"CID", cid}, {"SIKYUYEAR", "2025"}, {"JGICODE", code}}, e));
        ok = ok && insert(db, Table::Sonota, makeRow(Table::Sonota, {{"CID", cid}, {"JGICODE", code}, {"SNTCODE", "1"}}, e));
        ok = ok && insert(db, Table::SonotaKojyo,
                          makeRow(Table::SonotaKojyo, {{"CID", cid}, {"JGICODE", code}, {"SNTCODE", "1"}}, e));
    }
    if (!ok) {
        db.rollback();
        return false;
    }
    return db.commit();
}

// Every row of a company in the eight tables, with the type of every value,
// sorted: two dumps are equal exactly when the tables hold the same rows.
inline QStringList dumpCompany(QSqlDatabase db, const QString& cid)
{
    QStringList out;
    for (db::Table t : db::companyTables()) {
        const db::TableDef& def = db::tableDef(t);
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT * FROM %1 WHERE CID = ?").arg(def.name));
        q.addBindValue(cid);
        q.exec();
        QStringList rows;
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < q.record().count(); ++i) {
                const QVariant v = q.value(i);
                cells << QString::fromLatin1(v.typeName() ? v.typeName() : "null") + QLatin1Char(':')
                        + (v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'g', 17) : v.toString());
            }
            rows << def.name + QLatin1Char('|') + cells.join(QLatin1Char('|'));
        }
        rows.sort();
        out << rows;
    }
    return out;
}

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

inline bool writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

inline QStringList setFiles()
{
    QStringList names;
    for (db::Table t : db::companyTables())
        names << QStringLiteral("T_%1.txt").arg(int(t), 3, 10, QLatin1Char('0'));
    return names;
}

} // namespace minasel::test
