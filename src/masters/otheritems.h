#pragma once
#include <QList>
#include <QString>

namespace minasel {
class AppContext;
}

namespace minasel::masters {

// One employee's other allowances (SONOTA, nine lines, with the hourly-rate
// flag) or other deductions (SONOTAKOJYO, five lines). A line's SNTCODE is its
// line number, so the order on the statement is the order of the lines.
class OtherItems {
public:
    enum class Kind { Teate, Kojyo };
    struct Line {
        QString name;
        double amount = 0;
        bool counts = false;   // KEISANKBN "1": part of the hourly-rate base (allowances only)
        bool operator==(const Line&) const = default;
    };

    OtherItems(AppContext& ctx, Kind kind);

    Kind kind() const { return m_kind; }
    int lineCount() const { return m_kind == Kind::Teate ? 9 : 5; }
    QString screenName() const;   // "MstTeate" / "MstKojyo"

    // The employee's lines in SNTCODE order, packed from the first line.
    bool read(const QString& employeeCode, QList<Line>* out);
    // Replaces the employee's list: line r (from 0) is stored with SNTCODE r + 1,
    // lines with an empty name are skipped. All or nothing.
    bool save(const QString& employeeCode, const QList<Line>& lines);

private:
    QString table() const;

    AppContext& m_ctx;
    Kind m_kind;
};

} // namespace minasel::masters
