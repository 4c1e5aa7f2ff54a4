#include "reports/employeelist.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "masters/sqlfailure.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>

namespace minasel::reports {

namespace {

// Every column of the master but the individual number, which the list never reads.
const char* const kEmployeeColumns =
    "JGICODE, JGINAME, JGIKANA, SEX, BIRTHDAY, ZIP, ADD1, ADD2, TELNO, JGIKBN, SYOKUMU, NYUSYABI, TAISYABI,"
    " KIHONKYU, YHOSYU, FOODTEATE, TUKINTEATE, SIKACODE, HOMETEATE, FAMITEATE, FUKACODE, HEALTH, NENKIN,"
    " SIMIZEI, TIMEMONEY, FAMINUM, HAIGUKBN, CHILD1, CHILD2, GAIJINKBN, KEHOKBN, KOYOKBN, CALCUTAX";

QString money(double v)
{
    return formatNumber(v, QStringLiteral("#,###"));
}

QString itemText(const QList<EmployeeListEntry::Item>& items, int n)
{
    if (n < 0 || n >= items.size())
        return {};
    const QString amount = money(items[n].amount);
    const QString name = items[n].name.trimmed();
    return amount.isEmpty() || name.isEmpty() ? name + amount : name + QLatin1Char(' ') + amount;
}

QString kbnText(const QString& kbn)
{
    static const QStringList names{QStringLiteral("役員"), QStringLiteral("正社員"), QStringLiteral("契約社員"),
                                   QStringLiteral("パート"), QStringLiteral("アルバイト")};
    bool ok = false;
    const int k = kbn.trimmed().toInt(&ok);
    return ok && kbn.trimmed().size() == 1 && k >= 0 && k < names.size() ? names[k] : QString();
}

} // namespace

EmployeeList::Procedures EmployeeList::printProcedures()
{
    const QString print = QStringLiteral("prtJyugyoin.print_data");
    return {print, print, print};
}

EmployeeList::Procedures EmployeeList::displayProcedures()
{
    return {QStringLiteral("dspJyugyoin.display_data"), QStringLiteral("dspJyugyoin.Get_Sikaku_Teate"),
            QStringLiteral("dspJyugyoin.Get_Fukakyu")};
}

EmployeeList::EmployeeList(AppContext& ctx) : m_ctx(ctx) {}

bool EmployeeList::candidates(bool activeOnly, QList<PickerEntry>* out)
{
    QString sql = QStringLiteral("SELECT JGICODE, JGINAME FROM JYUGYOIN WHERE CID = ?");
    if (activeOnly)
        sql += QStringLiteral(" AND (TAISYABI = '' OR TAISYABI IS NULL)");
    sql += QStringLiteral(" ORDER BY JGICODE");
    QString error;
    int code = 0;
    if (!PickerLists::loadEntries(m_ctx.db(), sql, {m_ctx.companyId}, out, &error, &code)) {
        m_ctx.reportError(code, error, QStringLiteral("prtJyugyoin.read_data"));
        return false;
    }
    return true;
}

bool EmployeeList::readAmounts(const QString& sql, const QString& procedure, QMap<QString, double>* out)
{
    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(sql);
    q.addBindValue(m_ctx.companyId);
    if (!masters::execOrReport(m_ctx, q, procedure))
        return false;
    try {
        while (q.next())
            out->insert(NullToStr(q.value(0)).trimmed(), NullToNum(q.value(1)));
    } catch (const TypeMismatch& e) {
        m_ctx.reportError(TypeMismatch::code, QString::fromUtf8(e.what()), procedure);
        return false;
    }
    return true;
}

bool EmployeeList::readItems(masters::OtherItems::Kind kind, const QString& code, int limit,
                             QList<EmployeeListEntry::Item>* out)
{
    if (!masters::OtherItems(m_ctx, kind).read(code, out))
        return false;
    // Lines beyond the list's columns are not shown.
    if (out->size() > limit)
        out->resize(limit);
    return true;
}

bool EmployeeList::readAll(bool activeOnly, const Procedures& procedures, QList<EmployeeListEntry>* out)
{
    QList<PickerEntry> all;
    if (!candidates(activeOnly, &all))
        return false;
    QStringList codes;
    for (const PickerEntry& e : all)
        codes << e.code;
    return read(codes, procedures, out);
}

bool EmployeeList::read(const QStringList& codes, const Procedures& p, QList<EmployeeListEntry>* out)
{
    out->clear();
    QSet<QString> wanted;
    for (const QString& c : codes)
        wanted.insert(c.trimmed());
    QMap<QString, double> qualification;
    QMap<QString, double> additional;
    if (!readAmounts(QStringLiteral("SELECT SIKACODE, SIKAMONEY FROM SIKAKU WHERE CID = ?"), p.qualification,
                     &qualification)
        || !readAmounts(QStringLiteral("SELECT FUKACODE, FUKAMONEY FROM FUKAKYU WHERE CID = ?"), p.additional,
                        &additional))
        return false;

    QSqlQuery q(m_ctx.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM JYUGYOIN WHERE CID = ? ORDER BY JGICODE").arg(QLatin1String(kEmployeeColumns)));
    q.addBindValue(m_ctx.companyId);
    if (!masters::execOrReport(m_ctx, q, p.employees))
        return false;
    try {
        while (q.next()) {
            auto s = [&](const char* c) { return NullToStr(q.value(QLatin1String(c))).trimmed(); };
            auto n = [&](const char* c) { return NullToNum(q.value(QLatin1String(c))); };
            auto f = [&](const char* c) { return s(c) == QLatin1String("1"); };
            if (!wanted.contains(s("JGICODE")))
                continue;
            EmployeeListEntry entry;
            masters::Employee& e = entry.employee;
            e = {.code = s("JGICODE"), .name = s("JGINAME"), .kana = s("JGIKANA"), .sex = s("SEX"),
                 .birthday = s("BIRTHDAY"), .zip = s("ZIP"), .add1 = s("ADD1"), .add2 = s("ADD2"), .tel = s("TELNO"),
                 .kbn = s("JGIKBN"), .syokumu = s("SYOKUMU"), .nyusyabi = s("NYUSYABI"), .taisyabi = s("TAISYABI"),
                 .kihonkyu = n("KIHONKYU"), .yhosyu = n("YHOSYU"), .food = n("FOODTEATE"), .tukin = n("TUKINTEATE"),
                 .sikacode = s("SIKACODE"), .home = n("HOMETEATE"), .fami = n("FAMITEATE"), .fukacode = s("FUKACODE"),
                 .health = n("HEALTH"), .nenkin = n("NENKIN"), .simizei = n("SIMIZEI"), .timemoney = n("TIMEMONEY"),
                 .faminum = n("FAMINUM"), .haigu = f("HAIGUKBN"), .child1 = f("CHILD1"), .child2 = f("CHILD2"),
                 .gaijin = f("GAIJINKBN"), .kaigo = f("KEHOKBN"), .koyo = f("KOYOKBN"), .calcTax = f("CALCUTAX"),
                 .myNumber = QString()};
            // A code the master no longer holds counts as no allowance.
            entry.qualification = e.sikacode.isEmpty() ? 0 : qualification.value(e.sikacode);
            entry.additional = e.fukacode.isEmpty() ? 0 : additional.value(e.fukacode);
            out->append(entry);
        }
    } catch (const TypeMismatch& e) {
        m_ctx.reportError(TypeMismatch::code, QString::fromUtf8(e.what()), p.employees);
        return false;
    }
    for (EmployeeListEntry& entry : *out)
        if (!readItems(masters::OtherItems::Kind::Teate, entry.employee.code, kAllowances, &entry.allowances)
            || !readItems(masters::OtherItems::Kind::Kojyo, entry.employee.code, kDeductions, &entry.deductions))
            return false;
    return true;
}

QString EmployeeList::dateText(const QString& stored)
{
    const QString d = stored.trimmed();
    static const QRegularExpression digits(QStringLiteral("^\\d{8}$"));
    if (!digits.match(d).hasMatch())
        return d;
    return d.left(4) + QLatin1Char('/') + d.mid(4, 2) + QLatin1Char('/') + d.mid(6, 2);
}

bool EmployeeList::isNumeric(ListField f)
{
    switch (f) {
    case ListField::Kihonkyu: case ListField::Yhosyu: case ListField::Food: case ListField::Tukin:
    case ListField::Sikaku: case ListField::Home: case ListField::Family: case ListField::Fukakyu:
    case ListField::Health: case ListField::Nenkin: case ListField::Simizei: case ListField::TimeMoney:
    case ListField::FamiNum:
        return true;
    default:
        return false;
    }
}

QString EmployeeList::text(const EmployeeListEntry& entry, ListField field, ListMedium medium, int item)
{
    const masters::Employee& e = entry.employee;
    const bool display = medium == ListMedium::Display;
    auto has = [](bool b) { return b ? QStringLiteral("有") : QString(); };
    auto computed = [display](bool b) {
        return b ? QStringLiteral("する") : display ? QStringLiteral("しない") : QString();
    };
    switch (field) {
    case ListField::Code: return e.code;
    case ListField::Name: return e.name;
    case ListField::Kana: return e.kana;
    case ListField::Sex: return e.sex;
    case ListField::Birthday: return dateText(e.birthday);
    case ListField::Kbn: return kbnText(e.kbn);
    case ListField::Syokumu: return e.syokumu;
    case ListField::Zip: return e.zip;
    case ListField::Address:
        return e.add2.isEmpty() ? e.add1 : e.add1 + QStringLiteral("　") + e.add2;
    case ListField::Tel: return e.tel;
    case ListField::Nyusyabi: return dateText(e.nyusyabi);
    case ListField::Taisyabi: return dateText(e.taisyabi);
    case ListField::Kihonkyu: return money(e.kihonkyu);
    case ListField::Yhosyu: return money(e.yhosyu);
    case ListField::Food: return money(e.food);
    case ListField::Tukin: return money(e.tukin);
    case ListField::Sikaku: return money(entry.qualification);
    case ListField::Home: return money(e.home);
    case ListField::Family: return money(e.fami);
    case ListField::Fukakyu: return money(entry.additional);
    case ListField::Allowance: return itemText(entry.allowances, item);
    case ListField::Health: return money(e.health);
    case ListField::Nenkin: return money(e.nenkin);
    case ListField::Simizei: return money(e.simizei);
    case ListField::Deduction: return itemText(entry.deductions, item);
    case ListField::TimeMoney: return money(e.timemoney);
    case ListField::FamiNum: return money(e.faminum);
    case ListField::Haigu: return has(e.haigu);
    case ListField::Child1: return has(e.child1);
    case ListField::Child2: return has(e.child2);
    case ListField::Gaijin: return e.gaijin ? QStringLiteral("Yes") : QString();
    case ListField::Kaigo:
        if (!e.kaigo)
            return QStringLiteral("一般");
        return display ? QStringLiteral("介護保険第２号被保険者") : QStringLiteral("介護保険第2号被保険者");
    case ListField::Koyo: return computed(e.koyo);
    case ListField::CalcTax: return computed(e.calcTax);
    }
    return {};
}

const QList<EmployeeList::Column>& EmployeeList::displayColumns()
{
    static const QList<Column> columns = [] {
        using F = ListField;
        QList<Column> c{{QStringLiteral("従業員番号"), F::Code},   {QStringLiteral("氏名（カナ）"), F::Kana},
                        {QStringLiteral("性別"), F::Sex},          {QStringLiteral("生年月日"), F::Birthday},
                        {QStringLiteral("郵便番号"), F::Zip},      {QStringLiteral("自宅住所"), F::Address},
                        {QStringLiteral("電話番号"), F::Tel},      {QStringLiteral("在籍区分"), F::Kbn},
                        {QStringLiteral("職務内容"), F::Syokumu},  {QStringLiteral("入社年月日"), F::Nyusyabi},
                        {QStringLiteral("基本給"), F::Kihonkyu},   {QStringLiteral("役員報酬"), F::Yhosyu},
                        {QStringLiteral("食事手当"), F::Food},     {QStringLiteral("通勤手当"), F::Tukin},
                        {QStringLiteral("資格手当"), F::Sikaku},   {QStringLiteral("住宅手当"), F::Home},
                        {QStringLiteral("家族手当"), F::Family},   {QStringLiteral("付加給"), F::Fukakyu}};
        for (int n = 0; n < kAllowances; ++n)
            c.append(Column{QStringLiteral("その他手当%1").arg(n + 1), F::Allowance, n});
        c += QList<Column>{{QStringLiteral("健康保険料"), F::Health},
                  {QStringLiteral("厚生年金保険料"), F::Nenkin},
                  {QStringLiteral("市町村民税"), F::Simizei}};
        for (int n = 0; n < kDeductions; ++n)
            c.append(Column{QStringLiteral("その他控除%1").arg(n + 1), F::Deduction, n});
        c += QList<Column>{{QStringLiteral("時間割賃金"), F::TimeMoney},  {QStringLiteral("扶養家族数"), F::FamiNum},
                  {QStringLiteral("配偶者"), F::Haigu},           {QStringLiteral("第一子"), F::Child1},
                  {QStringLiteral("第二子"), F::Child2},          {QStringLiteral("外国人"), F::Gaijin},
                  {QStringLiteral("健康保険区分"), F::Kaigo},     {QStringLiteral("雇用保険料計算"), F::Koyo},
                  {QStringLiteral("所得税計算"), F::CalcTax},     {QStringLiteral("氏名（漢字）"), F::Name},
                  {QStringLiteral("退社年月日"), F::Taisyabi}};
        return c;
    }();
    return columns;
}

QStringList EmployeeList::displayHeadings()
{
    QStringList h;
    for (const Column& c : displayColumns())
        h << c.heading;
    return h;
}

QStringList EmployeeList::displayRow(const EmployeeListEntry& entry)
{
    QStringList row;
    for (const Column& c : displayColumns())
        row << text(entry, c.field, ListMedium::Display, c.item);
    return row;
}

QList<QStringList> EmployeeList::table(const QList<EmployeeListEntry>& entries)
{
    QList<QStringList> rows{displayHeadings()};
    for (const EmployeeListEntry& e : entries)
        rows << displayRow(e);
    return rows;
}

} // namespace minasel::reports
