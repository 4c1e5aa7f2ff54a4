#pragma once
#include <QString>

namespace minasel {
class AppContext;
}

namespace minasel::backup {

// Compacts Kyuyo.db: a compacted, checked copy is written beside it and then
// put in its place in one step, so there is never a moment without a valid
// Kyuyo.db. The shared connection is closed for the work and opened again
// afterwards whatever happened. Tells the user the outcome through ctx.messages().
class DatabaseCompactor {
public:
    enum class Outcome { Compacted, Busy, CopyFailed, RenameFailed, ReopenFailed };

    explicit DatabaseCompactor(AppContext& ctx);

    Outcome run();

    // The question asked before compacting (the screen asks it).
    static QString question();
    // The compacted copy's name while it is being made.
    static QString copyFileName() { return QStringLiteral("bak_Kyuyo.db"); }

    const QString& errorText() const { return m_error; }

private:
    Outcome finish(Outcome outcome);
    bool otherConnectionsOpen() const;

    AppContext& m_ctx;
    QString m_error;
};

} // namespace minasel::backup
