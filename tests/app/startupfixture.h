#pragma once
// A data folder prepared before the program starts on it: the database made as
// a first run makes it, then edited through a connection of its own, closed again
// before the start-up under test opens it.
#include "db/database.h"
#include "db/rowwriter.h"
#include "support/testdatadir.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <functional>
#include <gtest/gtest.h>

namespace minasel::test {

inline void prepareData(TestDataDir& t, const std::function<void(QSqlDatabase&)>& edit = {})
{
    QString error;
    ASSERT_FALSE(db::getDataFolder(2026, &error).isEmpty()) << error.toStdString();
    if (!edit)
        return;
    {
        QSqlDatabase d = db::openFile(t.path() + QStringLiteral("/Kyuyo.db"), QStringLiteral("prepare"), &error);
        ASSERT_TRUE(d.isOpen()) << error.toStdString();
        edit(d);
        d.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("prepare"));
}

inline void execOk(QSqlDatabase& d, const QString& sql)
{
    QSqlQuery q(d);
    ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
}

// A copy of an existing company under another code, name and registration date.
inline void copyCompany(QSqlDatabase& d, const QString& from, const QString& to, const QString& name,
                        const QString& torokubi)
{
    QSqlQuery q(d);
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT * FROM COMPANY WHERE CID = '%1'").arg(from)) && q.next());
    QStringList values;
    const QSqlRecord r = q.record();
    for (int i = 0; i < r.count(); ++i)
        values << q.value(i).toString();
    q.finish();
    const db::TableDef& def = db::tableDef(db::Table::Company);
    values[def.indexOf(QStringLiteral("CID"))] = to;
    values[def.indexOf(QStringLiteral("COMPANY"))] = name;
    values[def.indexOf(QStringLiteral("TOROKUBI"))] = torokubi;
    QString error;
    ASSERT_TRUE(db::insertRow(d, db::Table::Company, values, 2026, nullptr, &error)) << error.toStdString();
}

inline QStringList logLines(const TestDataDir& t)
{
    QFile f(t.path() + QStringLiteral("/kyuyo.log"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList l = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
    l.removeAll(QString());
    return l;
}

// The lines without their number and time, which the fixed clock makes predictable anyway.
inline QStringList logTails(const TestDataDir& t)
{
    QStringList out;
    for (const QString& l : logLines(t))
        out << l.mid(QStringLiteral("001 2026/12/06 10:00:00 ").size());
    return out;
}

} // namespace minasel::test
