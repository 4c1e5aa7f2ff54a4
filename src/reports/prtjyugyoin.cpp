#include "reports/prtjyugyoin.h"

#include "app/appcontext.h"
#include "reports/dspjyugyoin.h"
#include "reports/employeelist.h"
#include "reports/employeelistlayout.h"
#include "reports/employeepicker.h"
#include "reports/fonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace minasel::reports {

PrtJyugyoin::PrtJyugyoin(AppContext& ctx, QWidget* parent) : Screen(ctx, QStringLiteral("従業員名簿印刷"), parent)
{
    setObjectName(QStringLiteral("PrtJyugyoin"));

    m_activeOnly = new QCheckBox(QStringLiteral("在籍者のみリスト表示"), this);
    m_activeOnly->setObjectName(QStringLiteral("chkAll"));
    m_activeOnly->setChecked(true);

    m_picker = new EmployeePicker(ctx, this);

    auto button = [this](const char* name, const QString& caption, const QString& hint) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setAutoDefault(false);
        return b;
    };
    m_display = button("cmdDisplay", QStringLiteral("[f・2] 表 示"), QStringLiteral("従業員名簿の画面表示を行います。"));
    m_print = button("cmdPrint", QStringLiteral("[f・5] 印 刷 "), QStringLiteral("A4用紙で従業員名簿の印刷を行います。"));
    m_cancel = button("cmdCancel", QStringLiteral("[f・6] 戻 る"), QStringLiteral("前の画面に戻ります。"));

    // The notice while the data are gathered and the pages drawn.
    m_msg = new QFrame(this);
    m_msg->setObjectName(QStringLiteral("fmMsg"));
    m_msg->setFrameShape(QFrame::Box);
    m_msg->hide();
    auto* msgLabel = new QLabel(QStringLiteral("データ抽出中・・・　しばらくお待ち下さい"), m_msg);
    msgLabel->setObjectName(QStringLiteral("lbMsg"));
    (new QHBoxLayout(m_msg))->addWidget(msgLabel);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_msg, 1);
    buttons->addStretch();
    buttons->addWidget(m_display);
    buttons->addWidget(m_print);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_activeOnly);
    layout->addWidget(m_picker, 1);
    layout->addLayout(buttons);

    connect(m_activeOnly, &QCheckBox::toggled, this, [this] { readData(); });
    connect(m_display, &QPushButton::clicked, this, [this] { display(); });
    connect(m_print, &QPushButton::clicked, this, &PrtJyugyoin::print);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);

    readData();
}

bool PrtJyugyoin::readData()
{
    QList<PickerEntry> candidates;
    const bool ok = EmployeeList(ctx()).candidates(m_activeOnly->isChecked(), &candidates);
    m_picker->setCandidates(candidates);
    return ok;
}

QStringList PrtJyugyoin::chosenCodes() const
{
    QStringList codes;
    for (const PickerEntry& e : m_picker->chosen())
        codes << e.code.trimmed();
    return codes;
}

// The notice stays while the data are gathered and the pages drawn. The screen
// itself stays enabled: the work runs on this thread without taking input, and
// the preview and the file dialog are its children.
void PrtJyugyoin::showWait(bool on)
{
    m_msg->setVisible(on);
    if (on)
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

DspJyugyoin* PrtJyugyoin::display()
{
    if (m_picker->rightCount() < 1) {
        ctx().messages().exclamation(QStringLiteral("表示可能なデータを決めた後、表示ボタンを押して下さい。"));
        return nullptr;
    }
    showWait(true);
    auto* screen = new DspJyugyoin(ctx(), chosenCodes());
    showWait(false);
    openFrom(this, screen);
    return screen;
}

void PrtJyugyoin::print()
{
    m_lastOutput.clear();
    if (m_picker->rightCount() < 1) {
        ctx().messages().exclamation(QStringLiteral("印刷可能なデータを決めた後、印刷ボタンを押して下さい。"));
        return;
    }
    QList<EmployeeListEntry> entries;
    showWait(true);
    const bool read = EmployeeList(ctx()).read(chosenCodes(), EmployeeList::printProcedures(), &entries);
    if (!read || entries.isEmpty()) {
        showWait(false);
        if (read)
            ctx().messages().exclamation(QStringLiteral("印刷可能なデータを決めた後、印刷ボタンを押して下さい。"));
        return;
    }
    PrintJob job(ctx(), this, QStringLiteral("prtJyugyoin.print_data"), m_hooks);
    const PrintJob::Paper paper{minchoFont(), EmployeeListLayout::kFontSize, EmployeeListLayout::kPaper,
                                EmployeeListLayout::kOrientation};
    const auto result = job.run(QStringLiteral("従業員名簿"), QStringLiteral("従業員名簿"), paper,
                                [&](PrintCanvas& canvas) {
                                    return EmployeeListLayout::print(ctx(), canvas, entries)
                                        == EmployeeListLayout::Outcome::Printed;
                                });
    showWait(false);
    if (result == PrintJob::Result::Printed)
        m_lastOutput = job.output();
}

} // namespace minasel::reports
