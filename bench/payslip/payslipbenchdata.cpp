#include "payslipbenchdata.h"

#include "db/database.h"
#include "db/rowwriter.h"
#include "db/schema.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace minasel::bench {

db::RowValues blankRow(db::Table table)
{
    db::RowValues row;
    for (const db::Column& c : db::tableDef(table).columns)
        row << (c.kind == db::Kind::Number ? QStringLiteral("0") : QString());
    return row;
}

void set(db::RowValues& row, db::Table table, const char* column, const QString& value)
{
    row[db::tableDef(table).indexOf(QString::fromLatin1(column))] = value;
}

namespace {

// A statement row with its key and the employee's class filled in.
db::RowValues statementRow(const QString& month, const QString& code, const char* kind, const QString& employeeKind)
{
    db::RowValues m = blankRow(db::Table::Meisai);
    set(m, db::Table::Meisai, "CID", QStringLiteral("01"));
    set(m, db::Table::Meisai, "SIKYUBI", month);
    set(m, db::Table::Meisai, "JGICODE", code);
    set(m, db::Table::Meisai, "SIKYUKBN", QString::fromLatin1(kind));
    set(m, db::Table::Meisai, "JGIKBN", employeeKind);
    return m;
}

} // namespace

bool makePayslipData(const QString& folder, int employees, const QString& month, QString* error)
{
    return makeStatementData(folder, employees, {month}, {}, error);
}

bool makeStatementData(const QString& folder, int employees, const QStringList& months, const QStringList& bonusMonths,
                       QString* error)
{
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("Kyuyo.db"));
    QFile::remove(path);
    if (!db::createDatabaseFile(path, 2026, error))
        return false;
    bool ok = true;
    {
        QSqlDatabase db = db::openFile(path, QStringLiteral("bench-payslip-data"), error);
        if (!db.isOpen())
            return false;
        db.transaction();
        QSqlQuery(db).exec(QStringLiteral("DELETE FROM MEISAI WHERE CID = '01'"));
        static const char* kNames[] = {"山田 太郎", "佐々木 次郎", "長谷川 三奈子", "林 四郎", "渡辺 五月"};
        for (int i = 1; i <= employees && ok; ++i) {
            const QString code = QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
            int errCode = 0;
            if (i > 4) {
                db::RowValues e = blankRow(db::Table::Jyugyoin);
                set(e, db::Table::Jyugyoin, "CID", QStringLiteral("01"));
                set(e, db::Table::Jyugyoin, "JGICODE", code);
                set(e, db::Table::Jyugyoin, "JGINAME", QString::fromUtf8(kNames[i % 5]) + QString::number(i));
                set(e, db::Table::Jyugyoin, "JGIKBN", i % 4 == 0 ? QStringLiteral("3") : QStringLiteral("1"));
                ok = db::insertRow(db, db::Table::Jyugyoin, e, 2026, &errCode, error);
            }
            for (const QString& month : months) {
                const db::Table t = db::Table::Meisai;
                db::RowValues m = statementRow(month, code, "1", i % 4 == 0 ? QStringLiteral("3") : QStringLiteral("1"));
                set(m, t, "KIHONKYU", QString::number(200000 + i * 1000));
                set(m, t, "TUKINTEATE", QStringLiteral("12000"));
                set(m, t, "FOODTEATE", QStringLiteral("5000"));
                set(m, t, "HOMETEATE", QStringLiteral("10000"));
                set(m, t, "FAMITEATE", QStringLiteral("8000"));
                set(m, t, "SIKAKUTEATE", QStringLiteral("3000"));
                set(m, t, "FUKAKYU", QStringLiteral("2000"));
                set(m, t, "TIMEOUT1", QStringLiteral("10"));
                set(m, t, "TIMETEATE1", QStringLiteral("18750"));
                set(m, t, "SINYATIME", QStringLiteral("2"));
                set(m, t, "SINYATEATE", QStringLiteral("4500"));
                set(m, t, "KYUJITUNUM", QStringLiteral("1"));
                set(m, t, "KYUJITUTEATE", QStringLiteral("10000"));
                set(m, t, "KINKYUNUM", QStringLiteral("1"));
                set(m, t, "KINKYUTEATE", QStringLiteral("5000"));
                set(m, t, "STEATE1NM", QStringLiteral("皆勤手当"));
                set(m, t, "STEATE1", QStringLiteral("3000"));
                set(m, t, "STEATE8NM", QStringLiteral("調整手当"));
                set(m, t, "STEATE8", QStringLiteral("1500"));
                set(m, t, "STEATE9NM", QStringLiteral("特別手当"));
                set(m, t, "STEATE9", QStringLiteral("2500"));
                set(m, t, "KEKINTIME", QStringLiteral("3"));
                set(m, t, "KEKINMONEY", QStringLiteral("4000"));
                set(m, t, "BATIME", QStringLiteral("96"));
                set(m, t, "HEALTH", QStringLiteral("11890"));
                set(m, t, "NENKIN", QStringLiteral("21960"));
                set(m, t, "KOYOHOKEN", QStringLiteral("1500"));
                set(m, t, "TAX", QStringLiteral("6000"));
                set(m, t, "SIMIZEI", QStringLiteral("9000"));
                set(m, t, "SKOJYO1NM", QStringLiteral("社宅費"));
                set(m, t, "SKOJYO1", QStringLiteral("20000"));
                set(m, t, "SKOJYO2NM", QStringLiteral("互助会費"));
                set(m, t, "SKOJYO2", QStringLiteral("500"));
                set(m, t, "SYUKINNUM", QStringLiteral("20"));
                set(m, t, "YUKYUNUM", QStringLiteral("1"));
                set(m, t, "KEKINDAY", QStringLiteral("1"));
                set(m, t, "KEKINDAYTIME", QStringLiteral("8"));
                ok = ok && db::insertRow(db, t, m, 2026, &errCode, error);
            }
            for (const QString& month : bonusMonths) {
                const db::Table t = db::Table::Meisai;
                db::RowValues b = statementRow(month, code, "2", QStringLiteral("1"));
                set(b, t, "KIHONKYU", QString::number(400000 + i * 1000));
                set(b, t, "HEALTH", QStringLiteral("19820"));
                set(b, t, "NENKIN", QStringLiteral("36600"));
                set(b, t, "KOYOHOKEN", QStringLiteral("2400"));
                set(b, t, "TAX", QStringLiteral("14000"));
                ok = ok && db::insertRow(db, t, b, 2026, &errCode, error);
            }
        }
        ok = ok && db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-payslip-data"));
    return ok;
}

} // namespace minasel::bench
