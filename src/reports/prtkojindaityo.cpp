#include "reports/prtkojindaityo.h"

#include "app/appcontext.h"
#include "app/textfield.h"
#include "reports/dspkojindaityo.h"
#include "reports/employeepicker.h"
#include "reports/kojindaityoform.h"
#include "reports/ledgerdata.h"
#include "reports/ledgerperiod.h"
#include "reports/ledgerprintjob.h"
#include "reports/ledgerscreens.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace minasel::reports {

PrtKojinDaityo::PrtKojinDaityo(AppContext& ctx, QWidget* parent)
    : Screen(ctx, QStringLiteral("個人別賃金台帳印刷"), parent)
{
    setObjectName(QStringLiteral("prtKojinDaityo"));
    m_year = digitsField(this, QStringLiteral("txtYear"), 4);
    m_year->setText(QString::number(ctx.clock().today().year()));
    m_picker = new EmployeePicker(ctx, this);
    m_print = new QPushButton(QStringLiteral("[f・5] 印 刷"), this);
    m_print->setObjectName(QStringLiteral("cmdPrint"));
    m_display = new QPushButton(QStringLiteral("表 示"), this);
    m_display->setObjectName(QStringLiteral("cmdDisp"));
    m_cancel = new QPushButton(QStringLiteral("[f・6] 戻 る"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton* b : {m_print, m_display, m_cancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
    }
    m_wait = new LedgerWaitFrame(this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("対象年"), this));
    top->addWidget(m_year);
    top->addWidget(new QLabel(QStringLiteral("年"), this));
    top->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_wait, 1);
    buttons->addStretch();
    buttons->addWidget(m_print);
    buttons->addWidget(m_display);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_picker, 1);
    layout->addLayout(buttons);

    connect(m_year, &QLineEdit::editingFinished, this, [this] {
        m_year->setText(LedgerPeriod::formatYear(m_year->text()));
        if (m_year->text() != m_loadedYear)
            read_data();
    });
    connect(m_print, &QPushButton::clicked, this, &PrtKojinDaityo::cmdPrint_Click);
    connect(m_display, &QPushButton::clicked, this, [this] { cmdDisp_Click(); });
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
    read_data();
}

QString PrtKojinDaityo::year() const
{
    return m_year->trimmed();
}

bool PrtKojinDaityo::read_data()
{
    m_loadedYear = year();
    QList<PickerEntry> candidates;
    if (!m_loadedYear.isEmpty()) {
        DbError error;
        if (!LedgerData(ctx().db(), ctx().companyId).readYearCandidates(m_loadedYear, &candidates, &error)) {
            ctx().reportError(error.code, error.description, QStringLiteral("PrtKojinDaityo.read_data"));
            m_picker->setCandidates({});
            return false;
        }
    }
    m_picker->setCandidates(candidates);
    return true;
}

void PrtKojinDaityo::cmdPrint_Click()
{
    m_lastOutput.clear();
    if (m_picker->rightCount() < 1) {
        ctx().messages().exclamation(QStringLiteral("印刷可能なデータを決めた後、印刷ボタンを押して下さい。"));
        return;
    }
    const QList<PickerEntry> chosen = m_picker->chosen();
    const QString y = year();
    LedgerPrintJob job(ctx(), this, QStringLiteral("PrtKojinDaityo.print_data"), m_hooks);
    setEnabled(false);
    const auto result = job.run(QStringLiteral("個人別賃金台帳 %1年").arg(y), QStringLiteral("個人別賃金台帳_%1").arg(y),
                                [&](PrintCanvas& canvas, int paper) {
                                    m_wait->start(QStringLiteral("データ抽出中・・・　しばらくお待ち下さい"));
                                    KojinDaityoForm form(ctx());
                                    const auto outcome = form.print(canvas, paper, y, chosen, [this](int d, int t) {
                                        m_wait->progress(d, t);
                                    });
                                    m_wait->hide();
                                    return outcome;
                                });
    setEnabled(true);
    if (result == PrintJob::Result::Printed)
        m_lastOutput = job.output();
}

DspKojinDaityo* PrtKojinDaityo::cmdDisp_Click()
{
    if (m_picker->rightCount() < 1) {
        ctx().messages().exclamation(QStringLiteral("表示可能なデータを決めた後、表示ボタンを押して下さい。"));
        return nullptr;
    }
    auto* screen = new DspKojinDaityo(ctx());
    screen->setAttribute(Qt::WA_DeleteOnClose);
    screen->load(year(), m_picker->chosen());
    Screen::openFrom(this, screen);
    return screen;
}

} // namespace minasel::reports
