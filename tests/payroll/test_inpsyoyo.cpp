// The bonus statement screen driven through its named controls.
#include "app/textfield.h"
#include "payroll/inpsyoyo.h"
#include "statementscreenfixture.h"

#include <QPushButton>

using namespace minasel;
using namespace minasel::payroll;

namespace {

class InpSyoyoTest : public test::StatementScreenTest<InpSyoyo> {
protected:
    void storeSalary(const QString& month, const QString& code, long long pay)
    {
        MeisaiRecord s;
        s.cid = QStringLiteral("01");
        s.payMonth = month;
        s.employeeCode = code;
        s.kihonkyu = pay;
        ASSERT_TRUE(save(s));
    }
};

} // namespace

TEST_F(InpSyoyoTest, BonusWithStandardAmountPremiumsAndTaxIsStoredWithZerosElsewhere)
{
    ASSERT_TRUE(td.exec(QStringLiteral("UPDATE COMPANY SET KEKOHOKEN = 9.97 WHERE CID = '01'")));
    storeSalary(QStringLiteral("202611"), QStringLiteral("00002"), 231460);
    open();
    choose(QStringLiteral("00002"));
    EXPECT_EQ(value("txtZengetu"), 231460);
    type("txtQyoSogaku", QStringLiteral("345678"));
    field<TextField>("txtKojyoNM1")->setText(QStringLiteral("財形貯蓄"));
    type("txtKojyo1", QStringLiteral("20000"));
    type("txtKojyo2", QStringLiteral("1000"));

    EXPECT_EQ(value("txtHyojunSyoyo"), 345000);
    EXPECT_EQ(value("txtSyakaiKei"), 51063);
    EXPECT_EQ(value("txtSasiQyoKojo"), 294615);
    EXPECT_EQ(value("txtKojoKei"), 51063 + 6016 + 21000);
    EXPECT_EQ(value("txtSasiSiq"), 345678 - 78079);
    EXPECT_EQ(label("lblShahoNote"), QStringLiteral("うち子ども・子育て支援金 397円"));

    QTest::keyClick(field<QLineEdit>("txtKojyo2"), Qt::Key_F1);
    EXPECT_TRUE(td.messages().empty()) << td.messages().lastText().toStdString();
    MeisaiRecord e = newBonusStatement(QStringLiteral("01"), QStringLiteral("202612"), QStringLiteral("00002"),
                                       QStringLiteral("1"), 1, QStringLiteral("0"));
    e.kihonkyu = 345678;
    e.health = 17595;                // (9.97 + 支援金 0.23) × 345,000 / 100 / 2 = 17,595; 支援金 396.75
    e.pension = 31567;               // 31,567.5: the half yen drops
    e.employmentInsurance = 1901;    // on the full 345,678
    e.tax = 6016;                    // 2.042 % of 294,615 (one dependant, 231,460 last month)
    e.deductionNames[0] = QStringLiteral("財形貯蓄");
    e.deductions[0] = 20000;
    e.deductions[1] = 1000;
    EXPECT_EQ(stored(QStringLiteral("202612"), QStringLiteral("00002"), QStringLiteral("2")), e);
    EXPECT_EQ(m_screen->statementOnScreen(), e);

    // Reopened, the stored bonus comes back, not an empty one.
    m_screen.reset();
    open();
    choose(QStringLiteral("00002"));
    EXPECT_EQ(m_screen->statementOnScreen(), e);
}

TEST_F(InpSyoyoTest, PreviousMonthAcrossJanuary)
{
    storeSalary(QStringLiteral("202612"), QStringLiteral("00002"), 530000);
    storeSalary(QStringLiteral("202701"), QStringLiteral("00003"), 530000);   // a later month is no previous month
    open();
    type("txtYear", QStringLiteral("2027"));
    type("txtMonth", QStringLiteral("1"));
    choose(QStringLiteral("00002"));
    EXPECT_EQ(value("txtZengetu"), 530000);
    EXPECT_EQ(label("lblZengetu"), QString());
    type("txtQyoSogaku", QStringLiteral("1000000"));
    // 1,000,000 less 50,700 + 91,500 + 5,500 = 852,300, by the 2026 table at 18.378 %
    // (530,000 last month, one dependant): 156,635.69, the fraction cut.
    EXPECT_EQ(value("txtSyotoku"), 156635);
    EXPECT_EQ(label("lblTaxNotice"), QStringLiteral("2027年分の税額表は未収録のため、2026年分で計算しています。"));
    choose(QStringLiteral("00003"));
    EXPECT_EQ(value("txtZengetu"), 0);
    EXPECT_FALSE(label("lblZengetu").isEmpty());
}

TEST_F(InpSyoyoTest, UninsuredKeepsTypedPremiumsCareKindUsesItsRate)
{
    open();
    choose(QStringLiteral("00004"));   // monthly health and pension 0 in the master
    EXPECT_EQ(label("lblHealth"), QStringLiteral("健康保険料（修正可）"));
    type("txtQyoSogaku", QStringLiteral("100000"));
    EXPECT_EQ(value("txtHealth"), 0);
    EXPECT_EQ(value("txtNenkin"), 0);
    type("txtHealth", QStringLiteral("1234"));
    type("txtQyoSogaku", QStringLiteral("120000"));
    EXPECT_EQ(value("txtHealth"), 1234);
    EXPECT_EQ(value("txtSyakaiKei"), 1234 + 660);   // 120,000 × 0.0055

    choose(QStringLiteral("00001"));   // officer, care insurance, no employment insurance
    EXPECT_EQ(label("lblHealth"), QStringLiteral("健康保険料"));
    EXPECT_EQ(label("lblKoyoHoken"), QStringLiteral("雇用保険料（修正可）"));
    type("txtQyoSogaku", QStringLiteral("561999"));
    EXPECT_EQ(value("txtHealth"), 32903);   // (11.5 + 支援金 0.23) % on 561,000: 32,902.65
    EXPECT_EQ(value("txtKoyoHoken"), 0);
}

TEST_F(InpSyoyoTest, HealthStandardCappedOverTheFiscalYear)
{
    MeisaiRecord earlier = newBonusStatement(QStringLiteral("01"), QStringLiteral("202607"), QStringLiteral("00002"),
                                             QStringLiteral("1"), 1, QStringLiteral("0"));
    earlier.kihonkyu = 5000000;
    earlier.health = 247750;
    ASSERT_TRUE(save(earlier));
    open();
    QCoreApplication::processEvents();
    const QSize size = m_screen->size();
    choose(QStringLiteral("00002"));
    type("txtQyoSogaku", QStringLiteral("2000000"));
    EXPECT_EQ(value("txtHealth"), 37011);   // (9.91 + 0.23) % on the 730,000 left of 5,730,000
    EXPECT_EQ(value("txtNenkin"), bonusPremium(18.3, 1500000));
    EXPECT_FALSE(label("lblHyojunNote").isEmpty());
    EXPECT_FALSE(label("lblZengetu").isEmpty());
    QTest::qWait(50);
    EXPECT_EQ(m_screen->size(), size) << "the notes made the window jump";
}

TEST_F(InpSyoyoTest, TypedTaxKeptRegisterTwiceAndDelete)
{
    ASSERT_TRUE(td.exec(QStringLiteral("UPDATE JYUGYOIN SET CALCUTAX = '0' WHERE JGICODE = '00003'")));
    open();
    choose(QStringLiteral("00003"));
    EXPECT_EQ(label("lblSyotoku"), QStringLiteral("所得税（修正可）"));
    type("txtSyotoku", QStringLiteral("9999"));
    type("txtQyoSogaku", QStringLiteral("400000"));
    EXPECT_EQ(value("txtSyotoku"), 9999);
    auto* write = field<QPushButton>("cmdWrite");
    write->click();
    write->click();
    EXPECT_EQ(meisaiRows(QStringLiteral(" WHERE SIKYUKBN = '2'")), 1);
    EXPECT_EQ(stored(QStringLiteral("202612"), QStringLiteral("00003"), QStringLiteral("2"))->tax, 9999);

    td.messages().answerNext(Messages::Answer::Yes);
    field<QPushButton>("cmdDelete")->click();
    EXPECT_EQ(meisaiRows(), 0);
    EXPECT_EQ(m_screen->employeeCode(), QStringLiteral("00001"));
    EXPECT_EQ(value("txtQyoSogaku"), 0);
}

// Computed, and correctable: kept through other entries and registering, computed
// afresh when the bonus changes.
TEST_F(InpSyoyoTest, ComputedPremiumsCanBeCorrected)
{
    open();
    choose(QStringLiteral("00002"));
    type("txtQyoSogaku", QStringLiteral("300000"));
    EXPECT_EQ(value("txtHealth"), 15210);   // (9.91 + 支援金 0.23) × 300,000 / 100 / 2
    type("txtHealth", QStringLiteral("15000"));
    type("txtKojyo1", QStringLiteral("1000"));
    EXPECT_EQ(value("txtSyakaiKei"), 15000 + 27450 + 1650);   // pension 18.3 %, 300,000 × 0.0055
    QTest::keyClick(field<QLineEdit>("txtKojyo1"), Qt::Key_F1);
    m_screen.reset();
    open();
    choose(QStringLiteral("00002"));
    EXPECT_EQ(value("txtHealth"), 15000);
    type("txtQyoSogaku", QStringLiteral("400000"));
    EXPECT_EQ(value("txtHealth"), 20280);
}
