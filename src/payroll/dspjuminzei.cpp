#include "payroll/dspjuminzei.h"

#include "app/appcontext.h"
#include "app/valuehelpers.h"
#include "payroll/juminzeiimportpreview.h"
#include "payroll/mstjuminzei.h"
#include "payroll/statementwidgets.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace minasel::payroll {

namespace {

// July to May: one amount when they are all the same (the standard split), else "個別".
QString laterMonths(const JuminzeiSchedule& s)
{
    for (int i = 2; i < JuminzeiSchedule::kMonths; ++i)
        if (s.amounts[size_t(i)] != s.amounts[1])
            return QStringLiteral("月ごとに異なる");
    return formatAmount(s.amounts[1]);
}

} // namespace

DspJuminzei::DspJuminzei(AppContext& ctx)
    : Screen(ctx, QStringLiteral("住民税 特別徴収税額一覧")), m_repo(ctx, QStringLiteral("DspJuminzei"))
{
    setObjectName(QStringLiteral("DspJuminzei"));
    chooseFile = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("特別徴収税額のCSVファイル"), QString(),
                                            QStringLiteral("CSV ファイル (*.csv *.txt);;すべてのファイル (*)"));
    };
    resize(900, 560);
    auto* root = new QVBoxLayout(this);

    auto* head = new QHBoxLayout;
    m_txtNendo = yearField(this, QStringLiteral("txtNendo"));
    m_lblNendo = caption(this, QString(), QStringLiteral("lblNendo"));
    head->addWidget(caption(this, QStringLiteral("年度")));
    head->addWidget(m_txtNendo);
    head->addWidget(m_lblNendo);
    head->addStretch();
    root->addLayout(head);

    m_grid = new QTableWidget(0, 7, this);
    m_grid->setObjectName(QStringLiteral("grdJuminzei"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("従業員番号"), QStringLiteral("氏名"), QStringLiteral("前年度 年税額"),
                                       QStringLiteral("年税額"), QStringLiteral("6月分"), QStringLiteral("7月〜5月分"),
                                       QStringLiteral("状態")});
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    for (int c : {0, 2, 3, 4, 5})
        m_grid->setColumnWidth(c, c == 0 ? 84 : 96);
    m_grid->setColumnWidth(1, 140);
    root->addWidget(m_grid, 1);
    m_lblSummary = Screen::makeNote(this, QStringLiteral("lblSummary"), 2);
    root->addWidget(m_lblSummary);

    auto* buttons = new QHBoxLayout;
    auto* cmdInput = functionKeyButton(this, QStringLiteral("cmdInput"), QStringLiteral("税額入力"));
    cmdInput->setToolTip(QStringLiteral("選んだ従業員の特別徴収税額を入力します。"));
    auto* cmdImport = functionKeyButton(this, QStringLiteral("cmdImport"), QStringLiteral("CSV取込"));
    cmdImport->setToolTip(QStringLiteral("従業員番号、年税額、6月〜5月の月割額のCSVファイルから取り込みます。"));
    auto* cmdCancel = functionKeyButton(this, QStringLiteral("cmdCancel"), QStringLiteral("[f・6] 戻 る"));
    buttons->addWidget(cmdInput);
    buttons->addWidget(cmdImport);
    buttons->addStretch();
    buttons->addWidget(cmdCancel);
    root->addLayout(buttons);

    connect(m_txtNendo, &QLineEdit::editingFinished, this, [this] { refresh(); });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { openEntry(); });
    connect(cmdInput, &QPushButton::clicked, this, [this] { openEntry(); });
    connect(cmdImport, &QPushButton::clicked, this, [this] { importCsv(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);

    setYear(MstJuminzei::defaultYear(ctx.clock().today()));
}

int DspJuminzei::year() const
{
    return m_txtNendo->text().trimmed().toInt();
}

void DspJuminzei::setYear(int y)
{
    m_txtNendo->setText(QString::number(y));
    refresh();
}

bool DspJuminzei::refresh()
{
    const int y = year();
    m_lblNendo->setText(y >= 1989 ? QStringLiteral("%1（%2年6月〜%3年5月）").arg(taxYearName(y)).arg(y).arg(y + 1)
                                  : QString());
    const QString selected = m_grid->currentRow() >= 0 && m_grid->item(m_grid->currentRow(), 0)
        ? m_grid->item(m_grid->currentRow(), 0)->text()
        : QString();
    m_lines.clear();
    m_grid->setRowCount(0);
    if (y < 1989 || !m_repo.overview(y, &m_lines))
        return false;
    m_grid->setRowCount(int(m_lines.size()));
    int entered = 0, missing = 0;
    const QBrush warning(QColor(0xb0, 0, 0));
    for (int r = 0; r < m_lines.size(); ++r) {
        const JuminzeiRepository::Line& l = m_lines[r];
        QStringList cells{l.code, l.name, l.previous ? formatAmount(l.previous->yearly) : QString()};
        if (l.current) {
            ++entered;
            cells << formatAmount(l.current->yearly) << formatAmount(l.current->amounts[0]) << laterMonths(*l.current)
                  << (l.current->changedFrom ? QStringLiteral("入力済み（%1月から変更）").arg(l.current->changedFrom)
                                             : QStringLiteral("入力済み"));
        } else {
            missing += l.missing() ? 1 : 0;
            cells << QString() << QString() << QString()
                  << (l.missing() ? QStringLiteral("★未入力（前年度あり）") : QStringLiteral("未入力（マスタの額で徴収）"));
        }
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= 2 && c <= 5)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (l.missing())
                item->setForeground(warning);
            m_grid->setItem(r, c, item);
        }
        if (l.code == selected)
            m_grid->setCurrentCell(r, 0);
    }
    m_lblSummary->setText(QStringLiteral("在籍 %1 名のうち入力済み %2 名、未入力 %3 名。").arg(m_lines.size()).arg(entered)
                              .arg(m_lines.size() - entered)
                          + (missing ? QStringLiteral("\n★ 前年度は特別徴収だったのに%1の税額がない従業員が %2 名います。")
                                           .arg(taxYearName(y))
                                           .arg(missing)
                                     : QString()));
    m_lblSummary->setStyleSheet(missing ? QStringLiteral("color: #b00000;") : QString());
    return true;
}

QWidget* DspJuminzei::openEntry()
{
    const int r = m_grid->currentRow();
    if (r < 0 || r >= m_lines.size()) {
        ctx().messages().exclamation(QStringLiteral("従業員を選んだ後、「税額入力」ボタンを押して下さい。"));
        m_grid->setFocus();
        return nullptr;
    }
    auto* entry = new MstJuminzei(ctx());
    entry->setEmployee(m_lines[r].code);
    entry->setYear(year());
    connect(entry, &Screen::closed, this, [this] { refresh(); });
    Screen::openFrom(this, entry);
    return entry;
}

QWidget* DspJuminzei::importCsv()
{
    const int y = year();
    if (y < 1989) {
        ctx().messages().exclamation(QStringLiteral("年度を入力した後、「CSV取込」ボタンを押して下さい。"));
        m_txtNendo->setFocus();
        return nullptr;
    }
    const QString path = chooseFile ? chooseFile(this) : QString();
    if (path.isEmpty())
        return nullptr;
    JuminzeiImport import;
    QString fileError;
    if (!m_repo.readCsv(path, y, &import, &fileError)) {
        if (!fileError.isEmpty())
            ctx().messages().exclamation(fileError);
        return nullptr;
    }
    auto* preview = new JuminzeiImportPreview(ctx(), path, y, std::move(import));
    connect(preview, &Screen::closed, this, [this] { refresh(); });
    Screen::openFrom(this, preview);
    return preview;
}

} // namespace minasel::payroll
