#include "reports/gensendata.h"

#include "app/dberror.h"
#include "app/valuehelpers.h"
#include "db/boundquery.h"
#include "nentyo/nentyorecord.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <cmath>

namespace minasel::reports {

namespace {

using namespace gensen;

QString number(long long v)
{
    return QString::number(v);
}

void fill(int year, const nentyo::NentyoRecord& n, QStringList& f)
{
    auto put = [&](int index, const QString& column) { f[index] = n.text(column); };
    auto putAmount = [&](int index, const QString& column) { f[index] = number(n.amount(column)); };

    const long long withheld = n.amount(QStringLiteral("MAETAXKEI")) + n.amount(QStringLiteral("KYURYOTAX"))
        + n.amount(QStringLiteral("SYOYOTAX"));
    f[Pay] = number(n.amount(QStringLiteral("kyuryo")) + n.amount(QStringLiteral("MAEKEI"))
                    + n.amount(QStringLiteral("syoyo")));
    // With the adjustment the final annual tax, without it what was withheld.
    f[Tax] = number(n.flag(QStringLiteral("NETYOKBN")) ? withheld - n.amount(QStringLiteral("SASIHIKI")) : withheld);
    f[SocialInsurance] = number(n.amount(QStringLiteral("MAEHOKEN")) + n.amount(QStringLiteral("HOKEN1"))
                                + n.amount(QStringLiteral("HOKEN2")) + n.amount(QStringLiteral("KAKEKIN")));
    putAmount(AfterDeduction, QStringLiteral("KOJYOGO"));
    putAmount(DeductionTotal, QStringLiteral("KOJYOKEI"));
    putAmount(SpouseDeduction, QStringLiteral("HAIGUKOJYO"));
    putAmount(SpousePresent, QStringLiteral("HAIGUKBN"));
    putAmount(DependSpecific, QStringLiteral("FAMINUM1"));
    putAmount(DependElderlyLiving, QStringLiteral("FAMINUM2"));
    putAmount(DependElderlyOther, QStringLiteral("FAMINUM3"));
    putAmount(DependOther, QStringLiteral("FAMINUM"));
    putAmount(DisabledSpecial, QStringLiteral("SYUGAISYA1"));
    putAmount(DisabledOther, QStringLiteral("SYUGAISYA"));
    putAmount(LifeInsurance, QStringLiteral("SEMEKOJYO"));
    putAmount(Earthquake, QStringLiteral("SONGAKOJYO"));
    putAmount(YearTax, QStringLiteral("YEARTAX"));
    putAmount(HousingCredit, QStringLiteral("TOKUKOJYO"));
    putAmount(NationalPension, QStringLiteral("KKMNENKIN"));
    putAmount(SpouseIncome, QStringLiteral("HAIGUMONEY"));
    putAmount(NewLife, QStringLiteral("SEMEHOKEN_NEW"));
    putAmount(OldLife, QStringLiteral("SEMEHOKEN"));
    putAmount(CareMedical, QStringLiteral("KAIGOIRYOHOKEN"));
    putAmount(NewPension, QStringLiteral("NENKINHOKEN_NEW"));
    putAmount(OldPension, QStringLiteral("NENKINHOKEN"));
    putAmount(OldLongTerm, QStringLiteral("SONGAIHOKEN"));
    put(ResidenceStart1, QStringLiteral("RESTARTDATE"));
    put(Tekiyo1, QStringLiteral("TEKIYO1"));
    put(Tekiyo2, QStringLiteral("TEKIYO2"));
    put(Tekiyo3, QStringLiteral("TEKIYO3"));
    putAmount(Under16, QStringLiteral("FAMINUM4"));
    putAmount(WorkingStudent, QStringLiteral("GAKUSEI"));
    putAmount(ElderlySpouse, QStringLiteral("OLDHAIGU"));
    putAmount(DisabledLivingTogether, QStringLiteral("SYUGAISYA2"));
    putAmount(NonResident, QStringLiteral("FAMINUM5"));
    putAmount(HousingCount, QStringLiteral("JYUTAKUKARINUM"));
    f[HousingAvailable] = f[HousingCredit];
    put(ResidenceStart2, QStringLiteral("RESTARTDATE2"));
    put(HousingKind1, QStringLiteral("JYUTAKUKARIFLAG1"));
    put(HousingKind2, QStringLiteral("JYUTAKUKARIFLAG2"));
    putAmount(HousingBalance1, QStringLiteral("JYUTAKUKARIZAN1"));
    putAmount(HousingBalance2, QStringLiteral("JYUTAKUKARIZAN2"));
    put(SpouseName, QStringLiteral("HAIGUSYANAME"));
    put(SpouseKana, QStringLiteral("HAIGUSYANAMEKN"));
    put(SpouseNumber, QStringLiteral("HAIGUSYAMYNUM"));
    for (int i = 0; i < 4; ++i) {
        put(personName(Dependants, i), QStringLiteral("FAMINAME%1").arg(i + 1));
        put(personKana(Dependants, i), QStringLiteral("FAMINAMEKN%1").arg(i + 1));
        put(personNumber(Dependants, i), QStringLiteral("FAMIMYNUM%1").arg(i + 1));
        put(personName(Under16Dependants, i), QStringLiteral("NESYONAME%1").arg(i + 1));
        put(personKana(Under16Dependants, i), QStringLiteral("NESYONAMEKN%1").arg(i + 1));
        put(personNumber(Under16Dependants, i), QStringLiteral("NESYOMYNUM%1").arg(i + 1));
    }
    put(DependantsMore, QStringLiteral("FAMI5"));
    put(Under16More, QStringLiteral("NESYO5"));
    putAmount(SmallEnterprise, QStringLiteral("KAKEKIN"));
    putAmount(Widow, QStringLiteral("SINGNAM"));
    putAmount(SingleParent, QStringLiteral("TKWOMAN"));

    // What the law decided beyond the stored row, from the same inputs.
    const nentyo::YearEndRules& rules = nentyo::yearEndRulesFor(year);
    const nentyo::NentyoResult r = nentyo::calcNentyo(year, n.input());
    f[Adjusted] = r.adjusted ? QStringLiteral("1") : QStringLiteral("0");
    f[BasicDeduction] = number(r.kisoKojyo);
    f[IncomeAdjustment] = number(r.tyousei);
    f[SpecificRelativeDeduction] = number(r.tokuteiKojyo);
    int counted = 0;
    for (int i = 1; i <= 4; ++i) {
        const QString name = n.text(QStringLiteral("TOKUNAME%1").arg(i));
        const long long income = n.amount(QStringLiteral("TOKUSYOTOKU%1").arg(i));
        // Only the relatives the deduction was given for are 特定親族 on the slip.
        if ((name.isEmpty() && income == 0) || !r.adjusted || nentyo::specificRelativeDeduction(rules, income) == 0)
            continue;
        f[personName(SpecificRelatives, counted)] = name;
        f[personKana(SpecificRelatives, counted)] = n.text(QStringLiteral("TOKUNAMEKN%1").arg(i));
        f[personNumber(SpecificRelatives, counted)] = n.text(QStringLiteral("TOKUMYNUM%1").arg(i));
        ++counted;
    }
    f[SpecificRelativeCount] = number(counted);
    f[SpecificRelativesMore] = n.text(QStringLiteral("TOKU5"));
}

template <typename Fn>
bool runQuery(QSqlDatabase db, const QString& sql, const QVariantList& values, DbError* error, Fn&& onRow)
{
    QSqlQuery q(db);
    if (!db::execBound(q, sql, values, error))
        return false;
    while (q.next())
        onRow(q);
    return true;
}

} // namespace

long long GensenData::amount(int i) const
{
    return field(i).toLongLong();
}

bool set_gensen_data(int year, const db::RowValues& nentyo, const db::RowValues& sinkoku, GensenData* out,
                     QString* error)
{
    const int nentyoColumns = db::tableDef(db::Table::Nentyo).columnCount();
    const int sinkokuColumns = db::tableDef(db::Table::NentyoSinkoku).columnCount();
    if (nentyo.size() != nentyoColumns || (!sinkoku.isEmpty() && sinkoku.size() != sinkokuColumns)) {
        if (error)
            *error = QStringLiteral("年末調整データの列数が違います（%1 / %2）。").arg(nentyo.size()).arg(sinkoku.size());
        return false;
    }
    out->year = year;
    out->fields = QStringList();
    for (int i = 0; i < gensen::FieldCount; ++i)
        out->fields << QString();
    fill(year, nentyo::NentyoRecord::fromRows(nentyo, sinkoku), out->fields);
    return true;
}

bool readGensenRows(QSqlDatabase db, const QString& cid, int year, const QString& code, db::RowValues* nentyo,
                    db::RowValues* sinkoku, bool* found, DbError* error)
{
    const QVariantList key{cid, QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')), code};
    nentyo->clear();
    sinkoku->clear();
    *found = false;
    QSqlQuery row(db);
    QSqlQuery side(db);
    if (!db::execBound(row, QStringLiteral("SELECT * FROM NENTYO WHERE CID = ? AND SIKYUYEAR = ? AND JGICODE = ?"), key,
                   error)
        || !db::execBound(side, QStringLiteral("SELECT * FROM NENTYOSINKOKU WHERE CID = ? AND SIKYUYEAR = ? AND JGICODE = ?"),
                      key, error))
        return false;
    if (!row.next())
        return true;
    const bool declared = side.next();
    const QSqlRecord sideRecord = side.record();
    try {
        const nentyo::NentyoRecord r = nentyo::NentyoRecord::fromSql(row.record(), declared ? &sideRecord : nullptr);
        *nentyo = r.nentyoRow();
        *sinkoku = r.sinkokuRow();
    } catch (const TypeMismatch& e) {
        if (error)
            *error = {TypeMismatch::code, QString::fromUtf8(e.what())};
        return false;
    }
    *found = true;
    return true;
}

bool readGensenPayer(QSqlDatabase db, const QString& cid, GensenPayer* out, DbError* error)
{
    *out = {};
    return runQuery(db,
                    QStringLiteral("SELECT ZIP, COMPANY, ADRSTDHK, ADRS1, ADRS2, TEL, HOJINNUM FROM COMPANY WHERE CID = ?"),
                    {cid}, error, [&](const QSqlQuery& q) {
                        auto v = [&](int i) { return NullToStr(q.value(i)).trimmed(); };
                        // The prefecture is kept apart from the address lines; the
                        // payer's address on the slip is the whole of it.
                        QString address = v(3);
                        if (!address.startsWith(v(2)))
                            address.prepend(v(2));
                        *out = {v(0), v(1), address, v(4), v(5), v(6)};
                    });
}

bool readGensenRecipient(QSqlDatabase db, const QString& cid, const QString& code, GensenRecipient* out, bool* found,
                         DbError* error)
{
    *out = {};
    *found = false;
    return runQuery(db, QStringLiteral("SELECT * FROM JYUGYOIN WHERE CID = ? AND JGICODE = ?"), {cid, code}, error,
                    [&](const QSqlQuery& q) {
                        auto v = [&](const char* column) {
                            return NullToStr(q.value(QString::fromLatin1(column))).trimmed();
                        };
                        *out = {v("JGICODE"), v("JGINAME"), v("JGIKANA"),  v("ZIP"),      v("ADD1"),     v("ADD2"),
                                v("MYNUMBER"), v("JGIKBN"), v("GAIJINKBN"), v("NYUSYABI"), v("TAISYABI"), v("BIRTHDAY")};
                        *found = true;
                    });
}

bool gensenCandidates(QSqlDatabase db, const QString& cid, int year, QList<PickerEntry>* out, DbError* error)
{
    QString text;
    int code = 0;
    if (PickerLists::loadEntries(db,
                                 QStringLiteral("SELECT J.JGICODE, J.JGINAME FROM JYUGYOIN J, NENTYO N"
                                                " WHERE J.JGICODE = N.JGICODE AND J.CID = ? AND N.CID = ?"
                                                " AND N.SIKYUYEAR = ? ORDER BY N.JGICODE"),
                                 {cid, cid, QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'))}, out, &text,
                                 &code))
        return true;
    if (error)
        *error = {code == 0 ? -1 : code, text};
    return false;
}

} // namespace minasel::reports
