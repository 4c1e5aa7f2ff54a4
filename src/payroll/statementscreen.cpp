#include "payroll/statementscreen.h"

#include "app/appcontext.h"
#include "app/datehelpers.h"
#include "app/textfield.h"
#include "payroll/juminzeirepository.h"
#include "payroll/payslipprintjob.h"
#include "payroll/statementwidgets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace minasel::payroll {

StatementScreen::StatementScreen(AppContext& ctx, const QString& title, const QString& form, const QString& kind)
    : Screen(ctx, title), m_repo(ctx, form), m_form(form), m_kind(kind)
{
    m_txtYear = yearField(this, QStringLiteral("txtYear"));
    auto* month = new TextField(this, TextField::Kind::Code);
    month->setObjectName(QStringLiteral("txtMonth"));
    month->setMaxLength(2);
    month->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), month));
    month->setFixedWidth(36);
    month->setAlignment(Qt::AlignCenter);
    m_txtMonth = month;
    m_cmbJyugyoin = new QComboBox(this);
    m_cmbJyugyoin->setObjectName(QStringLiteral("cmbJyugyoin"));
    m_cmbJyugyoin->setMinimumWidth(240);

    m_cmdWrite = new QPushButton(QStringLiteral("[f・1] 登 録"), this);
    m_cmdWrite->setObjectName(QStringLiteral("cmdWrite"));
    m_cmdDelete = new QPushButton(QStringLiteral("[f・3] 削 除"), this);
    m_cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
    m_cmdPrint = new QPushButton(QStringLiteral("[f・5] 印 刷"), this);
    m_cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    m_cmdCancel = new QPushButton(QStringLiteral("[f・6] 戻 る"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton* b : {m_cmdWrite, m_cmdDelete, m_cmdPrint, m_cmdCancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
    }
    m_lblStatus = makeNote(this, QStringLiteral("lblStatus"));
    m_lblJuminzeiReminder = noteLabel(this, QStringLiteral("lblJuminzeiReminder"));

    connect(m_txtYear, &QLineEdit::editingFinished, this, &StatementScreen::yearFinished);
    connect(m_txtMonth, &QLineEdit::editingFinished, this, &StatementScreen::monthFinished);
    connect(m_cmbJyugyoin, &QComboBox::currentIndexChanged, this, [this] { reload(); });
    connect(m_cmdWrite, &QPushButton::clicked, this, &StatementScreen::cmdWrite_Click);
    connect(m_cmdDelete, &QPushButton::clicked, this, &StatementScreen::cmdDelete_Click);
    connect(m_cmdPrint, &QPushButton::clicked, this, &StatementScreen::cmdPrint_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QWidget::close);
}

void StatementScreen::initialise()
{
    // The pay month starts at the month of today.
    const QString today = ctx().clock().today().toString(QStringLiteral("yyyy/MM/dd"));
    m_txtYear->setText(today.left(4));
    m_txtMonth->setText(today.mid(5, 2));
    set_jyugyoin_combo();
    showJuminzeiReminder();
    clear_data();
    markUnchanged();
}

bool StatementScreen::canClose()
{
    return statementOnScreen() == m_shown || confirmDiscard();
}

QString StatementScreen::payMonth() const
{
    return m_txtYear->text().trimmed() + m_txtMonth->text().trimmed();
}

QString StatementScreen::employeeCode() const
{
    if (m_cmbJyugyoin->currentIndex() < 0)
        return QString();
    return m_cmbJyugyoin->currentText().left(5).trimmed();
}

bool StatementScreen::set_jyugyoin_combo()
{
    // Who is listed depends on the pay month (a leaver's last pay): the choice stays
    // while its employee is still listed.
    const QString chosen = employeeCode();
    QList<EmployeeEntry> list;
    const bool ok = m_repo.employees(&list, payMonth());
    const QSignalBlocker block(m_cmbJyugyoin);
    m_cmbJyugyoin->clear();
    int keep = -1;
    for (const EmployeeEntry& e : list) {
        if (!chosen.isEmpty() && e.code == chosen)
            keep = m_cmbJyugyoin->count();
        m_cmbJyugyoin->addItem(e.display());
    }
    m_cmbJyugyoin->setCurrentIndex(keep);
    return ok;
}

void StatementScreen::yearFinished()
{
    const QString t = m_txtYear->text().trimmed();
    if (!t.isEmpty()) {
        const QString formatted = QStringLiteral("%1").arg(t.toInt(), 4, 10, QLatin1Char('0'));
        if (formatted != m_txtYear->text())
            m_txtYear->setText(formatted);
    }
    payMonthChanged();
}

void StatementScreen::monthFinished()
{
    const QString formatted = FormatMonth(m_txtMonth->text().trimmed());
    if (formatted != m_txtMonth->text())
        m_txtMonth->setText(formatted);
    payMonthChanged();
}

void StatementScreen::showJuminzeiReminder()
{
    const int month = m_txtMonth->text().toInt();
    const int year = taxYearOf(m_txtYear->text().toInt(), month);
    const int missing = month >= 1 && month <= 12 && year > 0 ? JuminzeiRepository(ctx(), m_form).missingCount(year) : 0;
    m_lblJuminzeiReminder->setText(missing ? QStringLiteral("★ %1の住民税が未入力: %2 名").arg(taxYearName(year)).arg(missing)
                                           : QString());
    m_lblJuminzeiReminder->setToolTip(missing ? QStringLiteral("前年度は特別徴収だった従業員に%1の特別徴収税額がありません。"
                                                               "初期設定の「６）住民税 特別徴収税額」で入力して下さい。")
                                                    .arg(taxYearName(year))
                                              : QString());
}

void StatementScreen::payMonthChanged()
{
    set_jyugyoin_combo();
    showJuminzeiReminder();
    reload();
}

void StatementScreen::reload(bool force)
{
    const QString code = employeeCode();
    const bool complete = !m_txtYear->text().trimmed().isEmpty() && !m_txtMonth->text().trimmed().isEmpty()
        && !code.isEmpty();
    const QString key = complete ? payMonth() + QLatin1Char('/') + code : QString();
    if (key == m_loadedKey && !force)
        return;
    setStatus(QString());
    if (!complete) {
        clear_data();
        m_loadedKey.clear();
        markUnchanged();
        return;
    }
    bool found = false;
    if (!read_meisai_data(&found))
        return;   // reported; the screen stays as it was
    if (!found)
        read_data();
    m_loadedKey = key;
    markUnchanged();
}

bool StatementScreen::check_input(const QString& caption)
{
    if (m_txtYear->text().trimmed().isEmpty()) {
        ctx().messages().exclamation(QStringLiteral("支給年を入力した後、「%1」ボタンを押して下さい。").arg(caption));
        m_txtYear->setFocus();
        return false;
    }
    if (m_txtMonth->text().trimmed().isEmpty()) {
        ctx().messages().exclamation(QStringLiteral("支給月を入力した後、「%1」ボタンを押して下さい。").arg(caption));
        m_txtMonth->setFocus();
        return false;
    }
    if (employeeCode().isEmpty()) {
        ctx().messages().exclamation(QStringLiteral("従業員を決めた後、「%1」ボタンを押して下さい。").arg(caption));
        m_cmbJyugyoin->setFocus();
        return false;
    }
    return true;
}

bool StatementScreen::delete_data()
{
    return m_repo.deleteStatement(payMonth(), employeeCode(), m_kind);
}

bool StatementScreen::registerStatement()
{
    recalculate();
    m_cmdWrite->setEnabled(false);
    const bool ok = m_repo.saveStatement(statementOnScreen());
    m_cmdWrite->setEnabled(true);
    if (ok)
        markUnchanged();
    return ok;
}

void StatementScreen::cmdWrite_Click()
{
    if (!check_input(QStringLiteral("登録")))
        return;
    if (!registerStatement())
        return;
    setStatus(QStringLiteral("%1年%2月 %3 を登録しました。")
                  .arg(m_txtYear->text(), m_txtMonth->text(), m_cmbJyugyoin->currentText()));
    m_cmbJyugyoin->setFocus();
}

void StatementScreen::cmdDelete_Click()
{
    if (!check_input(QStringLiteral("削除")))
        return;
    if (ctx().messages().question(QStringLiteral("選択されたデータを削除してもよろしいですか？"), Messages::Buttons::YesNo,
                                  Messages::Answer::No, QStringLiteral("確認"))
        != Messages::Answer::Yes)
        return;
    const QString deleted = m_cmbJyugyoin->currentText();
    if (!delete_data())
        return;
    clear_data();
    m_loadedKey.clear();
    if (m_cmbJyugyoin->count() > 0) {
        const QSignalBlocker block(m_cmbJyugyoin);
        m_cmbJyugyoin->setCurrentIndex(0);
    }
    reload(true);
    setStatus(QStringLiteral("%1年%2月 %3 を削除しました。").arg(m_txtYear->text(), m_txtMonth->text(), deleted));
    m_cmbJyugyoin->setFocus();
}

void StatementScreen::cmdPrint_Click()
{
    if (!check_input(QStringLiteral("印刷")))
        return;
    // The payslip shows the statement as it stands on the screen. When that is
    // not what is stored, registering it first is offered; declined, the slip
    // is printed all the same and nothing is written.
    recalculate();
    std::optional<MeisaiRecord> stored;
    if (!m_repo.readStatement(payMonth(), employeeCode(), m_kind, &stored))
        return;
    if (!stored || !(*stored == statementOnScreen())) {
        if (ctx().messages().question(QStringLiteral("画面の明細は登録されていません。登録してから印刷しますか？\n"
                                                     "（「いいえ」のときは登録せずに画面の内容を印刷します。）"),
                                      Messages::Buttons::YesNo, Messages::Answer::Yes)
                == Messages::Answer::Yes
            && !registerStatement())
            return;
    }
    // The entry reads "code name": the name is what follows the code and its blank.
    PayslipPrintJob job(ctx(), this, m_printHooks);
    job.printStatement(statementOnScreen(), m_cmbJyugyoin->currentText().mid(6).trimmed());
    m_cmbJyugyoin->setFocus();
}

QHBoxLayout* StatementScreen::monthAndEmployeeRow()
{
    auto* head = new QHBoxLayout;
    head->addWidget(caption(this, QStringLiteral("支給年")));
    head->addWidget(m_txtYear);
    head->addWidget(caption(this, QStringLiteral("年")));
    head->addSpacing(12);
    head->addWidget(caption(this, QStringLiteral("支給月")));
    head->addWidget(m_txtMonth);
    head->addWidget(caption(this, QStringLiteral("月")));
    head->addSpacing(24);
    head->addWidget(caption(this, QStringLiteral("従業員")));
    head->addWidget(m_cmbJyugyoin);
    head->addSpacing(12);
    head->addWidget(m_lblJuminzeiReminder, 1);
    return head;
}

void StatementScreen::setStatus(const QString& text)
{
    m_lblStatus->setText(text);
}

} // namespace minasel::payroll
