#include "app/valuehelpers.h"

#include <gtest/gtest.h>

using namespace minasel;

TEST(NullToNum, NullEmptyAndTexts)
{
    EXPECT_EQ(NullToNum(QVariant()), 0.0);
    EXPECT_EQ(NullToNum(QString()), 0.0);
    EXPECT_EQ(NullToNum(QStringLiteral("")), 0.0);
    EXPECT_EQ(NullToNum(QStringLiteral("0")), 0.0);
    EXPECT_EQ(NullToNum(QStringLiteral("12.5")), 12.5);
    EXPECT_EQ(NullToNum(QStringLiteral(" 1,234 ")), 1234.0);
    EXPECT_EQ(NullToNum(42), 42.0);
    EXPECT_THROW(NullToNum(QStringLiteral("abc")), TypeMismatch);
    EXPECT_THROW(NullToNum(QStringLiteral("１２")), TypeMismatch);
    EXPECT_EQ(toNumberOr(QStringLiteral("x"), -1), -1);
}

TEST(NullToStr, NullAndValues)
{
    EXPECT_EQ(NullToStr(QVariant()), QString());
    EXPECT_EQ(NullToStr(QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_EQ(NullToStr(100000.0), QStringLiteral("100000"));
    EXPECT_EQ(NullToStr(12.5), QStringLiteral("12.5"));
}

struct RoundCase {
    double value;
    double factor;
    int mode;
    int expected;
};

TEST(RoundAmount, Table)
{
    const RoundCase cases[] = {
        {10.1, 1, 1, 11},   {10.9, 2, 2, 21},  {10.9, 1, 2, 10},   {10.5, 1, 3, 11},   {10.4, 1, 3, 10},
        {-10.5, 1, 3, -11}, {10.5, 1, 4, 0},   {10.5, 1, 0, 0},    {10.0, 1, 1, 10},   {10.0, 1, 2, 10},
        // The currency-then-integer step rounds ties to even: 10.0001 + 0.4999 is 10.5 -> 10,
        // 11.0001 + 0.4999 is 11.5 -> 12.
        {10.0001, 1, 1, 10}, {11.0001, 1, 1, 12}, {10.0002, 1, 1, 11},
        // mode 2 drops fractions up to .9999; 10.9999 - .4999 = 10.5 -> 10 (even)
        {10.9999, 1, 2, 10}, {11.9999, 1, 2, 12},
        // mode 3 rounds from about .4995 upwards
        {10.4996, 1, 3, 11}, {10.4994, 1, 3, 10}, {12.4995, 1, 3, 12},
        // rate as factor
        {100100, 0.005, 3, 501}, {250000, 0.0055, 1, 1375}, {183333, 0.0991 / 2, 3, 9084},
        {-0.4, 1, 3, 0},
    };
    for (const RoundCase& c : cases)
        EXPECT_EQ(RoundAmount(c.value, c.factor, c.mode), c.expected)
            << c.value << " x " << c.factor << " mode " << c.mode;
}

TEST(RoundAmount, OverflowIsReported)
{
    EXPECT_EQ(RoundAmount(2147483647.0, 1, 2), 2147483647);
    EXPECT_THROW(RoundAmount(2147483648.0, 1, 3), AmountOverflow);
    EXPECT_THROW(RoundAmount(1e30, 1, 1), AmountOverflow);
}

struct FormatCase {
    QVariant value;
    const char* format;
    int width;
    const char* fill;
    const char* expected;
};

TEST(FormatRight, Table)
{
    const FormatCase cases[] = {
        {123, "#,##0", 5, " ", "  123"},
        {123, "#,##0", 2, " ", "23"},
        {QVariant(), "#,###", 6, " ", "      "},
        {0, "#,##0", 4, " ", "   0"},
        {1234567, "#,##0", 10, " ", " 1,234,567"},
        {1234567, "#,###", 9, "*", "1,234,567"},
        {-1500, "#,##0", 7, " ", " -1,500"},
        {5, "##.0#", 6, " ", "   5.0"},
        {5.256, "##.0#", 6, " ", "  5.26"},
        {7, "000#", 4, " ", "0007"},
        {3, "0#", 2, " ", "03"},
        {12, "0#", 2, " ", "12"},
        {QStringLiteral("2500"), "#,##0", 6, "0", "02,500"},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(FormatRight(c.value, QString::fromLatin1(c.format), c.width, QString::fromLatin1(c.fill)),
                  QString::fromLatin1(c.expected))
            << c.format << " " << c.value.toString().toStdString();
}

TEST(FormatRight, TextThatIsNotANumberIsAnError)
{
    EXPECT_THROW(FormatRight(QStringLiteral("abc"), QStringLiteral("#,##0"), 5), TypeMismatch);
}
