// Command shaho: the employee's monthly health (with care and the child-support levy)
// and pension premiums of a pay month from the standard monthly remuneration and the
// rates of the law of a prefecture, as JSON on stdout.
#include "climain.h"

#include "payroll/shahocalc.h"

#include <QDate>

namespace minasel::cli {
namespace {

const QString kUsage = QStringLiteral(
    "usage: minasel-cli shaho --pref NN --month YYYYMM (--hyojun N | --remuneration N)\n"
    "                         [--birthday YYYYMMDD] [--collect next|same]\n"
    "  --pref: prefecture code 01-47 of 協会けんぽ (13 東京都)\n"
    "  --month: the pay month; --collect next (default) deducts the month before's premiums\n"
    "  --hyojun: the standard monthly remuneration; --remuneration: find it in the grade table\n"
    "  --birthday: for care insurance (40 to 64) and the ends of pension (70) and health (75);\n"
    "              without it no care is charged\n");

int usageError(const QString& problem)
{
    err() << "minasel-cli: " << problem << "\n" << kUsage;
    err().flush();
    return kUsageError;
}

QString jsonText(const QString& s)
{
    QString t = s;
    t.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

QString jsonRate(int milli)
{
    return QString::number(payroll::ratePercent(milli), 'f', 3);
}

} // namespace

int cmdShaho(const QStringList& args)
{
    using namespace payroll;
    Options o;
    QString error;
    if (!o.parse(args, {QStringLiteral("pref"), QStringLiteral("month"), QStringLiteral("hyojun"),
                        QStringLiteral("remuneration"), QStringLiteral("birthday"), QStringLiteral("collect")},
                 &error))
        return usageError(error);
    if (!o.positional().isEmpty())
        return usageError(QStringLiteral("unexpected %1").arg(o.positional().first()));

    const QString prefText = o.value(QStringLiteral("pref"));
    bool number = false;
    const int pref = prefText.toInt(&number);
    if (!o.has(QStringLiteral("pref")) || !number || prefectureName(pref).isEmpty())
        return usageError(QStringLiteral("--pref needs a prefecture code from 01 to 47"));
    const int payMonth = monthNumber(o.value(QStringLiteral("month")));
    if (payMonth == 0)
        return usageError(QStringLiteral("--month needs a pay month YYYYMM"));
    const QString collect = o.value(QStringLiteral("collect"));
    if (o.has(QStringLiteral("collect")) && collect != QLatin1String("next") && collect != QLatin1String("same"))
        return usageError(QStringLiteral("--collect is next or same"));
    const int premiumMonth = premiumMonthOf(payMonth, collect == QLatin1String("same"));

    if (o.has(QStringLiteral("hyojun")) == o.has(QStringLiteral("remuneration")))
        return usageError(QStringLiteral("give either --hyojun or --remuneration"));
    long long remuneration = -1;
    long long hyojun = 0;
    if (o.has(QStringLiteral("remuneration"))) {
        if (!o.integer(QStringLiteral("remuneration"), &remuneration, &error))
            return usageError(error);
        if (remuneration < 0 || remuneration > 1'000'000'000LL)
            return usageError(QStringLiteral("--remuneration must be 0 or more"));
        hyojun = gradeForRemuneration(remuneration).amount;
    } else {
        if (!o.integer(QStringLiteral("hyojun"), &hyojun, &error))
            return usageError(error);
        if (!gradeOfAmount(hyojun))
            return usageError(QStringLiteral("--hyojun %1 is not a standard amount of the grade table").arg(hyojun));
    }

    QDate birthday;
    if (o.has(QStringLiteral("birthday"))) {
        birthday = QDate::fromString(o.value(QStringLiteral("birthday")), QStringLiteral("yyyyMMdd"));
        if (!birthday.isValid())
            return usageError(QStringLiteral("--birthday needs a date YYYYMMDD"));
        if (birthday > QDate::currentDate())
            return usageError(QStringLiteral("--birthday is in the future"));
    }

    StatutoryRates law;
    if (!statutoryRates(pref, premiumMonth, payMonth, int(JigyoKind::General), &law, &error)) {
        err() << "minasel-cli: " << error << "\n";
        return 1;
    }
    QStringList notices = law.notices;
    // Only the health, care and pension rates matter here, not employment insurance.
    notices.removeIf([](const QString& n) { return n.contains(QStringLiteral("雇用保険")); });
    PremiumRates rates{law.health, law.healthCare, 0, law.pension};
    if (premiumMonth >= shienFirstMonth()) {
        bool beyond = false;
        rates.shien = shienRateFor(premiumMonth, &beyond);
        if (beyond)
            notices << newestRatesNotice(QStringLiteral("子ども・子育て支援金率"), premiumMonth, shienFirstMonth());
    }
    const Dated<PensionRules> pension = pensionRulesFor(premiumMonth);
    if (pension.beyondNewest)
        notices << newestRatesNotice(QStringLiteral("厚生年金の等級"), premiumMonth, pension.rules->firstMonth);
    const InsuredByAge insured = insuredByAge(birthday, premiumMonth);
    notices << ageNotices(insured);
    const MonthlyPremium p = monthlyPremium(hyojun, insured, rates, *pension.rules);
    const bool care = p.care;

    // Written by hand to keep the order of the statement.
    out() << "{\"PREF\": " << jsonText(QStringLiteral("%1").arg(pref, 2, 10, QLatin1Char('0')))
          << ", \"PREFNAME\": " << jsonText(prefectureName(pref)) << ", \"PAYMONTH\": \"" << payMonth
          << "\", \"PREMIUMMONTH\": \"" << premiumMonth << "\", ";
    if (remuneration >= 0)
        out() << "\"REMUNERATION\": " << remuneration << ", ";
    out() << "\"GRADE\": " << p.grade->grade << ", \"HYOJUN\": " << p.hyojun << ", \"PENSIONGRADE\": " << p.pensionGrade
          << ", \"PENSIONHYOJUN\": " << p.pensionHyojun << ", ";
    if (birthday.isValid())
        out() << "\"AGE\": " << ageInMonth(birthday, premiumMonth) << ", ";
    out() << "\"CARE\": " << (care ? "true" : "false") << ", \"HEALTHRATE\": " << jsonRate(care ? rates.healthCare : rates.health)
          << ", \"SHIENRATE\": " << jsonRate(rates.shien) << ", \"PENSIONRATE\": " << jsonRate(rates.pension)
          << ", \"HEALTH\": " << p.health << ", \"CAREPART\": " << p.carePart << ", \"SHIEN\": " << p.shienPart
          << ", \"PENSION\": " << p.pension << ", \"NOTICES\": [";
    for (int i = 0; i < notices.size(); ++i)
        out() << (i ? ", " : "") << jsonText(notices[i]);
    out() << "]}\n";
    for (const QString& n : notices)
        err() << n << "\n";
    return 0;
}

} // namespace minasel::cli
