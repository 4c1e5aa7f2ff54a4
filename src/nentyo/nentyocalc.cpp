#include "nentyo/nentyocalc.h"

#include <algorithm>

namespace minasel::nentyo {
namespace {

long long floorDiv(long long a, long long b)
{
    const long long q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

long long ceilDiv(long long a, long long b) { return -floorDiv(-a, b); }

long long bandAmount(std::span<const AmountBand> bands, long long value)
{
    for (const AmountBand& b : bands)
        if (value <= b.upTo)
            return b.amount;
    return 0;
}

// The premium scales all have one shape, set by their first bound b: the premium
// itself up to b, half plus b/2 up to 2b, a quarter plus b up to 4b, then 2b.
// A premium of 0 or less gives nothing; half and quarter drop the fraction.
long long premiumScale(long long p, long long b)
{
    if (p <= 0)
        return 0;
    if (p <= b)
        return p;
    if (p <= 2 * b)
        return p / 2 + b / 2;
    if (p <= 4 * b)
        return p / 4 + b;
    return 2 * b;
}

constexpr long long kOldType = 25'000;         // contracts before 2012
constexpr long long kNewType = 20'000;         // contracts from 2012
constexpr long long kYoungDependant = 30'000;  // new-type general part with a dependant under 23

// Old and new contracts of one kind together: their sum up to the cap, but never
// less than the old contract alone.
long long combined(long long oldPart, long long newPart, long long cap)
{
    return std::max(std::min(oldPart + newPart, cap), oldPart);
}

long long nonNegative(long long v) { return std::max(v, 0LL); }

} // namespace

long long salaryIncome(const YearEndRules& rules, long long pay)
{
    for (const SalaryIncomeRow& row : rules.salaryIncome) {
        if (pay < row.from || pay > row.to)
            continue;
        const long long base = row.stepped ? floorDiv(pay, 4'000) * 4'000 : pay;
        return floorDiv(base * row.percent, 100) + row.add;
    }
    return 0;
}

long long incomeAdjustmentDeduction(long long pay, bool apply)
{
    if (!apply || pay <= 8'500'000)
        return 0;
    // A fraction of a yen counts as a whole yen in the employee's favour.
    return std::min(ceilDiv(pay - 8'500'000, 10), 150'000LL);
}

long long spouseDeduction(const YearEndRules& rules, bool hasSpouse, long long spouseIncome,
                          long long employeeTotalIncome, bool elderly)
{
    if (!hasSpouse)
        return 0;
    int column;
    if (employeeTotalIncome <= 9'000'000)
        column = 0;
    else if (employeeTotalIncome <= 9'500'000)
        column = 1;
    else if (employeeTotalIncome <= 10'000'000)
        column = 2;
    else
        return 0;
    if (spouseIncome <= rules.spouseIncomeLimit) {
        static constexpr long long kSpouse[2][3] = {{380'000, 260'000, 130'000},
                                                    {480'000, 320'000, 160'000}};
        return kSpouse[elderly ? 1 : 0][column];
    }
    struct Row {
        long long upTo;
        long long amount[3];
    };
    static constexpr Row kSpecial[] = {
        {950'000, {380'000, 260'000, 130'000}},   {1'000'000, {360'000, 240'000, 120'000}},
        {1'050'000, {310'000, 210'000, 110'000}}, {1'100'000, {260'000, 180'000, 90'000}},
        {1'150'000, {210'000, 140'000, 70'000}},  {1'200'000, {160'000, 110'000, 60'000}},
        {1'250'000, {110'000, 80'000, 40'000}},   {1'300'000, {60'000, 40'000, 20'000}},
        {1'330'000, {30'000, 20'000, 10'000}},
    };
    for (const Row& r : kSpecial)
        if (spouseIncome <= r.upTo)
            return r.amount[column];
    return 0;
}

long long basicDeduction(const YearEndRules& rules, long long totalIncome)
{
    return bandAmount(rules.basicDeduction, totalIncome);
}

long long specificRelativeDeduction(const YearEndRules& rules, long long relativeIncome)
{
    if (rules.specificRelativeFloor <= 0 || relativeIncome <= rules.specificRelativeFloor)
        return 0;
    return bandAmount(specificRelativeBands(), relativeIncome);
}

long long lifeInsuranceDeduction(const YearEndRules& rules, const NentyoInput& in)
{
    const bool young = rules.youngDependantLifeInsurance && in.under23;
    const long long general = young
        ? combined(premiumScale(in.semeHoken, kOldType), premiumScale(in.semeHokenNew, kYoungDependant), 60'000)
        : combined(premiumScale(in.semeHoken, kOldType), premiumScale(in.semeHokenNew, kNewType), 40'000);
    const long long care = premiumScale(in.kaigoIryoHoken, kNewType);
    const long long pension =
        combined(premiumScale(in.nenkinHoken, kOldType), premiumScale(in.nenkinHokenNew, kNewType), 40'000);
    return std::min(general + care + pension, 120'000LL);
}

long long earthquakeInsuranceDeduction(long long oldLongTerm, long long earthquake)
{
    long long d;
    if (oldLongTerm <= 0)
        d = 0;
    else if (oldLongTerm <= 10'000)
        d = oldLongTerm;
    else if (oldLongTerm <= 20'000)
        d = oldLongTerm / 2 + 5'000;
    else
        d = 15'000;
    d += std::clamp(earthquake, 0LL, 50'000LL);
    return std::min(d, 50'000LL);
}

long long annualTax(long long taxableIncome)
{
    if (taxableIncome <= 0)
        return 0;
    for (const AnnualTaxBand& b : annualTaxBands())
        if (taxableIncome <= b.upTo)
            return floorDiv(taxableIncome * b.percent, 100) - b.subtrahend;
    return 0;  // beyond the year-end table: such pay is never adjusted (see calcNentyo)
}

NentyoResult calcNentyo(int year, const NentyoInput& in)
{
    NentyoResult r;
    bool beyond = false;
    const YearEndRules& rules = yearEndRulesFor(year, &beyond);
    r.rules = QString::fromLatin1(rules.name);
    r.newerRulesMissing = beyond;
    r.requestedYear = year;
    r.rulesYear = beyond ? rules.lastYear : year;

    r.p = in.kyuryo + in.syoyo + in.maeKei;
    r.t = in.kyuryoTax + in.syoyoTax + in.maeTaxKei;
    r.hoken = in.hoken;
    r.overPayLimit = r.p > kAdjustmentPayLimit;
    if (!in.nentyo || r.overPayLimit)
        return r;  // every result stays 0, the balance too: nothing is settled here
    r.adjusted = true;
    r.hoken2 = in.hoken2;
    r.kakekin = in.kakekin;
    r.tokuKojyo = in.tokuKojyo;

    r.kojyogo = salaryIncome(rules, r.p);
    r.tyousei = incomeAdjustmentDeduction(r.p, in.tyouseiSw);
    r.totalIncome = in.declaredTotalIncome.value_or(r.kojyogo - r.tyousei);

    r.semeKojyo = lifeInsuranceDeduction(rules, in);
    r.songaKojyo = earthquakeInsuranceDeduction(in.songaiHoken, in.songaiHoken1);
    r.haiguKojyo = spouseDeduction(rules, in.haigu, in.haiguMoney, r.totalIncome, in.oldHaigu);
    for (const long long income : in.tokutei)
        r.tokuteiKojyo += specificRelativeDeduction(rules, income);
    r.kisoKojyo = basicDeduction(rules, r.totalIncome);

    const long long dependants = nonNegative(in.famiNum) + nonNegative(in.famiNum1)
        + nonNegative(in.famiNum2) + nonNegative(in.famiNum3);
    long long personal = dependants * 380'000 + nonNegative(in.famiNum1) * 250'000
        + nonNegative(in.famiNum2) * 200'000 + nonNegative(in.famiNum3) * 100'000;
    // A disabled person's deduction is the amount of the class alone; a disabled
    // dependant is already counted among the dependants above.
    personal += nonNegative(in.syugaisya) * 270'000 + nonNegative(in.syugaisya1) * 400'000
        + nonNegative(in.syugaisya2) * 750'000;
    // ひとり親 and 寡婦 exclude each other; ひとり親 is the larger.
    if (in.tkwoman)
        personal += 350'000;
    else if (in.singnam)
        personal += 270'000;
    if (in.gakusei)
        personal += 270'000;
    r.hfksKojyo = r.kisoKojyo + r.haiguKojyo + r.tokuteiKojyo + personal;

    r.kojyoKei = in.hoken + in.hoken2 + in.kakekin + r.semeKojyo + r.songaKojyo + r.hfksKojyo;
    // Taxable income is never below nothing.
    r.sasiMoney = nonNegative(floorDiv(r.kojyogo - r.kojyoKei - r.tyousei, 1'000) * 1'000);
    r.yearTax = annualTax(r.sasiMoney);
    const long long afterCredit = nonNegative(r.yearTax - in.tokuKojyo);
    r.calYearTax = static_cast<double>(afterCredit * 1021) / 1000.0;
    r.kakuteTax = afterCredit * 1021 / 100'000 * 100;
    r.sasihiki = r.t - r.kakuteTax;
    return r;
}

QString rulesNotice(const NentyoResult& r)
{
    if (!r.newerRulesMissing)
        return QString();
    return QStringLiteral("%1年分の年末調整の計算規定は未収録のため、%2年分で計算しています。")
        .arg(r.requestedYear)
        .arg(r.rulesYear);
}

} // namespace minasel::nentyo
