#pragma once
#include <QString>

namespace minasel {
class AppContext;
}

namespace minasel::masters {

// How a company computes social insurance (SYAHOSETTEI). Without a row the company
// takes the levy by the law and collects from the next month's pay.
struct SyahoSettings {
    bool shienByLaw = true;   // the child-support levy rate of the law for each month
    double shienRate = 0.23;  // per cent, from the levy's first month, when not by the law
    bool sameMonth = false;   // 当月徴収: the pay of a month collects that month's premiums
    int jigyoKind = 1;        // employment insurance: 1 general, 2 agriculture etc., 3 construction

    bool operator==(const SyahoSettings&) const = default;
};

// What the premiums of one employee take from the master: the standard monthly
// remuneration (HYOJUNHOSYU, 0 when none is set), the birthday and the care flag.
struct EmployeeInsurance {
    long long hyojun = 0;
    long long remuneration = 0;   // the 報酬月額 the grade was found from; 0 when typed directly
    QString birthday;             // "yyyymmdd" or ""
    bool careFlag = false;        // KEHOKBN
};

// The two social-insurance side tables of the current company. Faults are logged
// under `form` and the procedure, with the common message, and reported as false.
class ShahoStore {
public:
    ShahoStore(AppContext& ctx, QString form);

    bool readSettings(const QString& cid, SyahoSettings* out);
    // Replaces the company's row; runs inside the caller's transaction when it has one.
    bool saveSettings(const QString& cid, const SyahoSettings& s);
    // The employee's standard amount with his birthday and care flag; *found false
    // when the employee does not exist.
    bool readEmployee(const QString& code, EmployeeInsurance* out, bool* found = nullptr);
    // Replaces the employee's standard amount; 0 removes it.
    bool saveHyojun(const QString& code, long long hyojun, long long remuneration);

    // Refusal texts for values that must not be stored; "" when the value is sound.
    static QString checkRate(const QString& label, double percent);

private:
    AppContext& m_ctx;
    QString m_form;
};

} // namespace minasel::masters
