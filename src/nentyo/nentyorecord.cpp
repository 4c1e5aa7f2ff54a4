#include "nentyo/nentyorecord.h"

#include "app/valuehelpers.h"
#include "db/schema.h"
#include "nentyo/mynumber.h"

#include <QHash>
#include <QSqlRecord>
#include <cmath>

namespace minasel::nentyo {

namespace {

// Column name (upper case) -> index, for one table.
QHash<QString, int> columnIndex(db::Table table)
{
    QHash<QString, int> index;
    const db::TableDef& def = db::tableDef(table);
    for (int i = 0; i < def.columnCount(); ++i)
        index.insert(def.columns[size_t(i)].name.toUpper(), i);
    return index;
}

const QHash<QString, int>& nentyoIndex()
{
    static const QHash<QString, int> index = columnIndex(db::Table::Nentyo);
    return index;
}

const QHash<QString, int>& sinkokuIndex()
{
    static const QHash<QString, int> index = columnIndex(db::Table::NentyoSinkoku);
    return index;
}

db::RowValues emptyRow(db::Table table)
{
    db::RowValues row;
    for (const db::Column& c : db::tableDef(table).columns)
        row << (c.kind == db::Kind::Number ? QStringLiteral("0") : QString());
    return row;
}

// The row of a "Select *" result in column order; numbers in the general format.
db::RowValues rowFrom(const QSqlRecord& record, db::Table table)
{
    db::RowValues row = emptyRow(table);
    const db::TableDef& def = db::tableDef(table);
    for (int i = 0; i < def.columnCount(); ++i) {
        const db::Column& c = def.columns[size_t(i)];
        const QVariant v = record.value(c.name);
        row[i] = c.kind == db::Kind::Number ? generalNumber(NullToNum(v)) : NullToStr(v).trimmed();
    }
    return row;
}

// What read_zennendo_data copies: the declarations that stay from year to year.
QStringList takenOverColumns()
{
    QStringList c = {QStringLiteral("TEKIYO1"), QStringLiteral("TEKIYO2"), QStringLiteral("TEKIYO3"),
                     QStringLiteral("FAMINUM"), QStringLiteral("FAMINUM1"), QStringLiteral("FAMINUM2"),
                     QStringLiteral("FAMINUM3"), QStringLiteral("FAMINUM4"), QStringLiteral("FAMINUM5"),
                     QStringLiteral("HAIGUKBN"), QStringLiteral("HAIGUSYANAME"), QStringLiteral("HAIGUSYANAMEKN"),
                     QStringLiteral("HAIGUSYAMYNUM"), QStringLiteral("OLDHAIGU"), QStringLiteral("SYUGAISYA"),
                     QStringLiteral("SYUGAISYA1"), QStringLiteral("SYUGAISYA2"), QStringLiteral("OLDNAM"),
                     QStringLiteral("TKWOMAN"), QStringLiteral("SINGNAM"), QStringLiteral("GAKUSEI"),
                     QStringLiteral("RESTARTDATE"), QStringLiteral("RESTARTDATE2"), QStringLiteral("JYUTAKUKARINUM"),
                     QStringLiteral("JYUTAKUKARIKIN"), QStringLiteral("JYUTAKUKARIFLAG1"),
                     QStringLiteral("JYUTAKUKARIFLAG2"), QStringLiteral("JYUTAKUKARIZAN1"),
                     QStringLiteral("JYUTAKUKARIZAN2"), QStringLiteral("FAMI5"), QStringLiteral("NESYO5"),
                     QStringLiteral("TOKU5"), QStringLiteral("UNDER23")};
    for (int i = 1; i <= 4; ++i)
        for (const char* prefix : {"FAMINAME", "FAMINAMEKN", "FAMIMYNUM", "NESYONAME", "NESYONAMEKN", "NESYOMYNUM",
                                   "TOKUNAME", "TOKUNAMEKN", "TOKUMYNUM"})
            c << QLatin1String(prefix) + QString::number(i);
    return c;
}

constexpr NentyoRecord::NumberColumn kMyNumbers[] = {
    {"HAIGUSYAMYNUM", "配偶者"},
    {"FAMIMYNUM1", "控除対象扶養親族１"},     {"FAMIMYNUM2", "控除対象扶養親族２"},
    {"FAMIMYNUM3", "控除対象扶養親族３"},     {"FAMIMYNUM4", "控除対象扶養親族４"},
    {"NESYOMYNUM1", "１６歳未満の扶養親族１"}, {"NESYOMYNUM2", "１６歳未満の扶養親族２"},
    {"NESYOMYNUM3", "１６歳未満の扶養親族３"}, {"NESYOMYNUM4", "１６歳未満の扶養親族４"},
    {"TOKUMYNUM1", "特定親族１"},             {"TOKUMYNUM2", "特定親族２"},
    {"TOKUMYNUM3", "特定親族３"},             {"TOKUMYNUM4", "特定親族４"},
};

} // namespace

QString generalNumber(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<long long>(value));
    return QString::number(value, 'g', 15);
}

NentyoRecord::NentyoRecord(const QString& cid, const QString& year, const QString& code)
    : m_nentyo(emptyRow(db::Table::Nentyo)), m_sinkoku(emptyRow(db::Table::NentyoSinkoku))
{
    set(QStringLiteral("CID"), cid);
    set(QStringLiteral("SIKYUYEAR"), year);
    set(QStringLiteral("JGICODE"), code);
    setFlag(QStringLiteral("NETYOKBN"), true);
}

const QString* NentyoRecord::slot(const QString& column) const
{
    const QString key = column.toUpper();
    if (auto it = nentyoIndex().constFind(key); it != nentyoIndex().constEnd())
        return &m_nentyo[*it];
    if (auto it = sinkokuIndex().constFind(key); it != sinkokuIndex().constEnd())
        return &m_sinkoku[*it];
    Q_ASSERT_X(false, "NentyoRecord", qPrintable(column));
    return nullptr;
}

QString* NentyoRecord::slot(const QString& column)
{
    return const_cast<QString*>(std::as_const(*this).slot(column));
}

QString NentyoRecord::text(const QString& column) const
{
    const QString* s = slot(column);
    return s ? *s : QString();
}

long long NentyoRecord::amount(const QString& column) const
{
    return std::llround(toNumberOr(text(column), 0.0));
}

void NentyoRecord::set(const QString& column, const QString& value)
{
    const QString key = column.toUpper();
    // The key columns are in both rows.
    if (key == QLatin1String("CID") || key == QLatin1String("SIKYUYEAR") || key == QLatin1String("JGICODE")) {
        m_nentyo[nentyoIndex().value(key)] = value;
        m_sinkoku[sinkokuIndex().value(key)] = value;
        return;
    }
    if (QString* s = slot(column))
        *s = value;
}

void NentyoRecord::setAmount(const QString& column, long long value)
{
    set(column, QString::number(value));
}

NentyoRecord NentyoRecord::fromSql(const QSqlRecord& nentyo, const QSqlRecord* sinkoku)
{
    NentyoRecord r{QString(), QString(), QString()};
    r.m_nentyo = rowFrom(nentyo, db::Table::Nentyo);
    if (sinkoku)
        r.m_sinkoku = rowFrom(*sinkoku, db::Table::NentyoSinkoku);
    // The key of the side row is the key of the row it extends.
    for (const char* key : {"CID", "SIKYUYEAR", "JGICODE"})
        r.set(QLatin1String(key), r.m_nentyo[nentyoIndex().value(QLatin1String(key))]);
    r.setAmount(QStringLiteral("MAEHOKEN"), r.amount(QStringLiteral("MAEHOKEN")) + r.amount(QStringLiteral("HOKEN1")));
    r.setAmount(QStringLiteral("HOKEN1"), 0);
    return r;
}

NentyoRecord NentyoRecord::fromRows(const db::RowValues& nentyo, const db::RowValues& sinkoku)
{
    NentyoRecord r{QString(), QString(), QString()};
    Q_ASSERT(nentyo.size() == r.m_nentyo.size() && (sinkoku.isEmpty() || sinkoku.size() == r.m_sinkoku.size()));
    r.m_nentyo = nentyo;
    if (!sinkoku.isEmpty())
        r.m_sinkoku = sinkoku;
    for (const char* key : {"CID", "SIKYUYEAR", "JGICODE"})
        r.set(QLatin1String(key), r.m_nentyo[nentyoIndex().value(QLatin1String(key))]);
    return r;
}

void NentyoRecord::setPayTotals(const PayTotals& pay)
{
    setAmount(QStringLiteral("kyuryo"), pay.kyuryo);
    setAmount(QStringLiteral("KYURYOTAX"), pay.kyuryoTax);
    setAmount(QStringLiteral("syoyo"), pay.syoyo);
    setAmount(QStringLiteral("SYOYOTAX"), pay.syoyoTax);
    setAmount(QStringLiteral("MAEHOKEN"), pay.hoken);
    setAmount(QStringLiteral("HOKEN1"), 0);
}

void NentyoRecord::takeOver(const NentyoRecord& lastYear)
{
    static const QStringList columns = takenOverColumns();
    for (const QString& c : columns)
        set(c, lastYear.text(c));
}

NentyoInput NentyoRecord::input() const
{
    auto a = [this](const char* c) { return amount(QLatin1String(c)); };
    auto n = [this](const char* c) { return int(std::clamp(amount(QLatin1String(c)), -9999LL, 9999LL)); };
    auto f = [this](const char* c) { return flag(QLatin1String(c)); };
    NentyoInput in;
    in.kyuryo = a("kyuryo");
    in.kyuryoTax = a("KYURYOTAX");
    in.syoyo = a("syoyo");
    in.syoyoTax = a("SYOYOTAX");
    in.maeKei = a("MAEKEI");
    in.maeTaxKei = a("MAETAXKEI");
    in.hoken = a("MAEHOKEN") + a("HOKEN1");
    in.hoken2 = a("HOKEN2");
    in.kakekin = a("KAKEKIN");
    in.semeHoken = a("SEMEHOKEN");
    in.semeHokenNew = a("SEMEHOKEN_NEW");
    in.kaigoIryoHoken = a("KAIGOIRYOHOKEN");
    in.nenkinHoken = a("NENKINHOKEN");
    in.nenkinHokenNew = a("NENKINHOKEN_NEW");
    in.songaiHoken = a("SONGAIHOKEN");
    in.songaiHoken1 = a("SONGAIHOKEN1");
    in.haigu = f("HAIGUKBN");
    in.oldHaigu = f("OLDHAIGU");
    in.haiguMoney = a("HAIGUMONEY");
    in.famiNum = n("FAMINUM");
    in.famiNum1 = n("FAMINUM1");
    in.famiNum2 = n("FAMINUM2");
    in.famiNum3 = n("FAMINUM3");
    in.syugaisya = n("SYUGAISYA");
    in.syugaisya1 = n("SYUGAISYA1");
    in.syugaisya2 = n("SYUGAISYA2");
    in.tkwoman = f("TKWOMAN");
    in.singnam = f("SINGNAM");
    in.gakusei = f("GAKUSEI");
    in.tyouseiSw = f("TYOUSEISW");
    in.tokuKojyo = a("TOKUKOJYO");
    in.nentyo = f("NETYOKBN");
    // A relative's row counts by the income declared for it; an empty row gives nothing.
    for (int i = 1; i <= 4; ++i)
        in.tokutei.push_back(amount(QStringLiteral("TOKUSYOTOKU%1").arg(i)));
    // Specified dependants (19 to 22) and those under 16 are under 23 by definition:
    // the counts already declared say so even where the box was left empty.
    in.under23 = f("UNDER23") || n("FAMINUM1") > 0 || n("FAMINUM4") > 0;
    if (f("KIHONSW"))
        in.declaredTotalIncome = a("KIHONSYOTOKU");
    return in;
}

NentyoResult NentyoRecord::recompute()
{
    const NentyoInput in = input();
    const NentyoResult r = calcNentyo(year().toInt(), in);
    if (!in.nentyo)
        for (const char* c : {"HOKEN2", "KAKEKIN", "TOKUKOJYO"})
            setAmount(QLatin1String(c), 0);
    const std::pair<const char*, long long> results[] = {
        {"KOJYOGO", r.kojyogo},     {"SEMEKOJYO", r.semeKojyo}, {"SONGAKOJYO", r.songaKojyo},
        {"HAIGUKOJYO", r.haiguKojyo}, {"HFKSKOJYO", r.hfksKojyo}, {"KOJYOKEI", r.kojyoKei},
        {"SASIMONEY", r.sasiMoney}, {"YEARTAX", r.yearTax},     {"KAKUTETAX", r.kakuteTax},
        {"SASIHIKI", r.sasihiki},
    };
    for (const auto& [column, value] : results)
        setAmount(QLatin1String(column), value);
    set(QStringLiteral("CALYEARTAX"), generalNumber(r.calYearTax));
    return r;
}

std::span<const NentyoRecord::NumberColumn> NentyoRecord::myNumberColumns()
{
    return kMyNumbers;
}

std::optional<NentyoRecord::NumberColumn> NentyoRecord::firstInvalidMyNumber() const
{
    for (const NumberColumn& c : kMyNumbers) {
        const QString n = text(QLatin1String(c.column)).trimmed();
        if (!n.isEmpty() && !isValidMyNumber(n))
            return c;
    }
    return std::nullopt;
}

} // namespace minasel::nentyo
