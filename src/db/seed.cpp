#include "db/seed.h"

#include "db/rowwriter.h"

namespace minasel::db {

namespace {

struct CompanySeed {
    const char* cid;
    const char* name;
    const char* kana;
    const char* torokubi;
    const char* kenko;    // health rate (%)
    const char* kenko2;   // health rate with care insurance (%)
    const char* koyo;     // employment insurance, employee's share
};

const CompanySeed kCompanies[] = {
    {"01", "ミナセル商事株式会社（サンプル）", "ミナセルショウジ", "2024/04/01", "9.91", "11.5", "0.0055"},
    {"02", "建設業（標準設定）", "ケンセツギョウ", "2000/01/01", "9.91", "11.5", "0.0065"},
    {"03", "製造業（標準設定）", "セイゾウギョウ", "2000/01/01", "9.91", "11.5", "0.0055"},
    {"04", "小売業（標準設定）", "コウリギョウ", "2000/01/01", "9.91", "11.5", "0.0055"},
    {"05", "飲食業（標準設定）", "インショクギョウ", "2000/01/01", "9.91", "11.5", "0.0055"},
};

RowValues companyRow(const CompanySeed& c)
{
    const bool sample = QString::fromLatin1(c.cid) == QLatin1String("01");
    return {QString::fromLatin1(c.cid), QString::fromUtf8(c.name), QString::fromUtf8(c.kana),
            sample ? QStringLiteral("100-0005") : QString(), sample ? QStringLiteral("東京都") : QString(),
            sample ? QStringLiteral("千代田区丸の内1-1-1") : QString(), QString(),
            sample ? QStringLiteral("03-0000-0000") : QString(), QString(),
            sample ? QStringLiteral("代表取締役") : QString(), sample ? QStringLiteral("見那 瀬流") : QString(),
            sample ? QStringLiteral("ミナ セル") : QString(), QString::fromLatin1(c.kenko),
            QString::fromLatin1(c.kenko2), QStringLiteral("18.3"), QString::fromLatin1(c.koyo),
            QStringLiteral("170"), QStringLiteral("10000"), QStringLiteral("5000"), QStringLiteral("1.25"),
            QStringLiteral("1.35"), QStringLiteral("1.5"), QStringLiteral("1.6"), QStringLiteral("1.5"),
            QStringLiteral("1.75"), QString::fromLatin1(c.torokubi), QString()};
}

struct EmployeeSeed {
    const char* code;
    const char* name;
    const char* kana;
    const char* sex;
    const char* birthday;
    const char* kbn;
    const char* joined;
    int kihonkyu;
    int yhosyu;
    int tukin;
    const char* sikacode;
    int home;
    int fami;
    int health;
    int nenkin;
    int simizei;
    int timemoney;
    int faminum;
    const char* kehokbn;
};

const EmployeeSeed kEmployees[] = {
    {"00001", "見那瀬 太郎", "ミナセ タロウ", "男", "19700415", "0", "20050401", 0, 500000, 15000, "", 0, 0,
     29730, 54900, 28000, 0, 2, "1"},
    {"00002", "佐藤 花子", "サトウ ハナコ", "女", "19880920", "1", "20120401", 240000, 0, 12000, "A0001", 10000,
     5000, 14868, 27450, 12500, 1618, 1, "0"},
    {"00003", "鈴木 一郎", "スズキ イチロウ", "男", "19950103", "1", "20180401", 210000, 0, 9800, "", 0, 0,
     11892, 21960, 8900, 1235, 0, "0"},
    {"00004", "高橋 美咲", "タカハシ ミサキ", "女", "20000612", "3", "20230601", 0, 0, 5000, "", 0, 0, 0, 0,
     0, 1200, 0, "0"},
};

RowValues employeeRow(const char* cid, const EmployeeSeed& e)
{
    auto n = [](int v) { return QString::number(v); };
    return {QString::fromLatin1(cid), QString::fromLatin1(e.code), QString::fromUtf8(e.name),
            QString::fromUtf8(e.kana), QString::fromUtf8(e.sex), QString::fromLatin1(e.birthday), QString(),
            QString(), QString(), QString(), QString::fromLatin1(e.kbn), QString(), QString::fromLatin1(e.joined),
            QString(), n(e.kihonkyu), n(e.yhosyu), n(0), n(e.tukin), QString::fromLatin1(e.sikacode), n(e.home),
            n(e.fami), QString(), n(e.health), n(e.nenkin), n(e.simizei), n(0), n(0), n(0), n(e.timemoney),
            n(e.faminum), e.faminum > 0 ? QStringLiteral("1") : QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("0"), QStringLiteral("0"), QString::fromLatin1(e.kehokbn),
            QString::fromLatin1(e.kbn) == QLatin1String("0") ? QStringLiteral("0") : QStringLiteral("1"),
            QStringLiteral("1"), QString()};
}

} // namespace

bool seedCompanies(QSqlDatabase db, int currentYear, QString* error)
{
    auto insert = [&](Table t, const RowValues& v) { return insertRow(db, t, v, currentYear, nullptr, error); };
    for (const CompanySeed& c : kCompanies)
        if (!insert(Table::Company, companyRow(c)))
            return false;
    for (const EmployeeSeed& e : kEmployees)
        if (!insert(Table::Jyugyoin, employeeRow("01", e)))
            return false;
    const char* templates[] = {"01", "02", "03", "04", "05"};
    for (const char* cid : templates) {
        const QString id = QString::fromLatin1(cid);
        if (!insert(Table::Sikaku, {id, QStringLiteral("A0001"), QStringLiteral("簿記検定２級"), QStringLiteral("5000")})
            || !insert(Table::Sikaku, {id, QStringLiteral("A0002"), QStringLiteral("衛生管理者"), QStringLiteral("8000")})
            || !insert(Table::Fukakyu, {id, QStringLiteral("B0001"), QStringLiteral("役職手当（主任）"), QStringLiteral("10000")})
            || !insert(Table::Fukakyu, {id, QStringLiteral("B0002"), QStringLiteral("役職手当（係長）"), QStringLiteral("20000")}))
            return false;
    }
    // One employee of the sample keeps other allowances and deductions to show the items.
    return insert(Table::Sonota, {QStringLiteral("01"), QStringLiteral("00002"), QStringLiteral("1"),
                                  QStringLiteral("資格手当（追加）"), QStringLiteral("3000"), QStringLiteral("1")})
        && insert(Table::SonotaKojyo, {QStringLiteral("01"), QStringLiteral("00002"), QStringLiteral("1"),
                                       QStringLiteral("財形貯蓄"), QStringLiteral("10000")});
}

} // namespace minasel::db
