#include "payroll/statementdemo.h"

#include "app/appcontext.h"
#include "db/rowwriter.h"
#include "db/transactionguard.h"
#include "payroll/kyuyocalculator.h"
#include "payroll/statementrepository.h"
#include "payroll/syoyocalculator.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <random>

namespace minasel::payroll {

namespace {

struct NamePart {
    const char* kanji;
    const char* kana;
};

const NamePart kSurnames[] = {
    {"佐藤", "サトウ"}, {"鈴木", "スズキ"}, {"高橋", "タカハシ"}, {"田中", "タナカ"}, {"伊藤", "イトウ"},
    {"渡辺", "ワタナベ"}, {"山本", "ヤマモト"}, {"中村", "ナカムラ"}, {"小林", "コバヤシ"}, {"加藤", "カトウ"},
    {"吉田", "ヨシダ"}, {"山田", "ヤマダ"}, {"佐々木", "ササキ"}, {"山口", "ヤマグチ"}, {"松本", "マツモト"},
    {"井上", "イノウエ"}, {"木村", "キムラ"}, {"林", "ハヤシ"}, {"斎藤", "サイトウ"}, {"清水", "シミズ"},
};
const NamePart kMaleNames[] = {
    {"翔太", "ショウタ"}, {"大輔", "ダイスケ"}, {"健一", "ケンイチ"}, {"拓也", "タクヤ"}, {"直樹", "ナオキ"},
    {"浩二", "コウジ"}, {"誠", "マコト"}, {"蓮", "レン"}, {"悠斗", "ユウト"}, {"隆", "タカシ"},
};
const NamePart kFemaleNames[] = {
    {"陽子", "ヨウコ"}, {"美穂", "ミホ"}, {"真由美", "マユミ"}, {"彩", "アヤ"}, {"結衣", "ユイ"},
    {"恵", "メグミ"}, {"直美", "ナオミ"}, {"葵", "アオイ"}, {"智子", "トモコ"}, {"さくら", "サクラ"},
};
const NamePart kCompanyNames[] = {
    {"あおば", "アオバ"}, {"さくら", "サクラ"}, {"ひかり", "ヒカリ"}, {"みどり", "ミドリ"}, {"かえで", "カエデ"},
    {"つばさ", "ツバサ"}, {"はやて", "ハヤテ"}, {"いずみ", "イズミ"},
};
const NamePart kIndustries[] = {
    {"商事", "ショウジ"}, {"工業", "コウギョウ"}, {"建設", "ケンセツ"}, {"食品", "ショクヒン"}, {"運輸", "ウンユ"},
};

QString u(const char* s)
{
    return QString::fromUtf8(s);
}

QString n(double v)
{
    return QString::number(v, 'g', 15);
}

class Generator {
public:
    explicit Generator(unsigned seed) : m_rng(seed) {}
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_rng); }
    template <typename T, size_t N>
    const T& pick(const T (&items)[N]) { return items[size_t(between(0, int(N) - 1))]; }
    // Hours in half-hour steps.
    double halfHours(int maxHours) { return between(0, maxHours * 2) / 2.0; }

private:
    std::mt19937 m_rng;
};

// The monthly premium the master carries: the employee's half on a standard
// monthly remuneration made from the fixed pay (grades of 10,000 yen).
long long monthlyPremium(double ratePercent, long long fixedPay, long long cap)
{
    const long long standard = std::min(cap, std::max(58000LL, (fixedPay + 5000) / 10000 * 10000));
    return bonusPremium(ratePercent, standard);
}

QStringList freeCompanyCodes(QSqlDatabase db, int wanted, QString* error)
{
    QSet<QString> used;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("Select CID From COMPANY"))) {
        *error = q.lastError().text();
        return {};
    }
    while (q.next())
        used.insert(q.value(0).toString());
    QStringList codes;
    for (int c = 51; c <= 99 && codes.size() < wanted; ++c) {
        const QString code = QString::number(c);
        if (!used.contains(code))
            codes << code;
    }
    if (codes.size() < wanted)
        *error = QStringLiteral("会社コードの空きが足りません（51〜99 のうち空きは %1 件です）。").arg(codes.size());
    return codes;
}

QStringList monthsEndingAt(const QString& last, int count)
{
    QStringList months;
    QString m = last;
    for (int i = 0; i < count; ++i) {
        months.prepend(m);
        m = previousPayMonth(m);
    }
    return months;
}

} // namespace

StatementDemo::StatementDemo(AppContext& ctx) : m_ctx(ctx) {}

bool StatementDemo::run(const Options& o, Summary* summary, QString* error)
{
    *summary = Summary();
    if (o.companies < 1 || o.employees < 1 || o.months < 1) {
        *error = QStringLiteral("会社数・従業員数・月数は 1 以上を指定してください。");
        return false;
    }
    if (o.employees > 99999) {
        *error = QStringLiteral("従業員数は 99999 までです。");
        return false;
    }
    const QString lastMonth = o.lastMonth.isEmpty() ? m_ctx.clock().today().toString(QStringLiteral("yyyyMM"))
                                                    : o.lastMonth;
    const QStringList months = monthsEndingAt(lastMonth, o.months);
    const QStringList codes = freeCompanyCodes(m_ctx.db(), o.companies, error);
    if (codes.size() < o.companies)
        return false;

    Generator g(o.seed);
    const QString savedCompany = m_ctx.companyId;
    const int lastYear = lastMonth.left(4).toInt();
    const CompanyRates rates{{1.25, 1.35, 1.5, 1.6, 1.5, 1.75}, 10000, 5000, 0.0055, 9.91, 11.5, 18.3};

    for (int c = 0; c < o.companies; ++c) {
        const QString cid = codes[c];
        m_ctx.companyId = cid;
        db::TransactionGuard tx(m_ctx.db());
        if (!tx.active()) {
            *error = m_ctx.db().lastError().text();
            m_ctx.companyId = savedCompany;
            return false;
        }
        auto failed = [&](const QString& what) {
            *error = what;
            m_ctx.companyId = savedCompany;
            return false;
        };

        const NamePart& base = kCompanyNames[size_t(c) % std::size(kCompanyNames)];
        const NamePart& industry = kIndustries[size_t(c) % std::size(kIndustries)];
        const QString name = u(base.kanji) + u(industry.kanji) + QStringLiteral("株式会社（デモ%1）").arg(cid);
        const db::RowValues company = {cid, name, u(base.kana) + u(industry.kana), QStringLiteral("100-0001"),
            QStringLiteral("東京都"), QStringLiteral("千代田区千代田1-%1").arg(c + 1), QString(),
            QStringLiteral("03-1234-%1").arg(5600 + c), QString(), QStringLiteral("代表取締役"),
            u(g.pick(kSurnames).kanji) + QStringLiteral(" ") + u(g.pick(kMaleNames).kanji), QString(),
            n(rates.healthRate), n(rates.healthRateCare), n(rates.pensionRate), n(rates.employmentInsuranceRate),
            QStringLiteral("170"), n(rates.holidayDayRate), n(rates.callOutRate), n(rates.overtimeFactors[0]),
            n(rates.overtimeFactors[1]), n(rates.overtimeFactors[2]), n(rates.overtimeFactors[3]),
            n(rates.overtimeFactors[4]), n(rates.overtimeFactors[5]),
            m_ctx.clock().today().toString(QStringLiteral("yyyy/MM/dd")), QString()};
        if (!db::WriteCompanyTable(m_ctx, company))
            return failed(QStringLiteral("会社 %1 を登録できませんでした。").arg(cid));
        const bool itemsOk = db::WriteSikakuTable(m_ctx, {cid, QStringLiteral("A0001"), QStringLiteral("簿記検定２級"), QStringLiteral("5000")})
            && db::WriteSikakuTable(m_ctx, {cid, QStringLiteral("A0002"), QStringLiteral("第二種電気工事士"), QStringLiteral("8000")})
            && db::WriteFukakyuTable(m_ctx, {cid, QStringLiteral("B0001"), QStringLiteral("役職手当（主任）"), QStringLiteral("10000")})
            && db::WriteFukakyuTable(m_ctx, {cid, QStringLiteral("B0002"), QStringLiteral("役職手当（課長）"), QStringLiteral("30000")});
        if (!itemsOk)
            return failed(QStringLiteral("会社 %1 の資格・付加給を登録できませんでした。").arg(cid));

        // Employees and their masters.
        std::vector<EmployeeMaster> staff;
        for (int e = 1; e <= o.employees; ++e) {
            EmployeeMaster m;
            m.code = QStringLiteral("%1").arg(e, 5, 10, QLatin1Char('0'));
            const bool female = g.chance(0.45);
            const NamePart& sur = g.pick(kSurnames);
            const NamePart& given = female ? g.pick(kFemaleNames) : g.pick(kMaleNames);
            m.name = u(sur.kanji) + QStringLiteral(" ") + u(given.kanji);
            const int birthYear = e == 1 ? g.between(1958, 1975) : g.between(1962, 2005);
            const int age = lastYear - birthYear;
            m.employeeKind = e == 1 ? QStringLiteral("0")
                : (e % 5 == 4)      ? QStringLiteral("3")
                : (e % 7 == 3)      ? QStringLiteral("2")
                                    : QStringLiteral("1");
            const bool officer = m.employeeKind == QLatin1String("0");
            const bool hourly = m.employeeKind == QLatin1String("3");
            m.dependants = hourly ? 0 : g.between(0, 3);
            m.healthKind = (age >= 40 && age < 65) ? QStringLiteral("1") : QStringLiteral("0");
            m.koyoSwitch = officer ? QStringLiteral("0") : QStringLiteral("1");
            m.taxSwitch = QStringLiteral("1");
            m.commuting = g.chance(0.85) ? g.between(3, 25) * 1000 + (g.chance(0.5) ? 500 : 0) : 0;
            if (officer) {
                m.yhosyu = g.between(40, 90) * 10000;
            } else if (hourly) {
                m.hourlyRate = g.between(110, 160) * 10;
            } else {
                m.kihonkyu = g.between(180, 420) * 1000;
                m.food = g.chance(0.3) ? 5000 : 0;
                m.housing = g.chance(0.4) ? g.between(1, 4) * 5000 : 0;
                m.family = m.dependants * 5000;
                if (g.chance(0.25)) {
                    m.sikakuCode = g.chance(0.5) ? QStringLiteral("A0001") : QStringLiteral("A0002");
                    m.qualification = m.sikakuCode == QLatin1String("A0001") ? 5000 : 8000;
                }
                if (m.kihonkyu >= 300000 && g.chance(0.5)) {
                    m.fukakyuCode = m.kihonkyu >= 380000 ? QStringLiteral("B0002") : QStringLiteral("B0001");
                    m.additional = m.fukakyuCode == QLatin1String("B0002") ? 30000 : 10000;
                }
                const long long monthly = m.kihonkyu + m.food + m.housing + m.family + m.qualification + m.additional;
                m.hourlyRate = double(wholeYen(double(monthly) / 170.0));
            }
            const long long fixedPay = m.kihonkyu + m.yhosyu + m.food + m.commuting + m.housing + m.family
                + m.qualification + m.additional;
            if (!hourly) {
                m.health = monthlyPremium(m.healthKind == QLatin1String("1") ? rates.healthRateCare : rates.healthRate,
                                          fixedPay, 1390000);
                m.pension = monthlyPremium(rates.pensionRate, fixedPay, 650000);
                m.residentTax = std::max(0LL, (fixedPay * 12 - 1500000) / 10 / 12 / 100 * 100);
            }
            int line = 0;
            if (!hourly && !officer && g.chance(0.3)) {
                m.allowanceNames[size_t(line)] = QStringLiteral("営業手当");
                m.allowances[size_t(line++)] = g.between(1, 5) * 5000;
            }
            if (!officer && g.chance(0.2)) {
                m.allowanceNames[size_t(line)] = QStringLiteral("皆勤手当");
                m.allowances[size_t(line++)] = 5000;
            }
            if (!hourly && g.chance(0.3)) {
                m.deductionNames[0] = QStringLiteral("財形貯蓄");
                m.deductions[0] = g.between(1, 5) * 5000;
            }
            if (g.chance(0.2)) {
                m.deductionNames[1] = QStringLiteral("親睦会費");
                m.deductions[1] = 1000;
            }

            const QString birthday = QStringLiteral("%1%2%3").arg(birthYear).arg(g.between(1, 12), 2, 10, QLatin1Char('0'))
                                         .arg(g.between(1, 28), 2, 10, QLatin1Char('0'));
            const QString joined = QStringLiteral("%1%2%3").arg(std::min(lastYear - 1, birthYear + g.between(18, 40)))
                                       .arg(4, 2, 10, QLatin1Char('0')).arg(1, 2, 10, QLatin1Char('0'));
            const db::RowValues row = {cid, m.code, m.name, u(sur.kana) + QStringLiteral(" ") + u(given.kana),
                female ? QStringLiteral("女") : QStringLiteral("男"), birthday, QStringLiteral("100-0001"),
                QStringLiteral("東京都千代田区"), QString(), QString(), m.employeeKind,
                officer ? QStringLiteral("経営全般") : hourly ? QStringLiteral("販売補助") : QStringLiteral("営業・事務"),
                joined, QString(), n(double(m.kihonkyu)), n(double(m.yhosyu)), n(double(m.food)),
                n(double(m.commuting)), m.sikakuCode, n(double(m.housing)), n(double(m.family)), m.fukakyuCode,
                n(double(m.health)), n(double(m.pension)), n(double(m.residentTax)), QStringLiteral("0"),
                QStringLiteral("0"), QStringLiteral("0"), n(m.hourlyRate), n(m.dependants),
                m.dependants > 0 ? QStringLiteral("1") : QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                QStringLiteral("0"), m.healthKind, m.koyoSwitch, m.taxSwitch, QString()};
            if (!db::WriteJyugyoinTable(m_ctx, row))
                return failed(QStringLiteral("従業員 %1-%2 を登録できませんでした。").arg(cid, m.code));
            for (int i = 0; i < 9; ++i)
                if (!m.allowanceNames[size_t(i)].isEmpty()
                    && !db::WriteSonotaTable(m_ctx, {cid, m.code, QString::number(i + 1), m.allowanceNames[size_t(i)],
                                                     n(double(m.allowances[size_t(i)])), QStringLiteral("1")}))
                    return failed(QStringLiteral("その他手当を登録できませんでした。"));
            for (int i = 0; i < 5; ++i)
                if (!m.deductionNames[size_t(i)].isEmpty()
                    && !db::WriteSonotaKojyoTable(m_ctx, {cid, m.code, QString::number(i + 1), m.deductionNames[size_t(i)],
                                                          n(double(m.deductions[size_t(i)]))}))
                    return failed(QStringLiteral("その他控除を登録できませんでした。"));
            staff.push_back(m);
        }

        // Statements, month by month, so that a bonus finds the salary of the month before.
        StatementRepository repo(m_ctx, QStringLiteral("StatementDemo"));
        for (const QString& month : months) {
            const bool bonusMonth = month.endsWith(QLatin1String("06")) || month.endsWith(QLatin1String("12"));
            for (const EmployeeMaster& m : staff) {
                MeisaiRecord s = newSalaryStatement(m, cid, month);
                const bool hourly = m.employeeKind == QLatin1String("3");
                const bool officer = m.employeeKind == QLatin1String("0");
                s.workDays = hourly ? g.between(10, 18) : g.between(18, 22);
                s.paidLeaveDays = g.chance(0.3) ? g.between(1, 2) : 0;
                if (hourly) {
                    s.hoursWorked = g.between(60, 120) + (g.chance(0.5) ? 0.5 : 0.0);
                    s.kihonkyu = basicPayFromHours(s.hoursWorked, s.hourlyRate);
                } else if (!officer) {
                    s.overtimeHours[0] = g.halfHours(30);
                    s.overtimeHours[2] = g.chance(0.3) ? g.halfHours(6) : 0;
                    s.overtimeHours[1] = g.chance(0.1) ? g.halfHours(8) : 0;
                    s.holidayDays = g.chance(0.15) ? g.between(1, 2) : 0;
                    s.callOuts = g.chance(0.08) ? g.between(1, 3) : 0;
                    if (g.chance(0.1)) {
                        s.absenceHours = g.halfHours(8);
                        s.absenceDays = s.absenceHours >= 8 ? 1 : 0;
                        s.absenceDayHours = s.absenceHours;
                    }
                }
                const KyuyoResult salary = calculateKyuyo(s, rates, StatementSwitches::fromTexts(m.koyoSwitch, m.taxSwitch));
                if (!repo.insertStatement(salary.statement))
                    return failed(QStringLiteral("給与明細 %1 %2 を登録できませんでした。").arg(month, m.code));
                ++summary->salaryStatements;

                if (!bonusMonth || hourly || officer)
                    continue;
                MeisaiRecord b = newBonusStatement(cid, month, m.code, m.employeeKind, m.dependants, m.healthKind);
                b.kihonkyu = m.kihonkyu * g.between(15, 25) / 10 / 1000 * 1000;
                if (m.deductions[0] > 0) {
                    b.deductionNames[0] = m.deductionNames[0];
                    b.deductions[0] = m.deductions[0] * 2;
                }
                SyoyoParameters p;
                p.rates = rates;
                p.switches = StatementSwitches::fromTexts(m.koyoSwitch, m.taxSwitch);
                p.insured = m.insured();
                p.previousPay = repo.previousMonthPay(m.code, month);
                p.healthStandardEarlier = repo.healthStandardEarlier(m.code, month);
                const SyoyoResult bonus = calculateSyoyo(b, p);
                if (!repo.insertStatement(bonus.statement))
                    return failed(QStringLiteral("賞与明細 %1 %2 を登録できませんでした。").arg(month, m.code));
                ++summary->bonusStatements;
            }
        }
        if (!tx.commit())
            return failed(m_ctx.db().lastError().text());
        summary->companyIds << cid;
        summary->employees += int(staff.size());
    }
    m_ctx.companyId = savedCompany;
    return true;
}

} // namespace minasel::payroll
