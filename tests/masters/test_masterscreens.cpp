#include "app/numberfield.h"
#include "app/screenregistry.h"
#include "app/textfield.h"
#include "masters/inpkaisyajoho.h"
#include "masters/mstcodemaster.h"
#include "masters/mstjyugyoin.h"
#include "masters/mstotheritems.h"
#include "support/screens.h"
#include "support/testdatadir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::masters;
using namespace minasel::test;

namespace {

QString q(const char* s)
{
    return QString::fromUtf8(s);
}

// Shows a screen and makes it the active window so that keys reach it.
void show(QWidget* w)
{
    w->show();
    QApplication::setActiveWindow(w);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
}

// Sets (Japanese) text that keyClicks cannot type.
void setText(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->setText(text);
}

QStringList companyIds(test::TestDataDir& data)
{
    QStringList ids;
    QSqlQuery query(data.ctx().db());
    query.exec(QStringLiteral("SELECT CID FROM COMPANY ORDER BY CID"));
    while (query.next())
        ids << query.value(0).toString();
    return ids;
}

struct KaisyaTest : ::testing::Test {
    test::TestDataDir data;
    QStringList menuCalls;   // the main menu's list brought up to date, for which current company
    InpKaisyaJoho* w = nullptr;
    // From the main menu a new company is entered; from the set-up menu the current one edited.
    void open(const char* caller, const char* cid = "01")
    {
        data.ctx().refreshCompanies = [this](const QString& cid) { menuCalls << cid; };
        data.ctx().callerName = QLatin1String(caller);
        data.ctx().companyId = QLatin1String(cid);
        w = new InpKaisyaJoho(data.ctx());
        show(w);
    }
    QLineEdit* name() const { return child<QLineEdit>(w, "txtKaisyaName"); }
};

} // namespace

TEST_F(KaisyaTest, NewCompaniesAreNumberedFrom51AndTheFormClears)
{
    ASSERT_TRUE(data.exec(QStringLiteral("INSERT INTO COMPANY (CID, COMPANY) VALUES ('51', 'a'), ('52', 'b'), ('54', 'd')")));
    open("MainMenu");
    EXPECT_EQ(child<QLabel>(w, "lblTitle")->text(), q("会社情報新規登録"));
    EXPECT_FALSE(child<QPushButton>(w, "cmdDelete")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(w, "cmdTouroku")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(w, "cmdCancel")->isEnabled());
    // Initial values of a new company: the rates of the law of today (December 2026 pay),
    // health once the prefecture is known.
    EXPECT_EQ(child<NumberField>(w, "txtKekohokenRitu")->value(), 0);
    EXPECT_EQ(child<NumberField>(w, "txtKonehokenRitu")->value(), 18.3);
    EXPECT_EQ(child<NumberField>(w, "txtKoyohokenRitu")->value(), 0.005);
    EXPECT_EQ(child<NumberField>(w, "txtJKGKesu_5")->value(), 1.75);

    // A blank name is refused with the corporation wording; nothing is written.
    setText(name(), QStringLiteral("   "));
    EXPECT_TRUE(child<QPushButton>(w, "cmdTouroku")->isEnabled());
    pressF(w, 1);
    EXPECT_EQ(data.messages().lastText(), q("会社名が入力されていません。"));
    EXPECT_EQ(QApplication::focusWidget(), name());
    EXPECT_EQ(companyIds(data).size(), 8);

    setText(name(), q(" 株式会社 'テスト' "));
    setText(child<QLineEdit>(w, "txtTodohuken"), q("東京都"));
    QTest::keyClick(child<QLineEdit>(w, "txtTodohuken"), Qt::Key_Return);
    EXPECT_EQ(child<NumberField>(w, "txtKekohokenRitu2")->value(), 11.47);   // 9.85 + care 1.62
    typeAndEnter(child<QLineEdit>(w, "txtKijyuntime"), QStringLiteral("170.5"));
    typeAndEnter(child<QLineEdit>(w, "txtKyujituTanka"), QStringLiteral("12000"));
    pressF(w, 1);
    EXPECT_EQ(data.scalar(QStringLiteral("SELECT COMPANY || '/' || KIJYUNTIME || '/' || KYUJITUTANKA || '/' || "
                                         "KEKOHOKEN || '/' || TOROKUBI FROM COMPANY WHERE CID = '53'")).toString(),
              q("株式会社 'テスト'/170.5/12000.0/9.85/2026/12/06"));
    EXPECT_EQ(menuCalls, QStringList{QStringLiteral("01")});
    EXPECT_EQ(data.ctx().companyId, QStringLiteral("01"));

    // Ready for the next one: empty, zeros, sole-proprietor wording, buttons off.
    EXPECT_TRUE(name()->text().isEmpty());
    EXPECT_EQ(child<NumberField>(w, "txtKekohokenRitu")->value(), 0);
    EXPECT_TRUE(child<QRadioButton>(w, "optKojin")->isChecked());
    EXPECT_FALSE(child<QPushButton>(w, "cmdTouroku")->isEnabled());
    pressF(w, 1);   // disabled: nothing happens
    setText(name(), QStringLiteral("x"));
    setText(name(), QString());
    child<QPushButton>(w, "cmdTouroku")->click();
    EXPECT_EQ(data.messages().lastText(), q("屋号又は氏名が入力されていません。"));

    // Without standard hours no overtime could be paid: registering warns first.
    setText(name(), q("二社目"));
    data.messages().answerNext(Messages::Answer::Cancel);
    pressF(w, 1);
    EXPECT_EQ(data.messages().lastText(), q("月間基準労働時間数が 0 です。このままでは時間割賃金が計算されず、"
                                            "時間外手当などが 0 円になります。このまま登録しますか？"));
    EXPECT_EQ(QApplication::focusWidget(), child<QWidget>(w, "txtKijyuntime"));
    EXPECT_FALSE(companyIds(data).contains(QStringLiteral("55")));
    data.messages().answerNext(Messages::Answer::Ok);
    pressF(w, 1);
    EXPECT_TRUE(companyIds(data).contains(QStringLiteral("55")));
    EXPECT_EQ(child<QLabel>(w, "lblStatus")->text(), q("二社目 を新規登録しました。"));
    w->close();
}

TEST_F(KaisyaTest, LabelsFollowTheOption)
{
    open("MainMenu");
    auto buddyText = [&](const char* name) {
        for (QLabel* l : w->findChildren<QLabel*>())
            if (l->buddy() == child<QWidget>(w, name))
                return l->text();
        return QString();
    };
    EXPECT_EQ(buddyText("txtKaisyaName"), q("会社名"));
    child<QRadioButton>(w, "optKojin")->click();
    const char* const names[] = {"txtKaisyaName", "txtKaisyaFurigana", "txtDaihyoName", "txtDaihyoFurigana", "txtDaihyoYakusyoku"};
    const char* const kojin[] = {"屋号又は氏名", "フリガナ", "氏名", "氏名フリガナ", "業種名"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(buddyText(names[i]), q(kojin[i]));
    EXPECT_TRUE(child<QPushButton>(w, "cmdTouroku")->isEnabled());   // the option counts as a change
    pressF(w, 2);
    EXPECT_FALSE(child<QPushButton>(w, "cmdTouroku")->isEnabled());
    w->close();
}

TEST_F(KaisyaTest, The99CompanyLimit)
{
    // 51..99 taken but fewer than 99 rows: registering is refused, entry stays open.
    for (int i = 51; i <= 99; ++i)
        ASSERT_TRUE(data.exec(QStringLiteral("INSERT INTO COMPANY (CID, COMPANY) VALUES ('%1', 'x')").arg(i)));
    {
        open("MainMenu");
        EXPECT_TRUE(data.messages().empty());
        setText(name(), q("入らない"));
        pressF(w, 1);
        EXPECT_EQ(data.messages().last().title, q("警告"));
        EXPECT_EQ(data.messages().lastText(), q("会社情報の登録数は99個までです。これ以上は登録できません。"));
        EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM COMPANY")), 54);
        w->close();
    }
    // With 99 rows the warning comes at once and the entry is locked.
    for (int i = 6; i <= 50; ++i)
        ASSERT_TRUE(data.exec(QStringLiteral("INSERT INTO COMPANY (CID, COMPANY) VALUES ('%1', 'x')").arg(i, 2, 10, QLatin1Char('0'))));
    data.messages().clear();
    open("MainMenu");
    ASSERT_EQ(data.messages().entries().size(), 1);
    EXPECT_EQ(data.messages().last().title, q("警告"));
    EXPECT_FALSE(name()->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(w, "txtDaihyoYakusyoku")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(w, "txtKekohokenRitu")->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>(w, "cmdBack"));
    pressF(w, 6);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(KaisyaTest, EditUpdateCancelAndMenuInStep)
{
    QWidget opener;
    data.ctx().companyName = q("建設業（標準設定）");
    open("SyokiSetMenu", "02");
    w->setOpener(&opener);
    EXPECT_EQ(name()->text(), q("建設業（標準設定）"));
    EXPECT_EQ(child<NumberField>(w, "txtKoyohokenRitu")->value(), 0.0065);
    EXPECT_EQ(child<NumberField>(w, "txtKijyuntime")->value(), 170);
    EXPECT_FALSE(child<QPushButton>(w, "cmdTouroku")->isEnabled());

    // Cancel reloads what is stored.
    setText(name(), q("取り消される"));
    pressF(w, 2);
    EXPECT_EQ(name()->text(), q("建設業（標準設定）"));
    EXPECT_FALSE(child<QPushButton>(w, "cmdCancel")->isEnabled());

    // A number field refuses letters and values beyond its range.
    auto* rate = child<NumberField>(w, "txtKonehokenRitu");
    typeAndEnter(rate, QStringLiteral("1x8.3"));
    EXPECT_EQ(rate->value(), 18.3);
    typeAndEnter(rate, QStringLiteral("123"));
    EXPECT_EQ(rate->value(), 12);

    setText(name(), q("  山田建設  "));
    setText(child<QLineEdit>(w, "txtTodohuken"), q("大阪府"));
    pressF(w, 1);
    EXPECT_TRUE(data.messages().empty());
    EXPECT_EQ(data.scalar(QStringLiteral("SELECT COMPANY || '/' || ADRSTDHK || '/' || KONEHOKEN || '/' || KOYOHOKENRITU || '/' || TOROKUBI "
                                         "FROM COMPANY WHERE CID = '02'")).toString(),
              q("山田建設/大阪府/12.0/0.0065/2026/12/06"));
    EXPECT_EQ(data.ctx().companyName, q("山田建設"));
    EXPECT_EQ(menuCalls, QStringList{QStringLiteral("02")});
    EXPECT_EQ(child<QLabel>(w, "lblStatus")->text(), q("山田建設 の会社情報を登録しました。"));
    EXPECT_TRUE(w->windowTitle().endsWith(q("山田建設")));
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(child<QPushButton>(w, "cmdTouroku")->isEnabled());

    // Leaving with unsaved changes asks; agreeing leaves them unsaved.
    setText(child<QLineEdit>(w, "txtTel"), QStringLiteral("06-1234"));
    data.messages().answerNext(Messages::Answer::Cancel);
    pressF(w, 6);
    EXPECT_TRUE(w->isVisible());
    data.messages().answerNext(Messages::Answer::Ok);
    pressF(w, 6);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(opener.isVisible());
    EXPECT_NE(data.scalar(QStringLiteral("SELECT TEL FROM COMPANY WHERE CID = '02'")).toString(), QStringLiteral("06-1234"));
}

TEST_F(KaisyaTest, DeleteCompany)
{
    {
        open("SyokiSetMenu");
        pressF(w, 3);
        EXPECT_EQ(data.messages().lastText(), q("家計簿は削除できません"));
        EXPECT_TRUE(w->isVisible());
        w->close();
    }
    ASSERT_TRUE(data.exec(QStringLiteral("INSERT INTO MEISAI (CID, SIKYUBI, JGICODE, SIKYUKBN) VALUES ('03', '202601', '1', '1')")));
    data.messages().clear();
    open("SyokiSetMenu", "03");
    data.messages().answerNext(Messages::Answer::Cancel);
    pressF(w, 3);
    EXPECT_EQ(data.messages().last().buttons, Messages::Buttons::OkCancel);
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM COMPANY WHERE CID = '03'")), 1);

    data.messages().answerNext(Messages::Answer::Ok);
    pressF(w, 3);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(companyIds(data), (QStringList{"01", "02", "04", "05"}));
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM MEISAI WHERE CID = '03'")), 0);
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM SIKAKU WHERE CID = '03'")), 0);
    // The first company becomes current, for the menu and for the next start.
    EXPECT_EQ(data.ctx().companyId, QStringLiteral("01"));
    EXPECT_EQ(data.ctx().companyName, q("ミナセル商事株式会社（サンプル）"));
    EXPECT_EQ(data.scalar(QStringLiteral("SELECT CID FROM BASIC")).toString(), QStringLiteral("01"));
    EXPECT_EQ(menuCalls, QStringList{QStringLiteral("01")});
}

TEST(Registry, MastersScreensAreRegistered)
{
    test::TestDataDir data;
    ScreenRegistry registry;
    registerMastersScreens(registry);
    for (const char* name : {"InpKaisyaJoho", "MstJyugyoin", "MstSikaku", "MstFukakyu"}) {
        ASSERT_TRUE(registry.has(QLatin1String(name))) << name;
        QWidget* w = registry.create(QLatin1String(name), data.ctx());
        ASSERT_TRUE(w);
        EXPECT_EQ(w->objectName(), QLatin1String(name));
        delete w;
    }
}

class MstJyugyoinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        w = new MstJyugyoin(data.ctx());
        show(w);
    }
    void TearDown() override
    {
        w->setChanged(false);
        w->close();
    }
    template <class T>
    T* c(const char* name) { return child<T>(w, name); }
    QLineEdit* line(const char* name) { return child<QLineEdit>(w, name); }

    test::TestDataDir data;
    MstJyugyoin* w = nullptr;
};

TEST_F(MstJyugyoinTest, CodeNormalisationReadsTheEmployee)
{
    typeAndEnter(line("txtCode"), QStringLiteral("a12"));   // the rules themselves are tested on the repository
    EXPECT_EQ(line("txtCode")->text(), QStringLiteral("A0012"));
    typeAndEnter(line("txtCode"), QStringLiteral("2"));
    EXPECT_EQ(line("txtName")->text(), q("佐藤 花子"));
    EXPECT_EQ(w->currentCode(), QStringLiteral("00002"));
    EXPECT_EQ(c<QComboBox>("cmbSikaku")->currentData().toString(), QStringLiteral("A0001"));
    EXPECT_FALSE(line("txtYHosyu")->isEnabled());   // a regular employee
    EXPECT_FALSE(w->isChanged());
    // Leaving the code field with the same code does not reread (typed edits stay).
    setText(line("txtName"), q("編集中"));
    typeAndEnter(line("txtCode"), QStringLiteral("00002"));
    EXPECT_EQ(line("txtName")->text(), q("編集中"));
    // The officer class opens the officer's pay.
    typeAndEnter(line("txtCode"), QStringLiteral("1"));
    EXPECT_TRUE(line("txtYHosyu")->isEnabled());
    EXPECT_EQ(c<NumberField>("txtYHosyu")->value(), 500000);
}

TEST_F(MstJyugyoinTest, DatesAndAge)
{
    data.clock().set(QDateTime(QDate(2025, 6, 15), QTime(9, 0)));   // the birthday itself
    typeAndEnter(line("txtsYear"), QStringLiteral("1990"));
    typeAndEnter(line("txtsMonth"), QStringLiteral("6"));
    typeAndEnter(line("txtsDay"), QStringLiteral("15"));
    EXPECT_EQ(line("txtsMonth")->text(), QStringLiteral("06"));
    EXPECT_EQ(c<QLabel>("lblNenrei")->text(), q("日生まれ(35歳)"));
    setText(line("txtsDay"), QString());
    QTest::keyClick(line("txtsDay"), Qt::Key_Return);
    EXPECT_EQ(c<QLabel>("lblNenrei")->text(), q("日"));

    struct D {
        const char *y, *m, *d, *ey, *em, *ed;
    };
    // Day clamping has its own table on AdjustDay; these show the fields apply it.
    const D cases[] = {{"2024", "2", "31", "2024", "02", "29"}, {"2023", "13", "31", "2023", "12", "31"},
                       {"99", "4", "0", "0099", "04", "01"}};
    for (const D& k : cases) {
        typeAndEnter(line("txtYear"), QLatin1String(k.y));
        typeAndEnter(line("txtMonth"), QLatin1String(k.m));
        typeAndEnter(line("txtDay"), QLatin1String(k.d));
        EXPECT_EQ(line("txtYear")->text() + line("txtMonth")->text() + line("txtDay")->text(),
                  QLatin1String(k.ey) + QLatin1String(k.em) + QLatin1String(k.ed))
            << k.y << "/" << k.m << "/" << k.d;
    }
    // Letters never get into a date.
    typeAndEnter(line("txtTYear"), QStringLiteral("20a5"));
    EXPECT_EQ(line("txtTYear")->text(), QStringLiteral("0205"));
}

TEST_F(MstJyugyoinTest, RoundTripOfEveryField)
{
    typeAndEnter(line("txtCode"), QStringLiteral("77"));
    setText(line("txtName"), q("  O'Neil 花子  "));
    setText(line("txtKana"), q("オニール ハナコ"));
    c<QComboBox>("cmbSeibetu")->setCurrentIndex(1);
    typeAndEnter(line("txtsYear"), QStringLiteral("1985"));
    typeAndEnter(line("txtsMonth"), QStringLiteral("3"));
    typeAndEnter(line("txtsDay"), QStringLiteral("9"));
    typeAndEnter(line("txtYubin"), QStringLiteral("530-0001"));
    setText(line("txtAdd1"), q("大阪市北区"));
    setText(line("txtAdd2"), q("梅田ビル\"3F\""));
    typeAndEnter(line("txtTel"), QStringLiteral("06-1111-2222"));
    c<QComboBox>("cmbKubun")->setCurrentIndex(0);
    setText(line("txtSyokumu"), q("営業"));
    typeAndEnter(line("txtYear"), QStringLiteral("2010"));
    typeAndEnter(line("txtMonth"), QStringLiteral("4"));
    typeAndEnter(line("txtDay"), QStringLiteral("1"));
    typeAndEnter(line("txtTYear"), QStringLiteral("2026"));
    typeAndEnter(line("txtTMonth"), QStringLiteral("11"));
    typeAndEnter(line("txtTDay"), QStringLiteral("30"));
    typeAndEnter(line("txtMyNumber"), QStringLiteral("123456789012"));
    typeAndEnter(line("txtKihonq"), QStringLiteral("250000"));
    typeAndEnter(line("txtYHosyu"), QStringLiteral("300000"));
    typeAndEnter(line("txtFood"), QStringLiteral("8000"));
    typeAndEnter(line("txtTukin"), QStringLiteral("15000"));
    typeAndEnter(line("txtHome"), QStringLiteral("20000"));
    c<QComboBox>("cmbSikaku")->setCurrentIndex(2);
    c<QComboBox>("cmbFukaq")->setCurrentIndex(1);
    typeAndEnter(line("txtTimeMoney"), QStringLiteral("1700"));
    typeAndEnter(line("txtHealth"), QStringLiteral("12000"));
    typeAndEnter(line("txtNenkin"), QStringLiteral("24000"));
    typeAndEnter(line("txtSiminTax"), QStringLiteral("9000"));
    typeAndEnter(line("txtFuyoman"), QStringLiteral("3"));
    typeAndEnter(line("txtFamily"), QStringLiteral("6000"));
    for (const char* box : {"chkFamily1", "chkFamily3", "chkGaijin", "chkKoyohoken"})
        c<QCheckBox>(box)->setChecked(true);
    EXPECT_TRUE(w->isChanged());
    pressF(w, 1);
    EXPECT_TRUE(data.messages().empty()) << data.messages().lastText().toStdString();
    EXPECT_TRUE(line("txtCode")->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), line("txtCode"));

    // Every row of the code, every column with its value.
    auto stored = [&] {
        QSqlQuery row(data.ctx().db());
        row.exec(QStringLiteral("SELECT * FROM JYUGYOIN WHERE CID = '01' AND JGICODE = '00077'"));
        QStringList values;
        while (row.next())
            for (int i = 0; i < 38; ++i) {
                const QVariant v = row.value(i);
                values << (v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'g', 15) : v.toString());
            }
        return values.join(QLatin1Char('|'));
    };
    const QString typed = q("01|00077|O'Neil 花子|オニール ハナコ|女|19850309|530-0001|大阪市北区|梅田ビル\"3F\"|06-1111-2222|0|営業|"
                            "20100401|20261130|250000|300000|8000|15000|A0002|20000|6000|B0001|12000|24000|9000|"
                            "0|0|0|1700|3|1|0|1|1|0|1|0|123456789012");
    EXPECT_EQ(stored(), typed);

    // Read back, every field holds what was stored: registering again replaces the row with itself.
    typeAndEnter(line("txtCode"), QStringLiteral("77"));
    EXPECT_EQ(c<QLabel>("lblNenrei")->text(), q("日生まれ(41歳)"));
    EXPECT_EQ(c<QComboBox>("cmbFukaq")->currentText(), q("B0001 役職手当（主任） ¥10,000"));
    EXPECT_FALSE(w->isChanged());
    pressF(w, 1);
    EXPECT_TRUE(data.messages().empty()) << data.messages().lastText().toStdString();
    EXPECT_EQ(stored(), typed);
}

TEST_F(MstJyugyoinTest, RefusalsAndHalfDates)
{
    pressF(w, 1);
    EXPECT_EQ(data.messages().lastText(), q("従業員番号を入力してください。"));
    pressF(w, 3);
    EXPECT_EQ(data.messages().lastText(), q("従業員番号を入力した後、削除ボタンを押して下さい。"));
    c<QPushButton>("cmdTeate")->click();
    EXPECT_EQ(data.messages().lastText(), q("従業員番号を入力した後、その他手当を設定して下さい。"));
    c<QPushButton>("cmdKojyo")->click();
    EXPECT_EQ(data.messages().lastText(), q("従業員番号を入力した後、その他控除を設定して下さい。"));
    EXPECT_FALSE(c<QPushButton>("cmdPrint")->isEnabled());

    // A new employee has no class until one is chosen, and is not registered without one.
    typeAndEnter(line("txtCode"), QStringLiteral("90"));
    EXPECT_EQ(c<QComboBox>("cmbKubun")->currentText(), QString());
    pressF(w, 1);
    EXPECT_EQ(data.messages().lastText(), q("在籍区分を選択してください。"));
    EXPECT_EQ(QApplication::focusWidget(), c<QComboBox>("cmbKubun"));
    c<QComboBox>("cmbKubun")->setCurrentIndex(1);
    typeAndEnter(line("txtYear"), QStringLiteral("2020"));
    pressF(w, 1);
    EXPECT_EQ(data.messages().lastText(), q("入社年月日を正しく入力してください。"));
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM JYUGYOIN WHERE JGICODE = '00090'")), 0);
}

TEST_F(MstJyugyoinTest, HourlyRate)
{
    ASSERT_TRUE(data.exec(QStringLiteral("INSERT INTO FUKAKYU VALUES ('01', 'C', 'x', 5000)")));
    ASSERT_TRUE(data.exec(q("INSERT INTO SONOTA VALUES ('01', '00050', '1', '数える', 3000, '1'), "
                            "('01', '00050', '2', '数えない', 2000, '0')")));
    w->setFukakyuCombo();
    typeAndEnter(line("txtCode"), QStringLiteral("50"));
    typeAndEnter(line("txtKihonq"), QStringLiteral("200000"));
    EXPECT_EQ(c<NumberField>("txtTimeMoney")->value(), std::round(203000.0 / 170));
    typeAndEnter(line("txtFood"), QStringLiteral("10000"));
    EXPECT_EQ(c<NumberField>("txtTimeMoney")->value(), std::round(213000.0 / 170));
    auto* fuka = c<QComboBox>("cmbFukaq");
    fuka->setFocus();
    QTest::keyClick(fuka, Qt::Key_End);   // the last entry, code C
    ASSERT_EQ(fuka->currentData().toString(), QStringLiteral("C"));
    EXPECT_EQ(c<NumberField>("txtTimeMoney")->value(), std::round((200000.0 + 10000 + 5000 + 3000) / 170));   // 1282

    // Without standard hours the rate keeps what it showed.
    ASSERT_TRUE(data.exec(QStringLiteral("UPDATE COMPANY SET KIJYUNTIME = 0 WHERE CID = '01'")));
    typeAndEnter(line("txtKihonq"), QStringLiteral("300000"));
    EXPECT_EQ(c<NumberField>("txtTimeMoney")->value(), 1282);
}

TEST_F(MstJyugyoinTest, DeleteAndFailedRegister)
{
    typeAndEnter(line("txtCode"), QStringLiteral("2"));
    data.messages().answerNext(Messages::Answer::No);
    pressF(w, 3);
    EXPECT_EQ(data.messages().last().title, q("確認"));
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM JYUGYOIN WHERE CID = '01' AND JGICODE = '00002'")), 1);

    // A failing insert keeps the stored row and the typed data.
    ASSERT_TRUE(data.exec(QStringLiteral("CREATE TRIGGER f BEFORE INSERT ON JYUGYOIN BEGIN SELECT RAISE(ABORT, 'x'); END")));
    setText(line("txtName"), q("変更"));
    pressF(w, 1);
    EXPECT_EQ(data.messages().lastText(), q("エラーが発生しました。ログファイルを確認してください。"));
    EXPECT_EQ(data.scalar(QStringLiteral("SELECT JGINAME FROM JYUGYOIN WHERE CID = '01' AND JGICODE = '00002'")).toString(),
              q("佐藤 花子"));
    EXPECT_EQ(line("txtName")->text(), q("変更"));

    data.messages().answerNext(Messages::Answer::Yes);
    pressF(w, 3);
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM JYUGYOIN WHERE CID = '01' AND JGICODE = '00002'")), 0);
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM SONOTA WHERE CID = '01' AND JGICODE = '00002'")), 0);
    EXPECT_TRUE(line("txtCode")->text().isEmpty());
}

TEST_F(MstJyugyoinTest, LeavingWithChangesAsks)
{
    typeAndEnter(line("txtCode"), QStringLiteral("3"));
    pressF(w, 6);
    EXPECT_TRUE(data.messages().empty());   // reading alone changes nothing
    EXPECT_FALSE(w->isVisible());
    w = new MstJyugyoin(data.ctx());
    show(w);
    typeAndEnter(line("txtCode"), QStringLiteral("3"));
    typeAndEnter(line("txtTukin"), QStringLiteral("1"));
    data.messages().answerNext(Messages::Answer::Cancel);
    pressF(w, 6);
    EXPECT_EQ(data.messages().lastText(), q("データが変更されましたが、終了しても宜しいですか？"));
    EXPECT_TRUE(w->isVisible());
}

TEST_F(MstJyugyoinTest, AllowancesScreenRecomputesTheRate)
{
    typeAndEnter(line("txtCode"), QStringLiteral("3"));   // 210,000 base, 170 hours
    c<QPushButton>("cmdTeate")->click();
    auto* teate = qobject_cast<MstOtherItems*>(visibleWindow("MstTeate"));
    ASSERT_TRUE(teate);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(child<QLabel>(teate, "lblCode")->text(), QStringLiteral("00003"));
    EXPECT_EQ(child<QLabel>(teate, "lblName")->text(), q("鈴木 一郎"));
    QTableWidget* grid = teate->grid();
    EXPECT_EQ(grid->rowCount(), 9);
    grid->item(0, 0)->setText(q("役職"));
    grid->item(0, 1)->setData(Qt::EditRole, 17000.0);
    grid->item(0, 2)->setCheckState(Qt::Checked);
    grid->setFocus();
    pressF(teate, 1);
    EXPECT_EQ(child<NumberField>(w, "txtTimeMoney")->value(), std::round(227000.0 / 170));
    pressF(teate, 6);
    EXPECT_TRUE(w->isVisible());
}

class GridTest : public ::testing::Test {
protected:
    void open(CodeMaster::Kind kind)
    {
        w = new MstCodeMaster(data.ctx(), kind);
        show(w);
        grid = w->grid();
    }
    // Types into a cell through its editor, as a user would.
    void type(int row, int column, const QString& text)
    {
        grid->setFocus();
        grid->setCurrentCell(row, column);
        grid->editItem(grid->item(row, column));
        QWidget* editor = QApplication::focusWidget();
        ASSERT_TRUE(editor && editor != grid);
        auto* e = qobject_cast<QLineEdit*>(editor);
        ASSERT_TRUE(e);
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    }
    test::TestDataDir data;
    MstCodeMaster* w = nullptr;
    QTableWidget* grid = nullptr;
};

TEST_F(GridTest, CodesUpperCasedUniqueAndStoredWhole)
{
    open(CodeMaster::Kind::Sikaku);
    EXPECT_EQ(w->objectName(), QStringLiteral("MstSikaku"));
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("A0001"));
    EXPECT_EQ(grid->item(1, 2)->data(Qt::EditRole).toDouble(), 8000);

    type(2, 0, QStringLiteral("a1"));
    EXPECT_EQ(grid->item(2, 0)->text(), QStringLiteral("A1"));
    EXPECT_EQ(grid->rowCount(), 4);   // reaching the last line adds one
    type(2, 2, QStringLiteral("12x34"));
    EXPECT_EQ(grid->item(2, 2)->data(Qt::EditRole).toDouble(), 1234);

    // A duplicate code keeps the cursor in its cell.
    type(3, 0, QStringLiteral("a0001"));
    EXPECT_EQ(data.messages().lastText(), q("同じコード[ A0001 ]が既に存在しています。"));
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_EQ(grid->currentColumn(), 0);
    // ... and registering refuses while it stands.
    pressF(w, 1);
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM SIKAKU WHERE CID = '01'")), 2);
    type(3, 0, QStringLiteral("b"));

    pressF(w, 1);
    QSqlQuery rows(data.ctx().db());
    ASSERT_TRUE(rows.exec(QStringLiteral("SELECT SIKACODE, SIKAMONEY FROM SIKAKU WHERE CID = '01' ORDER BY SIKACODE")));
    QStringList got;
    while (rows.next())
        got << rows.value(0).toString() + QLatin1Char('=') + rows.value(1).toString();
    EXPECT_EQ(got, (QStringList{"A0001=5000", "A0002=8000", "A1=1234", "B=0"}));
    EXPECT_FALSE(w->isChanged());
    pressF(w, 6);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(GridTest, LineDeletionAndClosingQuestion)
{
    open(CodeMaster::Kind::Fukakyu);
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), q("職務名称"));
    grid->setCurrentCell(0, 1);
    data.messages().answerNext(Messages::Answer::No);
    pressF(w, 3);
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("B0001"));
    data.messages().answerNext(Messages::Answer::Yes);
    pressF(w, 3);
    EXPECT_EQ(data.messages().lastText(), q("選択された行を削除してもよろしいですか？"));
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("B0002"));
    EXPECT_EQ(grid->item(2, 0)->text(), QString());
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM FUKAKYU WHERE CID = '01'")), 2);   // not yet stored

    data.messages().answerNext(Messages::Answer::Cancel);
    pressF(w, 6);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(data.messages().lastText(), q("データは変更されています。保存しますか？"));

    // A failing save keeps the table and the screen.
    ASSERT_TRUE(data.exec(QStringLiteral("CREATE TRIGGER f BEFORE INSERT ON FUKAKYU BEGIN SELECT RAISE(ABORT, 'x'); END")));
    data.messages().answerNext(Messages::Answer::Yes);
    pressF(w, 6);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM FUKAKYU WHERE CID = '01'")), 2);
    ASSERT_TRUE(data.exec(QStringLiteral("DROP TRIGGER f")));

    data.messages().answerNext(Messages::Answer::Yes);
    pressF(w, 6);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(data.scalar(QStringLiteral("SELECT GROUP_CONCAT(FUKACODE) FROM FUKAKYU WHERE CID = '01'")).toString(),
              QStringLiteral("B0002"));
}

TEST_F(GridTest, EmptyingTheGridEmptiesTheTable)
{
    open(CodeMaster::Kind::Sikaku);
    for (int i = 0; i < 2; ++i) {
        grid->setCurrentCell(0, 0);
        data.messages().answerNext(Messages::Answer::Yes);
        pressF(w, 3);
    }
    pressF(w, 1);
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM SIKAKU WHERE CID = '01'")), 0);
    EXPECT_EQ(data.count(QStringLiteral("SELECT COUNT(*) FROM SIKAKU WHERE CID = '02'")), 2);
    w->close();
}

TEST(MstOtherItems, NamesUniqueLinesNumberedAndDeductions)
{
    test::TestDataDir data;
    auto* w = new MstOtherItems(data.ctx(), OtherItems::Kind::Kojyo, QStringLiteral("00002"), q("佐藤 花子"));
    show(w);
    EXPECT_EQ(w->objectName(), QStringLiteral("MstKojyo"));
    QTableWidget* grid = w->grid();
    ASSERT_EQ(grid->rowCount(), 5);
    ASSERT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(grid->item(0, 0)->text(), q("財形貯蓄"));
    grid->item(2, 0)->setText(q(" 社宅 "));
    grid->item(2, 1)->setData(Qt::EditRole, 20000.0);
    // A second line with the same name cannot be left.
    grid->setCurrentCell(3, 0);
    grid->item(3, 0)->setText(q("財形貯蓄"));
    grid->setCurrentCell(4, 0);
    EXPECT_EQ(data.messages().lastText(), q("同じコード[ 財形貯蓄 ]が既に存在しています。"));
    EXPECT_EQ(grid->currentRow(), 3);
    grid->item(3, 0)->setText(QString());
    pressF(w, 1);
    EXPECT_EQ(data.scalar(QStringLiteral("SELECT GROUP_CONCAT(SNTCODE || ':' || SNTNAME, ',') FROM SONOTAKOJYO "
                                         "WHERE CID = '01' AND JGICODE = '00002'")).toString(),
              q("1:財形貯蓄,3:社宅"));
    w->close();
}
