#pragma once
#include "db/rowwriter.h"
#include "payroll/payslipfixture.h"
#include "support/testdatadir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace minasel::test {

// Statements for the ledgers: the seed's four employees (00001 officer, 00002 and
// 00003 regular, 00004 part-timer) and as many more regular employees as asked.
class LedgerFixture : public ::testing::Test {
protected:
    void addEmployees(int upTo)
    {
        const db::TableDef& def = db::tableDef(db::Table::Jyugyoin);
        for (int i = 5; i <= upTo; ++i) {
            db::RowValues row;
            for (const db::Column& c : def.columns)
                row << (c.kind == db::Kind::Number ? QStringLiteral("0") : QString());
            row[def.indexOf(QStringLiteral("CID"))] = QStringLiteral("01");
            row[def.indexOf(QStringLiteral("JGICODE"))] = QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
            row[def.indexOf(QStringLiteral("JGINAME"))] = QStringLiteral("社員 %1").arg(i);
            row[def.indexOf(QStringLiteral("JGIKBN"))] = QStringLiteral("1");
            ASSERT_TRUE(db::WriteJyugyoinTable(dir.ctx(), row));
        }
    }
    void statement(const QString& month, int employee, int kind, const QMap<QString, QString>& values,
                   const QString& employeeKind = QStringLiteral("1"))
    {
        const QString code = QStringLiteral("%1").arg(employee, 5, 10, QLatin1Char('0'));
        ASSERT_TRUE(db::WriteMeisaiTable(dir.ctx(), meisaiRow(month, code, kind, employeeKind, values)));
    }

    TestDataDir dir;
};

// A line with every formula's inputs; by hand: A 319,200, B 10,000, C 309,200,
// D 44,350, E 264,850, F 22,500, G 2,400, H 254,750.
inline QMap<QString, QString> fullStatement()
{
    return {{"KIHONKYU", "250000"}, {"TIMETEATE1", "15000"}, {"SINYATEATE", "1000"}, {"SINYATEATE2", "500"},
            {"TIMETEATE2", "2000"}, {"TIMETEATE60", "300"}, {"SINYATEATE60", "200"}, {"TIMEOUT1", "10"},
            {"SINYATIME", "1"}, {"SINYATIME2", "0.5"}, {"TIMEOUT2", "2"}, {"TIME60", "0.25"}, {"SINYATIME60", "0.25"},
            {"FOODTEATE", "5000"}, {"TUKINTEATE", "10000"}, {"FAMITEATE", "8000"}, {"HOMETEATE", "12000"},
            {"FUKAKYU", "3000"}, {"SIKAKUTEATE", "4000"}, {"KYUJITUTEATE", "6000"}, {"KINKYUTEATE", "2000"},
            {"STEATE1NM", "皆勤手当"}, {"STEATE1", "1000"}, {"STEATE2", "1500"}, {"STEATE3", "500"},
            {"STEATE9", "700"}, {"KEKINMONEY", "3500"}, {"KEKINTIME", "2.5"}, {"BATIME", "160"},
            {"SYUKINNUM", "20"}, {"HEALTH", "15000"}, {"NENKIN", "27450"}, {"KOYOHOKEN", "1900"}, {"TAX", "7000"},
            {"SIMIZEI", "12000"}, {"SKOJYO1", "3000"}, {"SKOJYO3", "500"}, {"NENTYOMONEY", "2400"}};
}

// RFC 4180 reading of a CSV file written for spreadsheets (BOM, CR LF, quotes).
inline QList<QStringList> readCsv(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(bytes.mid(3));
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                field += text[++i];
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            row << field;
            rows << row;
            row.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return rows;
}

} // namespace minasel::test
