#include "reports/prtgetudaityo.h"

#include "app/appcontext.h"
#include "app/datehelpers.h"
#include "app/textfield.h"
#include "reports/dspgetudaityo.h"
#include "reports/getudaityoform.h"
#include "reports/ledgerdata.h"
#include "reports/ledgerprintjob.h"
#include "reports/ledgerscreens.h"
#include "reports/waitframe.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace minasel::reports {

PrtGetuDaityo::PrtGetuDaityo(AppContext& ctx, QWidget* parent)
    : Screen(ctx, QStringLiteral("月別賃金台帳印刷"), parent)
{
    setObjectName(QStringLiteral("prtGetuDaityo"));
    m_year1 = digitsField(this, QStringLiteral("txtYear1"), 4);
    m_month1 = digitsField(this, QStringLiteral("txtMonth1"), 2);
    m_year2 = digitsField(this, QStringLiteral("txtYear2"), 4);
    m_month2 = digitsField(this, QStringLiteral("txtMonth2"), 2);
    const QDate today = ctx.clock().today();
    m_year1->setText(QString::number(today.year()));
    m_month1->setText(FormatMonth(QString::number(today.month())));

    auto* period = new QGroupBox(QStringLiteral("支給年月"), this);
    auto* row = new QHBoxLayout(period);
    for (auto [field, unit] : {std::pair{m_year1, "年"}, {m_month1, "月　～　"}, {m_year2, "年"}, {m_month2, "月"}}) {
        row->addWidget(field);
        row->addWidget(new QLabel(QString::fromUtf8(unit), period));
    }
    row->addStretch();

    m_buttons = LedgerButtons::create(this);
    m_wait = new WaitFrame(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("印刷または表示する支給年月の範囲を入力して下さい。"
                                                "終了年月を省略すると開始年月の１か月分になります。"),
                                 this));
    layout->addWidget(period);
    layout->addWidget(m_wait);
    layout->addStretch();
    layout->addLayout(m_buttons.row());

    for (TextField* year : {m_year1, m_year2})
        connect(year, &QLineEdit::editingFinished, this,
                [year] { year->setText(LedgerPeriod::formatYear(year->text())); });
    for (TextField* month : {m_month1, m_month2})
        connect(month, &QLineEdit::editingFinished, this,
                [month] { month->setText(FormatMonth(month->trimmed())); });
    connect(m_buttons.print, &QPushButton::clicked, this, &PrtGetuDaityo::cmdPrint_Click);
    connect(m_buttons.display, &QPushButton::clicked, this, [this] { cmdDisp_Click(); });
}

LedgerPeriod PrtGetuDaityo::check_period()
{
    const LedgerPeriod p = LedgerPeriod::check(m_year1->text(), m_month1->text(), m_year2->text(), m_month2->text());
    if (p.problem == LedgerPeriod::Problem::NoStartYear || p.problem == LedgerPeriod::Problem::NoStartMonth) {
        ctx().messages().exclamation(p.message());
        (p.problem == LedgerPeriod::Problem::NoStartYear ? m_year1 : m_month1)->setFocus();
        return p;
    }
    m_year2->setText(p.endYear);
    m_month2->setText(p.endMonth);
    if (!p.ok())
        ctx().messages().exclamation(p.message());
    return p;
}

void PrtGetuDaityo::cmdPrint_Click()
{
    m_lastOutput.clear();
    const LedgerPeriod p = check_period();
    if (!p.ok())
        return;
    m_wait->start(QStringLiteral("データ抽出中・・・　しばらくお待ち下さい"));
    QList<LedgerLine> lines;
    DbError error;
    const bool read = LedgerData(ctx().db(), ctx().companyId).readPeriod(p.start, p.end, &lines, &error);
    m_wait->hide();
    if (!read) {
        ctx().reportError(error.code, error.description, QStringLiteral("PrtGetuDaityo.cmdPrint_Click"));
        return;
    }
    if (lines.isEmpty()) {
        ctx().messages().exclamation(QStringLiteral("印刷可能なデータを決めた後、印刷ボタンを押して下さい。"));
        return;
    }
    const QString span = p.start == p.end ? LedgerPeriod::monthText(p.start)
                                          : LedgerPeriod::monthText(p.start) + QStringLiteral("～")
            + LedgerPeriod::monthText(p.end);
    const QString fileSpan = p.start == p.end ? p.start : p.start + QLatin1Char('-') + p.end;
    const QString procedure = QStringLiteral("PrtGetuDaityo.print_data");
    LedgerPrintJob job(ctx(), this, procedure, m_hooks);
    job.showWhileDrawing(m_wait, QStringLiteral("印刷中・・・　しばらくお待ち下さい"));
    const auto result = job.run(QStringLiteral("月別賃金台帳 ") + span, QStringLiteral("月別賃金台帳_") + fileSpan,
                                [&](PrintCanvas& canvas, int paper, const LedgerPrintJob::Progress& progress) {
                                    return GetuDaityoForm(ctx(), procedure).print(canvas, paper, lines, progress);
                                });
    if (result == PrintJob::Result::Printed)
        m_lastOutput = job.output();
}

DspGetuDaityo* PrtGetuDaityo::cmdDisp_Click()
{
    const LedgerPeriod p = check_period();
    if (!p.ok())
        return nullptr;
    auto* screen = new DspGetuDaityo(ctx());
    screen->setAttribute(Qt::WA_DeleteOnClose);
    if (!screen->load(p.start, p.end)) {
        delete screen;
        return nullptr;
    }
    Screen::openFrom(this, screen);
    return screen;
}

} // namespace minasel::reports
