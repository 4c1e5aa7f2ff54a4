#pragma once
#include "masters/companyinfo.h"

#include <QList>
#include <QPair>
#include <QStringList>

namespace minasel {
class AppContext;
}

namespace minasel::masters {

// The COMPANY rows: read, register, update, count, numbering and the deletion of
// a company with everything that belongs to it. Faults are logged under the
// company screen's procedure names and reported as false.
class CompanyRepository {
public:
    static constexpr int kMaxCompanies = 99;

    explicit CompanyRepository(AppContext& ctx);

    // set_data_to_form: false on a fault; *found tells whether the row exists.
    bool read(const QString& cid, CompanyInfo* out, bool* found);
    // update_data: every field and TOROKUBI = today.
    bool update(const QString& cid, const CompanyInfo& info);
    // A new row through the row writer, TOROKUBI = today.
    bool insert(const QString& cid, const CompanyInfo& info);
    // Number of COMPANY rows, -1 after a fault (kaisha_num_check).
    int count();
    // Every company as (CID, name) in code order; false after a fault.
    bool list(QList<QPair<QString, QString>>* out);
    // Removes the company from all eight tables in one transaction, or nothing.
    bool remove(const QString& cid);
    // Remembers the current company for the next start.
    bool rememberCurrent(const QString& cid);

    // get_new_cid: the smallest free number from 51 upward, "100" when 51..99 are taken.
    static QString newCid(const QStringList& usedIds);

private:
    AppContext& m_ctx;
};

} // namespace minasel::masters
