#include "payroll/shahorates.h"

#include <cmath>

namespace minasel::payroll {
namespace {

// 令和8年度 保険料額表 of 協会けんぽ, from premium month 202603.
constexpr KenpoRates kKenpo[] = {
    {"令和8年度", 202603, 202702,
     {10280, 9850,  9510,  10100, 10010, 9750,  9500,  9520,  9820,  9680,  9670,  9730,
      9850,  9920,  9210,  9590,  9700,  9710,  9550,  9630,  9800,  9610,  9930,  9770,
      9880,  9890,  10130, 10120, 9910,  10060, 9860,  9940,  10050, 9780,  10150, 10240,
      10020, 9980,  10050, 10110, 10550, 10060, 10080, 10080, 9770,  10130, 9440},
     1620},
};

constexpr ShienRates kShien[] = {
    {"令和8年度", 202604, 202703, 230},
};

// 18.3 % since 201709 and 650,000 at the top since 202009; the earlier top is not
// recorded (older months take this set). A law of 2025 raises the top from premium
// month 202709; its grades are not recorded yet, so this set ends before them.
constexpr PensionRules kPension[] = {
    {"令和2年9月", 0, 202708, 18300, 88'000, 650'000},
};

constexpr KoyoRates kKoyo[] = {
    {"令和7年度", 202504, 202603, {55, 65, 65}},
    {"令和8年度", 202604, 202703, {50, 60, 60}},
};

const char16_t* const kPrefectureNames[kPrefectures] = {
    u"北海道", u"青森県", u"岩手県", u"宮城県", u"秋田県", u"山形県", u"福島県", u"茨城県",
    u"栃木県", u"群馬県", u"埼玉県", u"千葉県", u"東京都", u"神奈川県", u"新潟県", u"富山県",
    u"石川県", u"福井県", u"山梨県", u"長野県", u"岐阜県", u"静岡県", u"愛知県", u"三重県",
    u"滋賀県", u"京都府", u"大阪府", u"兵庫県", u"奈良県", u"和歌山県", u"鳥取県", u"島根県",
    u"岡山県", u"広島県", u"山口県", u"徳島県", u"香川県", u"愛媛県", u"高知県", u"福岡県",
    u"佐賀県", u"長崎県", u"熊本県", u"大分県", u"宮崎県", u"鹿児島県", u"沖縄県"};

template <class Rules>
Dated<Rules> datedFor(std::span<const Rules> sets, int month)
{
    Dated<Rules> d;
    if (sets.empty() || month < sets.front().firstMonth)
        return d;
    d.beyondNewest = month > sets.back().lastMonth;
    d.rules = &sets.back();
    for (const Rules& r : sets)
        if (month <= r.lastMonth) {
            d.rules = &r;
            break;
        }
    return d;
}

} // namespace

std::span<const KenpoRates> kenpoRateSets() { return kKenpo; }

Dated<KenpoRates> kenpoRatesFor(int premiumMonth) { return datedFor<KenpoRates>(kKenpo, premiumMonth); }
Dated<PensionRules> pensionRulesFor(int premiumMonth) { return datedFor<PensionRules>(kPension, premiumMonth); }
Dated<KoyoRates> koyoRatesFor(int payMonth) { return datedFor<KoyoRates>(kKoyo, payMonth); }

int shienFirstMonth() { return kShien[0].firstMonth; }

int shienRateFor(int premiumMonth, bool* beyondNewest)
{
    const Dated<ShienRates> d = datedFor<ShienRates>(kShien, premiumMonth);
    if (beyondNewest)
        *beyondNewest = d.beyondNewest;
    return d.rules ? d.rules->rate : 0;
}

QString prefectureName(int code)
{
    return code >= 1 && code <= kPrefectures ? QString::fromUtf16(kPrefectureNames[code - 1]) : QString();
}

int prefectureCode(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    bool number = false;
    const int n = t.toInt(&number);
    if (number)
        return n >= 1 && n <= kPrefectures ? n : 0;
    for (int code = 1; code <= kPrefectures; ++code) {
        const QString full = prefectureName(code);
        // 北海道 has no suffix to drop; the others may be typed without 都, 府 or 県.
        const QString shortName = code == 1 ? full : full.chopped(1);
        if (t == full || t == shortName || t.startsWith(full))
            return code;
    }
    return 0;
}

QString jigyoKindName(int kind)
{
    switch (kind) {
    case int(JigyoKind::General): return QStringLiteral("一般の事業");
    case int(JigyoKind::Agriculture): return QStringLiteral("農林水産・清酒製造の事業");
    case int(JigyoKind::Construction): return QStringLiteral("建設の事業");
    }
    return QString();
}

bool statutoryRates(int prefecture, int premiumMonth, int payMonth, int jigyoKind, StatutoryRates* out,
                    QString* error)
{
    *out = StatutoryRates();
    if (prefectureName(prefecture).isEmpty()) {
        *error = QStringLiteral("都道府県が分かりません。都道府県を選んで下さい。");
        return false;
    }
    if (jigyoKindName(jigyoKind).isEmpty()) {
        *error = QStringLiteral("事業の種類を選んで下さい。");
        return false;
    }
    const Dated<KenpoRates> kenpo = kenpoRatesFor(premiumMonth);
    const Dated<PensionRules> pension = pensionRulesFor(premiumMonth);
    const Dated<KoyoRates> koyo = koyoRatesFor(payMonth);
    if (!kenpo.rules || !koyo.rules) {
        const int first = !kenpo.rules ? kKenpo[0].firstMonth : kKoyo[0].firstMonth;
        *error = QStringLiteral("%1年%2月%3より前の料率は収録されていません。")
                     .arg(first / 100)
                     .arg(first % 100)
                     .arg(!kenpo.rules ? QStringLiteral("分") : QStringLiteral("支給分"));
        return false;
    }
    out->health = kenpo.rules->health[size_t(prefecture - 1)];
    out->healthCare = out->health + kenpo.rules->care;
    out->pension = pension.rules->rate;
    out->koyo = koyo.rules->employee[size_t(jigyoKind - 1)] / 10000.0;
    if (kenpo.beyondNewest)
        out->notices << newestRatesNotice(QStringLiteral("協会けんぽの料率"), premiumMonth, kenpo.rules->firstMonth);
    if (koyo.beyondNewest)
        out->notices << newestRatesNotice(QStringLiteral("雇用保険料率"), payMonth, koyo.rules->firstMonth,
                                          QStringLiteral("支給分"));
    return true;
}

QString newestRatesNotice(const QString& what, int askedMonth, int usedFirstMonth, const QString& unit)
{
    return QStringLiteral("%1年%2月%3の%4は未収録のため、%5年%6月%3からの%4で計算しています。")
        .arg(askedMonth / 100)
        .arg(askedMonth % 100)
        .arg(unit, what)
        .arg(usedFirstMonth / 100)
        .arg(usedFirstMonth % 100);
}

double ratePercent(int milli)
{
    return milli / 1000.0;
}

int rateMilli(double percent)
{
    return int(std::llround(percent * 1000.0));
}

} // namespace minasel::payroll
