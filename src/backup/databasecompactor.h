#pragma once
#include <QString>

namespace minasel {
class AppContext;
}

namespace minasel::backup {

// Compacts Kyuyo.db in place (db::compactDatabase): the file keeps its name,
// its mode and any link to it, and a connection of another process is never
// left on a file that has been swapped away. The shared connection stays open.
// Tells the user the outcome through ctx.messages().
class DatabaseCompactor {
public:
    enum class Outcome { Compacted, Busy, CopyFailed };

    explicit DatabaseCompactor(AppContext& ctx);

    // Compacts; failures are shown at once, the completion message only by
    // tellCompleted() (so that a screen can first take its working notice away).
    Outcome run();
    void tellCompleted() const;

    // The question asked before compacting (the screen asks it).
    static QString question();
    // The copy older versions made beside the file; one left behind is removed.
    static QString copyFileName() { return QStringLiteral("bak_Kyuyo.db"); }

    const QString& errorText() const { return m_error; }

private:
    AppContext& m_ctx;
    QString m_error;
};

} // namespace minasel::backup
