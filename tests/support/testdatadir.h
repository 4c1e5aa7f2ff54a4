#pragma once
#include "app/appcontext.h"
#include "app/clock.h"
#include "app/fakemessages.h"

#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

namespace minasel::test {

// A throw-away data folder with a fresh database (schema and seed), an
// AppContext over it with recorded messages and a fixed clock, the shared
// connection open and company "01" current. Everything is removed afterwards.
class TestDataDir {
public:
    explicit TestDataDir(bool openDatabase = true,
                         QDateTime now = QDateTime(QDate(2026, 12, 6), QTime(10, 0, 0)));
    ~TestDataDir();

    AppContext& ctx() { return *m_ctx; }
    FakeMessages& messages() { return m_messages; }
    FixedClock& clock() { return m_clock; }
    QString path() const;   // without the final '/'

    // One-row, one-column query helpers for assertions.
    QVariant scalar(const QString& sql) const;
    int count(const QString& sql) const;
    bool exec(const QString& sql) const;

private:
    QTemporaryDir m_dir;
    FakeMessages m_messages;
    FixedClock m_clock;
    std::unique_ptr<AppContext> m_ctx;
    QByteArray m_oldEnv;
    bool m_hadEnv = false;
};

// Thrown by the test terminate hook instead of ending the test program.
struct TerminateCalled : std::runtime_error {
    explicit TerminateCalled(int c) : std::runtime_error("terminate"), code(c) {}
    int code;
};

} // namespace minasel::test
