#include "payroll/mstjuminzei.h"

#include "app/appcontext.h"
#include "app/numberfield.h"
#include "app/valuehelpers.h"
#include "payroll/meisairecord.h"
#include "payroll/statementwidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace minasel::payroll {

MstJuminzei::MstJuminzei(AppContext& ctx)
    : Screen(ctx, QStringLiteral("住民税 特別徴収税額")), m_repo(ctx, QStringLiteral("MstJuminzei"))
{
    setObjectName(QStringLiteral("MstJuminzei"));
    build();
    fillEmployees();
    m_txtNendo->setText(QString::number(defaultYear(ctx.clock().today())));
    load();
}

int MstJuminzei::defaultYear(const QDate& today)
{
    return today.month() >= 5 ? today.year() : today.year() - 1;
}

void MstJuminzei::build()
{
    auto* root = new QVBoxLayout(this);

    auto* head = new QHBoxLayout;
    m_cmbJyugyoin = new QComboBox(this);
    m_cmbJyugyoin->setObjectName(QStringLiteral("cmbJyugyoin"));
    m_cmbJyugyoin->setMinimumWidth(240);
    m_txtNendo = yearField(this, QStringLiteral("txtNendo"));
    m_lblNendo = caption(this, QString(), QStringLiteral("lblNendo"));
    head->addWidget(caption(this, QStringLiteral("従業員")));
    head->addWidget(m_cmbJyugyoin);
    head->addSpacing(24);
    head->addWidget(caption(this, QStringLiteral("年度")));
    head->addWidget(m_txtNendo);
    head->addWidget(m_lblNendo);
    head->addStretch();
    root->addLayout(head);

    // The notice: the yearly amount and the twelve instalments as it prints them.
    auto* notice = new QGroupBox(QStringLiteral("特別徴収税額の決定通知書"), this);
    auto* ng = new QGridLayout(notice);
    m_txtNengaku = amountField(notice, QStringLiteral("txtNengaku"));
    auto* cmdSplit = functionKeyButton(notice, QStringLiteral("cmdSplit"), QStringLiteral("月割額を計算（端数は6月）"));
    cmdSplit->setToolTip(QStringLiteral("年税額を12で割り100円未満を6月分に寄せた月割額を入れます。"));
    ng->addWidget(caption(notice, QStringLiteral("年税額")), 0, 0);
    ng->addWidget(m_txtNengaku, 0, 1);
    ng->addWidget(cmdSplit, 0, 2, 1, 4, Qt::AlignLeft);
    for (int i = 0; i < JuminzeiSchedule::kMonths; ++i) {
        const int month = calendarMonthOf(i);
        m_txtGaku[size_t(i)] = amountField(notice, QStringLiteral("txtGaku%1").arg(month, 2, 10, QLatin1Char('0')));
        auto* label = caption(notice, QStringLiteral("%1月").arg(month));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ng->addWidget(label, 1 + i / 6, (i % 6) * 2);
        ng->addWidget(m_txtGaku[size_t(i)], 1 + i / 6, (i % 6) * 2 + 1);
    }
    m_lblGokei = Screen::makeNote(notice, QStringLiteral("lblGokei"));
    ng->addWidget(m_lblGokei, 3, 0, 1, 12);
    root->addWidget(notice);

    // A change notice during the year replaces the amounts from its month on.
    auto* change = new QGroupBox(QStringLiteral("税額の変更通知書"), this);
    auto* cg = new QGridLayout(change);
    m_cmbHenkoTuki = new QComboBox(change);
    m_cmbHenkoTuki->setObjectName(QStringLiteral("cmbHenkoTuki"));
    for (int i = 1; i < JuminzeiSchedule::kMonths; ++i)
        m_cmbHenkoTuki->addItem(QStringLiteral("%1月分から").arg(calendarMonthOf(i)), i);
    m_txtHenkoNengaku = amountField(change, QStringLiteral("txtHenkoNengaku"));
    auto* cmdHenko = functionKeyButton(change, QStringLiteral("cmdHenko"), QStringLiteral("変更を反映"));
    cmdHenko->setToolTip(QStringLiteral("その月より前の月割額は残し、変更後の年税額の残りをその月から5月までに割り振ります。"));
    m_lblHenko = caption(change, QString(), QStringLiteral("lblHenko"));
    cg->addWidget(caption(change, QStringLiteral("変更月")), 0, 0);
    cg->addWidget(m_cmbHenkoTuki, 0, 1);
    cg->addWidget(caption(change, QStringLiteral("変更後の年税額")), 0, 2);
    cg->addWidget(m_txtHenkoNengaku, 0, 3);
    cg->addWidget(cmdHenko, 0, 4);
    cg->addWidget(m_lblHenko, 0, 5);
    cg->setColumnStretch(5, 1);
    auto* hint = caption(change,
        QStringLiteral("通知書の月割額がこの割り振りと違うときは、反映の後で月割額を通知書のとおりに直して下さい。"));
    hint->setWordWrap(true);
    cg->addWidget(hint, 1, 0, 1, 6);
    root->addWidget(change);

    auto* buttons = new QHBoxLayout;
    m_lblStatus = Screen::makeNote(this, QStringLiteral("lblStatus"));
    auto* cmdWrite = functionKeyButton(this, QStringLiteral("cmdWrite"), QStringLiteral("[f・1] 登 録"));
    auto* cmdDelete = functionKeyButton(this, QStringLiteral("cmdDelete"), QStringLiteral("[f・3] 削 除"));
    auto* cmdCancel = functionKeyButton(this, QStringLiteral("cmdCancel"), QStringLiteral("[f・6] 戻 る"));
    buttons->addWidget(m_lblStatus, 1);
    buttons->addWidget(cmdWrite);
    buttons->addWidget(cmdDelete);
    buttons->addWidget(cmdCancel);
    root->addLayout(buttons);

    QList<QWidget*> order{m_cmbJyugyoin, m_txtNendo, m_txtNengaku, cmdSplit};
    for (NumberField* f : m_txtGaku)
        order << f;
    order << m_cmbHenkoTuki << m_txtHenkoNengaku << cmdHenko << cmdWrite << cmdDelete << cmdCancel;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_txtNengaku, &NumberField::valueChanged, this, [this] {
        if (m_loading)
            return;
        // Amounts still as the split of the amount before (or none at all) follow the new amount.
        if (scheduleOnScreen().amounts == standardSplit(m_lastYearly))
            split();
        m_lastYearly = wholeYen(m_txtNengaku->value());
    });
    for (NumberField* f : findChildren<NumberField*>())
        connect(f, &NumberField::valueChanged, this, [this, f] {
            if (f != m_txtHenkoNengaku && !m_loading)
                setChanged(true);
            updateTotal();
        });
    connect(m_cmbJyugyoin, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_loading)
            load();
    });
    connect(m_txtNendo, &QLineEdit::editingFinished, this, [this] {
        if (year() != m_shownYear)
            load();
    });
    connect(cmdSplit, &QPushButton::clicked, this, [this] { split(); });
    connect(cmdHenko, &QPushButton::clicked, this, [this] { applyChange(); });
    connect(cmdWrite, &QPushButton::clicked, this, [this] { write(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { remove(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
}

void MstJuminzei::fillEmployees()
{
    QMap<QString, QString> names;
    m_repo.employeeNames(&names);
    m_loading = true;
    m_cmbJyugyoin->clear();
    for (auto it = names.begin(); it != names.end(); ++it)
        m_cmbJyugyoin->addItem(it.key() + QLatin1Char(' ') + it.value(), it.key());
    m_cmbJyugyoin->setCurrentIndex(-1);
    m_loading = false;
}

bool MstJuminzei::setEmployee(const QString& code)
{
    const int i = m_cmbJyugyoin->findData(code);
    if (i < 0) {
        ctx().messages().exclamation(QStringLiteral("従業員情報を登録した後、住民税額を設定して下さい。"));
        return false;
    }
    m_cmbJyugyoin->setCurrentIndex(i);
    return true;
}

void MstJuminzei::setYear(int y)
{
    m_txtNendo->setText(QString::number(y));
    load();
}

QString MstJuminzei::code() const
{
    return m_cmbJyugyoin->currentData().toString();
}

int MstJuminzei::year() const
{
    return m_txtNendo->text().trimmed().toInt();
}

bool MstJuminzei::leaveAllowed()
{
    return !isChanged() || confirmDiscard();
}

void MstJuminzei::load()
{
    if ((code() != m_shownCode || year() != m_shownYear) && !leaveAllowed()) {
        // Keep what is typed: back to the employee and year it belongs to.
        const QSignalBlocker block(m_cmbJyugyoin);
        m_cmbJyugyoin->setCurrentIndex(m_cmbJyugyoin->findData(m_shownCode));
        m_txtNendo->setText(QString::number(m_shownYear));
        return;
    }
    m_lblNendo->setText(year() >= 1989 ? QStringLiteral("%1（%2年6月〜%3年5月）")
                                             .arg(taxYearName(year()))
                                             .arg(year())
                                             .arg(year() + 1)
                                       : QString());
    JuminzeiSchedule s;
    s.code = code();
    s.year = year();
    if (!s.code.isEmpty() && s.year > 0) {
        bool ok = false;
        const std::optional<JuminzeiSchedule> stored = m_repo.read(s.code, s.year, &ok);
        if (!ok)
            return;
        if (stored)
            s = *stored;
        m_lblStatus->setText(stored ? QString() : QStringLiteral("この年度の税額はまだ登録されていません。"));
    }
    showSchedule(s);
    m_shownCode = s.code;
    m_shownYear = year();
    setChanged(false);
}

void MstJuminzei::showSchedule(const JuminzeiSchedule& s)
{
    m_loading = true;
    m_txtNengaku->setValue(double(s.yearly));
    m_lastYearly = s.yearly;
    for (int i = 0; i < JuminzeiSchedule::kMonths; ++i)
        m_txtGaku[size_t(i)]->setValue(double(s.amounts[size_t(i)]));
    m_changedFrom = s.changedFrom;
    m_lblHenko->setText(s.changedFrom ? QStringLiteral("変更通知: %1月分から").arg(s.changedFrom) : QString());
    m_loading = false;
    updateTotal();
}

JuminzeiSchedule MstJuminzei::scheduleOnScreen() const
{
    JuminzeiSchedule s;
    s.code = code();
    s.year = year();
    s.yearly = wholeYen(m_txtNengaku->value());
    for (int i = 0; i < JuminzeiSchedule::kMonths; ++i)
        s.amounts[size_t(i)] = wholeYen(m_txtGaku[size_t(i)]->value());
    s.changedFrom = m_changedFrom;
    return s;
}

void MstJuminzei::split()
{
    const auto amounts = standardSplit(wholeYen(m_txtNengaku->value()));
    const bool was = m_loading;
    m_loading = true;
    for (int i = 0; i < JuminzeiSchedule::kMonths; ++i)
        m_txtGaku[size_t(i)]->setValue(double(amounts[size_t(i)]));
    m_loading = was;
    m_changedFrom = 0;
    m_lblHenko->clear();
    setChanged(true);
    updateTotal();
}

void MstJuminzei::applyChange()
{
    const int from = m_cmbHenkoTuki->currentData().toInt();
    const JuminzeiSchedule s = scheduleOnScreen();
    const long long newYearly = wholeYen(m_txtHenkoNengaku->value());
    const std::optional<JuminzeiSchedule> changed = applyChangeNotice(s, from, newYearly);
    if (!changed) {
        long long before = 0;
        for (int i = 0; i < from; ++i)
            before += s.amounts[size_t(i)];
        ctx().messages().exclamation(QStringLiteral("変更後の年税額（%1）が、%2月分より前の月割額の合計（%3）を下回っています。")
                                         .arg(formatYen(newYearly))
                                         .arg(calendarMonthOf(from))
                                         .arg(formatYen(before)));
        m_txtHenkoNengaku->setFocus();
        return;
    }
    showSchedule(*changed);
    setChanged(true);
}

void MstJuminzei::updateTotal()
{
    const JuminzeiSchedule s = scheduleOnScreen();
    if (s.addsUp()) {
        m_lblGokei->setStyleSheet(QString());
        m_lblGokei->setText(QStringLiteral("6月〜5月の合計 %1（年税額と一致）").arg(formatYen(s.total())));
    } else {
        m_lblGokei->setStyleSheet(QStringLiteral("color: #b00000;"));
        m_lblGokei->setText(QStringLiteral("6月〜5月の合計 %1：年税額と %2 違います").arg(formatYen(s.total()), formatYen(std::llabs(s.total() - s.yearly))));
    }
}

bool MstJuminzei::write()
{
    const JuminzeiSchedule s = scheduleOnScreen();
    if (s.code.isEmpty()) {
        ctx().messages().exclamation(QStringLiteral("従業員を決めた後、「登録」ボタンを押して下さい。"));
        m_cmbJyugyoin->setFocus();
        return false;
    }
    if (s.year < 1989 || s.year > 2999) {
        ctx().messages().exclamation(QStringLiteral("年度を入力した後、「登録」ボタンを押して下さい。"));
        m_txtNendo->setFocus();
        return false;
    }
    if (!s.addsUp()) {
        ctx().messages().exclamation(QStringLiteral("6月〜5月の合計（%1）が年税額（%2）と一致しません。").arg(formatYen(s.total()), formatYen(s.yearly)));
        m_txtGaku[0]->setFocus();
        return false;
    }
    if (!m_repo.save({s}))
        return false;
    setChanged(false);
    m_lblStatus->setText(QStringLiteral("%1 %2 を登録しました。").arg(taxYearName(s.year), m_cmbJyugyoin->currentText()));
    return true;
}

void MstJuminzei::remove()
{
    const QString c = code();
    if (c.isEmpty() || !m_repo.read(c, year())) {
        ctx().messages().exclamation(QStringLiteral("削除する税額が登録されていません。"));
        return;
    }
    if (!confirmDelete())
        return;
    if (!m_repo.remove(c, year()))
        return;
    setChanged(false);
    load();
    m_lblStatus->setText(QStringLiteral("%1 %2 を削除しました。").arg(taxYearName(year()), m_cmbJyugyoin->currentText()));
}

} // namespace minasel::payroll
