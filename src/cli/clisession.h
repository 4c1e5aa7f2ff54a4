#pragma once
#include "app/appcontext.h"
#include "app/clock.h"
#include "app/messages.h"

namespace minasel::cli {

// Message boxes as lines on stderr; questions take their default answer.
class StderrMessages : public Messages {
public:
    Answer show(Icon icon, const QString& title, const QString& text, Buttons buttons, Answer defaultAnswer) override;
};

// What a command needs of the program's start-up: the data folder with its log,
// the shared connection (closed at the end) and the current company.
class CliSession {
public:
    explicit CliSession(const QString& connectionName);
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    AppContext& ctx() { return m_ctx; }
    // False, with the reason on stderr, when there is no database or it cannot be opened.
    bool open(const QString& dataDir);
    // False, with the reason on stderr, when the company does not exist.
    bool chooseCompany(const QString& cid);

private:
    StderrMessages m_messages;
    SystemClock m_clock;
    AppContext m_ctx;
};

} // namespace minasel::cli
