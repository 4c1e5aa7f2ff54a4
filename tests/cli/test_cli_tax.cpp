// minasel-cli tax / koyo / nencho, run as the user runs them.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun cli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(MINASEL_CLI_PATH), args);
    CliRun r;
    if (!p.waitForFinished(10'000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

TEST(CliTax, PrintsOneIntegerLine)
{
    struct {
        QStringList args;
        const char* out;
    } cases[] = {
        {{"tax", "monthly", "--month", "202601", "--pay", "300000", "--dependants", "0"}, "7910\n"},
        {{"tax", "monthly", "--month", "202512", "--pay", "1300000", "--dependants", "1"}, "228420\n"},
        {{"tax", "monthly", "--month", "201304", "--pay", "87001", "--dependants", "0"}, "60\n"},
        {{"tax", "monthly", "--month", "201212", "--pay", "300000", "--dependants", "0"}, "8210\n"},
        {{"tax", "monthly", "--month", "202701", "--pay", "300000", "--dependants", "2"}, "4510\n"},
        {{"tax", "bonus", "--month", "202012", "--bonus", "300000", "--previous", "80000", "--dependants", "0"}, "12252\n"},
        {{"tax", "bonus", "--month", "202607", "--bonus", "1000000", "--previous", "530000", "--dependants", "0"}, "183780\n"},
        {{"tax", "bonus", "--month", "202606", "--bonus", "1200000", "--dependants", "0"}, "26040\n"},
        {{"tax", "bonus", "--month", "202606", "--bonus", "1000001", "--previous", "100000", "--dependants", "0"}, "40320\n"},
        {{"koyo", "--rate", "0.005", "--pay", "100100"}, "500\n"},
        {{"koyo", "--rate", "0.005", "--pay", "300000"}, "1500\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.exitCode, 0) << c.args.join(' ').toStdString() << r.err.toStdString();
        EXPECT_EQ(r.out, QString::fromLatin1(c.out)) << c.args.join(' ').toStdString();
        // The platform may add its own warnings on stderr; ours would be a notice or usage.
        EXPECT_FALSE(r.err.contains(QStringLiteral("未収録"))) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("usage"))) << r.err.toStdString();
    }
}

TEST(CliTax, SaysWhenTheRulesOfTheYearAreMissing)
{
    CliRun r = cli({"tax", "bonus", "--month", "202706", "--bonus", "1000000", "--previous", "530000",
                 "--dependants", "0"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QStringLiteral("183780\n"));
    EXPECT_TRUE(r.err.contains(QStringLiteral("2027年分の税額表は未収録のため、2026年分で計算しています。")))
        << r.err.toStdString();
    r = cli({"tax", "monthly", "--month", "202801", "--pay", "300000", "--dependants", "0"});
    EXPECT_EQ(r.out, QStringLiteral("7740\n"));
    EXPECT_TRUE(r.err.contains(QStringLiteral("2028年分")));
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
        const CliRun r = cli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
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
    QJsonObject run(const char* year, const QByteArray& json)
    {
        const CliRun r = cli({"nencho", "--year", year, "--input", write(json)});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        QJsonParseError e;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &e);
        EXPECT_EQ(e.error, QJsonParseError::NoError) << r.out.toStdString();
        return doc.object();
    }
    QTemporaryDir m_dir;
    int m_count = 0;
};

TEST_F(CliNencho, DeveloperExamplesByYear)
{
    const QByteArray in = R"({"kyuryo": 4000000, "MAEHOKEN": 600000, "KYURYOTAX": 90000})";
    struct {
        const char* year;
        int basic;
        int kakutetax;
        const char* rules;
    } cases[] = {{"2024", 480'000, 85'700, "R2"}, {"2025", 880'000, 65'300, "R7"},
                 {"2026", 1'040'000, 57'100, "R8"}};
    for (const auto& c : cases) {
        const QJsonObject o = run(c.year, in);
        EXPECT_EQ(o.value("P").toInteger(), 4'000'000);
        EXPECT_EQ(o.value("T").toInteger(), 90'000);
        EXPECT_EQ(o.value("KOJYOGO").toInteger(), 2'760'000);
        EXPECT_EQ(o.value("KISOKOJYO").toInteger(), c.basic);
        EXPECT_EQ(o.value("HFKSKOJYO").toInteger(), c.basic);
        EXPECT_EQ(o.value("KAKUTETAX").toInteger(), c.kakutetax);
        EXPECT_EQ(o.value("SASIHIKI").toInteger(), 90'000 - c.kakutetax);
        EXPECT_EQ(o.value("RULES").toString(), QString::fromLatin1(c.rules));
        EXPECT_FALSE(o.value("NEWERRULESMISSING").toBool());
    }
}

TEST_F(CliNencho, AllKeysAndTheNewInputs)
{
    const QJsonObject o = run("2026", R"({"kyuryo": "6,550,000", "TOKUTEI": [700000, 1000000],
        "U23": 1, "SEMEHOKEN_NEW": 120000, "HAIGUKBN": 1, "HAIGUMONEY": 1000000, "TEKIYO1": "memo"})");
    const char* keys[] = {"P", "T", "KOJYOGO", "TYOUSEI", "SEMEKOJYO", "SONGAKOJYO", "HAIGUKOJYO",
                          "TOKUTEIKOJYO", "KISOKOJYO", "HFKSKOJYO", "KOJYOKEI", "SASIMONEY",
                          "YEARTAX", "CALYEARTAX", "KAKUTETAX", "SASIHIKI", "RULES"};
    for (const char* k : keys)
        EXPECT_TRUE(o.contains(QLatin1String(k))) << k;
    EXPECT_EQ(o.value("TOKUTEIKOJYO").toInteger(), 1'040'000);
    EXPECT_EQ(o.value("SEMEKOJYO").toInteger(), 60'000);
    EXPECT_EQ(o.value("HAIGUKOJYO").toInteger(), 360'000);
    EXPECT_EQ(o.value("HFKSKOJYO").toInteger(), 1'040'000 + 360'000 + 1'040'000);
}

TEST_F(CliNencho, NotAdjustedAndMissingRules)
{
    QJsonObject o = run("2026", R"({"kyuryo": 4000000, "KYURYOTAX": 90000, "NETYOKBN": 0})");
    EXPECT_EQ(o.value("KAKUTETAX").toInteger(), 0);
    EXPECT_EQ(o.value("SASIHIKI").toInteger(), 0);
    EXPECT_EQ(o.value("KOJYOGO").toInteger(), 0);
    const CliRun r = cli({"nencho", "--year", "2029", "--input", write(R"({"kyuryo": 4000000})")});
    EXPECT_EQ(r.exitCode, 0);
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
        const CliRun r = cli({"nencho", "--year", "2026", "--input", write(json)});
        EXPECT_EQ(r.exitCode, 2) << json.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << json.toStdString();
    }
}

} // namespace
