#include "payroll/prtkyuyosyoyo.h"

#include "app/appcontext.h"
#include "app/numberfield.h"
#include "payroll/payslipdata.h"
#include "payroll/payslipprintjob.h"
#include "reports/employeepicker.h"
#include "reports/waitframe.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace minasel::payroll {

PrtKyuyoSyoyo::PrtKyuyoSyoyo(AppContext& ctx, QWidget* parent)
    : Screen(ctx, QStringLiteral("給与・賞与明細票印刷"), parent)
{
    setObjectName(QStringLiteral("PrtKyuyoSyoyo"));

    auto* kindBox = new QGroupBox(QStringLiteral("印刷区分"), this);
    m_salary = new QRadioButton(QStringLiteral("給与"), kindBox);
    m_salary->setObjectName(QStringLiteral("optKyuyo"));
    m_bonus = new QRadioButton(QStringLiteral("賞与"), kindBox);
    m_bonus->setObjectName(QStringLiteral("optSyoyo"));
    m_salary->setChecked(true);
    auto* kindLayout = new QHBoxLayout(kindBox);
    kindLayout->addWidget(m_salary);
    kindLayout->addWidget(m_bonus);

    const QDate today = ctx.clock().today();
    m_year = new NumberField(this);
    m_year->setObjectName(QStringLiteral("txtYear"));
    m_year->setRange(0, 9999);
    m_year->setDisplayFormat(QStringLiteral("###0"));
    m_year->setValue(today.year());
    m_year->setFixedWidth(60);
    m_month = new NumberField(this);
    m_month->setObjectName(QStringLiteral("txtMonth"));
    m_month->setRange(0, 12);
    m_month->setDisplayFormat(QStringLiteral("#0"));
    m_month->setValue(today.month());
    m_month->setFixedWidth(40);

    auto* monthBox = new QGroupBox(QStringLiteral("支給年月"), this);
    auto* monthLayout = new QHBoxLayout(monthBox);
    monthLayout->addWidget(m_year);
    monthLayout->addWidget(new QLabel(QStringLiteral("年"), monthBox));
    monthLayout->addWidget(m_month);
    monthLayout->addWidget(new QLabel(QStringLiteral("月"), monthBox));
    monthLayout->addStretch();

    m_picker = new reports::EmployeePicker(ctx, this);

    m_print = new QPushButton(QStringLiteral("[f・5] 印 刷"), this);
    m_print->setObjectName(QStringLiteral("cmdPrint"));
    m_cancel = new QPushButton(QStringLiteral("[f・6] 戻 る"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton* b : {m_print, m_cancel})
        b->setAutoDefault(false);

    m_msg = new reports::WaitFrame(this);

    auto* top = new QHBoxLayout;
    top->addWidget(kindBox);
    top->addWidget(monthBox);
    top->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_msg, 1);
    buttons->addStretch();
    buttons->addWidget(m_print);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_picker, 1);
    layout->addLayout(buttons);

    connect(m_salary, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            readData();
    });
    connect(m_bonus, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            readData();
    });
    connect(m_year, &NumberField::valueChanged, this, [this] { readData(); });
    connect(m_month, &NumberField::valueChanged, this, [this] { readData(); });
    connect(m_print, &QPushButton::clicked, this, &PrtKyuyoSyoyo::print);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);

    readData();
}

int PrtKyuyoSyoyo::kind() const
{
    return m_bonus->isChecked() ? 2 : 1;
}

QString PrtKyuyoSyoyo::payMonth() const
{
    const int year = int(m_year->value());
    const int month = int(m_month->value());
    if (year < 1900 || month < 1 || month > 12)
        return {};
    return QStringLiteral("%1%2").arg(year, 4, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
}

bool PrtKyuyoSyoyo::readData()
{
    QList<reports::PickerEntry> candidates;
    const QString month = payMonth();
    if (!month.isEmpty()) {
        QString error;
        int code = 0;
        if (!payslipCandidates(ctx().db(), ctx().companyId, month, kind(), &candidates, &error, &code)) {
            ctx().reportError(code, error, QStringLiteral("PrtKyuyoSyoyo.read_data"));
            m_picker->setCandidates({});
            return false;
        }
    }
    m_picker->setCandidates(candidates);
    return true;
}

void PrtKyuyoSyoyo::print()
{
    m_lastOutput.clear();
    if (m_picker->rightCount() < 1) {
        ctx().messages().exclamation(QStringLiteral("印刷可能なデータを決めた後、印刷ボタンを押して下さい。"));
        return;
    }
    const QList<reports::PickerEntry> chosen = m_picker->chosen();
    m_msg->start(QStringLiteral("印刷中・・・　しばらくお待ち下さい"));
    m_msg->progress(0, int(chosen.size()));
    setEnabled(false);
    PayslipPrintJob job(ctx(), this, m_hooks);
    const auto result = job.printBatch(payMonth(), kind(), chosen,
                                       [this](int done, int total) { m_msg->progress(done, total); });
    setEnabled(true);
    m_msg->hide();
    if (result == reports::PrintJob::Result::Printed)
        m_lastOutput = job.output();
}

} // namespace minasel::payroll
