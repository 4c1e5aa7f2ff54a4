#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <span>

// Social-insurance rates as dated data, one set per period in force, like the
// withholding rules: a premium month after the newest set's last month takes the
// newest set and the program says so. Rates are in thousandths of a per cent
// (9.85 % = 9850), employer and employee together; the employee pays half.
namespace minasel::payroll {

constexpr int kPrefectures = 47;

// 協会けんぽ: the health rate of each prefecture (code 1 to 47 at index code - 1) and
// the care rate that care-insured employees pay on top of it.
struct KenpoRates {
    const char* name;
    int firstMonth;   // premium month yyyymm
    int lastMonth;
    std::array<int, kPrefectures> health;
    int care;
};

// 子ども・子育て支援金, paid by every health-insured person from its first premium month.
struct ShienRates {
    const char* name;
    int firstMonth;
    int lastMonth;
    int rate;
};

// 厚生年金: the rate and the lowest and highest standard monthly remuneration.
struct PensionRules {
    const char* name;
    int firstMonth;
    int lastMonth;
    int rate;
    long long lowest;
    long long highest;
};

// Kinds of business of employment insurance, as stored in SYAHOSETTEI.JIGYOKBN.
enum class JigyoKind { General = 1, Agriculture = 2, Construction = 3 };
constexpr int kJigyoKinds = 3;

// Employment insurance, the employee's own share in tenths of a per mille (5/1,000 =
// 50) by kind of business, by pay month (a fiscal year runs from April pay to March pay).
struct KoyoRates {
    const char* name;
    int firstMonth;   // pay month
    int lastMonth;
    std::array<int, kJigyoKinds> employee;
};

// A set found for a month: none when the month is before the first recorded set.
template <class Rules>
struct Dated {
    const Rules* rules = nullptr;
    bool beyondNewest = false;   // the month is after the newest set's last month
};

Dated<KenpoRates> kenpoRatesFor(int premiumMonth);
Dated<PensionRules> pensionRulesFor(int premiumMonth);
Dated<KoyoRates> koyoRatesFor(int payMonth);
// The levy's rate for a premium month: 0 before its first month.
int shienRateFor(int premiumMonth, bool* beyondNewest = nullptr);
// The first premium month of the levy (202604).
int shienFirstMonth();

std::span<const KenpoRates> kenpoRateSets();

// 1 北海道 … 47 沖縄県; "" for a code out of range.
QString prefectureName(int code);
// The code of a prefecture typed as "東京都", "東京" or "13" (or an address that starts
// with the full name); 0 when it is none of the 47.
int prefectureCode(const QString& text);
// "一般の事業", "農林水産・清酒製造の事業", "建設の事業"; "" for an unknown kind.
QString jigyoKindName(int kind);

// The rates of the law for a company: 協会けんぽ health of its prefecture for a premium
// month, with care, the pension, and the employment-insurance rate of the kind of
// business for the pay month that collects that premium month.
struct StatutoryRates {
    int health = 0;        // thousandths of a per cent
    int healthCare = 0;
    int pension = 0;
    double koyo = 0;       // the employee's rate as a fraction (0.005)
    QStringList notices;   // rates later than the newest recorded ones
};
// False with the reason in *error for an unknown prefecture or a month before the
// first recorded rates.
bool statutoryRates(int prefecture, int premiumMonth, int payMonth, int jigyoKind, StatutoryRates* out,
                    QString* error);

// "2027年3月分の協会けんぽの料率は未収録のため、2026年3月分からの料率で計算しています。"
// `what` names the rates ("協会けんぽの料率"), `unit` the month ("分" premium, "支給分" pay).
QString newestRatesNotice(const QString& what, int askedMonth, int usedFirstMonth,
                          const QString& unit = QStringLiteral("分"));

// A rate in thousandths of a per cent as the percentage the screens show (9850 → 9.85).
double ratePercent(int milli);
// A percentage as thousandths of a per cent, to the nearest.
int rateMilli(double percent);

} // namespace minasel::payroll
