#include "transfer/runfurikomi.h"

#include "app/appcontext.h"
#include "app/datehelpers.h"
#include "app/textfield.h"
#include "app/valuehelpers.h"
#include "reports/fonts.h"
#include "transfer/bankaccountbox.h"
#include "transfer/screenparts.h"
#include "transfer/csvpreview.h"
#include "transfer/transferlistlayout.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace minasel::transfer {

namespace {
const QString kForm = QStringLiteral("RunFurikomi");
constexpr int kFileError = 75;
constexpr int kCodeRole = Qt::UserRole;

QTableWidget* makeGrid(QWidget* parent, const char* name, const QStringList& headings)
{
    auto* g = new QTableWidget(0, int(headings.size()), parent);
    g->setObjectName(QLatin1String(name));
    g->setHorizontalHeaderLabels(headings);
    g->verticalHeader()->hide();
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->horizontalHeader()->setStretchLastSection(true);
    return g;
}

QTableWidgetItem* item(const QString& text, bool right = false)
{
    auto* i = new QTableWidgetItem(text);
    if (right)
        i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return i;
}
} // namespace

RunFurikomi::RunFurikomi(AppContext& ctx, QWidget* parent) : Screen(ctx, QStringLiteral("振込データ作成"), parent)
{
    setObjectName(kForm);
    auto* conditions = new QGroupBox(QStringLiteral("作成条件"), this);
    m_year = BankAccountBox::digitField(conditions, "txtYear", 4);
    m_month = BankAccountBox::digitField(conditions, "txtMonth", 2);
    m_salary = new QRadioButton(QStringLiteral("給与"), conditions);
    m_salary->setObjectName(QStringLiteral("optKyuyo"));
    m_bonus = new QRadioButton(QStringLiteral("賞与"), conditions);
    m_bonus->setObjectName(QStringLiteral("optSyoyo"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(m_salary);
    kinds->addButton(m_bonus);
    m_salary->setChecked(true);
    m_dateMonth = BankAccountBox::digitField(conditions, "txtFuriMonth", 2);
    m_dateDay = BankAccountBox::digitField(conditions, "txtFuriDay", 2);
    m_crlf = new QCheckBox(QStringLiteral("各レコードの後に改行（CR LF）を付ける"), conditions);
    m_crlf->setObjectName(QStringLiteral("chkCrLf"));
    auto* c = new QHBoxLayout(conditions);
    c->addWidget(new QLabel(QStringLiteral("支給年月"), conditions));
    c->addWidget(m_year);
    c->addWidget(new QLabel(QStringLiteral("年"), conditions));
    c->addWidget(m_month);
    c->addWidget(new QLabel(QStringLiteral("月"), conditions));
    c->addSpacing(16);
    c->addWidget(m_salary);
    c->addWidget(m_bonus);
    c->addSpacing(16);
    c->addWidget(new QLabel(QStringLiteral("振込指定日"), conditions));
    c->addWidget(m_dateMonth);
    c->addWidget(new QLabel(QStringLiteral("月"), conditions));
    c->addWidget(m_dateDay);
    c->addWidget(new QLabel(QStringLiteral("日"), conditions));
    c->addSpacing(16);
    c->addWidget(m_crlf);
    c->addStretch();

    m_client = new QLabel(this);
    m_client->setObjectName(QStringLiteral("lblIrai"));
    m_client->setWordWrap(true);

    m_grid = makeGrid(this, "grdFurikomi",
                      {QStringLiteral("振込"), QStringLiteral("従業員番号"), QStringLiteral("氏名"), QStringLiteral("銀行"),
                       QStringLiteral("支店"), QStringLiteral("種目"), QStringLiteral("口座番号"),
                       QStringLiteral("受取人名"), QStringLiteral("差引支給額")});
    for (auto [column, width] : {std::pair{0, 44}, {1, 80}, {2, 130}, {3, 150}, {4, 130}, {5, 44}, {6, 72}, {7, 150}, {8, 96}})
        m_grid->setColumnWidth(column, width);
    m_excluded = makeGrid(this, "grdTaisyogai",
                          {QStringLiteral("従業員番号"), QStringLiteral("氏名"), QStringLiteral("差引支給額"),
                           QStringLiteral("振込しない理由")});
    for (auto [column, width] : {std::pair{0, 80}, {1, 160}, {2, 96}, {3, 220}})
        m_excluded->setColumnWidth(column, width);
    m_excluded->setMaximumHeight(130);

    m_chosen = new QLabel(this);
    m_chosen->setObjectName(QStringLiteral("lblSentaku"));
    m_trailer = new QLabel(this);
    m_trailer->setObjectName(QStringLiteral("lblTrailer"));
    m_statements = new QLabel(this);
    m_statements->setObjectName(QStringLiteral("lblMeisai"));
    auto* totals = new QHBoxLayout;
    totals->addWidget(m_chosen);
    totals->addStretch();
    totals->addWidget(m_trailer);
    totals->addSpacing(24);
    totals->addWidget(m_statements);

    m_all = makeButton(this, "cmdAll", QStringLiteral("全て選択"), QStringLiteral("振込できる従業員を全て選びます。"));
    m_none = makeButton(this, "cmdNone", QStringLiteral("全て解除"), QStringLiteral("選択を全て解除します。"));
    m_csv = makeButton(this, "cmdCsv", QStringLiteral("口座CSV取込"),
                       QStringLiteral("従業員の振込口座をCSVファイルから取り込みます。"));
    m_write = makeButton(this, "cmdWrite", QStringLiteral("[f・1] 作 成"),
                         QStringLiteral("選んだ従業員の振込データ（全銀協形式）を作成します。"));
    m_print = makeButton(this, "cmdPrint", QStringLiteral("[f・5] 印 刷"), QStringLiteral("振込一覧表を印刷します。"));
    m_back = makeButton(this, "cmdCancel", QStringLiteral("[f・6] 戻 る"), QStringLiteral("前の画面に戻ります。"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_all);
    buttons->addWidget(m_none);
    buttons->addWidget(m_csv);
    buttons->addStretch();
    buttons->addWidget(m_write);
    buttons->addWidget(m_print);
    buttons->addWidget(m_back);

    auto* root = new QVBoxLayout(this);
    root->addWidget(conditions);
    root->addWidget(m_client);
    root->addWidget(new QLabel(QStringLiteral("振込する従業員（差引支給額は登録済みの明細から）"), this));
    root->addWidget(m_grid, 1);
    root->addWidget(new QLabel(QStringLiteral("振込対象外"), this));
    root->addWidget(m_excluded);
    root->addLayout(totals);
    root->addLayout(buttons);

    const QList<QWidget*> order{m_year, m_month, m_salary, m_bonus, m_dateMonth, m_dateDay, m_crlf, m_grid,
                                m_all, m_none, m_csv, m_write, m_print, m_back};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    const QDate today = ctx.clock().today();
    m_year->setText(QString::number(today.year()));
    m_month->setText(QStringLiteral("%1").arg(today.month(), 2, 10, QLatin1Char('0')));
    connect(m_year, &QLineEdit::editingFinished, this, [this] {
        if (!m_year->trimmed().isEmpty() && m_year->text() != formatNumber(textToInt(m_year->text()), QStringLiteral("000#")))
            m_year->setText(formatNumber(textToInt(m_year->text()), QStringLiteral("000#")));
        readIfChanged();
    });
    connect(m_month, &QLineEdit::editingFinished, this, [this] {
        if (!m_month->trimmed().isEmpty())
            m_month->setText(FormatMonth(m_month->trimmed()));
        readIfChanged();
    });
    connect(m_salary, &QRadioButton::toggled, this, [this] { readIfChanged(); });
    connect(m_grid, &QTableWidget::itemChanged, this, [this] { showTotals(); });
    connect(m_all, &QPushButton::clicked, this, [this] { setAllChecked(true); });
    connect(m_none, &QPushButton::clicked, this, [this] { setAllChecked(false); });
    connect(m_csv, &QPushButton::clicked, this, [this] { importCsv(); });
    connect(m_write, &QPushButton::clicked, this, [this] { writeFile(); });
    connect(m_print, &QPushButton::clicked, this, [this] { printList(); });
    connect(m_back, &QPushButton::clicked, this, &QWidget::close);

    chooseFile = [this](const QString& suggested) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("振込データの保存先"), suggested,
                                            QStringLiteral("振込データ (*.txt *.dat);;すべてのファイル (*)"));
    };
    chooseCsv = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("振込口座のCSVファイル"), QString(),
                                            QStringLiteral("CSV ファイル (*.csv *.txt);;すべてのファイル (*)"));
    };
    confirmImport = [this](const QList<BankCsvImport::Row>& rows) { return CsvPreview(rows, this).exec() == QDialog::Accepted; };
    readData();
    resize(980, 680);
}

RunFurikomi::~RunFurikomi()
{
    // Leaving a field as the window goes would read the month again into members already gone.
    m_year->disconnect(this);
    m_month->disconnect(this);
}

QString RunFurikomi::payMonth() const
{
    return m_year->trimmed() + m_month->trimmed();
}

int RunFurikomi::kind() const
{
    return m_bonus->isChecked() ? 2 : 1;
}

void RunFurikomi::readIfChanged()
{
    // Passing through the month on the way back keeps the ticks and the date the user set.
    if (payMonth() + QString::number(kind()) != m_readFor)
        readData();
}

bool RunFurikomi::readData()
{
    m_readFor = payMonth() + QString::number(kind());
    m_grid->setRowCount(0);
    m_excluded->setRowCount(0);
    m_lines.clear();
    m_trailer->clear();
    m_statements->clear();
    if (m_year->trimmed().size() != 4 || m_month->trimmed().isEmpty()) {
        showTotals();
        return true;
    }
    CompanyBank company;
    if (!BankAccounts(ctx(), kForm).readCompany(&company, &m_hasCompany))
        return false;
    if (m_hasCompany) {
        m_client->setStyleSheet(QString());
        m_client->setText(QStringLiteral("依頼人 %1 %2　振込元 %3 / %4 / %5 %6")
                              .arg(company.clientCode, company.clientName, company.account.bankText(),
                                   company.account.branchText(), company.account.kindName(),
                                   company.account.accountNumber));
    } else {
        m_client->setStyleSheet(QStringLiteral("color: #c00000;"));
        m_client->setText(QStringLiteral("会社の振込口座（依頼人）が登録されていません。"
                                         "会社情報設定の「振込口座設定」で登録して下さい。"));
    }
    // The usual pay day of the month (a weekday) until the user types another.
    const QString date = TransferData::defaultDate(payMonth(), m_hasCompany ? company.payDay : 25);
    m_dateMonth->setText(date.left(2));
    m_dateDay->setText(date.mid(2));

    if (!TransferData(ctx(), kForm).read(payMonth(), kind(), &m_lines))
        return false;
    const QSignalBlocker block(m_grid);
    for (const TransferLine& l : m_lines) {
        if (!l.transferable()) {
            const int r = m_excluded->rowCount();
            m_excluded->insertRow(r);
            m_excluded->setItem(r, 0, item(l.code));
            m_excluded->setItem(r, 1, item(l.name));
            m_excluded->setItem(r, 2, item(formatAmount(l.netPay), true));
            m_excluded->setItem(r, 3, item(l.exclusion()));
            continue;
        }
        const BankAccount& b = l.bank->account;
        const int r = m_grid->rowCount();
        m_grid->insertRow(r);
        auto* tick = new QTableWidgetItem;
        tick->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        tick->setCheckState(Qt::Checked);
        tick->setData(kCodeRole, l.code);
        m_grid->setItem(r, 0, tick);
        m_grid->setItem(r, 1, item(l.code));
        m_grid->setItem(r, 2, item(l.name));
        m_grid->setItem(r, 3, item(b.bankText()));
        m_grid->setItem(r, 4, item(b.branchText()));
        m_grid->setItem(r, 5, item(b.kindName()));
        m_grid->setItem(r, 6, item(b.accountNumber));
        m_grid->setItem(r, 7, item(l.bank->holderName));
        m_grid->setItem(r, 8, item(formatAmount(l.netPay), true));
    }
    showTotals();
    return true;
}

QString RunFurikomi::typedDate() const
{
    // Padded only: a month of 13 or 0 is refused, never turned into another the bank would act on.
    return m_dateMonth->trimmed().rightJustified(2, QLatin1Char('0'))
           + m_dateDay->trimmed().rightJustified(2, QLatin1Char('0'));
}

QStringList RunFurikomi::checkedCodes() const
{
    QStringList codes;
    for (int r = 0; r < m_grid->rowCount(); ++r)
        if (m_grid->item(r, 0)->checkState() == Qt::Checked)
            codes << m_grid->item(r, 0)->data(kCodeRole).toString();
    return codes;
}

void RunFurikomi::setAllChecked(bool on)
{
    {
        const QSignalBlocker block(m_grid);
        for (int r = 0; r < m_grid->rowCount(); ++r)
            m_grid->item(r, 0)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    showTotals();
}

void RunFurikomi::showTotals()
{
    const QStringList codes = checkedCodes();
    long long total = 0;
    for (const TransferLine& l : m_lines)
        if (codes.contains(l.code))
            total += l.netPay;
    m_chosen->setText(QStringLiteral("選択 %1 件　差引支給額の合計 %2 円").arg(codes.size()).arg(formatAmount(total)));
}

bool RunFurikomi::checkConditions()
{
    if (m_year->trimmed().size() != 4) {
        ctx().messages().exclamation(QStringLiteral("支給年を入力して下さい。"));
        m_year->setFocus();
        return false;
    }
    if (m_month->trimmed().isEmpty()) {
        ctx().messages().exclamation(QStringLiteral("支給月を入力して下さい。"));
        m_month->setFocus();
        return false;
    }
    if (const QString fault = TransferData::checkDate(typedDate(), payMonth()); !fault.isEmpty() || m_dateMonth->trimmed().isEmpty()) {
        ctx().messages().exclamation(fault.isEmpty() ? QStringLiteral("振込指定日を入力して下さい。") : fault);
        m_dateMonth->setFocus();
        return false;
    }
    if (checkedCodes().isEmpty()) {
        ctx().messages().exclamation(QStringLiteral("振込する従業員を選んで下さい。"));
        m_grid->setFocus();
        return false;
    }
    return true;
}

bool RunFurikomi::prepare(TransferFile::Result* result)
{
    if (!checkConditions())
        return false;
    TransferFile::Request request;
    request.payMonth = payMonth();
    request.kind = kind();
    request.date = typedDate();
    request.crlf = m_crlf->isChecked();
    request.codes = checkedCodes();
    QString error;
    if (!TransferFile(ctx(), kForm).prepare(request, result, &error)) {
        ctx().messages().exclamation(error);
        return false;
    }
    // Statements deleted (or accounts changed) since the list was read are left out, and said so.
    if (!result->skipped.isEmpty())
        ctx().messages().exclamation(QStringLiteral("次の従業員は振込データに含めません。\n\n") + result->skipped.join(QLatin1Char('\n')));
    return true;
}

void RunFurikomi::showResult(const TransferFile::Result& r)
{
    const bool agree = r.summary.trailerCount == r.lines.size() && r.summary.trailerTotal == r.statementTotal;
    m_trailer->setText(QStringLiteral("トレーラー %1 件　%2 円").arg(r.summary.trailerCount).arg(formatAmount(r.summary.trailerTotal)));
    m_statements->setText(QStringLiteral("明細の合計 %1 件　%2 円　%3")
                              .arg(r.lines.size())
                              .arg(formatAmount(r.statementTotal), agree ? QStringLiteral("（一致）") : QStringLiteral("（不一致）")));
}

bool RunFurikomi::writeFile()
{
    TransferFile::Result result;
    if (!prepare(&result))
        return false;
    QString suggested = reports::PrintJob::suggestedPdfPath(
        QStringLiteral("振込_%1_%2").arg(TransferFile::kindName(kind()), payMonth()), ctx().clock().today());
    suggested.chop(4);
    const QString path = chooseFile(suggested + QStringLiteral(".txt"));
    if (path.isEmpty())
        return false;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = TransferFile::write(path, result.bytes, &error);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        ctx().reportError(kFileError, error, kForm + QStringLiteral(".cmdWrite_Click"));
        return false;
    }
    m_lastPath = path;
    showResult(result);
    ctx().messages().information(QStringLiteral("振込データを作成しました。\n%1\n\nトレーラー %2 件　合計 %3 円（明細の合計と一致）")
                                     .arg(QDir::toNativeSeparators(path))
                                     .arg(result.summary.trailerCount)
                                     .arg(formatAmount(result.summary.trailerTotal)));
    return true;
}

bool RunFurikomi::printList()
{
    TransferFile::Result result;
    if (!prepare(&result))
        return false;
    showResult(result);
    reports::PrintJob job(ctx(), this, kForm + QStringLiteral(".cmdPrint_Click"), m_printHooks);
    const reports::PrintJob::Paper paper{reports::minchoFont(), TransferListLayout::kFontSize, TransferListLayout::kPaper,
                                         TransferListLayout::kOrientation};
    const auto outcome = job.run(
        TransferListLayout::title(),
        QStringLiteral("振込一覧表_%1_%2").arg(TransferFile::kindName(kind()), payMonth()), paper,
        [&](reports::PrintCanvas& canvas) {
            return TransferListLayout::print(ctx(), canvas, result, kForm + QStringLiteral(".cmdPrint_Click"))
                == TransferListLayout::Outcome::Printed;
        });
    return outcome == reports::PrintJob::Result::Printed;
}

bool RunFurikomi::importCsv()
{
    const QString path = chooseCsv();
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ctx().reportError(kFileError, QStringLiteral("%1 (%2)").arg(path, file.errorString()), kForm + QStringLiteral(".cmdCsv_Click"));
        return false;
    }
    BankCsvImport import(ctx(), kForm);
    QList<BankCsvImport::Row> rows;
    QString error;
    if (!import.read(file.readAll(), &rows, &error)) {
        ctx().messages().exclamation(error);
        return false;
    }
    if (rows.isEmpty()) {
        ctx().messages().exclamation(QStringLiteral("取り込むデータがありません。"));
        return false;
    }
    // The preview offers storing only when every line is sound; store() refuses otherwise all the same.
    if (!confirmImport(rows) || !import.store(rows, &error)) {
        if (!error.isEmpty())
            ctx().messages().exclamation(error);
        return false;
    }
    ctx().messages().information(QStringLiteral("%1 件の振込口座を登録しました。").arg(rows.size()));
    readData();
    return true;
}

} // namespace minasel::transfer
