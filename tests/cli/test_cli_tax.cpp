// minasel-cli tax / koyo / nencho, run as the user runs them. The arithmetic
// itself is tested in the payroll and year-end tests: one case per command path here.
#include "support/cli.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

minasel::test::CliRun cli(const QStringList& args)
{
    return minasel::test::runCli(QStringLiteral(MINASEL_CLI_PATH), args);
}

TEST(CliTax, PrintsOneIntegerLineAndTheMissingRulesNotice)
{
    struct {
        QStringList args;
        const char* out;
        const char* notice;
    } cases[] = {
        {{"tax", "monthly", "--month", "202601", "--pay", "300000", "--dependants", "0"}, "7910\n", ""},
        {{"tax", "monthly", "--month", "202701", "--pay", "300000", "--dependants", "2"}, "4510\n", ""},
        {{"tax", "bonus", "--month", "202607", "--bonus", "1000000", "--previous", "530000", "--dependants", "0"}, "183780\n", ""},
        {{"tax", "bonus", "--month", "202606", "--bonus", "1200000", "--dependants", "0"}, "26040\n", ""},
        {{"tax", "bonus", "--month", "202706", "--bonus", "1000000", "--previous", "530000", "--dependants", "0"}, "183780\n",
         "2027年分の税額表は未収録のため、2026年分で計算しています。"},
        {{"koyo", "--rate", "0.005", "--pay", "100100"}, "500\n", ""},
    };
    for (const auto& c : cases) {
        const auto r = cli(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(r.status, 0) << what << r.err.toStdString();
        EXPECT_EQ(r.out, QString::fromLatin1(c.out)) << what;
        // The platform may add its own warnings on stderr; ours would be a notice or usage.
        EXPECT_EQ(r.err.contains(QStringLiteral("未収録")), *c.notice != 0) << what << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.notice))) << what << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("usage"))) << what << r.err.toStdString();
    }
}

TEST(CliTax, BadArgumentsGiveUsageAndNothingOnStdout)
{
    const QList<QStringList> cases = {
        {"tax"},
        {"tax", "weekly", "--month", "202601", "--pay", "1", "--dependants", "0"},
        {"tax", "monthly", "--month", "202601", "--pay", "300000"},
        {"tax", "monthly", "--month", "202613", "--pay", "300000", "--dependants", "0"},
        {"tax", "monthly", "--month", "2026", "--pay", "300000", "--dependants", "0"},
        {"tax", "monthly", "--month", "202601", "--pay", "3e5", "--dependants", "0"},
        {"tax", "monthly", "--month", "202601", "--pay", "300000", "--dependants", "-1"},
        {"tax", "monthly", "--month", "202601", "--pay", "300000", "--dependants", "0", "--colour", "x"},
        {"tax", "monthly", "--month", "202601", "--pay"},
        {"tax", "bonus", "--month", "202601", "--pay", "300000", "--dependants", "0"},
        {"tax", "bonus", "--month", "202601", "--bonus", "300000", "--previous", "abc", "--dependants", "0"},
        {"koyo", "--rate", "0.005"},
        {"koyo", "--rate", "five", "--pay", "100"},
        {"koyo", "--rate", "1.5", "--pay", "100"},
        {"nencho", "--year", "2026"},
        {"nencho", "--year", "26", "--input", "x.json"},
        {"nencho", "--year", "2026", "--input", "/nonexistent/file.json"},
        // Negative amounts, months before the oldest rules, an endless input.
        {"tax", "monthly", "--month", "202601", "--pay", "-300000", "--dependants", "0"},
        {"tax", "bonus", "--month", "202606", "--bonus", "1000", "--previous", "-1", "--dependants", "0"},
        {"koyo", "--rate", "0.005", "--pay", "-1000000000000"},
        {"tax", "monthly", "--month", "198812", "--pay", "300000", "--dependants", "0"},
        {"nencho", "--year", "1988", "--input", "x.json"},
        {"nencho", "--year", "2026", "--input", "/dev/zero"},
    };
    for (const QStringList& args : cases) {
        const auto r = cli(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("usage"))) << args.join(' ').toStdString();
    }
}

class CliNencho : public ::testing::Test {
protected:
    QString write(const QByteArray& json)
    {
        const QString path = m_dir.filePath(QStringLiteral("in%1.json").arg(m_count++));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(json);
        return path;
    }
    minasel::test::CliRun run(const char* year, const QByteArray& json)
    {
        return cli({"nencho", "--year", year, "--input", write(json)});
    }
    QJsonObject result(const char* year, const QByteArray& json)
    {
        const auto r = run(year, json);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        QJsonParseError e;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &e);
        EXPECT_EQ(e.error, QJsonParseError::NoError) << r.out.toStdString();
        return doc.object();
    }
    QTemporaryDir m_dir;
    int m_count = 0;
};

// The JSON keys reach the computation (a developer example of 2024, the 2026
// inputs with an amount as text) and every result key is written.
TEST_F(CliNencho, InputKeysReachTheComputationAndEveryResultIsWritten)
{
    QJsonObject o = result("2024", R"({"kyuryo": 4000000, "MAEHOKEN": 600000, "KYURYOTAX": 90000})");
    const std::pair<const char*, long long> example[] = {{"P", 4'000'000}, {"T", 90'000}, {"KOJYOGO", 2'760'000},
        {"KISOKOJYO", 480'000}, {"HFKSKOJYO", 480'000}, {"KAKUTETAX", 85'700}, {"SASIHIKI", 4'300}};
    for (const auto& [key, value] : example)
        EXPECT_EQ(o.value(QLatin1String(key)).toInteger(), value) << key;
    EXPECT_EQ(o.value("RULES").toString(), QStringLiteral("R2"));
    EXPECT_FALSE(o.value("NEWERRULESMISSING").toBool());

    o = result("2026", R"({"kyuryo": "6,550,000", "TOKUTEI": [700000, 1000000],
        "U23": 1, "SEMEHOKEN_NEW": 120000, "HAIGUKBN": 1, "HAIGUMONEY": 1000000, "TEKIYO1": "memo"})");
    for (const char* k : {"P", "T", "KOJYOGO", "TYOUSEI", "SEMEKOJYO", "SONGAKOJYO", "HAIGUKOJYO", "TOKUTEIKOJYO",
                          "KISOKOJYO", "HFKSKOJYO", "KOJYOKEI", "SASIMONEY", "YEARTAX", "CALYEARTAX", "KAKUTETAX",
                          "SASIHIKI", "RULES"})
        EXPECT_TRUE(o.contains(QLatin1String(k))) << k;
    EXPECT_EQ(o.value("TOKUTEIKOJYO").toInteger(), 1'040'000);
    EXPECT_EQ(o.value("SEMEKOJYO").toInteger(), 60'000);
    EXPECT_EQ(o.value("HAIGUKOJYO").toInteger(), 360'000);
    EXPECT_EQ(o.value("HFKSKOJYO").toInteger(), 1'040'000 + 360'000 + 1'040'000);
}

TEST_F(CliNencho, NotAdjustedAndMissingRules)
{
    QJsonObject o = result("2026", R"({"kyuryo": 4000000, "KYURYOTAX": 90000, "NETYOKBN": 0})");
    EXPECT_EQ(o.value("KAKUTETAX").toInteger(), 0);
    EXPECT_EQ(o.value("SASIHIKI").toInteger(), 0);
    EXPECT_EQ(o.value("KOJYOGO").toInteger(), 0);
    const auto r = run("2029", R"({"kyuryo": 4000000})");
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains(QStringLiteral("\"NEWERRULESMISSING\": true")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("2029年分")));
}

TEST_F(CliNencho, BadInputIsRefused)
{
    for (const QByteArray& json : {QByteArray("[1, 2]"), QByteArray("{\"kyuryo\": }"),
                                   QByteArray(R"({"kyuryo": "lots"})"), QByteArray(R"({"kyuyro": 4000000})"),
                                   QByteArray(R"({"TOKUTEI": 700000})"), QByteArray(R"({"TOKUTEI": ["x"]})"),
                                   QByteArray(R"({"kyuryo": -4000000})"), QByteArray(R"({"FAMINUM": -1})"),
                                   "{\"kyuryo\": 1" + QByteArray(1100 * 1024, ' ') + "}"}) {
        const auto r = run("2026", json);
        EXPECT_EQ(r.status, 2) << json.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << json.toStdString();
    }
}

// The reference's worked example, aged 40 (care from premium month 202603), and refusals.
TEST(CliShaho, PremiumsAsJsonAndBadInputRefused)
{
    const auto r = cli({"shaho", "--pref", "13", "--month", "202612", "--hyojun", "300000", "--birthday", "19860401"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o.value("PREMIUMMONTH").toString(), "202611");
    EXPECT_EQ(o.value("GRADE").toInt(), 22);
    EXPECT_TRUE(o.value("CARE").toBool());
    EXPECT_EQ(o.value("HEALTH").toInt(), 17550);    // (9.85 + 1.62 + 0.23) % × 300,000 / 2
    EXPECT_EQ(o.value("CAREPART").toInt(), 2430);
    EXPECT_EQ(o.value("SHIEN").toInt(), 345);
    EXPECT_EQ(o.value("PENSION").toInt(), 27450);
    const auto found = cli({"shaho", "--pref", "13", "--month", "202604", "--remuneration", "289999", "--collect", "same"});
    EXPECT_TRUE(found.out.contains(QStringLiteral("\"HYOJUN\": 280000"))) << found.out.toStdString();
    EXPECT_TRUE(found.out.contains(QStringLiteral("\"HEALTH\": 14112"))) << found.out.toStdString();   // 10.08 % of 280,000
    for (const QStringList& bad : {QStringList{"--pref", "48", "--month", "202612", "--hyojun", "300000"},
                                   QStringList{"--pref", "13", "--month", "202612", "--remuneration", "-1"},
                                   QStringList{"--pref", "13", "--month", "202612", "--hyojun", "305000"},
                                   QStringList{"--pref", "13", "--month", "202612", "--hyojun", "300000", "--birthday", "29990101"},
                                   QStringList{"--pref", "13", "--month", "202612", "--hyojun", "300000", "--collect", "later"}}) {
        const auto b = cli(QStringList{"shaho"} + bad);
        EXPECT_EQ(b.status, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(b.out.isEmpty());
    }
}

} // namespace
