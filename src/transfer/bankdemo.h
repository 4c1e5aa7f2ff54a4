#pragma once
#include <QString>
#include <QStringList>

namespace minasel {
class AppContext;
}

namespace minasel::transfer {

// Synthetic bank data for demonstration companies: bank codes 9900 to 9999, which
// no real bank uses, so that a demo transfer file names no real bank or account.
// Every employee gets an account in the holder name from his kana; one employee
// in ten is paid otherwise (and so is listed apart on the transfer screen).
class BankDemo {
public:
    // Each company in one transaction; false with *error leaves that company's
    // bank data out and stops.
    static bool run(AppContext& ctx, const QStringList& companyIds, unsigned seed, QString* error);
};

} // namespace minasel::transfer
