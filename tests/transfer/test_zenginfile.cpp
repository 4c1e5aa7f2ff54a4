#include "transfer/bankkana.h"
#include "transfer/zenginfile.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

using namespace minasel::transfer;

namespace {

// The worked example of the bank format sheet, as printed there (one line a record).
const char* const kReference[] = {
    "11100000000001ﾃｽﾄｼﾖｳｼﾞ                                06259999ﾃｽﾄｷﾞﾝｺｳ       001ﾎﾝﾃﾝ           11234567                 ",
    "29998ﾃｽﾄｷﾞﾝｺｳﾆ      002ｴｷﾏｴ           000017654321ﾔﾏﾀﾞ ﾀﾛｳ                      0000250000000000001230000000010         ",
    "8000001000000250000                                                                                                     ",
    "9                                                                                                                       ",
};

// Its bytes, by the system's Shift_JIS codec rather than ours.
QByteArray reference(bool crlf)
{
    QStringEncoder sjis("Shift_JIS");
    QByteArray out;
    for (const char* line : kReference)
        out += sjis(QString::fromUtf8(line)) + (crlf ? QByteArray("\r\n") : QByteArray());
    return out;
}

// The example typed as a user would: full-width kana, small kana, hiragana.
ZenginFile::Header exampleHeader()
{
    return {ZenginFile::Kind::Salary, "1", QStringLiteral("テストショウジ"), "0625", "9999", QStringLiteral("テストギンコウ"),
            "001", QStringLiteral("ほんてん"), "1", "1234567"};
}

ZenginFile::Payment examplePayment()
{
    return {"9998", QStringLiteral("テストギンコウニ"), "002", QStringLiteral("ｴｷﾏｴ"), "1", "7654321",
            QStringLiteral("ヤマダ　タロウ"), 250000, "123", "10", QStringLiteral("00123 山田 太郎")};
}

QByteArray build(const ZenginFile::Header& h, const QList<ZenginFile::Payment>& p, bool crlf, QString* error)
{
    return ZenginFile::build(h, p, crlf, error);
}

} // namespace

TEST(ZenginFile, WorkedExampleByteForByteWithAndWithoutCrLf)
{
    for (bool crlf : {false, true}) {
        QString error;
        const QByteArray file = build(exampleHeader(), {examplePayment()}, crlf, &error);
        EXPECT_EQ(file, reference(crlf)) << error.toStdString();
        EXPECT_EQ(file.size(), 4 * (crlf ? 122 : 120));
        ZenginFile::Summary s;
        ASSERT_TRUE(ZenginFile::check(file, crlf, &s, &error)) << error.toStdString();
        EXPECT_EQ((std::vector<long long>{s.records, s.total, s.trailerCount, s.trailerTotal}),
                  (std::vector<long long>{1, 250000, 1, 250000}));
        // Read with the other line-end setting, the same bytes are refused.
        EXPECT_FALSE(ZenginFile::check(file, !crlf, &s, &error));
    }
}

// Where each value stands, 1-based as the bank's sheets count: a bonus file of
// two payees, with short numbers zero-filled and a letter code left as zeros.
TEST(ZenginFile, FieldPositions)
{
    ZenginFile::Header h = exampleHeader();
    h.kind = ZenginFile::Kind::Bonus;
    h.accountKind = "2";
    ZenginFile::Payment a = examplePayment();
    a.accountKind = "2";
    a.accountNumber = "12";
    a.amount = 9999999999LL;
    a.employeeNumber = "A0012";
    a.departmentCode = "";
    ZenginFile::Payment b = examplePayment();
    b.amount = 1;
    QString error;
    const QByteArray f = build(h, {a, b}, false, &error);
    ASSERT_EQ(f.size(), 5 * 120) << error.toStdString();
    const struct {
        int record, start, length;
        const char* bytes;
    } fields[] = {
        {0, 1, 1, "1"},          {0, 2, 2, "12"},          {0, 4, 1, "0"},          {0, 5, 10, "0000000001"},
        {0, 55, 4, "0625"},      {0, 59, 4, "9999"},       {0, 78, 3, "001"},       {0, 96, 1, "2"},
        {0, 97, 7, "1234567"},   {0, 104, 17, "                 "},
        {1, 1, 1, "2"},          {1, 2, 4, "9998"},        {1, 21, 3, "002"},       {1, 39, 4, "0000"},
        {1, 43, 1, "2"},         {1, 44, 7, "0000012"},    {1, 81, 10, "9999999999"}, {1, 91, 1, "0"},
        {1, 92, 10, "0000000000"}, {1, 102, 10, "0000000000"}, {1, 112, 9, "         "},
        {2, 81, 10, "0000000001"}, {2, 92, 10, "0000000123"},
        {3, 1, 1, "8"},          {3, 2, 6, "000002"},      {3, 8, 12, "010000000000"},
        {4, 1, 1, "9"},
    };
    for (const auto& x : fields)
        EXPECT_EQ(f.mid(x.record * 120 + x.start - 1, x.length), QByteArray(x.bytes))
            << "record " << x.record << " position " << x.start;
}

TEST(BankKana, Conversions)
{
    using P = BankKana::Purpose;
    const struct {
        const char* input;
        P purpose;
        const char* expected;   // converted name, or the character named in the refusal
        bool refused;
    } cases[] = {
        {"ｷｬﾉﾝ", P::AccountName, "ｷﾔﾉﾝ", false},
        {"ﾖｰｺ", P::AccountName, "ﾖ-ｺ", false},
        {"きゃのん　ぱん", P::AccountName, "ｷﾔﾉﾝ ﾊﾟﾝ", false},
        {"ヴェガ", P::AccountName, "ｳﾞｴｶﾞ", false},
        {"ＡＢＣ　ｓｈｏｐ２", P::AccountName, "ABC SHOP2", false},
        {"株式会社テスト", P::AccountName, "ｶ)ﾃｽﾄ", false},
        {"テスト 株式会社 シテン", P::AccountName, "ﾃｽﾄ(ｶ)ｼﾃﾝ", false},
        {"テスト株式会社", P::AccountName, "ﾃｽﾄ(ｶ", false},
        {"カブシキガイシャ　テスト", P::AccountName, "ｶ)ﾃｽﾄ", false},
        {"（有）ヤマダ", P::AccountName, "ﾕ)ﾔﾏﾀﾞ", false},
        {"ﾃｽﾄ(ｶ", P::AccountName, "ﾃｽﾄ(ｶ", false},   // converting twice changes nothing
        {"ミツビシ－ユーエフジェイ", P::BankName, "ﾐﾂﾋﾞｼ-ﾕ-ｴﾌｼﾞｴｲ", false},
        {"山田 タロウ", P::AccountName, "山", true},
        {"ヤマダ・タロウ", P::AccountName, "・", true},
        {"ヲ", P::AccountName, "ヲ", true},
        {"A/B", P::AccountName, "/", true},
        {"ﾃｽﾄ(ｶ", P::BankName, "(", true},
        {"アﾞ", P::AccountName, "ﾞ", true},
    };
    for (const auto& c : cases) {
        const BankKana::Result r = BankKana::convert(QString::fromUtf8(c.input), c.purpose);
        if (c.refused) {
            EXPECT_FALSE(r.ok()) << c.input;
            EXPECT_TRUE(r.error.contains(QStringLiteral("「%1」").arg(QString::fromUtf8(c.expected))))
                << c.input << ": " << r.error.toStdString();
        } else {
            EXPECT_EQ(r.text, QString::fromUtf8(c.expected)) << c.input << ": " << r.error.toStdString();
        }
    }
}

// A voiced kana takes two bytes and is never split from its mark at the end of a field.
TEST(BankKana, CutNeverSplitsAKanaFromItsMark)
{
    const QString name = QStringLiteral("ﾔﾏｶﾞﾀ");
    EXPECT_EQ(BankKana::cut(name, 3), QStringLiteral("ﾔﾏ"));
    EXPECT_EQ(BankKana::cut(name, 4), QStringLiteral("ﾔﾏｶﾞ"));
    EXPECT_EQ(BankKana::cut(name, 9), name);
    // In a record: 29 bytes and then ｶﾞ leave the 30-byte holder field with a blank at its end.
    ZenginFile::Payment p = examplePayment();
    p.holderName = QString(29, QChar(u'ｱ')) + QStringLiteral("ガ");
    QString error;
    const QByteArray f = build(exampleHeader(), {p}, false, &error);
    EXPECT_EQ(f.mid(120 + 50, 30), QByteArray(29, char(0xB1)) + ' ');
}

TEST(ZenginFile, RefusesValuesThatDoNotFit)
{
    const struct {
        void (*change)(ZenginFile::Payment&);
        const char* named;
    } cases[] = {
        {[](ZenginFile::Payment& p) { p.amount = 0; }, "振込金額"},
        {[](ZenginFile::Payment& p) { p.amount = 10000000000LL; }, "振込金額"},
        {[](ZenginFile::Payment& p) { p.bankCode = "123"; }, "銀行番号"},
        {[](ZenginFile::Payment& p) { p.accountNumber = "12345678"; }, "口座番号"},
        {[](ZenginFile::Payment& p) { p.holderName = QStringLiteral("山田"); }, "「山」"},
        {[](ZenginFile::Payment& p) { p.holderName = QStringLiteral("　"); }, "受取人名"},
    };
    for (const auto& c : cases) {
        ZenginFile::Payment p = examplePayment();
        c.change(p);
        QString error;
        EXPECT_TRUE(build(exampleHeader(), {p}, false, &error).isEmpty()) << c.named;
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.named)) && error.startsWith(QStringLiteral("00123 山田 太郎")))
            << error.toStdString();
    }
}

// The check a bank's upload makes, on files spoilt one way each.
TEST(ZenginFile, CheckRefusesDamagedFiles)
{
    const QByteArray good = reference(false);
    const struct {
        const char* what;
        QByteArray file;
    } cases[] = {
        {"trailer total", QByteArray(good).replace(240 + 18, 1, "1")},
        {"trailer count", QByteArray(good).replace(240 + 6, 1, "2")},
        {"short record", good.left(239) + good.mid(240)},
        {"lower case", QByteArray(good).replace(60, 1, "a")},
        {"amount zero", QByteArray(good).replace(120 + 80, 10, "0000000000").replace(240 + 7, 12, "000000000000")},
        {"letter in a number", QByteArray(good).replace(120 + 45, 1, "X")},
        {"no trailer", good.left(240) + good.mid(360)},
        {"bare LF", QByteArray(reference(true)).replace(121, 1, " ")},
    };
    for (const auto& c : cases) {
        ZenginFile::Summary s;
        QString error;
        const bool crlf = QByteArray(c.what) == "bare LF";
        EXPECT_FALSE(ZenginFile::check(c.file, crlf, &s, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
    }
}
