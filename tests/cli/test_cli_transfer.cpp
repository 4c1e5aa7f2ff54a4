#include "app/writerlock.h"
#include "support/cli.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

int cli(const QStringList& args, QString* out = nullptr)
{
    const minasel::test::CliRun r = minasel::test::runCli(QStringLiteral(MINASEL_CLI), args, 120000);
    if (out)
        *out = r.out + r.err;
    return r.status;
}

} // namespace

// On demo data the transfer file is written without a window; the CSV import
// stores nothing from a file with a wrong line, nor while another writer holds the data.
TEST(CliTransfer, FileFromDemoDataAndImportAllOrNothing)
{
    QTemporaryDir dir;
    const QString d = dir.filePath("data");
    ASSERT_EQ(cli({"demo", "--data-dir", d, "--employees", "12", "--months", "2", "--last-month", "202606"}), 0);
    QString out;
    ASSERT_EQ(cli({"transfer", "--data-dir", d, "--company", "51", "--month", "202606", "--kind", "1", "--crlf",
                   "--out", dir.filePath("f.txt"), "--list", dir.filePath("l.pdf")},
                  &out),
              0)
        << out.toStdString();
    QFile f(dir.filePath("f.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    // Twelve employees, one of them paid otherwise: header, 11 payees, trailer, end.
    EXPECT_EQ(bytes.size(), 14 * 122);
    EXPECT_EQ(bytes.left(3), "111");
    EXPECT_TRUE(out.contains(QStringLiteral("振込しない")));
    EXPECT_TRUE(QFile::exists(dir.filePath("l.pdf")));

    QFile csv(dir.filePath("a.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("00001,9901,001,1,1111111,ABC\n00002,9901,1,1,2222222,ABC\n");
    csv.close();
    EXPECT_EQ(cli({"transfer", "import", "--data-dir", d, "--company", "51", "--csv", csv.fileName()}, &out), 1);
    EXPECT_TRUE(out.contains(QStringLiteral("何も登録していません"))) << out.toStdString();
    csv.open(QIODevice::WriteOnly | QIODevice::Truncate);
    csv.write("00001,9901,001,1,1111111,ABC\n");
    csv.close();
    {
        // While the program runs, the preview reads but nothing is stored.
        minasel::WriterLock program(d);
        ASSERT_TRUE(program.held());
        EXPECT_EQ(cli({"transfer", "import", "--data-dir", d, "--company", "51", "--csv", csv.fileName(), "--preview"}), 0);
        EXPECT_EQ(cli({"transfer", "import", "--data-dir", d, "--company", "51", "--csv", csv.fileName()}), 1);
    }
    ASSERT_EQ(cli({"transfer", "import", "--data-dir", d, "--company", "51", "--csv", csv.fileName()}, &out), 0);
    EXPECT_TRUE(out.contains("1 account(s) stored")) << out.toStdString();
}
