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
#include "reports/waitframe.h"

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
    m_buttons = LedgerButtons::create(this);
    m_wait = new WaitFrame(this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("対象年"), this));
    top->addWidget(m_year);
    top->addWidget(new QLabel(QStringLiteral("年"), this));
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_picker, 1);
    layout->addLayout(m_buttons.row(m_wait));

    connect(m_year, &QLineEdit::editingFinished, this, [this] {
        m_year->setText(LedgerPeriod::formatYear(m_year->text()));
        if (m_year->text() != m_loadedYear)
            read_data();
    });
    connect(m_buttons.print, &QPushButton::clicked, this, &PrtKojinDaityo::cmdPrint_Click);
    connect(m_buttons.display, &QPushButton::clicked, this, [this] { cmdDisp_Click(); });
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
    job.showWhileDrawing(m_wait, QStringLiteral("データ抽出中・・・　しばらくお待ち下さい"));
    const auto result = job.run(QStringLiteral("個人別賃金台帳 %1年").arg(y), QStringLiteral("個人別賃金台帳_%1").arg(y),
                                [&](PrintCanvas& canvas, int paper, const LedgerPrintJob::Progress& progress) {
                                    return KojinDaityoForm(ctx()).print(canvas, paper, y, chosen, progress);
                                });
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
