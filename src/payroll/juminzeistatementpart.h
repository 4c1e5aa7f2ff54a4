#pragma once
#include "payroll/juminzeirepository.h"

#include <QObject>

class QCheckBox;
class QLabel;

namespace minasel {
class AppContext;
}

namespace minasel::payroll {

// The resident tax of the salary statement screen: where the amount of a new statement
// comes from (the notice of its tax year, else the master), the last pay of a leaver
// offering the rest up to May in one sum, and the line that says which. A stored
// statement keeps its amount; the line then only tells where it came from.
class JuminzeiStatementPart : public QObject {
    Q_OBJECT
public:
    JuminzeiStatementPart(AppContext& ctx, QWidget* parent);

    // The one-sum choice (chkJuminzeiIkkatu) over the line that says where the amount
    // comes from (lblJuminzei), for the screen to place below the resident tax.
    QWidget* box() const { return m_box; }

    void clear();
    // A new statement from the master: decides the source; for a leaver whose rest may be
    // taken only on request, asks whether the employee requested it.
    bool startNew(const QString& code, const QString& payMonth, long long masterAmount);
    // A stored statement: its amount stays as stored.
    bool showStored(const QString& code, const QString& payMonth, long long storedAmount, long long available);
    // The user typed the amount: it stays as typed.
    void typedByHand();

    // The amount the statement should take now that the net pay before resident tax is
    // `available`; nullopt when the amount is not the screen's to set (stored, typed).
    std::optional<long long> amountFor(long long available);

signals:
    // The one-sum choice changed: the statement is computed again.
    void lumpToggled();

private:
    AppContext& m_ctx;
    JuminzeiRepository m_repo;
    std::optional<JuminzeiPlan> m_plan;   // set for a new statement until the amount is typed
    QWidget* m_box;
    QLabel* m_label;
    QCheckBox* m_lump;
};

} // namespace minasel::payroll
