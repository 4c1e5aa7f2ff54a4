#include "payroll/shahocalc.h"

#include <algorithm>

namespace minasel::payroll {
namespace {

constexpr long long kNoBound = 0;

constexpr HyojunGrade kGrades[] = {
    {1, 58'000, kNoBound},       {2, 68'000, 63'000},         {3, 78'000, 73'000},
    {4, 88'000, 83'000},         {5, 98'000, 93'000},         {6, 104'000, 101'000},
    {7, 110'000, 107'000},       {8, 118'000, 114'000},       {9, 126'000, 122'000},
    {10, 134'000, 130'000},      {11, 142'000, 138'000},      {12, 150'000, 146'000},
    {13, 160'000, 155'000},      {14, 170'000, 165'000},      {15, 180'000, 175'000},
    {16, 190'000, 185'000},      {17, 200'000, 195'000},      {18, 220'000, 210'000},
    {19, 240'000, 230'000},      {20, 260'000, 250'000},      {21, 280'000, 270'000},
    {22, 300'000, 290'000},      {23, 320'000, 310'000},      {24, 340'000, 330'000},
    {25, 360'000, 350'000},      {26, 380'000, 370'000},      {27, 410'000, 395'000},
    {28, 440'000, 425'000},      {29, 470'000, 455'000},      {30, 500'000, 485'000},
    {31, 530'000, 515'000},      {32, 560'000, 545'000},      {33, 590'000, 575'000},
    {34, 620'000, 605'000},      {35, 650'000, 635'000},      {36, 680'000, 665'000},
    {37, 710'000, 695'000},      {38, 750'000, 730'000},      {39, 790'000, 770'000},
    {40, 830'000, 810'000},      {41, 880'000, 855'000},      {42, 930'000, 905'000},
    {43, 980'000, 955'000},      {44, 1'030'000, 1'005'000},  {45, 1'090'000, 1'055'000},
    {46, 1'150'000, 1'115'000},  {47, 1'210'000, 1'175'000},  {48, 1'270'000, 1'235'000},
    {49, 1'330'000, 1'295'000},  {50, 1'390'000, 1'355'000},
};

// The last day of a premium month.
QDate monthEnd(int yyyymm)
{
    const QDate first(yyyymm / 100, yyyymm % 100, 1);
    return first.addDays(first.daysInMonth() - 1);
}

int monthOf(const QDate& d)
{
    return d.year() * 100 + d.month();
}

} // namespace

std::span<const HyojunGrade> hyojunGrades() { return kGrades; }

const HyojunGrade& gradeForRemuneration(long long remuneration)
{
    const HyojunGrade* g = &kGrades[0];
    for (const HyojunGrade& x : kGrades)
        if (remuneration >= x.from)
            g = &x;
    return *g;
}

const HyojunGrade* gradeOfAmount(long long amount)
{
    for (const HyojunGrade& x : kGrades)
        if (x.amount == amount)
            return &x;
    return nullptr;
}

long long pensionStandard(long long healthStandard, const PensionRules& rules)
{
    return std::clamp(healthStandard, rules.lowest, rules.highest);
}

int pensionGrade(long long standard, const PensionRules& rules)
{
    const HyojunGrade* lowest = gradeOfAmount(rules.lowest);
    const HyojunGrade* g = gradeOfAmount(pensionStandard(standard, rules));
    return lowest && g ? g->grade - lowest->grade + 1 : 0;
}

long long halfPremium(long long amount, long long rate, long long scale)
{
    // amount × rate / scale / 100 (per cent) / 2 (the half).
    const long long divisor = scale * 200;
    const long long n = amount * rate;
    const long long whole = n / divisor;
    const long long rest = n % divisor;
    return whole + (rest * 2 > divisor ? 1 : 0);
}

int addMonths(int yyyymm, int months)
{
    const int index = (yyyymm / 100) * 12 + (yyyymm % 100 - 1) + months;
    return (index / 12) * 100 + index % 12 + 1;
}

int premiumMonthOf(int payMonth, bool sameMonth)
{
    return sameMonth ? payMonth : addMonths(payMonth, -1);
}

bool careInsured(const QDate& birthday, int premiumMonth)
{
    if (!birthday.isValid())
        return false;
    const QDate eve = birthday.addDays(-1);
    const int from = monthOf(eve.addYears(40));
    const int until = monthOf(eve.addYears(65));
    return premiumMonth >= from && premiumMonth < until;
}

int ageInMonth(const QDate& birthday, int premiumMonth)
{
    const QDate end = monthEnd(premiumMonth);
    const QDate eve = birthday.addDays(-1);   // the age grows at the end of this day each year
    int age = end.year() - eve.year();
    // addYears takes 29 February to the 28th where the year has none, as the law counts.
    if (eve.addYears(age) > end)
        --age;
    return age;
}

InsuredByAge insuredByAge(const QDate& birthday, int premiumMonth)
{
    InsuredByAge who;
    if (!birthday.isValid())
        return who;
    const QDate eve = birthday.addDays(-1);
    who.health = premiumMonth < monthOf(eve.addYears(75).addDays(1));
    who.pension = premiumMonth < monthOf(eve.addYears(70));
    who.care = who.health && careInsured(birthday, premiumMonth);
    return who;
}

QStringList ageNotices(const InsuredByAge& insured)
{
    QStringList lines;
    if (!insured.health)
        lines << QStringLiteral("75歳以上のため健康保険料はかかりません（後期高齢者医療）");
    if (!insured.pension)
        lines << QStringLiteral("70歳以上のため厚生年金保険料はかかりません");
    return lines;
}

QString careWarning(const QDate& birthday, int premiumMonth, bool careFlag)
{
    if (!birthday.isValid())
        return QString();
    const bool insured = careInsured(birthday, premiumMonth);
    if (insured == careFlag)
        return QString();
    const int age = ageInMonth(birthday, premiumMonth);
    return insured ? QStringLiteral("介護保険の対象月です（%1歳）").arg(age)
                   : QStringLiteral("介護保険の対象外の月です（%1歳）").arg(age);
}

MonthlyPremium monthlyPremium(long long hyojun, const InsuredByAge& insured, const PremiumRates& rates,
                              const PensionRules& pension)
{
    MonthlyPremium p;
    p.grade = gradeOfAmount(hyojun);
    p.hyojun = hyojun;
    p.healthEnded = !insured.health;
    p.pensionEnded = !insured.pension;
    p.care = insured.care && insured.health;
    if (insured.health) {
        const int health = p.care ? rates.healthCare : rates.health;
        p.health = halfPremium(hyojun, health + rates.shien);
        p.carePart = p.care ? halfPremium(hyojun, rates.healthCare - rates.health) : 0;
        p.shienPart = halfPremium(hyojun, rates.shien);
    }
    p.pensionHyojun = pensionStandard(hyojun, pension);
    p.pensionGrade = pensionGrade(p.pensionHyojun, pension);
    if (insured.pension)
        p.pension = halfPremium(p.pensionHyojun, rates.pension);
    return p;
}

int monthNumber(const QString& yyyymm)
{
    if (yyyymm.size() != 6)
        return 0;
    bool ok = false;
    const int n = yyyymm.toInt(&ok);
    return ok && n % 100 >= 1 && n % 100 <= 12 && n / 100 >= 1 ? n : 0;
}

QString monthText(int yyyymm)
{
    return QStringLiteral("%1年%2月").arg(yyyymm / 100).arg(yyyymm % 100);
}

} // namespace minasel::payroll
