#pragma once
#include "app/dberror.h"

#include <QString>
#include <optional>

namespace minasel {

class AppContext;

// The one password of the database file in BASIC.PASSWORD (empty: no protection).
// Values are compared as given: the screen upper-cases both sides before they get here.
class PasswordStore {
public:
    explicit PasswordStore(AppContext& ctx) : m_ctx(ctx) {}

    // The stored password, or nullopt when BASIC cannot be read.
    std::optional<QString> stored();
    // Whether `password` is the stored one; nullopt when the statement failed.
    std::optional<bool> matches(const QString& password);
    bool store(const QString& password);

    const DbError& lastError() const { return m_error; }

private:
    AppContext& m_ctx;
    DbError m_error;
};

} // namespace minasel
