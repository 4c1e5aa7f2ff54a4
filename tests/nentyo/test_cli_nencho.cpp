// minasel-cli nencho over a company's stored rows agrees with the year-end screen.
#include "nentyofixture.h"

#include "app/startup.h"
#include "payroll/statementdemo.h"
#include "support/cli.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>

using namespace minasel;

namespace {

struct CliRun {
    int exitCode = -1;
    QList<QJsonObject> lines;
};

class CliNenchoTest : public test::NentyoScreenTest {
protected:
    CliRun cli(const QStringList& extra)
    {
        const test::CliRun r = test::runCli(QStringLiteral(MINASEL_CLI_PATH),
            QStringList{"nencho", "--data-dir", td.path(), "--company", "51", "--year", "2026"} + extra);
        CliRun out{r.status, {}};
        for (const QString& line : r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            out.lines << QJsonDocument::fromJson(line.toUtf8()).object();
        return out;
    }
};

TEST_F(CliNenchoTest, AgreesWithTheScreenForEveryEmployeeAndRegistersTheSame)
{
    payroll::StatementDemo::Options options;
    options.employees = 6;
    options.lastMonth = QStringLiteral("202612");
    payroll::StatementDemo::Summary summary;
    QString error;
    ASSERT_TRUE(payroll::StatementDemo(td.ctx()).run(options, &summary, &error)) << error.toStdString();
    td.ctx().companyId = QStringLiteral("51");
    open();
    // One employee with declarations stored, the others straight from their statements.
    choose(QStringLiteral("00002"));
    click("optHaiguAri");
    amount(QStringLiteral("FAMINUM"), 1);
    click("chkUNDER23");
    amount(QStringLiteral("SEMEHOKEN_NEW"), 70'000);
    setCell("flxTokutei", 0, 3, QStringLiteral("900000"));
    click("cmdWrite");

    const CliRun shown = cli({});
    ASSERT_EQ(shown.exitCode, 0);
    auto* combo = field<QComboBox>(QStringLiteral("cmbJyugyoin"));
    ASSERT_EQ(shown.lines.size(), combo->count());
    for (int i = 0; i < combo->count(); ++i) {
        combo->setCurrentIndex(i);
        const QJsonObject o = shown.lines[i];
        SCOPED_TRACE(o.value("JGICODE").toString().toStdString());
        EXPECT_EQ(o.value("JGICODE").toString(), m_screen->employeeCode());
        const nentyo::NentyoResult& r = m_screen->lastResult();
        const std::pair<const char*, long long> keys[] = {
            {"P", r.p}, {"T", r.t}, {"TYOUSEI", r.tyousei}, {"TOKUTEIKOJYO", r.tokuteiKojyo},
            {"KISOKOJYO", r.kisoKojyo}};
        for (const auto& [key, screen] : keys)
            EXPECT_EQ(o.value(QLatin1String(key)).toInteger(), screen) << key;
        for (const char* box : {"KOJYOGO", "SEMEKOJYO", "SONGAKOJYO", "HAIGUKOJYO", "HFKSKOJYO", "KOJYOKEI", "SASIMONEY",
                                "YEARTAX", "KAKUTETAX", "SASIHIKI"})
            EXPECT_EQ(o.value(QLatin1String(box)).toInteger(), value(QLatin1String(box))) << box;
        EXPECT_EQ(o.value("CALYEARTAX").toDouble(), m_screen->recordOnScreen().text(QStringLiteral("CALYEARTAX")).toDouble());
    }
    EXPECT_EQ(shown.lines[1].value("TOKUTEIKOJYO").toInteger(), 610'000);   // the stored declarations count

    // While the program runs, registering is refused; then every row and balance is stored.
    {
        QLockFile running(td.path() + QLatin1Char('/') + Startup::lockFileName());
        ASSERT_TRUE(running.tryLock(0));
        EXPECT_EQ(cli({QStringLiteral("--register")}).exitCode, 1);
    }
    const CliRun registered = cli({QStringLiteral("--register")});
    ASSERT_EQ(registered.exitCode, 0);
    for (const QJsonObject& o : registered.lines) {
        const QString code = o.value("JGICODE").toString();
        EXPECT_EQ(td.scalar(QStringLiteral("SELECT SASIHIKI FROM NENTYO WHERE CID = '51' AND JGICODE = '%1'").arg(code))
                      .toLongLong(),
                  o.value("SASIHIKI").toInteger());
        EXPECT_EQ(td.scalar(QStringLiteral("SELECT NENTYOMONEY FROM MEISAI WHERE CID = '51' AND SIKYUBI = '202612'"
                                           " AND SIKYUKBN = '1' AND JGICODE = '%1'")
                                .arg(code))
                      .toLongLong(),
                  o.value("SASIHIKI").toInteger());
    }
    EXPECT_EQ(td.scalar(QStringLiteral("SELECT TOKUSYOTOKU1 FROM NENTYOSINKOKU WHERE CID = '51' AND JGICODE = '00002'")),
              900'000);
    EXPECT_EQ(cli({QStringLiteral("--employee"), QStringLiteral("99999")}).exitCode, 1);
}

} // namespace
