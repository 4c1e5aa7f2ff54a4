#include "gensenbenchdata.h"

#include "payslipbenchdata.h"
#include "db/database.h"
#include "nentyo/nentyocalc.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace minasel::bench {

namespace {

// Twelve digits with the check digit of the individual-number law.
QString myNumber(long long seed)
{
    QString digits = QStringLiteral("%1").arg(seed % 100000000000LL, 11, 10, QLatin1Char('0'));
    int sum = 0;
    for (int n = 1; n <= 11; ++n) {
        const int p = digits[11 - n].digitValue();
        sum += p * (n <= 6 ? n + 1 : n - 5);
    }
    const int r = sum % 11;
    return digits + QString::number(r <= 1 ? 0 : 11 - r);
}

QString num(long long v)
{
    return QString::number(v);
}

} // namespace

bool makeGensenData(const QString& folder, int employees, int year, QString* error)
{
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("Kyuyo.db"));
    QFile::remove(path);
    if (!db::createDatabaseFile(path, year, error))
        return false;
    const QString connection = QStringLiteral("bench-gensen-data");
    bool ok = true;
    {
        QSqlDatabase db = db::openFile(path, connection, error);
        if (!db.isOpen())
            return false;
        db.transaction();
        QSqlQuery(db).exec(QStringLiteral("DELETE FROM JYUGYOIN WHERE CID = '01'"));
        QSqlQuery(db).exec(QStringLiteral("UPDATE COMPANY SET HOJINNUM = '1234567890123' WHERE CID = '01'"));
        static const char* kNames[][2] = {{"山田 太郎", "ヤマダ タロウ"}, {"佐々木 次郎", "ササキ ジロウ"},
                                          {"長谷川 美奈子", "ハセガワ ミナコ"}, {"林 四郎", "ハヤシ シロウ"},
                                          {"渡辺 さつき", "ワタナベ サツキ"}};
        const QString y = QString::number(year);
        for (int i = 1; i <= employees && ok; ++i) {
            const QString code = QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
            const auto& name = kNames[i % 5];
            int errCode = 0;

            const db::Table je = db::Table::Jyugyoin;
            db::RowValues e = blankRow(je);
            set(e, je, "CID", QStringLiteral("01"));
            set(e, je, "JGICODE", code);
            set(e, je, "JGINAME", QString::fromUtf8(name[0]));
            set(e, je, "JGIKANA", QString::fromUtf8(name[1]));
            set(e, je, "BIRTHDAY", QStringLiteral("%1%2%3").arg(1960 + i % 40).arg(1 + i % 12, 2, 10, QLatin1Char('0')).arg(1 + i % 28, 2, 10, QLatin1Char('0')));
            set(e, je, "ZIP", QStringLiteral("150-00%1").arg(10 + i % 90));
            set(e, je, "ADD1", QStringLiteral("東京都渋谷区神南一丁目%1番%2号").arg(1 + i % 20).arg(1 + i % 9));
            set(e, je, "ADD2", i % 3 == 0 ? QString() : QStringLiteral("ミナセルハイツ%1号室").arg(100 + i));
            set(e, je, "JGIKBN", i == 1 ? QStringLiteral("0") : QString::number(1 + i % 4));
            set(e, je, "NYUSYABI", i % 10 == 7 ? y + QStringLiteral("0401") : QStringLiteral("20150401"));
            set(e, je, "TAISYABI", i % 10 == 9 ? y + QStringLiteral("0930") : QString());
            set(e, je, "GAIJINKBN", i % 17 == 0 ? QStringLiteral("1") : QStringLiteral("0"));
            set(e, je, "MYNUMBER", myNumber(100000000LL * i + 12345));
            ok = db::insertRow(db, je, e, year, &errCode, error);

            // The declarations and the year's pay, then the computation as the screen makes it.
            nentyo::NentyoInput in;
            in.kyuryo = 3'000'000 + 25'000LL * (i % 120);
            in.kyuryoTax = in.kyuryo / 40;
            in.syoyo = i % 4 == 0 ? 0 : 600'000 + 10'000LL * (i % 30);
            in.syoyoTax = in.syoyo / 25;
            in.hoken = (in.kyuryo + in.syoyo) * 15 / 100;
            in.semeHokenNew = 60'000;
            in.kaigoIryoHoken = 24'000;
            in.nenkinHokenNew = 90'000;
            in.semeHoken = i % 2 ? 30'000 : 0;
            in.songaiHoken1 = 18'000;
            in.haigu = i % 3 != 0;
            in.haiguMoney = i % 6 == 1 ? 800'000 : 0;
            in.famiNum = i % 3;
            in.famiNum1 = i % 5 == 0 ? 1 : 0;
            in.famiNum2 = i % 11 == 0 ? 1 : 0;
            in.syugaisya = i % 13 == 0 ? 1 : 0;
            in.tokuKojyo = i % 4 == 1 ? 180'000 : 0;
            in.tokutei = i % 7 == 0 ? std::vector<long long>{900'000} : std::vector<long long>{};
            in.under23 = i % 5 == 0;
            const nentyo::NentyoResult r = nentyo::calcNentyo(year, in);

            const db::Table nt = db::Table::Nentyo;
            db::RowValues n = blankRow(nt);
            auto put = [&](const char* column, long long v) { set(n, nt, column, num(v)); };
            set(n, nt, "CID", QStringLiteral("01"));
            set(n, nt, "SIKYUYEAR", y);
            set(n, nt, "JGICODE", code);
            put("kyuryo", in.kyuryo);
            put("KYURYOTAX", in.kyuryoTax);
            put("syoyo", in.syoyo);
            put("SYOYOTAX", in.syoyoTax);
            put("MAEHOKEN", in.hoken);
            put("SEMEHOKEN_NEW", in.semeHokenNew);
            put("SEMEHOKEN", in.semeHoken);
            put("KAIGOIRYOHOKEN", in.kaigoIryoHoken);
            put("NENKINHOKEN_NEW", in.nenkinHokenNew);
            put("SONGAIHOKEN1", in.songaiHoken1);
            put("HAIGUKBN", in.haigu);
            put("HAIGUMONEY", in.haiguMoney);
            put("FAMINUM", in.famiNum);
            put("FAMINUM1", in.famiNum1);
            put("FAMINUM2", in.famiNum2);
            put("FAMINUM4", i % 4);
            put("SYUGAISYA", in.syugaisya);
            put("NETYOKBN", 1);
            put("KOJYOGO", r.kojyogo);
            put("HOKEN2", r.hoken2);
            put("SEMEKOJYO", r.semeKojyo);
            put("SONGAKOJYO", r.songaKojyo);
            put("HAIGUKOJYO", r.haiguKojyo);
            put("HFKSKOJYO", r.hfksKojyo);
            put("KOJYOKEI", r.kojyoKei);
            put("SASIMONEY", r.sasiMoney);
            put("YEARTAX", r.yearTax);
            put("TOKUKOJYO", r.tokuKojyo);
            set(n, nt, "CALYEARTAX", QString::number(r.calYearTax, 'f', 1));
            put("KAKUTETAX", r.kakuteTax);
            put("SASIHIKI", r.sasihiki);
            if (in.tokuKojyo > 0) {
                put("JYUTAKUKARINUM", 1);
                put("JYUTAKUKARIKIN", in.tokuKojyo);
                set(n, nt, "RESTARTDATE", QStringLiteral("20210315"));
                set(n, nt, "JYUTAKUKARIFLAG1", QStringLiteral("住"));
                put("JYUTAKUKARIZAN1", 25'800'000);
            }
            set(n, nt, "TEKIYO1", i % 10 == 7 ? QStringLiteral("前職分加算 株式会社前職 東京都港区芝公園1-1") : QString());
            if (in.haigu) {
                set(n, nt, "HAIGUSYANAME", QStringLiteral("%1 花子").arg(QString::fromUtf8(name[0]).section(QLatin1Char(' '), 0, 0)));
                set(n, nt, "HAIGUSYANAMEKN", QStringLiteral("%1 ハナコ").arg(QString::fromUtf8(name[1]).section(QLatin1Char(' '), 0, 0)));
                set(n, nt, "HAIGUSYAMYNUM", myNumber(200000000LL * i + 77));
            }
            for (int k = 1; k <= int(in.famiNum + in.famiNum1 + in.famiNum2) && k <= 4; ++k) {
                set(n, nt, qPrintable(QStringLiteral("FAMINAME%1").arg(k)), QStringLiteral("扶養 %1郎").arg(k));
                set(n, nt, qPrintable(QStringLiteral("FAMINAMEKN%1").arg(k)), QStringLiteral("フヨウ %1ロウ").arg(k));
                set(n, nt, qPrintable(QStringLiteral("FAMIMYNUM%1").arg(k)), myNumber(300000000LL * i + k));
            }
            for (int k = 1; k <= i % 4; ++k) {
                set(n, nt, qPrintable(QStringLiteral("NESYONAME%1").arg(k)), QStringLiteral("年少 %1子").arg(k));
                set(n, nt, qPrintable(QStringLiteral("NESYONAMEKN%1").arg(k)), QStringLiteral("ネンショウ %1コ").arg(k));
                set(n, nt, qPrintable(QStringLiteral("NESYOMYNUM%1").arg(k)), myNumber(400000000LL * i + k));
            }
            ok = ok && db::insertRow(db, nt, n, year, &errCode, error);

            const db::Table st = db::Table::NentyoSinkoku;
            db::RowValues s = blankRow(st);
            set(s, st, "CID", QStringLiteral("01"));
            set(s, st, "SIKYUYEAR", y);
            set(s, st, "JGICODE", code);
            set(s, st, "UNDER23", in.under23 ? QStringLiteral("1") : QStringLiteral("0"));
            if (!in.tokutei.empty()) {
                set(s, st, "TOKUNAME1", QStringLiteral("特定 大学生"));
                set(s, st, "TOKUNAMEKN1", QStringLiteral("トクテイ ダイガクセイ"));
                set(s, st, "TOKUMYNUM1", myNumber(500000000LL * i + 1));
                set(s, st, "TOKUSYOTOKU1", num(in.tokutei.front()));
            }
            ok = ok && db::insertRow(db, st, s, year, &errCode, error);
        }
        ok = ok && db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

} // namespace minasel::bench
