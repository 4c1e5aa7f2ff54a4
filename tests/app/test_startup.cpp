#include "app/companylist.h"
#include "app/passwordstore.h"
#include "app/startup.h"
#include "app/writerlock.h"
#include "startupfixture.h"

#include <QFontInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryFile>

using namespace minasel;
using namespace minasel::test;

namespace {

using Steps = std::vector<std::pair<int, QString>>;

QString basicCid(TestDataDir& t)
{
    return t.scalar(QStringLiteral("SELECT CID FROM BASIC")).toString();
}

TEST(Startup, FreshRunCreatesTheDataAndStartsOnTheFirstCompany)
{
    TestDataDir t(false);
    Startup s(t.ctx());
    Steps steps;
    s.onProgress = [&](int p, const QString& status) { steps.emplace_back(p, status); };
    ASSERT_TRUE(s.run());
    EXPECT_EQ(t.ctx().startupState, AppContext::StartupOk);
    EXPECT_EQ(t.ctx().dataFolder(), t.path() + QStringLiteral("/"));
    EXPECT_EQ(steps, (Steps{{10, QStringLiteral("ログファイルを開いています")},
                            {40, QStringLiteral("データベースを開いています")},
                            {60, QStringLiteral("会社情報を設定しています")},
                            {100, QString()}}));
    EXPECT_EQ(logTails(t), QStringList{QStringLiteral("0 プログラム起動 [From_Load] Step:3_0")});
    ASSERT_EQ(s.companies().entries().size(), 5);
    EXPECT_EQ(s.currentIndex(), 0);
    EXPECT_EQ(t.ctx().companyId, QStringLiteral("01"));
    EXPECT_EQ(t.ctx().companyName, s.companies().entries().at(0).name);
    EXPECT_TRUE(t.messages().empty());
    // Nothing is remembered until the user picks a company.
    EXPECT_EQ(basicCid(t), QString());
}

TEST(Startup, ShutdownBacksUpThenClosesThenLogsTheEnd)
{
    TestDataDir t(false);
    Startup s(t.ctx());
    ASSERT_TRUE(s.run());
    std::vector<QString> order;
    t.ctx().automaticBackup = [&](AppContext& c) {
        order.push_back(c.db().isOpen() ? QStringLiteral("backup, open") : QStringLiteral("backup, closed"));
        return true;
    };
    s.shutdown([&](bool on) { order.push_back(on ? QStringLiteral("notice on") : QStringLiteral("notice off")); });
    EXPECT_EQ(order, (std::vector<QString>{QStringLiteral("notice on"), QStringLiteral("backup, open"),
                                           QStringLiteral("notice off")}));
    EXPECT_FALSE(t.ctx().db().isOpen());
    EXPECT_EQ(logTails(t).last(), QStringLiteral("0 プログラム終了 [Form_Unload] Step:1_0"));
    // The lock went with the run.
    QLockFile next(t.ctx().dataFolder() + Startup::lockFileName());
    EXPECT_TRUE(next.tryLock(0));
    // A second shutdown does nothing.
    s.shutdown();
    EXPECT_EQ(logLines(t).size(), 2);
}

struct CurrentCase {
    const char* name;
    const char* edit;
    const char* expectedCid;
    int expectedIndex;
    const char* basicAfter;   // start-up never writes BASIC
    bool passwordRequired;    // only a password that is not blank is asked for
};

class StartupCurrentCompany : public ::testing::TestWithParam<CurrentCase> {};

TEST_P(StartupCurrentCompany, ComesFromBasicOrTheLowestCode)
{
    TestDataDir t(false);
    prepareData(t, [](QSqlDatabase& d) { execOk(d, QString::fromUtf8(GetParam().edit)); });
    Startup s(t.ctx());
    ASSERT_TRUE(s.run());
    EXPECT_EQ(t.ctx().companyId, QString::fromUtf8(GetParam().expectedCid));
    EXPECT_EQ(s.currentIndex(), GetParam().expectedIndex);
    if (s.currentIndex() >= 0)
        EXPECT_EQ(t.ctx().companyName, s.companies().entries().at(s.currentIndex()).name);
    EXPECT_EQ(basicCid(t), QString::fromLatin1(GetParam().basicAfter));
    EXPECT_EQ(s.passwordRequired(), GetParam().passwordRequired);
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupCurrentCompany,
    ::testing::Values(CurrentCase{"Remembered", "UPDATE BASIC SET CID = '03', PASSWORD = '   '", "03", 2, "03", false},
                      CurrentCase{"EmptyTakesLowest", "DELETE FROM COMPANY WHERE CID = '01'", "02", 0, "", false},
                      CurrentCase{"GoneTakesLowest", "UPDATE BASIC SET CID = '77', PASSWORD = 'X''Y'", "01", 0, "77", true},
                      CurrentCase{"NoCompany", "DELETE FROM COMPANY", "無し", -1, "", false}),
    [](const auto& info) { return std::string(info.param.name); });

// A folder without its database gets none; an empty, foreign or table-less file
// is reported and left exactly as it is (never replaced by a fresh database).
TEST(Startup, MissingOrBrokenDatabaseStopsWithTheOpenError)
{
    const struct {
        const char* name;
        std::function<void(const QString&)> make;
    } cases[] = {
        {"missing", [](const QString&) {}},
        {"empty file", [](const QString& p) { QFile f(p); f.open(QIODevice::WriteOnly); }},
        {"not a database", [](const QString& p) { QFile f(p); f.open(QIODevice::WriteOnly); f.write("給与 data"); }},
        {"SQLite file without our tables",
         [](const QString& p) {
             {
                 QString error;
                 QSqlDatabase d = db::openFile(p, "foreign", &error);
                 execOk(d, "CREATE TABLE T (X)");
                 d.close();
             }
             QSqlDatabase::removeDatabase("foreign");
         }},
    };
    for (const auto& c : cases) {
        TestDataDir t(false);
        ASSERT_TRUE(QDir().mkpath(t.path()));
        const QString path = t.path() + QStringLiteral("/Kyuyo.db");
        c.make(path);
        const bool existed = QFileInfo::exists(path);
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        const QByteArray bytes = f.readAll();
        f.close();
        Startup s(t.ctx());
        bool backedUp = false;
        t.ctx().automaticBackup = [&](AppContext&) { return backedUp = true; };
        EXPECT_FALSE(s.run()) << c.name;
        EXPECT_EQ(t.ctx().startupState, AppContext::StartupNoDatabase) << c.name;
        ASSERT_EQ(t.messages().entries().size(), 2) << c.name;
        EXPECT_EQ(t.messages().entries()[0].title, QStringLiteral("DB Openエラー"));
        EXPECT_EQ(t.messages().entries()[0].text,
                  QStringLiteral("データベースのオープン中にエラーが発生したので、システムを立ち上げることができませんでした。"));
        EXPECT_EQ(QFileInfo::exists(path), existed) << c.name;
        f.open(QIODevice::ReadOnly);
        EXPECT_EQ(f.readAll(), bytes) << c.name;
        f.close();
        s.shutdown();
        EXPECT_FALSE(backedUp);
        EXPECT_TRUE(logTails(t).value(1).endsWith(QStringLiteral(" [MainMenu.Form_load] Step:1_0")));
    }
}

// An automatic backup that throws (a file name the platform cannot take, say)
// still ends the run normally: the error logged and shown, the end line written,
// the lock released.
TEST(Startup, AFailingAutomaticBackupNeverAbortsTheEnd)
{
    TestDataDir t(false);
    Startup s(t.ctx());
    ASSERT_TRUE(s.run());
    t.ctx().automaticBackup = [](AppContext&) -> bool { throw std::runtime_error("filesystem error"); };
    s.shutdown();
    EXPECT_EQ(t.messages().lastText(), QStringLiteral("エラーが発生しました。ログファイルを確認してください。"));
    const QStringList lines = logTails(t);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].contains(QStringLiteral("自動バックアップ: filesystem error"))) << lines[1].toStdString();
    EXPECT_EQ(lines[2], QStringLiteral("0 プログラム終了 [Form_Unload] Step:1_0"));
    EXPECT_TRUE(WriterLock(t.path()).held());
}

TEST(Startup, UnreadableCompanyMasterStopsWithStateTwo)
{
    TestDataDir t(false);
    prepareData(t, [](QSqlDatabase& d) { execOk(d, QStringLiteral("DROP TABLE COMPANY")); });
    Startup s(t.ctx());
    EXPECT_FALSE(s.run());
    EXPECT_EQ(t.ctx().startupState, AppContext::StartupNoCompany);
    ASSERT_FALSE(t.messages().empty());
    EXPECT_EQ(t.messages().entries()[0].text,
              QStringLiteral("会社情報マスタのアクセス中にエラーが発生したので、システムを立ち上げることができませんでした。"));
    EXPECT_EQ(t.messages().entries()[0].title, QStringLiteral("ミナセル"));
    EXPECT_TRUE(logLines(t).last().contains(QStringLiteral(" [MainMenu.set_start] Step:1_0")));
}

TEST(Startup, NoDataFolderStopsBeforeAnyLog)
{
    TestDataDir t(false);
    QTemporaryFile blocker;
    ASSERT_TRUE(blocker.open());
    qputenv("MINASEL_DATA_DIR", (blocker.fileName() + QStringLiteral("/Vora/Kyuyo")).toUtf8());
    Startup s(t.ctx());
    EXPECT_FALSE(s.run());
    EXPECT_EQ(t.ctx().startupState, AppContext::StartupNoDatabase);
    ASSERT_EQ(t.messages().entries().size(), 1);
    EXPECT_EQ(t.messages().last().title, QStringLiteral("Startingエラー"));
    EXPECT_EQ(t.messages().last().text,
              QStringLiteral("システム起動中にエラーが発生したので、システムを立ち上げることができませんでした。"));
    s.shutdown();   // nothing to log to, and no failure of the log either
    EXPECT_EQ(t.messages().entries().size(), 1);
}

TEST(Startup, UnwritableLogEndsTheProgram)
{
    TestDataDir t(false);
    prepareData(t);
    ASSERT_TRUE(QDir().mkpath(t.path() + QStringLiteral("/kyuyo.log")));   // not a file
    Startup s(t.ctx());
    EXPECT_THROW(s.run(), TerminateCalled);
    ASSERT_EQ(t.messages().entries().size(), 1);
    EXPECT_TRUE(t.messages().last().text.startsWith(
        QStringLiteral("ログファイルのアクセスに失敗しました \nPROC:pbc2_LogOpen\nCODE:75\n MSG:")))
        << t.messages().last().text.toStdString();
}

TEST(Startup, SecondCopyIsRefusedUntilTheFirstEnds)
{
    TestDataDir t(false);
    Startup first(t.ctx());
    ASSERT_TRUE(first.run());
    const auto lockMode = QFileInfo(t.ctx().dataFolder() + Startup::lockFileName()).permissions();
    EXPECT_FALSE(lockMode & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteOther));

    FakeMessages messages2;
    FixedClock clock2(t.clock().now());
    AppContext ctx2(messages2, clock2);
    ctx2.terminate = [](int c) { throw TerminateCalled(c); };
    ctx2.setConnectionName(QStringLiteral("second-copy"));
    {
        Startup second(ctx2);
        EXPECT_FALSE(second.run());
        EXPECT_EQ(ctx2.startupState, AppContext::StartupSecondCopy);
        ASSERT_EQ(messages2.entries().size(), 1);
        EXPECT_EQ(messages2.last().text, QStringLiteral("このアプリケーションはすでに開かれています。"));
        EXPECT_EQ(messages2.last().title, QStringLiteral("ミナセル"));
        EXPECT_EQ(messages2.last().icon, Messages::Icon::Exclamation);
        EXPECT_FALSE(ctx2.db().isOpen());
        second.shutdown();
    }
    // The refused copy did not take the first one's lock away.
    QLockFile probe(t.ctx().dataFolder() + Startup::lockFileName());
    EXPECT_FALSE(probe.tryLock(0));
    first.shutdown();
    EXPECT_TRUE(probe.tryLock(0));
}

// Texts with quotes are bound, never spliced into the SQL: stored and compared as typed.
// (A registration date is compared untrimmed: MainMenuTest.SetupCheckRefusesTemplates.)
TEST(PasswordStore, QuotesAreStoredAndComparedAsTyped)
{
    TestDataDir t;
    PasswordStore store(t.ctx());
    const QString pw = QStringLiteral("A'B\"C' OR '1'='1");
    ASSERT_TRUE(store.store(pw));
    EXPECT_EQ(store.stored(), pw);
    EXPECT_EQ(store.matches(pw), true);
    EXPECT_EQ(store.matches(QStringLiteral("' OR '1'='1")), false);
    EXPECT_EQ(store.matches(QStringLiteral("a'b\"c' or '1'='1")), false);
    CompanyList list;
    ASSERT_TRUE(list.remember(t.ctx(), QStringLiteral("0'2")));
    EXPECT_EQ(basicCid(t), QStringLiteral("0'2"));
    bool ok = false;
    EXPECT_EQ(list.registrationDate(t.ctx(), QStringLiteral("88"), &ok), std::nullopt);
    EXPECT_TRUE(ok);   // no such company is no failure
}

} // namespace
