#include "payroll/shahopremiums.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "masters/shahostore.h"
#include "payroll/statementrepository.h"
#include "payroll/syoyocalculator.h"

namespace minasel::payroll {

namespace {
QString percent(int milli)
{
    return formatNumber(ratePercent(milli), QStringLiteral("#0.000")) + QStringLiteral("%");
}

} // namespace

QString shienNote(long long shien)
{
    return shien > 0 ? QStringLiteral("うち子ども・子育て支援金 %1").arg(formatYen(shien)) : QString();
}

QString insuranceNote(long long shien, const StatementInsurance& ins)
{
    QStringList lines;
    if (shien > 0)
        lines << shienNote(shien);
    if (!ins.careWarning.isEmpty())
        lines << ins.careWarning;
    lines << ins.notices;
    return lines.join(QStringLiteral("　"));
}

void applyStandardPremiums(MeisaiRecord& s, const StatementInsurance& ins)
{
    if (!ins.fromHyojun)
        return;
    s.health = ins.premium.health;
    s.pension = ins.premium.pension;
    s.healthKind = ins.age.care ? QStringLiteral("1") : QStringLiteral("0");
}

long long salaryShienPart(const MeisaiRecord& s, const StatementInsurance& ins)
{
    return ins.fromHyojun && ins.premium.health == s.health ? ins.premium.shienPart : 0;
}

QString StatementInsurance::explanation() const
{
    if (!fromHyojun)
        return QString();
    const MonthlyPremium& p = premium;
    QString health = QStringLiteral("健康保険 %1").arg(percent(age.care ? rates.healthCare : rates.health));
    if (age.care)
        health += QStringLiteral("（介護保険を含む）");
    if (rates.shien > 0)
        health += QStringLiteral("＋支援金 %1").arg(percent(rates.shien));
    if (p.healthEnded)
        health = QStringLiteral("健康保険 なし（75歳以上）");
    QString text = QStringLiteral("%1分（%2支給）: %3 → %4")
                       .arg(monthText(premiumMonth), monthText(payMonth), health, formatYen(p.health));
    if (p.shienPart > 0)
        text += QStringLiteral("（%1）").arg(shienNote(p.shienPart));
    if (p.pensionEnded)
        return text + QStringLiteral("\n厚生年金 なし（70歳以上）→ %1").arg(formatYen(0));
    text += QStringLiteral("\n厚生年金 %1（%2級 %3）→ %4")
                .arg(percent(rates.pension))
                .arg(p.pensionGrade)
                .arg(formatAmount(p.pensionHyojun), formatYen(p.pension));
    return text;
}

ShahoPremiums::ShahoPremiums(AppContext& ctx, QString form) : m_ctx(ctx), m_form(std::move(form)) {}

bool ShahoPremiums::compute(const masters::EmployeeInsurance& e, int payMonth, int premiumMonth,
                            StatementInsurance* out)
{
    *out = StatementInsurance();
    out->payMonth = payMonth;
    out->premiumMonth = premiumMonth;
    if (premiumMonth == 0)
        return true;
    CompanyRates company;
    masters::SyahoSettings settings;
    if (!StatementRepository(m_ctx, m_form).companyRates(&company)
        || !masters::ShahoStore(m_ctx, m_form).readSettings(m_ctx.companyId, &settings))
        return false;

    PremiumRates& r = out->rates;
    r.health = rateMilli(company.healthRate);
    r.healthCare = rateMilli(company.healthRateCare);
    r.pension = rateMilli(company.pensionRate);
    if (premiumMonth >= shienFirstMonth()) {
        bool beyond = false;
        r.shien = settings.shienByLaw ? shienRateFor(premiumMonth, &beyond) : rateMilli(settings.shienRate);
        if (beyond)
            out->notices << newestRatesNotice(QStringLiteral("子ども・子育て支援金率"), premiumMonth, shienFirstMonth());
    }

    const QDate birthday = QDate::fromString(e.birthday, QStringLiteral("yyyyMMdd"));
    out->age = insuredByAge(birthday, premiumMonth);
    if (!birthday.isValid())
        out->age.care = e.careFlag;
    out->careWarning = careWarning(birthday, premiumMonth, e.careFlag);
    out->notices << ageNotices(out->age);

    if (e.hyojun <= 0)
        return true;
    const Dated<PensionRules> pension = pensionRulesFor(premiumMonth);
    if (pension.beyondNewest)
        out->notices << newestRatesNotice(QStringLiteral("厚生年金の等級"), premiumMonth, pension.rules->firstMonth);
    out->fromHyojun = true;
    out->premium = monthlyPremium(e.hyojun, out->age, r, *pension.rules);
    return true;
}

bool ShahoPremiums::salaryFor(const masters::EmployeeInsurance& e, int payMonth, StatementInsurance* out)
{
    masters::SyahoSettings settings;
    if (!masters::ShahoStore(m_ctx, m_form).readSettings(m_ctx.companyId, &settings))
        return false;
    return compute(e, payMonth, payMonth ? premiumMonthOf(payMonth, settings.sameMonth) : 0, out);
}

bool ShahoPremiums::salary(const QString& code, const QString& payMonth, StatementInsurance* out)
{
    masters::EmployeeInsurance e;
    if (!masters::ShahoStore(m_ctx, m_form).readEmployee(code, &e))
        return false;
    return salaryFor(e, monthNumber(payMonth), out);
}

bool ShahoPremiums::bonus(const QString& code, const QString& payMonth, StatementInsurance* out)
{
    masters::EmployeeInsurance e;
    if (!masters::ShahoStore(m_ctx, m_form).readEmployee(code, &e))
        return false;
    e.hyojun = 0;   // a bonus has its own standard amount
    const int month = monthNumber(payMonth);
    return compute(e, month, month, out);
}

long long ShahoPremiums::shienPart(const MeisaiRecord& s)
{
    StatementInsurance ins;
    if (s.kind == QLatin1String("2")) {
        if (!bonus(s.employeeCode, s.payMonth, &ins) || ins.rates.shien == 0)
            return 0;
        const long long earlier = StatementRepository(m_ctx, m_form).healthStandardEarlier(s.employeeCode, s.payMonth);
        const long long standard = bonusHealthStandard(s.kihonkyu, earlier);
        const int rate = s.healthKind == QLatin1String("1") ? ins.rates.healthCare : ins.rates.health;
        return halfPremium(standard, rate + ins.rates.shien) == s.health ? halfPremium(standard, ins.rates.shien) : 0;
    }
    if (!salary(s.employeeCode, s.payMonth, &ins))
        return 0;
    return salaryShienPart(s, ins);
}

} // namespace minasel::payroll
