#pragma once
#include "masters/codemaster.h"
#include "masters/mastergridscreen.h"

namespace minasel::masters {

// The qualification master (MstSikaku) or the additional-pay master (MstFukakyu):
// the company's whole table on one grid, registered as a whole.
class MstCodeMaster : public MasterGridScreen {
    Q_OBJECT
public:
    MstCodeMaster(AppContext& ctx, CodeMaster::Kind kind, QWidget* parent = nullptr);

    bool readData();
    QList<CodeMaster::Line> lines() const;

protected:
    bool store() override;

private:
    CodeMaster::Kind m_kind;
};

} // namespace minasel::masters
