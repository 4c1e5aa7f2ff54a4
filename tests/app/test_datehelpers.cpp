#include "app/datehelpers.h"

#include <gtest/gtest.h>

using namespace minasel;

TEST(FormatMonth, Cases)
{
    const std::pair<const char*, const char*> cases[] = {
        {"0", "01"}, {"13", "12"}, {"7", "07"}, {"", ""}, {"12", "12"}, {"1", "01"}, {"-3", "01"}, {"x", "01"}};
    for (auto [in, out] : cases)
        EXPECT_EQ(FormatMonth(QString::fromLatin1(in)), QString::fromLatin1(out)) << in;
}

TEST(AdjustDay, Cases)
{
    struct C {
        const char* y;
        const char* m;
        const char* d;
        const char* result;
        const char* dayAfter;
    };
    const C cases[] = {
        {"2024", "02", "30", "29", "29"}, {"2023", "02", "29", "28", "28"}, {"1900", "02", "29", "28", "28"},
        {"2000", "02", "29", "29", "29"}, {"2023", "04", "31", "30", "30"}, {"2023", "01", "00", "01", "01"},
        {"2023", "01", "5", "05", "5"},   {"2023", "12", "32", "31", "31"}, {"2023", "13", "31", "30", "30"},
    };
    for (const C& c : cases) {
        QString day = QString::fromLatin1(c.d);
        EXPECT_EQ(AdjustDay(QString::fromLatin1(c.y), QString::fromLatin1(c.m), day), QString::fromLatin1(c.result))
            << c.y << c.m << c.d;
        EXPECT_EQ(day, QString::fromLatin1(c.dayAfter));
    }
}

TEST(Wareki, EraBoundariesAndStyles)
{
    struct C {
        const char* date;
        int style;
        const char* text;
        const char* era;
    };
    const C cases[] = {
        {"2019/05/01", 2, "01年05月01日", "令和"}, {"20181231", 0, "301231", "平成"},
        {"1989/01/07", 1, "01/01/07", "平成"},   {"1926/12/25", 0, "011225", "昭和"},
        {"1912/07/30", 0, "010730", "大正"},     {"1911/01/01", 0, "440101", "明治"},
        {"2020/04/01", 0, "020401", "令和"},     {"2026/12/06", 3, "", "令和"},
    };
    for (const C& c : cases) {
        QString era = QStringLiteral("unchanged");
        EXPECT_EQ(FormatWareki(QString::fromUtf8(c.date), era, c.style), QString::fromUtf8(c.text)) << c.date;
        EXPECT_EQ(era, QString::fromUtf8(c.era)) << c.date;
    }
}

TEST(Wareki, EmptyDateLeavesEraAlone)
{
    QString era = QStringLiteral("昭和");
    EXPECT_EQ(FormatWareki(QStringLiteral("  "), era, 2), QString());
    EXPECT_TRUE(GetWarekiParts(QString(), era).isEmpty());
    EXPECT_EQ(era, QStringLiteral("昭和"));
    const QStringList parts = GetWarekiParts(QStringLiteral("19900315"), era);
    EXPECT_EQ(parts, (QStringList{QString(), QStringLiteral("02"), QStringLiteral("03"), QStringLiteral("15")}));
    EXPECT_EQ(era, QStringLiteral("平成"));
}
