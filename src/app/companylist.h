#pragma once
#include "app/dberror.h"

#include <QList>
#include <QString>
#include <optional>

namespace minasel {

class AppContext;

// The companies of the main menu's list and the few statements behind picking one:
// reading COMPANY in code order, remembering the pick in BASIC, and the template check.
class CompanyList {
public:
    struct Entry {
        QString cid;    // "01" .. "99"
        QString name;
    };

    // Every company in code order; false (and lastError) when COMPANY cannot be read.
    bool load(AppContext& ctx);
    const QList<Entry>& entries() const { return m_entries; }
    int indexOf(const QString& cid) const;
    const DbError& lastError() const { return m_error; }

    // "Update BASIC Set CID": the company the next run starts with.
    bool remember(AppContext& ctx, const QString& cid);
    // TOROKUBI of a company as stored (untrimmed); nullopt when the company has no row.
    // `ok` is false when the statement failed.
    std::optional<QString> registrationDate(AppContext& ctx, const QString& cid, bool* ok);

    // The date an industry template carries until it has been set up.
    static QString templateDate() { return QStringLiteral("2000/01/01"); }
    // Two-digit code of a list entry's number ("0#").
    static QString formatCode(int number) { return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')); }

private:
    QList<Entry> m_entries;
    DbError m_error;
};

} // namespace minasel
