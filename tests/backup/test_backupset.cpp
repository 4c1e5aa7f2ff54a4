#include "backup/autobackup.h"
#include "backup/backuprestorer.h"
#include "backup/backupwriter.h"
#include "support/testdatadir.h"
#include "backupfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace minasel;
using namespace minasel::test;
using backup::BackupRestorer;
using backup::BackupWriter;
using Outcome = BackupRestorer::Outcome;

namespace {

class BackupSetTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(fillCompany(data.ctx().db(), "01", 3, 14));
        // Another company's rows must never be touched by a restore of "01".
        ASSERT_TRUE(fillCompany(data.ctx().db(), "02", 1, 2));
        // Blanks and ideographic spaces at either end, tabs and a final line break come back as written.
        data.exec(QStringLiteral("UPDATE JYUGYOIN SET JGINAME = '\u3000 山田\t太郎 \u3000\r\n', ADD2 = ' ', SYOKUMU = '\t' "
                                 "WHERE CID = '01'"));
        data.exec("UPDATE COMPANY SET CFKN = '  ｶﾌﾞｼｷｶﾞｲｼｬ  ' WHERE CID = '01'");
        ASSERT_TRUE(out.isValid());
        before01 = dumpCompany(data.ctx().db(), "01");
        before02 = dumpCompany(data.ctx().db(), "02");
    }

    QString setDir() const { return out.path() + QStringLiteral("/set"); }

    bool writeSet()
    {
        BackupWriter w(data.ctx());
        return w.write(setDir(), QStringLiteral("RunBackUp.cmdBackUp_Click"));
    }

    void breakDatabase()
    {
        data.exec("DELETE FROM MEISAI WHERE CID = '01' AND SIKYUBI > '202006'");
        data.exec("UPDATE JYUGYOIN SET KIHONKYU = 1 WHERE CID = '01'");
        data.exec("DELETE FROM NENTYO WHERE CID = '01'");
        data.exec("INSERT INTO SIKAKU VALUES('01', 'Z9', '余計な資格', 1)");
        // The side tables of the bank accounts and the resident-tax notices come back too.
        data.exec("DELETE FROM KAISYAGINKO WHERE CID = '01'");
        data.exec("UPDATE JYUGYOINGINKO SET KOZANO = '0000001' WHERE CID = '01'");
        // The social-insurance side tables come back too.
        data.exec("DELETE FROM SYAHOSETTEI WHERE CID = '01'");
        data.exec("UPDATE HYOJUNHOSYU SET HYOJUNGAKU = 1 WHERE CID = '01'");
        data.exec("UPDATE JUMINZEI SET NENGAKU = 1, GAKU06 = 1 WHERE CID = '01'");
        ASSERT_NE(dumpCompany(data.ctx().db(), "01"), before01);
    }

    // Restores a folder (the set by default), answering Yes to the question it asks first.
    Outcome restore(BackupRestorer& r, const QString& dir = {})
    {
        data.messages().answerNext(Messages::Answer::Yes);
        return r.restore(dir.isEmpty() ? setDir() : dir);
    }

    QString file(int n) const { return setDir() + QStringLiteral("/T_%1.txt").arg(n, 3, 10, QLatin1Char('0')); }

    void expectUnchanged()
    {
        EXPECT_EQ(dumpCompany(data.ctx().db(), "01"), before01);
        EXPECT_EQ(dumpCompany(data.ctx().db(), "02"), before02);
    }

    TestDataDir data;
    QTemporaryDir out;
    QStringList before01, before02;
};

} // namespace

TEST_F(BackupSetTest, BackUpBreakRestoreGivesEveryRowBack)
{
    ASSERT_TRUE(writeSet());
    breakDatabase();
    data.messages().clear();
    BackupRestorer r(data.ctx());
    EXPECT_EQ(restore(r), Outcome::Restored) << r.errorText().toStdString();
    expectUnchanged();
    // Asked first, with what the company holds now and what the set will leave.
    ASSERT_EQ(data.messages().entries().size(), 2);
    const auto& asked = data.messages().entries().first();
    EXPECT_EQ(asked.icon, Messages::Icon::Question);
    EXPECT_TRUE(asked.text.contains(QStringLiteral("給与・賞与明細：%1 件 → 42 件").arg(42 - 3 * 8)))
        << asked.text.toStdString();
    EXPECT_FALSE(asked.text.contains(QStringLiteral("確認用の情報")));   // the set proved itself whole
    EXPECT_EQ(data.messages().last().icon, Messages::Icon::Information);
    EXPECT_EQ(data.messages().lastText(), QStringLiteral("復旧処理が終了しました"));
    EXPECT_EQ(data.messages().last().title, QStringLiteral("ミナセル"));
    // What the company held before is kept as a set of its own.
    EXPECT_TRUE(r.safetyFolder().startsWith(data.ctx().dataFolder() + QStringLiteral("Data/復旧前/01_")));
    EXPECT_EQ(readFile(r.safetyFolder() + "/T_006.txt").count("\r\n"), 3);   // with the extra qualification
}

TEST_F(BackupSetTest, FilesHoldOneQuotedLinePerRowInColumnOrder)
{
    ASSERT_TRUE(writeSet());
    for (const QString& n : setFiles()) {
        const QFileInfo fi(setDir() + QLatin1Char('/') + n);
        ASSERT_TRUE(fi.isFile()) << n.toStdString();
        EXPECT_EQ(fi.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
    }
    const QByteArray sikaku = readFile(file(6));
    EXPECT_EQ(sikaku, QStringLiteral("\"01\",\"A0001\",\"簿記検定２級\",\"5000\"\r\n"
                                     "\"01\",\"A0002\",\"衛生管理者\",\"8000\"\r\n").toUtf8());
    EXPECT_TRUE(readFile(file(4)).contains(QStringLiteral("\"手当\"\"A\"\",\r\n二行目\"").toUtf8()));
    EXPECT_EQ(readFile(file(1)).count("\r\n"), 1);   // exactly the one company
    EXPECT_EQ(readFile(file(1)).count("\",\""), 26);
    // Nothing but the set is left behind.
    EXPECT_EQ(QDir(setDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), setFiles().size() + 1);
}

TEST_F(BackupSetTest, CompanyWithoutYearEndRowsGetsAnEmptyFileAndRestoresNone)
{
    data.exec("DELETE FROM NENTYO WHERE CID = '01'");
    before01 = dumpCompany(data.ctx().db(), "01");
    ASSERT_TRUE(writeSet());
    EXPECT_EQ(QFileInfo(file(5)).size(), 0);
    ASSERT_TRUE(insert(data.ctx().db(), db::Table::Nentyo,
                       makeRow(db::Table::Nentyo, {{"CID", "01"}, {"SIKYUYEAR", "2026"}, {"JGICODE", "00001"}}, 5)));
    BackupRestorer r(data.ctx());
    EXPECT_EQ(restore(r), Outcome::Restored);
    expectUnchanged();
}

// A set that is incomplete, of another company, damaged, or with a row the
// database refuses: the restore stops, says why, and leaves all eight tables of
// both companies exactly as they were.
TEST_F(BackupSetTest, RefusedOrFailedRestoresChangeNothing)
{
    struct Case {
        const char* name;
        int fileNo;
        std::function<QByteArray(QByteArray)> spoil;   // none: the file is removed
        Outcome outcome;
        QString message;   // the whole message; of a damaged file, the part that names the fault
        QString title;
        QString logged;    // in the last log line
        QString detail;    // in errorText()
    };
    const QString mina = QStringLiteral("ミナセル");
    const Case cases[] = {
        {"seven files", 7, nullptr, Outcome::MissingFiles,
         QStringLiteral("データが見つかりませんので、取込処理を中止します。"), mina, {}, {}},
        {"another company's set", 1, [](QByteArray b) { return b.replace(0, 4, "\"02\""); }, Outcome::OtherCompany,
         QStringLiteral("復旧しようとするデータは現在使用中の") + data.ctx().companyName
             + QStringLiteral("のものではありませんので、\n\n復旧処理を中止します。"),
         mina, {}, {}},
        {"company file with more than one row", 1, [](QByteArray b) { return b + b; }, Outcome::Unreadable,
         QStringLiteral("ファイルのオープン中にエラーが発生しました(check_company)。"), QStringLiteral("エラー"), {}, {}},
        {"truncated file", 3, [](QByteArray b) { return b.left(b.size() - 40); }, Outcome::Refused,
         QStringLiteral("T_003.txt"), mina, QStringLiteral("RunBackUp.write_data_to_table"), {}},
        {"corrupt line", 4,
         [](QByteArray b) {
             const qsizetype second = b.indexOf("\r\n\"01\"") + 2;
             return b.left(second) + "\"01\",\"202001\",broken\r\n" + b.mid(second);
         },
         Outcome::Refused, QStringLiteral("T_004.txt"), mina, QStringLiteral("RunBackUp.write_data_to_table"), {}},
        {"unclosed quote at the end", 8, [](QByteArray b) { return b + "\"01\",\"00101"; }, Outcome::Refused,
         QStringLiteral("引用符"), mina, QStringLiteral("RunBackUp.write_data_to_table"), {}},
        {"rows of another company inside a file", 7,
         [](QByteArray b) { return b + b.left(b.indexOf("\r\n") + 2).replace("\"01\"", "\"02\""); }, Outcome::Refused,
         QStringLiteral("別の会社"), mina, QStringLiteral("RunBackUp.write_data_to_table"), {}},
        {"not UTF-8", 2, [](QByteArray b) { return b + "\"01\",\"\x82\xa0\",\"x\",\"1\"\r\n"; }, Outcome::Refused,
         QStringLiteral("UTF-8"), mina, QStringLiteral("RunBackUp.write_data_to_table"), {}},
        // The second year-end row gets a text where a number belongs: refused after
        // four tables have already been replaced.
        {"failing insert in the fifth table", 5,
         [](QByteArray b) {
             const qsizetype secondRow = b.indexOf("\r\n\"01\",\"2025\"") + 2;
             const qsizetype amount = b.indexOf("\",\"", b.indexOf("\",\"", b.indexOf("\",\"", secondRow) + 3) + 3);
             return b.insert(amount + 3, "x");
         },
         Outcome::Refused, QStringLiteral("型が一致しません。(NENTYO."), mina,
         QStringLiteral("RunBackUp.write_data_to_table"), {}},
    };
    const QString good = out.path() + QStringLiteral("/good");
    BackupWriter goodWriter(data.ctx());
    ASSERT_TRUE(goodWriter.write(good, QStringLiteral("test")));
    breakDatabase();
    const QStringList broken = dumpCompany(data.ctx().db(), "01");
    for (const Case& c : cases) {
        QDir(setDir()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(setDir()));
        for (const QString& n : setFiles())
            ASSERT_TRUE(QFile::copy(good + QLatin1Char('/') + n, setDir() + QLatin1Char('/') + n));
        if (c.spoil)
            writeFile(file(c.fileNo), c.spoil(readFile(file(c.fileNo))));
        else
            QFile::remove(file(c.fileNo));
        data.messages().clear();
        BackupRestorer r(data.ctx());   // a set without a manifest asks first
        EXPECT_EQ(restore(r), c.outcome) << c.name;
        EXPECT_EQ(dumpCompany(data.ctx().db(), "01"), broken) << c.name;
        EXPECT_EQ(dumpCompany(data.ctx().db(), "02"), before02) << c.name;
        ASSERT_LE(data.messages().entries().size(), 2) << c.name;
        EXPECT_EQ(data.messages().last().icon, Messages::Icon::Exclamation) << c.name;
        EXPECT_EQ(data.messages().last().title, c.title) << c.name;
        const QString text = data.messages().lastText();
        if (c.outcome == Outcome::Refused) {
            EXPECT_TRUE(text.contains(c.message)) << c.name << ": " << text.toStdString();
            EXPECT_TRUE(text.contains(QStringLiteral("データは復旧前のままです"))) << c.name;
        } else {
            EXPECT_EQ(text, c.message) << c.name;
        }
        if (!c.logged.isEmpty())
            EXPECT_TRUE(data.ctx().log().lines().last().contains(c.logged)) << c.name;
        EXPECT_TRUE(r.errorText().contains(c.detail)) << c.name << ": " << r.errorText().toStdString();
    }
}

// A set made before the side tables existed has only the eight files: it
// restores, and the company is left without side rows (none were backed up).
TEST_F(BackupSetTest, ASetOfTheEightFilesAloneRestoresWithoutSideRows)
{
    ASSERT_TRUE(writeSet());
    for (db::Table side : db::sideTables())
        ASSERT_TRUE(QFile::remove(file(int(side))));
    ASSERT_TRUE(QFile::remove(setDir() + "/manifest.txt"));   // made before there were manifests
    breakDatabase();
    BackupRestorer r(data.ctx());
    ASSERT_EQ(restore(r), Outcome::Restored) << r.errorText().toStdString();
    QStringList expected;
    for (const QString& row : before01)
        if (!db::isSideTable(db::Table(db::tableDefByName(row.section(QLatin1Char('|'), 0, 0)).id)))
            expected << row;
    ASSERT_NE(expected.size(), before01.size());
    EXPECT_EQ(dumpCompany(data.ctx().db(), "01"), expected);
    EXPECT_EQ(dumpCompany(data.ctx().db(), "02"), before02);
}

TEST_F(BackupSetTest, AFolderThatCannotBeMadeIsAnErrorNotASuccess)
{
    writeFile(out.path() + QStringLiteral("/plainfile"), "x");
    BackupWriter w(data.ctx());
    EXPECT_FALSE(w.write(out.path() + QStringLiteral("/plainfile/set"), QStringLiteral("RunBackUp.cmdBackUp_Click")));
    EXPECT_EQ(data.messages().lastText(), QStringLiteral("エラーが発生しました。ログファイルを確認してください。"));
    EXPECT_TRUE(data.ctx().log().lines().last().contains(QStringLiteral("RunBackUp.cmdBackUp_Click")));
}

// A disk that fills up in the middle of the statements file: the previous set
// stays as it was, nothing half-written is left, and the failure is reported.
TEST_F(BackupSetTest, DiskFullWhileWritingKeepsThePreviousSet)
{
    ASSERT_TRUE(writeSet());
    QMap<QString, QByteArray> previous;
    const QStringList names = setFiles() << "manifest.txt";
    for (const QString& n : names)
        previous[n] = readFile(setDir() + QLatin1Char('/') + n);
    ASSERT_GT(previous["T_004.txt"].size(), 20000);
    data.exec("UPDATE MEISAI SET STEATE2NM = 'changed' WHERE CID = '01'");

    // Files may grow only to 20000 bytes, as on a nearly full disk (works for root too).
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 20000;
    ::setrlimit(RLIMIT_FSIZE, &small);
    BackupWriter w(data.ctx());
    const bool ok = w.write(setDir(), QStringLiteral("RunBackUp.cmdBackUp_Click"));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_TRUE(w.errorText().contains(QStringLiteral("T_004.txt"))) << w.errorText().toStdString();
    for (const QString& n : names)
        EXPECT_EQ(readFile(setDir() + QLatin1Char('/') + n), previous[n]) << n.toStdString();
    EXPECT_EQ(QDir(setDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), setFiles().size() + 1);
}

TEST(SafeFolderName, EveryCompanyNameBecomesAUsableFolderName)
{
    const struct {
        QString name;
        QString folder;
    } cases[] = {
        {QStringLiteral("株式会社ミナセ"), QStringLiteral("株式会社ミナセ")},
        {QStringLiteral("A/B 商店"), QStringLiteral("A_B 商店")},
        {QStringLiteral("有限会社\\:*?\"<>|"), QStringLiteral("有限会社________")},
        {QStringLiteral(".."), QStringLiteral("_")},
        {QStringLiteral(""), QStringLiteral("_")},
        {QStringLiteral("  名前.  "), QStringLiteral("名前")},
        {QStringLiteral("con"), QStringLiteral("_con")},
        {QStringLiteral("LPT1.txt"), QStringLiteral("_LPT1.txt")},
        {QStringLiteral("改行\n入り"), QStringLiteral("改行_入り")},
        {QString(200, QChar(0x3042)), QString(40, QChar(0x3042))},   // 120 bytes of UTF-8
        // Never cut inside a 4-byte character.
        {QStringLiteral("株") + QString::fromUcs4(U"𠮷").repeated(45), QStringLiteral("株") + QString::fromUcs4(U"𠮷").repeated(29)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(backup::safeFolderName(c.name), c.folder) << c.name.toStdString();
}

TEST_F(BackupSetTest, AutomaticBackupWritesIntoTheCompanyFolderSilently)
{
    installAutomaticBackup(data.ctx());
    ASSERT_TRUE(data.ctx().automaticBackup);
    data.messages().clear();
    EXPECT_TRUE(data.ctx().automaticBackup(data.ctx()));
    EXPECT_TRUE(data.messages().empty());
    const QString folder = data.ctx().dataFolder() + QStringLiteral("Data/") + data.ctx().companyName + QLatin1Char('/');
    for (const QString& n : setFiles())
        EXPECT_TRUE(QFileInfo(folder + n).isFile()) << n.toStdString();
    EXPECT_EQ(QFileInfo(data.ctx().dataFolder() + QStringLiteral("Data")).permissions()
                  & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
              QFileDevice::Permissions());
    // The automatic set restores like any other.
    breakDatabase();
    BackupRestorer r(data.ctx());
    EXPECT_EQ(restore(r, folder), Outcome::Restored);
    expectUnchanged();
}

// Without a company nothing is written; a name that is no folder name gets a
// folder of its own, and so does another company whose name becomes the same
// folder; a name of 4-byte characters works like any other (it used to abort
// the program).
TEST_F(BackupSetTest, AutomaticBackupFolderOfAnyCompanyName)
{
    installAutomaticBackup(data.ctx());
    const QString sets = data.ctx().dataFolder() + QStringLiteral("Data/");
    data.ctx().companyId = QStringLiteral("無し");
    EXPECT_TRUE(data.ctx().automaticBackup(data.ctx()));
    EXPECT_FALSE(QFileInfo::exists(sets));

    data.ctx().companyId = "01";
    data.ctx().companyName = QStringLiteral("ミナセ/商会: 本店");
    EXPECT_TRUE(data.ctx().automaticBackup(data.ctx()));
    EXPECT_TRUE(QFileInfo(sets + QStringLiteral("ミナセ_商会_ 本店/T_008.txt")).isFile());
    data.ctx().companyId = "02";
    data.ctx().companyName = QStringLiteral("ミナセ_商会_ 本店");
    EXPECT_TRUE(data.ctx().automaticBackup(data.ctx()));
    EXPECT_TRUE(QFileInfo(sets + QStringLiteral("ミナセ_商会_ 本店_02/T_001.txt")).isFile());
    EXPECT_TRUE(readFile(sets + QStringLiteral("ミナセ_商会_ 本店/T_001.txt")).startsWith("\"01\""));

    data.ctx().companyName = QStringLiteral("株") + QString::fromUcs4(U"𠮷").repeated(45);
    EXPECT_TRUE(data.ctx().automaticBackup(data.ctx()));
    const QString folder = backup::defaultBackupFolder(data.ctx());
    EXPECT_TRUE(QFileInfo(folder + "manifest.txt").isFile()) << folder.toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), setFiles().size() + 1);
}

// The end of a run writes the company's set again only when something of it
// changed (any writer, a restore too), or its set is gone; the log says why
// it did not. A backup the user asks for always writes.
TEST_F(BackupSetTest, AutomaticBackupOnlyWhenTheCompanyChanged)
{
    installAutomaticBackup(data.ctx());
    const QString manifest = data.ctx().dataFolder() + QStringLiteral("Data/") + data.ctx().companyName
        + QStringLiteral("/manifest.txt");
    auto ranBackup = [&] {
        const auto skipped = [&] { return data.ctx().log().lines().filter(QStringLiteral("自動バックアップを省略")).size(); };
        const qsizetype before = skipped();
        EXPECT_TRUE(data.ctx().automaticBackup(data.ctx()));
        return skipped() == before;
    };
    EXPECT_TRUE(ranBackup());   // the first end of a run
    EXPECT_FALSE(ranBackup());
    EXPECT_TRUE(data.ctx().log().lines().last().contains(QStringLiteral("自動バックアップを省略しました（会社 01 のデータは前回の自動バックアップ以降変更されていません）")));
    data.exec("INSERT INTO SIKAKU VALUES('02', 'Z7', '他社の資格', 1)");   // another company
    EXPECT_FALSE(ranBackup());
    data.exec("UPDATE JYUGYOIN SET KIHONKYU = 2 WHERE CID = '01' AND JGICODE = '00101'");
    EXPECT_TRUE(ranBackup());
    EXPECT_FALSE(ranBackup());
    QDir(data.ctx().dataFolder() + QStringLiteral("Data/") + data.ctx().companyName).removeRecursively();
    EXPECT_TRUE(ranBackup());   // the set is gone
    EXPECT_TRUE(QFileInfo::exists(manifest));
    ASSERT_TRUE(writeSet());   // by hand: always, and it changes nothing of the company
    EXPECT_FALSE(ranBackup());
    BackupRestorer r(data.ctx());
    ASSERT_EQ(restore(r), Outcome::Restored);
    EXPECT_TRUE(ranBackup());   // a restore replaced the company's rows
}

// Values no backup of ours can hold are refused with the file and line named,
// and the log names table, column and row, never the value (personal data).
TEST_F(BackupSetTest, ValuesOutOfRangeAreRefusedWithoutLoggingThem)
{
    ASSERT_TRUE(writeSet());
    QFile::remove(setDir() + "/manifest.txt");
    const QByteArray original = readFile(file(4));
    const qsizetype second = original.indexOf("\r\n\"01\"") + 2;
    // MEISAI's sixth value is the first money column.
    auto withValue = [&](const QByteArray& v) {
        QByteArray b = original;
        qsizetype at = second;
        for (int i = 0; i < 5; ++i)
            at = b.indexOf("\",\"", at) + 3;
        const qsizetype end = b.indexOf('"', at);
        return b.replace(at, end - at, v);
    };
    const QStringList before = dumpCompany(data.ctx().db(), "01");
    for (const QByteArray& value : {QByteArray("1e308"), QByteArray("-100000000000"), QByteArray("100000000000"),
                                    QByteArray("inf"), QByteArray("nan"), QByteArray("1234-5678-9012 佐藤 蓮")}) {
        writeFile(file(4), withValue(value));
        data.messages().clear();
        BackupRestorer r(data.ctx());
        EXPECT_EQ(restore(r), Outcome::Refused) << value.toStdString();
        EXPECT_EQ(dumpCompany(data.ctx().db(), "01"), before);
        const QString text = data.messages().lastText();
        EXPECT_TRUE(text.contains("T_004.txt") && text.contains(QStringLiteral("行目: ")) && text.contains("MEISAI."))
            << text.toStdString();
        const QString logged = data.ctx().log().lines().last();
        EXPECT_TRUE(logged.contains("CID=01")) << logged.toStdString();
        EXPECT_FALSE(logged.contains(QString::fromUtf8(value)) || text.contains(QString::fromUtf8(value)))
            << logged.toStdString();
    }
}

// A backup killed at any point of putting its files in place: the folder then
// holds the whole previous set (or, once the manifest is in, the whole new one),
// found by the next restore or backup.
TEST_F(BackupSetTest, ABackupCutShortAtAnyMoveLeavesAWholeSet)
{
    ASSERT_TRUE(writeSet());
    const QStringList names = setFiles() << "manifest.txt";
    QMap<QString, QByteArray> old;
    for (const QString& n : names)
        old[n] = readFile(setDir() + "/" + n);
    data.exec("UPDATE MEISAI SET STEATE2NM = 'new' WHERE CID = '01'");
    // Each file of the old set moves aside, then each of the new set in, the manifest last.
    const int moves = 2 * int(names.size());
    for (int stop = 0; stop < moves; ++stop) {
        BackupWriter w(data.ctx());
        w.stopSwapAfter(stop);
        EXPECT_FALSE(w.write(setDir(), "test")) << stop;
        BackupRestorer r(data.ctx());
        EXPECT_EQ(r.check(setDir()), Outcome::Restored) << stop << r.errorText().toStdString();
        EXPECT_TRUE(r.verified()) << stop;
        for (const QString& n : names)
            EXPECT_EQ(readFile(setDir() + "/" + n), old[n]) << stop << n.toStdString();
        EXPECT_FALSE(QFileInfo::exists(setDir() + "/.minasel-previous")) << stop;
    }
    // Not stopped, the new set replaces it whole.
    ASSERT_TRUE(writeSet());
    EXPECT_NE(readFile(file(4)), old["T_004.txt"]);
    EXPECT_EQ(QDir(setDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), names.size());
}

// The manifest check, tried against every way a set can lose rows: each file
// cut at every line end, a row taken out, two files swapped, a file from
// another backup. Every one is refused before anything changes, naming a file.
TEST_F(BackupSetTest, FuzzManifestRefusesEveryDamagedSet)
{
    ASSERT_TRUE(writeSet());
    const QString other = out.path() + "/other";
    data.exec("DELETE FROM MEISAI WHERE CID = '01' AND SIKYUBI = '202001'");
    BackupWriter w(data.ctx());
    ASSERT_TRUE(w.write(other, "test"));
    breakDatabase();
    const QStringList broken = dumpCompany(data.ctx().db(), "01");
    QMap<QString, QByteArray> good;
    const QStringList names = setFiles() << "manifest.txt";
    for (const QString& n : names)
        good[n] = readFile(setDir() + "/" + n);

    int tried = 0;
    auto expectRefused = [&](const QString& what, const QString& damaged) {
        data.messages().clear();
        BackupRestorer r(data.ctx());
        const Outcome o = restore(r);
        EXPECT_TRUE(o == Outcome::Refused || o == Outcome::MissingFiles) << what.toStdString();
        if (o == Outcome::Refused)
            EXPECT_TRUE(r.errorText().contains(damaged)) << what.toStdString() << ": " << r.errorText().toStdString();
        for (const auto& [n, bytes] : good.asKeyValueRange())
            writeFile(setDir() + "/" + n, bytes);
        ++tried;
    };
    for (const auto& [n, bytes] : good.asKeyValueRange()) {
        for (qsizetype end = bytes.indexOf("\r\n"); end >= 0; end = bytes.indexOf("\r\n", end + 2)) {
            if (end + 2 == bytes.size())
                break;
            writeFile(setDir() + "/" + n, bytes.left(end + 2));
            expectRefused(n + " cut", n);
            writeFile(setDir() + "/" + n, bytes.left(end + 2) + bytes.mid(bytes.indexOf("\r\n", end + 2) + 2));
            expectRefused(n + " row removed", n);
        }
        writeFile(setDir() + "/" + n, QByteArray());
        expectRefused(n + " emptied", n);
        writeFile(setDir() + "/" + n, readFile(other + "/" + n));
        // Another backup's manifest finds the files that differ from it.
        if (readFile(other + "/" + n) != bytes)
            expectRefused(n + " from another backup", n == "manifest.txt" ? QStringLiteral("T_004.txt") : n);
    }
    writeFile(file(6), good["T_007.txt"]);
    writeFile(file(7), good["T_006.txt"]);
    expectRefused("files swapped", "T_00");
    EXPECT_GT(tried, 60);
    EXPECT_EQ(dumpCompany(data.ctx().db(), "01"), broken);
}
