#include "reports/prtgensen.h"

#include "app/appcontext.h"
#include "app/dberror.h"
#include "app/numberfield.h"
#include "reports/employeepicker.h"
#include "reports/gensenprintjob.h"
#include "reports/printoffset.h"
#include "reports/waitframe.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace minasel::reports {

PrtGensen::PrtGensen(AppContext& ctx, QWidget* parent) : Screen(ctx, QStringLiteral("源泉徴収票印刷"), parent)
{
    setObjectName(QStringLiteral("PrtGensen"));

    // In January and February the slips of the year just ended are the ones due.
    const QDate today = ctx.clock().today();
    m_year = new NumberField(this);
    m_year->setObjectName(QStringLiteral("txtYear"));
    m_year->setRange(0, 9999);
    m_year->setDisplayFormat(QStringLiteral("000#"));
    m_year->setValue(today.month() <= 2 ? today.year() - 1 : today.year());
    m_year->setFixedWidth(60);
    auto* yearBox = new QGroupBox(QStringLiteral("支給年(西暦)"), this);
    auto* yearLayout = new QHBoxLayout(yearBox);
    yearLayout->addWidget(m_year);
    yearLayout->addWidget(new QLabel(QStringLiteral("年分"), yearBox));

    auto* paperBox = new QGroupBox(QStringLiteral("源泉徴収票印刷用紙選択"), this);
    m_form = new QRadioButton(QStringLiteral("原紙"), paperBox);
    m_form->setObjectName(QStringLiteral("optGensi"));
    m_plain = new QRadioButton(QStringLiteral("普通紙"), paperBox);
    m_plain->setObjectName(QStringLiteral("optFutusi"));
    m_plain->setChecked(true);
    auto* paperLayout = new QHBoxLayout(paperBox);
    paperLayout->addWidget(m_form);
    paperLayout->addWidget(m_plain);

    auto* offsetBox = new QGroupBox(QStringLiteral("原紙の印字位置補正"), this);
    m_printer = new QLabel(offsetBox);
    m_printer->setObjectName(QStringLiteral("lbPrinter"));
    auto offsetField = [&](const QString& name) {
        auto* f = new NumberField(offsetBox);
        f->setObjectName(name);
        f->setRange(-PrintOffset::kLimit, PrintOffset::kLimit);
        f->setDecimals(1);
        f->setDisplayFormat(QStringLiteral("#0.0"));
        f->setFixedWidth(60);
        return f;
    };
    m_offsetX = offsetField(QStringLiteral("txtHoseiX"));
    m_offsetY = offsetField(QStringLiteral("txtHoseiY"));
    m_testPrint = new QPushButton(QStringLiteral("テスト印刷"), offsetBox);
    m_testPrint->setObjectName(QStringLiteral("cmdTestPrint"));
    m_testPrint->setToolTip(QStringLiteral("普通紙に原紙の記入位置を枠で印刷します。原紙に重ねて位置を確かめて下さい。"));
    auto* offsetLayout = new QHBoxLayout(offsetBox);
    offsetLayout->addWidget(m_printer);
    offsetLayout->addSpacing(12);
    offsetLayout->addWidget(new QLabel(QStringLiteral("右へ"), offsetBox));
    offsetLayout->addWidget(m_offsetX);
    offsetLayout->addWidget(new QLabel(QStringLiteral("mm　下へ"), offsetBox));
    offsetLayout->addWidget(m_offsetY);
    offsetLayout->addWidget(new QLabel(QStringLiteral("mm"), offsetBox));
    offsetLayout->addStretch();
    offsetLayout->addWidget(m_testPrint);

    m_picker = new EmployeePicker(ctx, this);

    m_print = new QPushButton(QStringLiteral("[f・5] 印 刷"), this);
    m_print->setObjectName(QStringLiteral("cmdPrint"));
    m_print->setToolTip(QStringLiteral("源泉徴収票の印刷を行います。"));
    m_cancel = new QPushButton(QStringLiteral("[f・6] 戻 る"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cancel->setToolTip(QStringLiteral("前の画面に戻ります。"));
    for (QPushButton* b : {m_print, m_cancel, m_testPrint})
        b->setAutoDefault(false);
    m_notice = new WaitFrame(this);

    auto* top = new QHBoxLayout;
    top->addWidget(yearBox);
    top->addWidget(paperBox);
    top->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_notice, 1);
    buttons->addStretch();
    buttons->addWidget(m_print);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(offsetBox);
    layout->addWidget(m_picker, 1);
    layout->addLayout(buttons);
    resize(760, 640);

    connect(m_year, &NumberField::valueChanged, this, [this] { readData(); });
    connect(m_offsetX, &NumberField::valueChanged, this, &PrtGensen::saveOffset);
    connect(m_offsetY, &NumberField::valueChanged, this, &PrtGensen::saveOffset);
    connect(m_testPrint, &QPushButton::clicked, this, &PrtGensen::testPrint);
    connect(m_print, &QPushButton::clicked, this, &PrtGensen::print);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);

    loadOffset();
    readData();
}

int PrtGensen::year() const
{
    return int(m_year->value());
}

GensenBatch::Paper PrtGensen::paper() const
{
    return m_form->isChecked() ? GensenBatch::Paper::Form : GensenBatch::Paper::Plain;
}

bool PrtGensen::readData()
{
    QList<PickerEntry> candidates;
    if (year() >= 1900) {
        DbError error;
        if (!gensenCandidates(ctx().db(), ctx().companyId, year(), &candidates, &error)) {
            ctx().reportError(error.code, error.description, QStringLiteral("PrtGensen.read_data"));
            m_picker->setCandidates({});
            return false;
        }
    }
    m_picker->setCandidates(candidates);
    return true;
}

void PrtGensen::loadOffset()
{
    m_printerName = GensenPrintJob(ctx(), this, m_hooks).targetPrinter();
    m_printer->setText(QStringLiteral("プリンタ：%1").arg(m_printerName));
    PrintOffset offset;
    DbError error;
    if (!readPrintOffset(ctx().db(), m_printerName, gensenFormName(), &offset, &error))
        ctx().reportError(error.code, error.description, QStringLiteral("PrtGensen.Form_Load"));
    m_loading = true;
    m_offsetX->setValue(offset.x);
    m_offsetY->setValue(offset.y);
    m_loading = false;
}

void PrtGensen::saveOffset()
{
    if (m_loading)
        return;
    DbError error;
    if (!writePrintOffset(ctx().db(), m_printerName, gensenFormName(), {m_offsetX->value(), m_offsetY->value()},
                          &error))
        ctx().reportError(error.code, error.description, QStringLiteral("PrtGensen.save_hosei"));
}

void PrtGensen::print()
{
    m_lastOutput.clear();
    if (m_picker->rightCount() < 1) {
        ctx().messages().exclamation(QStringLiteral("印刷可能なデータを決めた後、印刷ボタンを押して下さい。"));
        return;
    }
    m_notice->start(QStringLiteral("印刷中・・・　しばらくお待ち下さい"));
    setEnabled(false);
    GensenPrintJob job(ctx(), this, m_hooks);
    const auto result = job.printBatch(year(), paper(), m_picker->chosen(),
                                       [this](int done, int total) { m_notice->progress(done, total); });
    setEnabled(true);
    m_notice->hide();
    if (result == PrintJob::Result::Printed)
        m_lastOutput = job.output();
}

void PrtGensen::testPrint()
{
    m_lastOutput.clear();
    GensenPrintJob job(ctx(), this, m_hooks);
    if (job.printCalibration({m_offsetX->value(), m_offsetY->value()}) == PrintJob::Result::Printed)
        m_lastOutput = job.output();
}

} // namespace minasel::reports
