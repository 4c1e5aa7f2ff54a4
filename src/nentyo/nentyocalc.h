#pragma once
#include "nentyo/nentyorules.h"

#include <QString>
#include <optional>
#include <vector>

namespace minasel::nentyo {

// One employee's year-end record: the boxes of the year-end screen, whole yen.
struct NentyoInput {
    long long kyuryo = 0, kyuryoTax = 0;  // 給料・手当等
    long long syoyo = 0, syoyoTax = 0;    // 賞与等
    long long maeKei = 0, maeTaxKei = 0;  // 前職
    long long hoken = 0;                  // 社会保険料(給与等から) (HOKEN1 + MAEHOKEN)
    long long hoken2 = 0;                 // 社会保険料(申告により)
    long long kakekin = 0;                // 小規模企業共済等掛金
    long long semeHoken = 0, semeHokenNew = 0, kaigoIryoHoken = 0;
    long long nenkinHoken = 0, nenkinHokenNew = 0;
    long long songaiHoken = 0, songaiHoken1 = 0;
    bool haigu = false, oldHaigu = false;
    long long haiguMoney = 0;             // 配偶者の合計所得金額
    int famiNum = 0, famiNum1 = 0, famiNum2 = 0, famiNum3 = 0;
    int syugaisya = 0, syugaisya1 = 0, syugaisya2 = 0;
    bool tkwoman = false;                 // ひとり親
    bool singnam = false;                 // 寡婦
    bool gakusei = false;                 // 勤労学生
    bool tyouseiSw = false;               // 所得金額調整控除適用
    long long tokuKojyo = 0;              // 住宅借入金等特別控除額
    bool nentyo = true;                   // 年末調整 する
    std::vector<long long> tokutei;       // 特定親族 (aged 19-22, not dependants): their incomes
    bool under23 = false;                 // a dependant under 23 exists
    std::optional<long long> declaredTotalIncome;  // the employee's own estimate of 合計所得金額
};

struct NentyoResult {
    long long p = 0, t = 0;           // pay grid 計
    long long kojyogo = 0;            // 控除後の給与等の金額
    long long tyousei = 0;            // 所得金額調整控除
    long long totalIncome = 0;        // 合計所得金額 used for the income limits
    long long hoken = 0, hoken2 = 0, kakekin = 0;
    long long semeKojyo = 0, songaKojyo = 0;
    long long haiguKojyo = 0, tokuteiKojyo = 0, kisoKojyo = 0;
    long long hfksKojyo = 0;          // basic + spouse + 特定親族 + dependants, disability, status
    long long kojyoKei = 0, sasiMoney = 0;
    long long yearTax = 0;
    long long tokuKojyo = 0;
    double calYearTax = 0;            // with the 2.1 % surtax, before the 100-yen cut
    long long kakuteTax = 0, sasihiki = 0;
    bool adjusted = false;            // false: しない, or pay above the adjustment limit
    bool overPayLimit = false;        // pay above 20,000,000 is settled by the employee's own return
    QString rules;
    bool newerRulesMissing = false;
    int requestedYear = 0, rulesYear = 0;
};

// The pieces, each usable on its own (the screen recomputes after every change).
long long salaryIncome(const YearEndRules& rules, long long pay);                   // calc_kyuyo_syotoku
long long incomeAdjustmentDeduction(long long pay, bool apply);                     // calc_tyousei_kojyo
long long spouseDeduction(const YearEndRules& rules, bool hasSpouse, long long spouseIncome,
                          long long employeeTotalIncome, bool elderly);             // calc_haigusya_kojyo
long long basicDeduction(const YearEndRules& rules, long long totalIncome);
long long specificRelativeDeduction(const YearEndRules& rules, long long relativeIncome);
long long lifeInsuranceDeduction(const YearEndRules& rules, const NentyoInput& in);
long long earthquakeInsuranceDeduction(long long oldLongTerm, long long earthquake);
long long annualTax(long long taxableIncome);

constexpr long long kAdjustmentPayLimit = 20'000'000;

NentyoResult calcNentyo(int year, const NentyoInput& in);                          // calc_nentyo

// "2028年分の年末調整の計算規定は未収録のため、2027年分で計算しています。" or "".
QString rulesNotice(const NentyoResult& r);

} // namespace minasel::nentyo
