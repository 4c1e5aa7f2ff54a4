#include "backup/payrolldata.h"

#include "app/appcontext.h"
#include "db/rowwriter.h"
#include "db/schema.h"
#include "db/transactionguard.h"

namespace minasel::bench {

namespace {

db::RowValues row(db::Table table, int seed, std::initializer_list<std::pair<const char*, QString>> set)
{
    const db::TableDef& def = db::tableDef(table);
    db::RowValues v;
    for (const db::Column& c : def.columns)
        v << (c.kind == db::Kind::Number ? QStringLiteral("0") : QString());
    for (const auto& [name, value] : set)
        v[def.indexOf(QString::fromLatin1(name))] = value;
    // Amounts that look like pay: a few thousand to a few hundred thousand yen.
    for (int i = 0; i < def.columnCount(); ++i)
        if (def.columns[size_t(i)].kind == db::Kind::Number && v[i] == QLatin1String("0") && (seed + i) % 3 == 0)
            v[i] = QString::number(((seed * 131 + i * 977) % 300) * 1000 + (i % 7) * 10);
    return v;
}

} // namespace

int generatePayroll(AppContext& ctx, const PayrollSize& size)
{
    using db::Table;
    db::TransactionGuard tx(ctx.db());
    int statements = 0;
    for (int e = 1; e <= size.employees; ++e) {
        const QString code = QStringLiteral("%1").arg(e + 1000, 5, 10, QLatin1Char('0'));
        const QString kihon = QString::number(180000 + (e % 40) * 5000);
        if (!db::writeRow(ctx, Table::Jyugyoin,
                          row(Table::Jyugyoin, e,
                              {{"CID", "01"}, {"JGICODE", code}, {"JGINAME", QStringLiteral("社員%1 太郎").arg(e)},
                               {"JGIKANA", QStringLiteral("ｼｬｲﾝ ﾀﾛｳ")}, {"SEX", QStringLiteral("男")},
                               {"BIRTHDAY", "19800101"}, {"ADD1", QStringLiteral("東京都千代田区1-2-3")}, {"JGIKBN", "1"},
                               {"NYUSYABI", "20100401"}, {"KIHONKYU", kihon}, {"KEHOKBN", "0"}, {"KOYOKBN", "1"},
                               {"CALCUTAX", "1"}})))
            return -1;
        if (!db::writeRow(ctx, Table::Sonota,
                          row(Table::Sonota, e, {{"CID", "01"}, {"JGICODE", code}, {"SNTCODE", "1"},
                                                 {"SNTNAME", QStringLiteral("資格手当, 特別")}, {"SNTMONEY", "5000"},
                                                 {"KEISANKBN", "1"}}))
            || !db::writeRow(ctx, Table::SonotaKojyo,
                             row(Table::SonotaKojyo, e, {{"CID", "01"}, {"JGICODE", code}, {"SNTCODE", "1"},
                                                         {"SNTNAME", QStringLiteral("社宅費")}, {"SNTMONEY", "20000"}})))
            return -1;
        for (int y = 0; y < size.years; ++y) {
            const int year = 2016 + y;
            for (int m = 1; m <= 12; ++m) {
                const QString month = QStringLiteral("%1%2").arg(year).arg(m, 2, 10, QLatin1Char('0'));
                if (!db::writeRow(ctx, Table::Meisai,
                                  row(Table::Meisai, e * 1000 + y * 12 + m,
                                      {{"CID", "01"}, {"SIKYUBI", month}, {"JGICODE", code}, {"SIKYUKBN", "1"},
                                       {"JGIKBN", "1"}, {"KIHONKYU", kihon}, {"STEATE1NM", QStringLiteral("資格手当")},
                                       {"SKOJYO1NM", QStringLiteral("社宅費")}, {"KEHOKBN", "0"}})))
                    return -1;
                ++statements;
            }
            if (!db::writeRow(ctx, Table::Meisai,
                              row(Table::Meisai, e * 1000 + y, {{"CID", "01"}, {"SIKYUBI", QStringLiteral("%1").arg(year) + "07"},
                                                                {"JGICODE", code}, {"SIKYUKBN", "2"}, {"JGIKBN", "1"},
                                                                {"KIHONKYU", "400000"}, {"KEHOKBN", "0"}}))
                || !db::writeRow(ctx, Table::Nentyo,
                                 row(Table::Nentyo, e * 100 + y, {{"CID", "01"}, {"SIKYUYEAR", QString::number(year)},
                                                                  {"JGICODE", code},
                                                                  {"TEKIYO1", QStringLiteral("前職分を含む \"摘要\"")}})))
                return -1;
            ++statements;
        }
    }
    return tx.commit() ? statements : -1;
}

} // namespace minasel::bench
