#include "masters/mstotheritems.h"

#include <QGridLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace minasel::masters {

namespace {
using Kind = GridDelegate::ColumnKind;
}

MstOtherItems::MstOtherItems(AppContext& ctx, OtherItems::Kind kind, const QString& employeeCode,
                             const QString& employeeName, QWidget* parent)
    : MasterGridScreen(ctx, kind == OtherItems::Kind::Teate ? QStringLiteral("その他手当の設定") : QStringLiteral("その他控除の設定"),
                       parent),
      m_kind(kind)
{
    const bool teate = kind == OtherItems::Kind::Teate;
    setObjectName(teate ? QStringLiteral("MstTeate") : QStringLiteral("MstKojyo"));
    auto* head = new QGridLayout;
    m_code = new QLabel(employeeCode, this);
    m_code->setObjectName(QStringLiteral("lblCode"));
    m_name = new QLabel(employeeName, this);
    m_name->setObjectName(QStringLiteral("lblName"));
    for (QLabel* l : {m_code, m_name}) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(200);
    }
    head->addWidget(new QLabel(QStringLiteral("従業員番号"), this), 0, 0);
    head->addWidget(m_code, 0, 1);
    head->addWidget(new QLabel(QStringLiteral("氏　　　　 名"), this), 1, 0);
    head->addWidget(m_name, 1, 1);
    head->setColumnStretch(2, 1);
    headerLayout()->addLayout(head);
    if (teate)
        setupGrid({{QStringLiteral("手当名称"), Kind::Name, 260},
                   {QStringLiteral("支給額"), Kind::Amount, 110},
                   {QStringLiteral("時間割賃金の計算対象"), Kind::Check, 160}},
                  0, false);
    else
        setupGrid({{QStringLiteral("控除名称"), Kind::Name, 260}, {QStringLiteral("控除額"), Kind::Amount, 110}}, 0,
                  false);
    resize(teate ? 640 : 480, 400);
    readData();
}

bool MstOtherItems::readData()
{
    beginLoad();
    QList<OtherItems::Line> rows;
    OtherItems items(ctx(), m_kind);
    const bool ok = items.read(m_code->text(), &rows);
    grid()->setRowCount(0);
    setRows(std::max(items.lineCount(), int(rows.size())));
    for (int r = 0; r < rows.size(); ++r)
        setLine(r, {rows[r].name}, {rows[r].amount}, {rows[r].counts ? 1 : 0});
    endLoad();
    return ok;
}

QList<OtherItems::Line> MstOtherItems::lines() const
{
    QList<OtherItems::Line> out;
    const bool teate = m_kind == OtherItems::Kind::Teate;
    for (int r = 0; r < grid()->rowCount(); ++r)
        out.append({text(r, 0).trimmed(), amount(r, 1), teate && checked(r, 2)});
    return out;
}

bool MstOtherItems::store()
{
    return OtherItems(ctx(), m_kind).save(m_code->text(), lines());
}

} // namespace minasel::masters
