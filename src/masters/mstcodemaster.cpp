#include "masters/mstcodemaster.h"

#include <QTableWidget>

namespace minasel::masters {

namespace {
using Kind = GridDelegate::ColumnKind;
}

MstCodeMaster::MstCodeMaster(AppContext& ctx, CodeMaster::Kind kind, QWidget* parent)
    : MasterGridScreen(ctx, kind == CodeMaster::Kind::Sikaku ? QStringLiteral("資格マスタ保守") : QStringLiteral("付加給マスタ保守"),
                       parent),
      m_kind(kind)
{
    const bool sikaku = kind == CodeMaster::Kind::Sikaku;
    setObjectName(sikaku ? QStringLiteral("MstSikaku") : QStringLiteral("MstFukakyu"));
    setupGrid({{QStringLiteral("コード"), Kind::Code, 80},
               {sikaku ? QStringLiteral("資格名称") : QStringLiteral("職務名称"), Kind::Name, 280},
               {QStringLiteral("支給額"), Kind::Amount, 110}},
              0, true);
    setNote(QStringLiteral("◎給与明細入力に進む前に設定してください。"));
    resize(560, 420);
    readData();
}

bool MstCodeMaster::readData()
{
    beginLoad();
    QList<CodeMaster::Line> rows;
    const bool ok = CodeMaster(ctx(), m_kind).read(&rows);
    grid()->setRowCount(0);
    setRows(int(rows.size()) + 1);
    for (int r = 0; r < rows.size(); ++r)
        setLine(r, {rows[r].code, rows[r].name}, {rows[r].amount}, {});
    endLoad();
    return ok;
}

QList<CodeMaster::Line> MstCodeMaster::lines() const
{
    QList<CodeMaster::Line> out;
    for (int r = 0; r < grid()->rowCount(); ++r)
        out.append({text(r, 0).trimmed().toUpper(), text(r, 1).trimmed(), amount(r, 2)});
    return out;
}

bool MstCodeMaster::store()
{
    return CodeMaster(ctx(), m_kind).save(lines());
}

} // namespace minasel::masters
