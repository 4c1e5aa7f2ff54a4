#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace minasel {
class AppContext;
}

namespace minasel::masters {

// The qualification (SIKAKU) or additional-pay (FUKAKYU) table of the current
// company, read and replaced as a whole.
class CodeMaster {
public:
    enum class Kind { Sikaku, Fukakyu };
    struct Line {
        QString code;
        QString name;
        double amount = 0;
        bool operator==(const Line&) const = default;
    };

    CodeMaster(AppContext& ctx, Kind kind);

    Kind kind() const { return m_kind; }
    QString screenName() const;   // "MstSikaku" / "MstFukakyu"

    // Every line in code order. `procedure` names the caller in the log
    // (default "<screen>.read_data").
    bool read(QList<Line>* out, const QString& procedure = QString());
    // Replaces the company's whole table: lines with an empty code are skipped,
    // codes are stored upper-cased. All or nothing.
    bool save(const QList<Line>& lines);

    // check_code: the index of another line with the same code (ignoring
    // empty codes and case), or -1.
    static int findDuplicate(const QStringList& codes, int row);
    // The text of a list entry: code, blank, name, " ¥" and the amount "#,##0".
    static QString entryText(const Line& line);

private:
    QString table() const;
    QString codeColumn() const;

    AppContext& m_ctx;
    Kind m_kind;
};

} // namespace minasel::masters
