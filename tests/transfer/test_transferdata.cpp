#include "db/rowwriter.h"
#include "masters/jyugyoinrepository.h"
#include "payroll/meisairecord.h"
#include "support/testdatadir.h"
#include "transfer/bankcsvimport.h"
#include "transfer/bankdemo.h"
#include "transfer/transferfile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::transfer;

namespace {

const QString kMonth = QStringLiteral("202506");

// Statements of June 2025 of the seeded company 01, and the accounts of its employees:
// 00001 has none, 00004 is paid otherwise.
class TransferDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        statement("00001", "1", [](payroll::MeisaiRecord& r) { r.yhosyu = 500000; });
        // 240,000 + 12,000 + 10,000 - 14,868 - 27,450 - 1,500 - 5,000 - 12,500 - 10,000 = 190,682
        statement("00002", "1", [](payroll::MeisaiRecord& r) {
            r.kihonkyu = 240000, r.commuting = 12000, r.housing = 10000, r.health = 14868, r.pension = 27450;
            r.employmentInsurance = 1500, r.tax = 5000, r.residentTax = 12500, r.deductions[0] = 10000;
        });
        // 210,000 + 9,800 - 11,892 - 21,960 - 1,260 - 4,000 - 8,900 + 3,000 (year-end refund) = 174,788
        statement("00003", "1", [](payroll::MeisaiRecord& r) {
            r.kihonkyu = 210000, r.commuting = 9800, r.health = 11892, r.pension = 21960;
            r.employmentInsurance = 1260, r.tax = 4000, r.residentTax = 8900, r.yearEndAdjustment = 3000;
        });
        statement("00004", "1", [](payroll::MeisaiRecord& r) { r.kihonkyu = 80000; });
        // 300,000 - 14,700 - 27,450 - 1,800 - 20,000 = 236,050
        statement("00002", "2", [](payroll::MeisaiRecord& r) {
            r.kihonkyu = 300000, r.health = 14700, r.pension = 27450, r.employmentInsurance = 1800, r.tax = 20000;
        });
        CompanyBank c{"1", QStringLiteral("テストショウジ"), {"9999", "", "001", "", "1", "1234567"}, 25};
        ASSERT_EQ(BankAccounts::checkCompany(&c), QString());
        ASSERT_TRUE(BankAccounts(data.ctx(), "T").saveCompany(c));
        ASSERT_TRUE(BankAccounts(data.ctx(), "T").saveEmployees(
            {account("00002", "サトウ ハナコ"), account("00003", "スズキ イチロウ"), account("00004", "タカハシ", false)}));
    }

    template <class Fill>
    void statement(const char* code, const char* kind, Fill fill)
    {
        payroll::MeisaiRecord r;
        r.cid = QStringLiteral("01");
        r.payMonth = kMonth;
        r.employeeCode = QString::fromLatin1(code);
        r.kind = QString::fromLatin1(kind);
        fill(r);
        ASSERT_TRUE(db::insertRow(data.ctx().db(), db::Table::Meisai, r.toRowValues(), 2025, nullptr, nullptr));
    }

    static EmployeeBank account(const char* code, const char* holder, bool transfer = true)
    {
        EmployeeBank b{QString::fromLatin1(code), {"9998", "", "002", "", "1", "7654321"}, QString::fromUtf8(holder), transfer};
        EXPECT_EQ(BankAccounts::checkEmployee(&b), QString());
        return b;
    }

    TransferFile::Result prepare(int kind, const QStringList& codes, QString* error)
    {
        TransferFile::Result r;
        EXPECT_TRUE(TransferFile(data.ctx(), "T").prepare({kMonth, kind, "0625", false, codes}, &r, error))
            << error->toStdString();
        return r;
    }

    test::TestDataDir data;
};

} // namespace

// The trailer of the file is the sum of the stored statements' net pay; those
// without an account or paid otherwise are listed apart with the reason.
TEST_F(TransferDataTest, TrailerAgainstTheStatements)
{
    QList<TransferLine> lines;
    ASSERT_TRUE(TransferData(data.ctx(), "T").read(kMonth, 1, &lines));
    QStringList seen;
    for (const TransferLine& l : lines)
        seen << QStringLiteral("%1 %2 %3").arg(l.code).arg(l.netPay).arg(l.exclusion());
    EXPECT_EQ(seen, (QStringList{"00001 500000 振込口座が未登録", "00002 190682 ", "00003 174788 ",
                                 "00004 80000 振込しない"}));

    const struct {
        int kind;
        QStringList codes;
        int count;
        long long total;
    } cases[] = {{1, {"00002", "00003"}, 2, 365470}, {1, {"00003"}, 1, 174788}, {2, {"00002"}, 1, 236050}};
    for (const auto& c : cases) {
        QString error;
        const TransferFile::Result r = prepare(c.kind, c.codes, &error);
        EXPECT_EQ(r.summary.trailerCount, c.count);
        EXPECT_EQ(r.summary.trailerTotal, c.total);
        EXPECT_EQ(r.statementTotal, c.total);
        EXPECT_EQ(r.bytes.mid(1, 2), c.kind == 2 ? QByteArray("12") : QByteArray("11"));
    }
}

TEST_F(TransferDataTest, AStatementDeletedSinceTheListIsSkippedAndNamed)
{
    ASSERT_TRUE(data.exec("DELETE FROM MEISAI WHERE JGICODE = '00003'"));
    QString error;
    const TransferFile::Result r = prepare(1, {"00002", "00003", "00004"}, &error);
    EXPECT_EQ(r.summary.trailerTotal, 190682);
    ASSERT_EQ(r.skipped.size(), 2);
    EXPECT_TRUE(r.skipped[0].startsWith("00003") && r.skipped[0].contains(QStringLiteral("削除")));
    EXPECT_TRUE(r.skipped[1].contains(QStringLiteral("振込しない")));
}

// Without the company's account: ScreensTest.TransferFileAndListFromTheScreen.
TEST_F(TransferDataTest, NothingToPayStops)
{
    TransferFile::Result r;
    QString error;
    EXPECT_FALSE(TransferFile(data.ctx(), "T").prepare({kMonth, 1, "0625", false, {"00001", "00004"}}, &r, &error));
    EXPECT_EQ(error, QStringLiteral("振込できるデータがありません。"));
}

// Written whole, readable by its owner only; a file that cannot be written leaves nothing.
TEST_F(TransferDataTest, TheFileIsOwnerOnly)
{
    QString error;
    const TransferFile::Result r = prepare(1, {"00002"}, &error);
    QTemporaryDir dir;
    const QString path = dir.filePath("furikomi.txt");
    ASSERT_TRUE(TransferFile::write(path, r.bytes, &error)) << error.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), r.bytes);
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    EXPECT_EQ(QFileInfo(path).permissions() & (QFileDevice::ReadOwner | QFileDevice::WriteOwner | others),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_FALSE(TransferFile::write(dir.filePath("no/such/folder.txt"), r.bytes, &error));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("no/such/folder.txt")));
}

TEST(TransferDate, TheUsualPayDayOrTheFridayBefore)
{
    const struct {
        const char* month;
        int day;
        const char* date;
    } cases[] = {{"202506", 25, "0625"}, {"202505", 25, "0523"}, {"202502", 31, "0228"}, {"202511", 30, "1128"}};
    for (const auto& c : cases)
        EXPECT_EQ(TransferData::defaultDate(c.month, c.day), QString::fromLatin1(c.date)) << c.month;
    EXPECT_EQ(TransferData::checkDate("0229", "202602"), QStringLiteral("振込指定日を正しい月日で入力して下さい。"));
    EXPECT_EQ(TransferData::checkDate("0229", "202802"), QString());
}

// A Shift_JIS file from a spreadsheet: every line is checked, and one bad line stores nothing.
TEST_F(TransferDataTest, CsvImportStoresAllOrNothing)
{
    QStringEncoder sjis("Shift_JIS");
    const QByteArray good = sjis(QStringLiteral("従業員番号,銀行,支店,種目,口座番号,名義\r\n"
                                                "1,9997,003,普通,1234,ｽｽﾞｷ ｲﾁﾛｳ\r\n"
                                                "4,9996,004,2,7777777,\"タカハシ ミサキ\",ﾃﾞﾓｷﾞﾝｺｳ,ﾎﾝﾃﾝ\r\n"));
    BankCsvImport import(data.ctx(), "T");
    QList<BankCsvImport::Row> rows;
    QString error;
    ASSERT_TRUE(import.read(good, &rows, &error)) << error.toStdString();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(BankCsvImport::errorCount(rows), 0) << rows[0].error.toStdString();
    EXPECT_EQ(rows[0].bank.account.accountNumber, QStringLiteral("0001234"));
    EXPECT_EQ(rows[1].bank.holderName, QStringLiteral("ﾀｶﾊｼ ﾐｻｷ"));
    EXPECT_EQ(BankCsvImport::preview(rows).size(), 3);

    const QByteArray bad = good + sjis(QStringLiteral("00009,9995,001,1,1,ﾔﾏﾀﾞ\r\n00002,99,001,1,1,ｻﾄｳ\r\n"));
    ASSERT_TRUE(import.read(bad, &rows, &error));
    EXPECT_EQ(BankCsvImport::errorCount(rows), 2);
    EXPECT_EQ(rows[2].line, 4);
    EXPECT_TRUE(rows[2].error.contains("00009"));
    EXPECT_FALSE(import.store(rows, &error));
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM JYUGYOINGINKO WHERE GINKOCODE IN ('9997', '9996')"), 0);

    // Without a heading, a first line missing its bank code is a fault like any other,
    // and the empty rows a spreadsheet leaves at the end are no lines at all.
    ASSERT_TRUE(import.read(sjis(QStringLiteral("1,,003,1,1234,ｽｽﾞｷ\r\n4,9996,004,2,7777777,ﾀｶﾊｼ\r\n,,,,,\r\n")),
                            &rows, &error));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(BankCsvImport::errorCount(rows), 1);
    EXPECT_EQ(rows[0].line, 1);

    ASSERT_TRUE(import.read(good + sjis(QStringLiteral(",,,,,\r\n, ,,,,\r\n")), &rows, &error));
    EXPECT_EQ(rows.size(), 2);
    ASSERT_TRUE(import.store(rows, &error)) << error.toStdString();
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM JYUGYOINGINKO WHERE GINKOCODE IN ('9997', '9996')"), 2);
}

TEST_F(TransferDataTest, DeletingAnEmployeeTakesHisAccountAndTheDemoNamesNoRealBank)
{
    ASSERT_TRUE(masters::JyugyoinRepository(data.ctx()).remove("00002"));
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM JYUGYOINGINKO WHERE JGICODE = '00002'"), 0);
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM JYUGYOINGINKO WHERE JGICODE = '00003'"), 1);

    ASSERT_TRUE(data.exec("DELETE FROM KAISYAGINKO"));
    ASSERT_TRUE(data.exec("DELETE FROM JYUGYOINGINKO"));
    QString error;
    ASSERT_TRUE(BankDemo::run(data.ctx(), {"01"}, 7, &error)) << error.toStdString();
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM JYUGYOINGINKO WHERE CID = '01'"), 3);   // 00002 is gone
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM JYUGYOINGINKO WHERE GINKOCODE NOT BETWEEN '9900' AND '9999'"), 0);
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM KAISYAGINKO WHERE GINKOCODE BETWEEN '9900' AND '9999'"), 1);
}
