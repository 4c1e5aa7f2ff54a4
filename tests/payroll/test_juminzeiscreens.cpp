// A new user's year of resident tax through the screens: the notice typed from the
// employee master or read from CSV, the statements of June, July and the next May
// taking their instalments, and a leaver's last pay taking the rest.
#include "app/screenregistry.h"
#include "masters/jyugyoinrepository.h"
#include "masters/mstjyugyoin.h"
#include "payroll/dspjuminzei.h"
#include "payroll/inpkyuyo.h"
#include "payroll/juminzeirepository.h"
#include "payroll/mstjuminzei.h"
#include "statementscreenfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

using namespace minasel;
using namespace minasel::payroll;

namespace {

class JuminzeiScreensTest : public test::StatementScreenTest<InpKyuyo> {
protected:
    void SetUp() override
    {
        registerPayrollScreens(registry);
        td.ctx().screens = &registry;
        td.clock().set(QDateTime(QDate(2026, 5, 28), QTime(9, 0)));
    }
    void click(QWidget* screen, const char* button) { screen->findChild<QPushButton*>(QLatin1String(button))->click(); }
    void statementFor(const char* year, const char* month, const char* code)
    {
        type("txtYear", QLatin1String(year));
        type("txtMonth", QLatin1String(month));
        choose(QLatin1String(code));
    }
    long long stored2026(const char* code, int index)
    {
        const auto s = JuminzeiRepository(td.ctx(), QStringLiteral("test")).read(QLatin1String(code), 2026);
        return s ? s->amounts[size_t(index)] : -1;
    }

    ScreenRegistry registry;
};

} // namespace

TEST_F(JuminzeiScreensTest, NoticeTypedOrImportedIsTakenByJuneJulyAndMay)
{
    // From the employee master: the yearly amount gives the standard split.
    masters::MstJyugyoin master(td.ctx());
    master.show();
    auto* code = master.findChild<QLineEdit*>(QStringLiteral("txtCode"));
    code->setText(QStringLiteral("00002"));
    emit code->editingFinished();
    click(&master, "cmdJuminzei");
    auto* entry = qobject_cast<MstJuminzei*>(test::visibleWindow("MstJuminzei"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->findChild<QLabel*>(QStringLiteral("lblNendo"))->text(), QStringLiteral("令和8年度（2026年6月〜2027年5月）"));
    auto* yearly = entry->findChild<QLineEdit*>(QStringLiteral("txtNengaku"));
    yearly->setFocus();
    QTest::keyClicks(yearly, QStringLiteral("100000"));
    QTest::keyClick(yearly, Qt::Key_Return);
    // A June amount typed wrongly cannot be stored.
    entry->findChild<NumberField*>(QStringLiteral("txtGaku06"))->setValue(8800);
    click(entry, "cmdWrite");
    EXPECT_EQ(td.messages().lastText(), QStringLiteral("6月〜5月の合計（100,100円）が年税額（100,000円）と一致しません。"));
    entry->findChild<NumberField*>(QStringLiteral("txtGaku06"))->setValue(8700);
    click(entry, "cmdWrite");
    EXPECT_EQ(stored2026("00002", 0), 8700);
    EXPECT_EQ(stored2026("00002", 11), 8300);
    entry->close();

    // The others from CSV: a faulty file stores nothing, a sound one everything.
    DspJuminzei list(td.ctx());
    EXPECT_EQ(list.year(), 2026);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/notice.csv");
    auto importing = [&](const QByteArray& csv) {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(csv);
        f.close();
        list.chooseFile = [&](QWidget*) { return path; };
        return list.importCsv();
    };
    QWidget* preview = importing("00003,99600,8300,8300,8300,8300,8300,8300,8300,8300,8300,8300,8300,8300\r\n"
                                 "00004,1000,1000,0,0,0,0,0,0,0,0,0,0,-1\r\n");
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->findChild<QPushButton*>(QStringLiteral("cmdWrite"))->isEnabled());
    EXPECT_EQ(preview->findChild<QListWidget*>(QStringLiteral("lstErrors"))->item(0)->text(),
              QStringLiteral("2 行目: 5月分がマイナスです。"));
    preview->close();
    EXPECT_EQ(stored2026("00003", 0), -1);
    preview = importing("00003,99600,8300,8300,8300,8300,8300,8300,8300,8300,8300,8300,8300,8300\r\n");
    click(preview, "cmdWrite");
    EXPECT_EQ(stored2026("00003", 0), 8300);
    EXPECT_TRUE(list.findChild<QLabel*>(QStringLiteral("lblSummary"))->text().startsWith(
        QStringLiteral("在籍 4 名のうち入力済み 2 名、未入力 2 名。")));

    // June, July and the next May take their instalments without retyping.
    open();
    const struct {
        const char* year;
        const char* month;
        double tax;
        const char* label;
    } months[] = {{"2026", "06", 8700, "住民税: 令和8年度 特別徴収（6月分）"},
                  {"2026", "07", 8300, "住民税: 令和8年度 特別徴収（7月分）"},
                  {"2027", "05", 8300, "住民税: 令和8年度 特別徴収（5月分）"},
                  {"2026", "05", 12500, "住民税: 従業員マスタの額"}};
    for (const auto& m : months) {
        statementFor(m.year, m.month, "00002");
        EXPECT_EQ(value("txtSiminTax"), m.tax) << m.month;
        EXPECT_EQ(label("lblJuminzei"), QString::fromUtf8(m.label)) << m.month;
        click(m_screen.get(), "cmdWrite");
    }
    // A change notice later never alters a stored statement.
    auto changed = applyChangeNotice(*JuminzeiRepository(td.ctx(), "t").read("00002", 2026), 0, 60000);
    ASSERT_TRUE(changed && JuminzeiRepository(td.ctx(), "t").save({*changed}));
    statementFor("2026", "06", "00002");
    EXPECT_EQ(value("txtSiminTax"), 8700);
    EXPECT_EQ(stored("202606", "00002", "1")->residentTax, 8700);
    EXPECT_EQ(label("lblJuminzei"), QStringLiteral("住民税: 登録済みの明細の額（令和8年度の特別徴収税額は 5,000円）"));

    // From June of the next year the statements remind of the notices not yet typed.
    statementFor("2027", "06", "00002");
    EXPECT_EQ(label("lblJuminzeiReminder"), QStringLiteral("★ 令和9年度の住民税が未入力: 2 名"));

    // Deleting the employee takes his notices with him (his statements stay).
    ASSERT_TRUE(masters::JyugyoinRepository(td.ctx()).remove(QStringLiteral("00002")));
    EXPECT_EQ(td.count("SELECT COUNT(*) FROM JUMINZEI WHERE JGICODE = '00002'"), 0);
    EXPECT_EQ(td.count("SELECT COUNT(*) FROM MEISAI WHERE JGICODE = '00002'"), 4);
}

TEST_F(JuminzeiScreensTest, LastPayOfALeaverTakesTheRestUpToMay)
{
    JuminzeiSchedule n;
    n.code = QStringLiteral("00003");
    n.year = 2026;
    n.yearly = 99600;
    n.amounts = standardSplit(99600);   // 8,300 each
    ASSERT_TRUE(JuminzeiRepository(td.ctx(), "t").save({n}));
    ASSERT_TRUE(td.exec("UPDATE JYUGYOIN SET TAISYABI = '20270220' WHERE JGICODE = '00003'"));
    open();
    // Left in February: still listed for the last pay, which takes February to May by default.
    statementFor("2027", "02", "00003");
    auto* lump = field<QCheckBox>("chkJuminzeiIkkatu");
    EXPECT_TRUE(lump->isChecked());
    EXPECT_EQ(value("txtSiminTax"), 4 * 8300);
    EXPECT_TRUE(label("lblJuminzei").startsWith(QStringLiteral("住民税: 令和8年度 2月分〜5月分を一括徴収\n退社日 2027/02/20")));
    lump->click();
    EXPECT_EQ(value("txtSiminTax"), 8300);
    lump->click();
    click(m_screen.get(), "cmdWrite");
    // A pay after it finds the rest already taken.
    statementFor("2027", "03", "00003");
    EXPECT_EQ(value("txtSiminTax"), 0);

    // Leaving in September: asked, and taken only when the employee requested it.
    ASSERT_TRUE(td.exec("UPDATE JYUGYOIN SET TAISYABI = '20260930' WHERE JGICODE = '00003'"));
    td.messages().answerNext(Messages::Answer::Yes);
    statementFor("2026", "09", "00003");
    EXPECT_TRUE(td.messages().lastText().contains(QStringLiteral("10月分〜5月分 66,400円")));
    EXPECT_EQ(value("txtSiminTax"), 9 * 8300);
    EXPECT_TRUE(label("lblJuminzei").endsWith(QStringLiteral("本人の申出により残りを最後の給与から徴収")));
}
