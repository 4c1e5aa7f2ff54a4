#pragma once
#include "masters/mastergridscreen.h"
#include "masters/otheritems.h"

class QLabel;

namespace minasel::masters {

// One employee's other allowances (MstTeate, nine lines) or other deductions
// (MstKojyo, five lines), opened from the employee master.
class MstOtherItems : public MasterGridScreen {
    Q_OBJECT
public:
    MstOtherItems(AppContext& ctx, OtherItems::Kind kind, const QString& employeeCode, const QString& employeeName,
                  QWidget* parent = nullptr);

    bool readData();
    QList<OtherItems::Line> lines() const;

protected:
    bool store() override;

private:
    OtherItems::Kind m_kind;
    QLabel* m_code = nullptr;
    QLabel* m_name = nullptr;
};

} // namespace minasel::masters
