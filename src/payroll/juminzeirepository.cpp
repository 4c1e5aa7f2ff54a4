#include "payroll/juminzeirepository.h"

#include "app/appcontext.h"
#include "app/dberror.h"
#include "app/valuehelpers.h"
#include "db/boundquery.h"
#include "db/rowwriter.h"
#include "db/transactionguard.h"
#include "payroll/meisairecord.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace minasel::payroll {

namespace {

constexpr qint64 kLargestCsv = 1024 * 1024;   // a notice of a few hundred employees is a few kilobytes

const QString kStillEmployed = QStringLiteral("(TAISYABI = '' OR TAISYABI IS NULL)");

QString yearText(int year)
{
    return QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
}

// GAKU06 ... GAKU05, in the order of the instalments.
QString amountColumn(int index)
{
    return QStringLiteral("GAKU%1").arg(calendarMonthOf(index), 2, 10, QLatin1Char('0'));
}

JuminzeiSchedule fromQuery(const QSqlQuery& q)
{
    auto yen = [&](const QString& column) { return wholeYen(NullToNum(q.value(column))); };
    JuminzeiSchedule s;
    s.code = NullToStr(q.value(QStringLiteral("JGICODE")));
    s.year = NullToStr(q.value(QStringLiteral("NENDO"))).toInt();
    s.yearly = yen(QStringLiteral("NENGAKU"));
    for (int i = 0; i < JuminzeiSchedule::kMonths; ++i)
        s.amounts[size_t(i)] = yen(amountColumn(i));
    s.changedFrom = int(yen(QStringLiteral("HENKOTUKI")));
    return s;
}

db::RowValues toRow(const QString& cid, const JuminzeiSchedule& s)
{
    db::RowValues v{cid, s.code, yearText(s.year), QString::number(s.yearly)};
    for (long long a : s.amounts)
        v << QString::number(a);
    v << QString::number(s.changedFrom);
    return v;
}

} // namespace

JuminzeiRepository::JuminzeiRepository(AppContext& ctx, const QString& form) : m_ctx(ctx), m_form(form) {}

bool JuminzeiRepository::run(QSqlQuery& q, const QString& sql, const QVariantList& values, const QString& procedure)
{
    DbError error;
    if (db::execBound(q, sql, values, &error))
        return true;
    m_ctx.reportError(error.code, error.description, m_form + QLatin1Char('.') + procedure);
    return false;
}

std::optional<JuminzeiSchedule> JuminzeiRepository::read(const QString& code, int year, bool* ok)
{
    QSqlQuery q(m_ctx.db());
    const bool done = run(q, QStringLiteral("SELECT * FROM JUMINZEI WHERE CID = ? AND JGICODE = ? AND NENDO = ?"),
                          {m_ctx.companyId, code, yearText(year)}, QStringLiteral("read_juminzei"));
    if (ok)
        *ok = done;
    if (!done || !q.next())
        return std::nullopt;
    return fromQuery(q);
}

bool JuminzeiRepository::save(const QList<JuminzeiSchedule>& schedules)
{
    db::TransactionGuard tx(m_ctx.db());
    if (!tx.active()) {
        m_ctx.reportError(-1, m_ctx.db().lastError().text(), m_form + QStringLiteral(".write_juminzei"));
        return false;
    }
    for (const JuminzeiSchedule& s : schedules) {
        QSqlQuery q(m_ctx.db());
        if (!run(q, QStringLiteral("DELETE FROM JUMINZEI WHERE CID = ? AND JGICODE = ? AND NENDO = ?"),
                 {m_ctx.companyId, s.code, yearText(s.year)}, QStringLiteral("write_juminzei"))
            || !db::WriteJuminzeiTable(m_ctx, toRow(m_ctx.companyId, s)))
            return false;   // the guard rolls back
    }
    if (!tx.commit()) {
        m_ctx.reportError(-1, m_ctx.db().lastError().text(), m_form + QStringLiteral(".write_juminzei"));
        return false;
    }
    return true;
}

bool JuminzeiRepository::remove(const QString& code, int year)
{
    QSqlQuery q(m_ctx.db());
    return run(q, QStringLiteral("DELETE FROM JUMINZEI WHERE CID = ? AND JGICODE = ? AND NENDO = ?"),
               {m_ctx.companyId, code, yearText(year)}, QStringLiteral("delete_juminzei"));
}

bool JuminzeiRepository::schedulesOf(int year, QMap<QString, JuminzeiSchedule>* out)
{
    out->clear();
    QSqlQuery q(m_ctx.db());
    if (!run(q, QStringLiteral("SELECT * FROM JUMINZEI WHERE CID = ? AND NENDO = ?"), {m_ctx.companyId, yearText(year)},
             QStringLiteral("read_juminzei")))
        return false;
    while (q.next()) {
        const JuminzeiSchedule s = fromQuery(q);
        out->insert(s.code, s);
    }
    return true;
}

bool JuminzeiRepository::employeeNames(QMap<QString, QString>* out)
{
    out->clear();
    QSqlQuery q(m_ctx.db());
    if (!run(q, QStringLiteral("SELECT JGICODE, JGINAME FROM JYUGYOIN WHERE CID = ?"), {m_ctx.companyId},
             QStringLiteral("read_jyugyoin")))
        return false;
    while (q.next())
        out->insert(NullToStr(q.value(0)), NullToStr(q.value(1)));
    return true;
}

bool JuminzeiRepository::overview(int year, QList<Line>* out)
{
    out->clear();
    QMap<QString, JuminzeiSchedule> current, previous;
    if (!schedulesOf(year, &current) || !schedulesOf(year - 1, &previous))
        return false;
    QSqlQuery q(m_ctx.db());
    if (!run(q, QStringLiteral("SELECT JGICODE, JGINAME FROM JYUGYOIN WHERE CID = ? AND ") + kStillEmployed
                    + QStringLiteral(" ORDER BY JGICODE"),
             {m_ctx.companyId}, QStringLiteral("read_jyugyoin")))
        return false;
    while (q.next()) {
        Line l;
        l.code = NullToStr(q.value(0));
        l.name = NullToStr(q.value(1));
        if (current.contains(l.code))
            l.current = current.value(l.code);
        if (previous.contains(l.code))
            l.previous = previous.value(l.code);
        out->append(l);
    }
    return true;
}

bool JuminzeiRepository::readCsv(const QString& path, int year, JuminzeiImport* out, QString* fileError)
{
    fileError->clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *fileError = QStringLiteral("%1 を開けません（%2）。").arg(path, f.errorString());
        return false;
    }
    if (f.size() > kLargestCsv) {
        *fileError = QStringLiteral("%1 は特別徴収税額のCSVファイルとしては大きすぎます。").arg(path);
        return false;
    }
    QMap<QString, QString> employees;
    QMap<QString, JuminzeiSchedule> existing;
    if (!employeeNames(&employees) || !schedulesOf(year, &existing))
        return false;
    *out = JuminzeiImport::parse(f.readAll(), year, employees, existing);
    return true;
}

bool JuminzeiRepository::planFor(const QString& code, const QString& payMonth, long long masterAmount,
                                 JuminzeiPlan* out)
{
    const int year = taxYearOf(payMonth.left(4).toInt(), payMonth.mid(4, 2).toInt());
    bool ok = false;
    const std::optional<JuminzeiSchedule> schedule = read(code, year, &ok);
    if (!ok)
        return false;
    QString leaving;
    QList<EarlierDeduction> earlier;
    if (schedule) {
        QSqlQuery q(m_ctx.db());
        if (!run(q, QStringLiteral("SELECT TAISYABI FROM JYUGYOIN WHERE CID = ? AND JGICODE = ?"),
                 {m_ctx.companyId, code}, QStringLiteral("read_jyugyoin")))
            return false;
        if (q.next())
            leaving = NullToStr(q.value(0)).trimmed();
    }
    if (!leaving.isEmpty()) {
        QSqlQuery q(m_ctx.db());
        if (!run(q, QStringLiteral("SELECT SIKYUBI, SIMIZEI FROM MEISAI WHERE CID = ? AND JGICODE = ? AND SIKYUKBN = '1'"
                                   " AND SIKYUBI >= ? AND SIKYUBI < ?"),
                 {m_ctx.companyId, code, yearText(year) + QStringLiteral("06"), payMonth},
                 QStringLiteral("read_meisai_data")))
            return false;
        while (q.next())
            earlier.append({NullToStr(q.value(0)), wholeYen(toNumberOr(q.value(1)))});
    }
    *out = JuminzeiPlan::make(schedule, masterAmount, payMonth, leaving, earlier);
    return true;
}

int JuminzeiRepository::missingCount(int year)
{
    QList<Line> lines;
    if (!overview(year, &lines))
        return 0;
    return int(std::count_if(lines.begin(), lines.end(), [](const Line& l) { return l.missing(); }));
}

} // namespace minasel::payroll
