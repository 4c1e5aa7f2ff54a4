#include "masters/mstjyugyoin.h"

#include "app/appcontext.h"
#include "app/datehelpers.h"
#include "app/numberfield.h"
#include "app/screenregistry.h"
#include "app/textfield.h"
#include "app/valuehelpers.h"
#include "masters/codemaster.h"
#include "masters/employee.h"
#include "masters/hyojunbox.h"
#include "masters/jyugyoinrepository.h"
#include "masters/mstotheritems.h"
#include "masters/shahostore.h"
#include "payroll/shahopremiums.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <cmath>

namespace minasel::masters {

namespace {
const char* const kClasses[] = {"0.役員", "1.正社員", "2.契約社員", "3.パート", "4.アルバイト", "5.海外正社員", "6.海外アルバイト"};
constexpr int kCodeRole = Qt::UserRole;
constexpr int kAmountRole = Qt::UserRole + 1;

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    b->setAutoDefault(false);
    b->setMinimumWidth(110);
    return b;
}

TextField* makeText(QWidget* parent, const char* name, bool japanese, int maxLength, int width)
{
    auto* t = new TextField(parent, japanese ? TextField::Kind::Japanese : TextField::Kind::Code);
    t->setObjectName(QLatin1String(name));
    t->setMaxLength(maxLength);
    t->setFixedWidth(width);
    return t;
}

NumberField* makeNumber(QWidget* parent, const char* name, const QString& format, double min, double max)
{
    auto* n = new NumberField(parent);
    n->setObjectName(QLatin1String(name));
    n->setDisplayFormat(format);
    n->setRange(min, max);
    n->setFixedWidth(110);
    return n;
}

QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& caption)
{
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    return c;
}

void selectCode(QComboBox* combo, const QString& code)
{
    const int i = combo->findData(code, kCodeRole);
    combo->setCurrentIndex(i >= 0 ? i : 0);
}
} // namespace

MstJyugyoin::MstJyugyoin(AppContext& ctx, QWidget* parent) : Screen(ctx, QStringLiteral("従業員マスタ保守"), parent)
{
    setObjectName(QStringLiteral("MstJyugyoin"));
    build();
    m_loading = true;
    setSikakuCombo();
    setFukakyuCombo();
    m_loading = false;
    clearForm(false);
}

MstJyugyoin::DateFields MstJyugyoin::makeDate(const char* year, const char* month, const char* day, QLabel* dayLabel)
{
    Q_UNUSED(dayLabel);
    DateFields d{makeText(this, year, false, 4, 50), makeText(this, month, false, 2, 32), makeText(this, day, false, 2, 32)};
    for (TextField* t : {d.year, d.month, d.day}) {
        t->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), t));
        t->setAlignment(Qt::AlignRight);
        connect(t, &QLineEdit::editingFinished, this, [this, d] { normaliseDate(d); });
    }
    return d;
}

void MstJyugyoin::build()
{
    auto* root = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    m_code = makeText(this, "txtCode", false, 5, 80);
    auto* codeLabel = new QLabel(QStringLiteral("従業員番号"), this);
    codeLabel->setBuddy(m_code);
    top->addWidget(codeLabel);
    top->addWidget(m_code);
    top->addStretch();
    m_teate = makeButton(this, "cmdTeate", QStringLiteral("その他手当設定"), QStringLiteral("その他手当の設定を行います。"));
    m_kojyo = makeButton(this, "cmdKojyo", QStringLiteral("その他控除設定"), QStringLiteral("その他控除の設定を行います。"));
    top->addWidget(m_teate);
    top->addWidget(m_kojyo);
    auto* ginko = makeButton(this, "cmdGinko", QStringLiteral("振込口座設定"), QStringLiteral("給与振込の口座を設定します。"));
    ginko->setEnabled(ctx().screens && ctx().screens->has(QStringLiteral("MstJyugyoinGinko")));
    connect(ginko, &QPushButton::clicked, this,
            [this] { openForEmployee(QStringLiteral("MstJyugyoinGinko"), QStringLiteral("振込口座")); });
    top->addWidget(ginko);
    auto* juminzei = makeButton(this, "cmdJuminzei", QStringLiteral("住民税額設定"),
                                QStringLiteral("市区町村の通知書の住民税（特別徴収税額）を設定します。"));
    juminzei->setEnabled(ctx().screens && ctx().screens->has(QStringLiteral("MstJuminzei")));
    connect(juminzei, &QPushButton::clicked, this,
            [this] { openForEmployee(QStringLiteral("MstJuminzei"), QStringLiteral("住民税額")); });
    top->addWidget(juminzei);
    root->addLayout(top);

    auto* columns = new QHBoxLayout;
    root->addLayout(columns);

    // Personal data.
    auto* person = new QGroupBox(QStringLiteral("個人情報"), this);
    auto* pg = new QGridLayout(person);
    int row = 0;
    auto addRow = [&](QGridLayout* g, const QString& label, QWidget* w) {
        auto* l = new QLabel(label, w->parentWidget());
        l->setBuddy(w);
        g->addWidget(l, row, 0);
        g->addWidget(w, row, 1, Qt::AlignLeft);
        ++row;
    };
    auto addDateRow = [&](QGridLayout* g, const QString& label, const DateFields& d, QLabel* tail) {
        auto* box = new QWidget(person);
        auto* h = new QHBoxLayout(box);
        h->setContentsMargins(0, 0, 0, 0);
        d.year->setParent(box);
        d.month->setParent(box);
        d.day->setParent(box);
        h->addWidget(d.year);
        h->addWidget(new QLabel(QStringLiteral("年"), box));
        h->addWidget(d.month);
        h->addWidget(new QLabel(QStringLiteral("月"), box));
        h->addWidget(d.day);
        tail->setParent(box);
        h->addWidget(tail);
        h->addStretch();
        auto* l = new QLabel(label, person);
        l->setBuddy(d.year);
        g->addWidget(l, row, 0);
        g->addWidget(box, row, 1);
        ++row;
    };
    m_name = makeText(person, "txtName", true, 30, 220);
    addRow(pg, QStringLiteral("氏名(漢字)"), m_name);
    m_kana = makeText(person, "txtKana", true, 30, 220);
    addRow(pg, QStringLiteral("氏名(カナ)"), m_kana);
    m_sex = new QComboBox(person);
    m_sex->setObjectName(QStringLiteral("cmbSeibetu"));
    m_sex->addItems({QStringLiteral("男"), QStringLiteral("女")});
    addRow(pg, QStringLiteral("性別"), m_sex);
    m_age = new QLabel(QStringLiteral("日"), this);
    m_age->setObjectName(QStringLiteral("lblNenrei"));
    m_birth = makeDate("txtsYear", "txtsMonth", "txtsDay", m_age);
    addDateRow(pg, QStringLiteral("生年月日"), m_birth, m_age);
    m_zip = makeText(person, "txtYubin", false, 10, 100);
    addRow(pg, QStringLiteral("郵便番号"), m_zip);
    m_add1 = makeText(person, "txtAdd1", true, 60, 300);
    addRow(pg, QStringLiteral("自宅住所１"), m_add1);
    m_add2 = makeText(person, "txtAdd2", true, 60, 300);
    addRow(pg, QStringLiteral("自宅住所２"), m_add2);
    m_tel = makeText(person, "txtTel", false, 20, 140);
    addRow(pg, QStringLiteral("自宅電話"), m_tel);
    m_kubun = new QComboBox(person);
    m_kubun->setObjectName(QStringLiteral("cmbKubun"));
    for (const char* c : kClasses)
        m_kubun->addItem(QString::fromUtf8(c));
    m_kubun->setPlaceholderText(QStringLiteral("（選択して下さい）"));
    addRow(pg, QStringLiteral("在籍区分"), m_kubun);
    m_syokumu = makeText(person, "txtSyokumu", true, 40, 300);
    addRow(pg, QStringLiteral("職務内容"), m_syokumu);
    m_join = makeDate("txtYear", "txtMonth", "txtDay", nullptr);
    addDateRow(pg, QStringLiteral("入社年月日"), m_join, new QLabel(QStringLiteral("日")));
    m_leave = makeDate("txtTYear", "txtTMonth", "txtTDay", nullptr);
    addDateRow(pg, QStringLiteral("退社年月日"), m_leave, new QLabel(QStringLiteral("日")));
    m_myNumber = makeText(person, "txtMyNumber", false, 12, 140);
    addRow(pg, QStringLiteral("個人番号"), m_myNumber);
    pg->setRowStretch(row, 1);
    auto* left = new QVBoxLayout;
    left->addWidget(person);
    m_hyojunBox = new HyojunBox(this);
    left->addWidget(m_hyojunBox);
    columns->addLayout(left);

    // Fixed pay and deductions.
    auto* pay = new QGroupBox(QStringLiteral("支給・控除"), this);
    auto* yg = new QGridLayout(pay);
    row = 0;
    const QString big = QStringLiteral("##,###,##0");
    const QString small = QStringLiteral("###,##0");
    m_kihon = makeNumber(pay, "txtKihonq", big, 0, 99999999);
    addRow(yg, QStringLiteral("基本給"), m_kihon);
    m_yhosyu = makeNumber(pay, "txtYHosyu", big, 0, 99999999);
    addRow(yg, QStringLiteral("役員報酬"), m_yhosyu);
    m_food = makeNumber(pay, "txtFood", small, 0, 999999);
    addRow(yg, QStringLiteral("食事手当"), m_food);
    m_tukin = makeNumber(pay, "txtTukin", small, 0, 999999);
    addRow(yg, QStringLiteral("通勤手当"), m_tukin);
    m_home = makeNumber(pay, "txtHome", small, 0, 999999);
    addRow(yg, QStringLiteral("住宅手当"), m_home);
    m_sikaku = new QComboBox(pay);
    m_sikaku->setObjectName(QStringLiteral("cmbSikaku"));
    m_sikaku->setMinimumWidth(260);
    addRow(yg, QStringLiteral("資格手当"), m_sikaku);
    m_fukaq = new QComboBox(pay);
    m_fukaq->setObjectName(QStringLiteral("cmbFukaq"));
    m_fukaq->setMinimumWidth(260);
    addRow(yg, QStringLiteral("付加給"), m_fukaq);
    m_timeMoney = makeNumber(pay, "txtTimeMoney", small, -999999, 999999);
    addRow(yg, QStringLiteral("時間割賃金"), m_timeMoney);
    m_health = makeNumber(pay, "txtHealth", small, 0, 999999);
    addRow(yg, QStringLiteral("健康保険料"), m_health);
    m_nenkin = makeNumber(pay, "txtNenkin", small, 0, 999999);
    addRow(yg, QStringLiteral("厚生年金保険料"), m_nenkin);
    m_simin = makeNumber(pay, "txtSiminTax", small, 0, 999999);
    addRow(yg, QStringLiteral("市町村民税"), m_simin);

    auto* family = new QGroupBox(QStringLiteral("家族手当"), pay);
    auto* fg = new QGridLayout(family);
    m_fuyo = makeNumber(family, "txtFuyoman", QStringLiteral("#0"), 0, 99);
    m_fuyo->setFixedWidth(50);
    m_family = makeNumber(family, "txtFamily", small, 0, 999999);
    fg->addWidget(new QLabel(QStringLiteral("扶養家族人数"), family), 0, 0);
    fg->addWidget(m_fuyo, 0, 1);
    fg->addWidget(new QLabel(QStringLiteral("手当額"), family), 0, 2);
    fg->addWidget(m_family, 0, 3);
    m_family1 = makeCheck(family, "chkFamily1", QStringLiteral("配偶者"));
    m_family2 = makeCheck(family, "chkFamily2", QStringLiteral("第一子"));
    m_family3 = makeCheck(family, "chkFamily3", QStringLiteral("第二子"));
    fg->addWidget(m_family1, 1, 0);
    fg->addWidget(m_family2, 1, 1, 1, 2);
    fg->addWidget(m_family3, 1, 3);
    yg->addWidget(family, row++, 0, 1, 2);

    auto* switches = new QGroupBox(QStringLiteral("区分"), pay);
    auto* sg = new QGridLayout(switches);
    m_gaijin = makeCheck(switches, "chkGaijin", QStringLiteral("外国人"));
    m_kaigo = makeCheck(switches, "chkKaigoHoken", QStringLiteral("介護保険第２号被保険者"));
    m_koyo = makeCheck(switches, "chkKoyohoken", QStringLiteral("雇用保険料計算"));
    m_tax = makeCheck(switches, "chkTax", QStringLiteral("所得税計算"));
    sg->addWidget(m_gaijin, 0, 0);
    sg->addWidget(m_kaigo, 0, 1);
    sg->addWidget(m_koyo, 1, 0);
    sg->addWidget(m_tax, 1, 1);
    yg->addWidget(switches, row++, 0, 1, 2);
    yg->setRowStretch(row, 1);
    columns->addWidget(pay);

    auto* buttons = new QHBoxLayout;
    m_write = makeButton(this, "cmdWrite", QStringLiteral("[f・1] 登 録"), QStringLiteral("従業員情報の登録を行います。"));
    m_delete = makeButton(this, "cmdDelete", QStringLiteral("[f・3] 削 除"), QStringLiteral("従業員情報の削除を行います。"));
    m_print = makeButton(this, "cmdPrint", QStringLiteral("[f・5] 印 刷"), QStringLiteral("従業員情報の印刷を行います。"));
    m_back = makeButton(this, "cmdCancel", QStringLiteral("[f・6] 戻 る"), QStringLiteral("前の画面に戻ります。"));
    // The employee list is opened by name; where it is not registered the button stays visible but unusable.
    m_print->setEnabled(ctx().screens && ctx().screens->has(QStringLiteral("PrtJyugyoin")));
    buttons->addWidget(m_write);
    buttons->addWidget(m_delete);
    buttons->addWidget(m_print);
    buttons->addStretch();
    buttons->addWidget(m_back);
    root->addLayout(buttons);

    const QList<QWidget*> order{m_code, m_name, m_kana, m_sex, m_birth.year, m_birth.month, m_birth.day, m_zip, m_add1,
                                m_add2, m_tel, m_kubun, m_syokumu, m_join.year, m_join.month, m_join.day, m_leave.year,
                                m_leave.month, m_leave.day, m_myNumber, m_kihon, m_yhosyu, m_food, m_tukin, m_home,
                                m_sikaku, m_fukaq, m_timeMoney, m_health, m_nenkin, m_simin, m_fuyo, m_family,
                                m_family1, m_family2, m_family3, m_gaijin, m_kaigo, m_koyo, m_tax, m_write, m_delete,
                                m_print, m_back, m_teate, m_kojyo};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    setTabOrder(m_myNumber, m_hyojunBox->hyojunField());
    setTabOrder(m_hyojunBox->hyojunField(), m_hyojunBox->findChild<NumberField*>(QStringLiteral("txtHosyu")));

    // Any user edit marks the data changed; filling the form does not.
    for (TextField* t : findChildren<TextField*>())
        connect(t, &QLineEdit::textChanged, this, [this] { edited(); });
    for (NumberField* n : findChildren<NumberField*>())
        connect(n, &NumberField::valueChanged, this, [this] { edited(); });
    for (QComboBox* c : findChildren<QComboBox*>())
        connect(c, &QComboBox::currentIndexChanged, this, [this] { edited(); });
    for (QCheckBox* c : findChildren<QCheckBox*>())
        connect(c, &QCheckBox::toggled, this, [this] { edited(); });

    connect(m_code, &QLineEdit::editingFinished, this, [this] { codeLeft(); });
    connect(m_birth.day, &QLineEdit::editingFinished, this, [this] { updateAge(); });
    connect(m_kubun, &QComboBox::currentIndexChanged, this, [this] { classChosen(); });
    connect(m_hyojunBox, &HyojunBox::changed, this, [this] { updatePremiums(); });
    connect(m_kaigo, &QCheckBox::toggled, this, [this] { updatePremiums(); });
    connect(m_kihon, &QLineEdit::editingFinished, this, [this] { calculateTimemoney(); });
    connect(m_food, &QLineEdit::editingFinished, this, [this] { calculateTimemoney(); });
    connect(m_fukaq, &QComboBox::activated, this, [this] { calculateTimemoney(); });
    connect(m_write, &QPushButton::clicked, this, [this] { write(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { remove(); });
    connect(m_back, &QPushButton::clicked, this, [this] { close(); });
    connect(m_teate, &QPushButton::clicked, this, [this] { openItems(true); });
    connect(m_kojyo, &QPushButton::clicked, this, [this] { openItems(false); });
    connect(m_print, &QPushButton::clicked, this, [this] {
        if (ctx().screens)
            Screen::openFrom(this, ctx().screens->create(QStringLiteral("PrtJyugyoin"), ctx()));
    });
}

void MstJyugyoin::edited()
{
    if (!m_loading)
        setChanged(true);
}

void MstJyugyoin::setSikakuCombo()
{
    QList<CodeMaster::Line> lines;
    CodeMaster(ctx(), CodeMaster::Kind::Sikaku).read(&lines, QStringLiteral("mstJyugyoin.set_sikaku_combo"));
    m_sikaku->clear();
    m_sikaku->addItem(QString(), QString());   // no qualification
    m_sikaku->setItemData(0, 0.0, kAmountRole);
    for (const CodeMaster::Line& l : lines) {
        m_sikaku->addItem(CodeMaster::entryText(l), l.code);
        m_sikaku->setItemData(m_sikaku->count() - 1, l.amount, kAmountRole);
    }
    m_sikaku->setCurrentIndex(0);
}

void MstJyugyoin::setFukakyuCombo()
{
    QList<CodeMaster::Line> lines;
    CodeMaster(ctx(), CodeMaster::Kind::Fukakyu).read(&lines, QStringLiteral("mstJyugyoin.set_fukakyu_combo"));
    m_fukaq->clear();
    m_fukaq->addItem(QString(), QString());   // no additional pay
    m_fukaq->setItemData(0, 0.0, kAmountRole);
    for (const CodeMaster::Line& l : lines) {
        m_fukaq->addItem(CodeMaster::entryText(l), l.code);
        m_fukaq->setItemData(m_fukaq->count() - 1, l.amount, kAmountRole);
    }
    m_fukaq->setCurrentIndex(0);
}

void MstJyugyoin::clearForm(bool keepCode)
{
    const bool was = m_loading;
    m_loading = true;
    const QString code = m_code->text();
    clearControls();
    m_sikaku->setCurrentIndex(0);
    m_fukaq->setCurrentIndex(0);
    m_sex->setCurrentIndex(0);
    // No class until one is chosen: a default would make anyone saved in haste an officer.
    m_kubun->setCurrentIndex(-1);
    for (QCheckBox* c : findChildren<QCheckBox*>())
        c->setChecked(false);
    m_age->setText(QStringLiteral("日"));
    if (keepCode) {
        m_code->setText(code);
    } else {
        m_code->clear();
        m_currentCode.clear();
    }
    classChosen();
    updatePremiums();
    m_loading = was;
    setChanged(false);
}

void MstJyugyoin::showDate(const DateFields& d, const QString& v)
{
    if (v.size() >= 8) {
        d.year->setText(v.left(4));
        d.month->setText(v.mid(4, 2));
        d.day->setText(v.mid(6, 2));
    } else {
        d.year->setText(v.left(4));
        d.month->setText(v.mid(4, 2));
        d.day->clear();
    }
}

QString MstJyugyoin::joinDate(const DateFields& d)
{
    return d.year->trimmed() + d.month->trimmed() + d.day->trimmed();
}

bool MstJyugyoin::dateIsPartial(const DateFields& d) const
{
    const int filled = int(!d.year->trimmed().isEmpty()) + int(!d.month->trimmed().isEmpty())
        + int(!d.day->trimmed().isEmpty());
    return filled != 0 && filled != 3;
}

void MstJyugyoin::normaliseDate(const DateFields& d)
{
    if (!d.year->trimmed().isEmpty())
        d.year->setText(formatNumber(textToInt(d.year->text()), QStringLiteral("000#")));
    if (!d.month->trimmed().isEmpty())
        d.month->setText(FormatMonth(d.month->trimmed()));
    // The day follows its month and year, also when those change afterwards.
    if (!d.day->trimmed().isEmpty()) {
        QString day = d.day->trimmed();
        d.day->setText(AdjustDay(d.year->trimmed(), d.month->trimmed(), day));
    }
    if (d.day == m_birth.day) {
        updateAge();
        updatePremiums();
    }
}

void MstJyugyoin::updateAge()
{
    if (m_birth.day->trimmed().isEmpty() || m_birth.year->trimmed().isEmpty() || m_birth.month->trimmed().isEmpty()) {
        m_age->setText(QStringLiteral("日"));
        return;
    }
    const int age = JyugyoinRepository::age(textToInt(m_birth.year->text()), textToInt(m_birth.month->text()),
                                            textToInt(m_birth.day->text()), ctx().clock().today());
    m_age->setText(QStringLiteral("日生まれ(%1歳)").arg(age));
}

void MstJyugyoin::classChosen()
{
    m_yhosyu->setEnabled(m_kubun->currentText().startsWith(QLatin1Char('0')));
}

void MstJyugyoin::codeLeft()
{
    const QString code = NormalizeEmployeeCode(m_code->text());
    if (code != m_code->text()) {
        const bool was = m_loading;
        m_loading = true;
        m_code->setText(code);
        m_loading = was;
    }
    if (code != m_currentCode)
        readData();
}

bool MstJyugyoin::readData()
{
    clearForm(true);
    const QString code = m_code->trimmed();
    Employee e;
    bool found = false;
    if (!JyugyoinRepository(ctx()).read(code, &e, &found))
        return false;
    if (found) {
        EmployeeInsurance insurance;
        if (!ShahoStore(ctx(), QStringLiteral("mstJyugyoin")).readEmployee(code, &insurance))
            return false;
        m_loading = true;
        fill(e);
        m_hyojunBox->set(insurance.hyojun, insurance.remuneration);
        updatePremiums();
        m_loading = false;
        m_currentCode = code;
    }
    setChanged(false);
    return true;
}

void MstJyugyoin::fill(const Employee& e)
{
    m_name->setText(e.name);
    m_kana->setText(e.kana);
    m_sex->setCurrentIndex(m_sex->findText(e.sex));
    showDate(m_birth, e.birthday);
    m_zip->setText(e.zip);
    m_add1->setText(e.add1);
    m_add2->setText(e.add2);
    m_tel->setText(e.tel);
    int k = -1;
    for (int i = 0; i < m_kubun->count(); ++i)
        if (!e.kbn.isEmpty() && m_kubun->itemText(i).startsWith(e.kbn.left(1)))
            k = i;
    m_kubun->setCurrentIndex(k);
    classChosen();
    m_syokumu->setText(e.syokumu);
    showDate(m_join, e.nyusyabi);
    showDate(m_leave, e.taisyabi);
    m_myNumber->setText(e.myNumber);
    m_kihon->setValue(e.kihonkyu);
    m_yhosyu->setValue(e.yhosyu);
    m_food->setValue(e.food);
    m_tukin->setValue(e.tukin);
    m_home->setValue(e.home);
    selectCode(m_sikaku, e.sikacode);
    selectCode(m_fukaq, e.fukacode);
    m_timeMoney->setValue(e.timemoney);
    m_health->setValue(e.health);
    m_nenkin->setValue(e.nenkin);
    m_simin->setValue(e.simizei);
    m_fuyo->setValue(e.faminum);
    m_family->setValue(e.fami);
    m_family1->setChecked(e.haigu);
    m_family2->setChecked(e.child1);
    m_family3->setChecked(e.child2);
    m_gaijin->setChecked(e.gaijin);
    m_kaigo->setChecked(e.kaigo);
    m_koyo->setChecked(e.koyo);
    m_tax->setChecked(e.calcTax);
    updateAge();
}

Employee MstJyugyoin::collect() const
{
    Employee e;
    e.code = m_code->trimmed();
    e.name = m_name->trimmed();
    e.kana = m_kana->trimmed();
    e.sex = m_sex->currentText();
    e.birthday = joinDate(m_birth);
    e.zip = m_zip->trimmed();
    e.add1 = m_add1->trimmed();
    e.add2 = m_add2->trimmed();
    e.tel = m_tel->trimmed();
    e.kbn = m_kubun->currentText().left(1);
    e.syokumu = m_syokumu->trimmed();
    e.nyusyabi = joinDate(m_join);
    e.taisyabi = joinDate(m_leave);
    e.kihonkyu = m_kihon->value();
    e.yhosyu = m_yhosyu->value();
    e.food = m_food->value();
    e.tukin = m_tukin->value();
    e.sikacode = m_sikaku->currentData(kCodeRole).toString();
    e.home = m_home->value();
    e.fami = m_family->value();
    e.fukacode = m_fukaq->currentData(kCodeRole).toString();
    e.health = m_health->value();
    e.nenkin = m_nenkin->value();
    e.simizei = m_simin->value();
    e.timemoney = m_timeMoney->value();
    e.faminum = m_fuyo->value();
    e.haigu = m_family1->isChecked();
    e.child1 = m_family2->isChecked();
    e.child2 = m_family3->isChecked();
    e.gaijin = m_gaijin->isChecked();
    e.kaigo = m_kaigo->isChecked();
    e.koyo = m_koyo->isChecked();
    e.calcTax = m_tax->isChecked();
    e.myNumber = m_myNumber->trimmed();
    return e;
}

void MstJyugyoin::calculateTimemoney()
{
    JyugyoinRepository repo(ctx());
    double allowances = 0;
    double hours = 0;
    if (!repo.countedAllowances(m_code->trimmed(), &allowances) || !repo.monthTime(&hours))
        return;
    const double additional = std::nearbyint(m_fukaq->currentData(kAmountRole).toDouble());
    const auto rate = JyugyoinRepository::hourlyRate(m_kihon->value(), m_food->value(), additional, allowances, hours);
    if (rate)
        m_timeMoney->setValue(*rate);
}

void MstJyugyoin::write()
{
    if (m_code->trimmed().isEmpty()) {
        ctx().messages().exclamation(QStringLiteral("従業員番号を入力してください。"));
        m_code->setFocus();
        return;
    }
    if (m_kubun->currentIndex() < 0) {
        ctx().messages().exclamation(QStringLiteral("在籍区分を選択してください。"));
        m_kubun->setFocus();
        return;
    }
    // A date is all three parts or none: a half-typed date would be stored as a broken text.
    const struct {
        const DateFields* d;
        const char* label;
    } dates[] = {{&m_birth, "生年月日"}, {&m_join, "入社年月日"}, {&m_leave, "退社年月日"}};
    for (const auto& d : dates) {
        normaliseDate(*d.d);
        if (dateIsPartial(*d.d)) {
            ctx().messages().exclamation(QString::fromUtf8(d.label) + QStringLiteral("を正しく入力してください。"));
            d.d->year->setFocus();
            return;
        }
    }
    const QDate birthday = QDate::fromString(joinDate(m_birth), QStringLiteral("yyyyMMdd"));
    if (birthday.isValid() && birthday > ctx().clock().today()) {
        ctx().messages().exclamation(QStringLiteral("生年月日が今日より後の日付です。正しく入力して下さい。"));
        m_birth.year->setFocus();
        return;
    }
    if (const QString refusal = m_hyojunBox->refusal(); !refusal.isEmpty()) {
        ctx().messages().exclamation(refusal);
        m_hyojunBox->hyojunField()->setFocus();
        return;
    }
    const Employee e = collect();
    const long long hyojun = m_hyojunBox->hyojun();
    const long long remuneration = m_hyojunBox->remuneration();
    if (!JyugyoinRepository(ctx()).save(e, [&] {
            return ShahoStore(ctx(), QStringLiteral("mstJyugyoin")).saveHyojun(e.code, hyojun, remuneration);
        }))
        return;
    clearForm(false);
    m_code->setFocus();
}

void MstJyugyoin::remove()
{
    const QString code = m_code->trimmed();
    if (code.isEmpty()) {
        ctx().messages().exclamation(QStringLiteral("従業員番号を入力した後、削除ボタンを押して下さい。"));
        return;
    }
    if (!confirmDelete())
        return;
    if (!JyugyoinRepository(ctx()).remove(code))
        return;
    clearForm(false);
    m_code->setFocus();
}

void MstJyugyoin::updatePremiums()
{
    const long long hyojun = m_hyojunBox->hyojun();
    const QString refusal = m_hyojunBox->refusal();
    const bool computed = hyojun > 0 && refusal.isEmpty();
    for (NumberField* f : {m_health, m_nenkin}) {
        f->setReadOnly(computed);
        // Computed amounts read as such: a quiet background instead of an input's.
        f->setStyleSheet(computed ? QStringLiteral("QLineEdit { background: palette(window); }") : QString());
    }
    if (!computed) {
        m_hyojunBox->setNote(refusal);
        return;
    }
    // The amounts of the pay month of today, as a new statement of this month takes them.
    const EmployeeInsurance insurance{hyojun, m_hyojunBox->remuneration(), joinDate(m_birth), m_kaigo->isChecked()};
    const QDate today = ctx().clock().today();
    payroll::StatementInsurance ins;
    if (!payroll::ShahoPremiums(ctx(), QStringLiteral("mstJyugyoin"))
             .salaryFor(insurance, today.year() * 100 + today.month(), &ins))
        return;
    m_health->setValue(double(ins.premium.health));
    m_nenkin->setValue(double(ins.premium.pension));
    QStringList note{ins.explanation()};
    if (!ins.careWarning.isEmpty())
        note << ins.careWarning + QStringLiteral("（介護保険第２号被保険者の欄と合いません）");
    note << ins.notices;
    m_hyojunBox->setNote(note.join(QLatin1Char('\n')));
}

void MstJyugyoin::openItems(bool allowances)
{
    const QString code = m_code->trimmed();
    if (code.isEmpty()) {
        ctx().messages().exclamation(allowances ? QStringLiteral("従業員番号を入力した後、その他手当を設定して下さい。")
                                                : QStringLiteral("従業員番号を入力した後、その他控除を設定して下さい。"));
        return;
    }
    auto* screen = new MstOtherItems(ctx(), allowances ? OtherItems::Kind::Teate : OtherItems::Kind::Kojyo, code,
                                     m_name->trimmed());
    if (allowances)
        connect(screen, &MstOtherItems::saved, this, [this] { calculateTimemoney(); });
    Screen::openFrom(this, screen);
}

void MstJyugyoin::openForEmployee(const QString& screenName, const QString& what)
{
    const QString code = m_code->trimmed();
    if (code.isEmpty()) {
        ctx().messages().exclamation(QStringLiteral("従業員番号を入力した後、%1を設定して下さい。").arg(what));
        return;
    }
    // The screen lives in another subsystem: made by name, told the employee by name
    // (it says so itself when the employee is not registered).
    QWidget* screen = ctx().screens ? ctx().screens->create(screenName, ctx()) : nullptr;
    bool ok = false;
    if (screen && QMetaObject::invokeMethod(screen, "setEmployee", Q_RETURN_ARG(bool, ok), Q_ARG(QString, code)) && ok)
        Screen::openFrom(this, screen);
    else
        delete screen;
}

} // namespace minasel::masters
