#include "masters/inpkaisyajoho.h"

#include "app/appcontext.h"
#include "app/numberfield.h"
#include "app/screenregistry.h"
#include "app/textfield.h"
#include "db/transactionguard.h"
#include "masters/companyinfo.h"
#include "masters/companyrepository.h"
#include "masters/shahosettingsbox.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlError>
#include <QTimer>
#include <QVBoxLayout>

namespace minasel::masters {

namespace {
const QString kLimitMessage = QStringLiteral("会社情報の登録数は99個までです。これ以上は登録できません。");

struct TextSpec {
    const char* name;
    const char* corporation;
    const char* proprietor;
    bool japanese;
    int maxLength;
};
const TextSpec kTexts[] = {
    {"txtKaisyaName", "会社名", "屋号又は氏名", true, 60},
    {"txtKaisyaFurigana", "会社フリガナ", "フリガナ", true, 60},
    {"txtYubin", "郵便番号", "郵便番号", false, 10},
    {"txtTodohuken", "都道府県", "都道府県", true, 10},
    {"txtJyusho1", "住所１", "住所１", true, 60},
    {"txtJyusho2", "住所２", "住所２", true, 60},
    {"txtTel", "電話番号", "電話番号", false, 20},
    {"txtFax", "ＦＡＸ番号", "ＦＡＸ番号", false, 20},
    {"txtDaihyoName", "代表者名", "氏名", true, 40},
    {"txtDaihyoFurigana", "代表者フリガナ", "氏名フリガナ", true, 40},
    {"txtDaihyoYakusyoku", "代表者役職", "業種名", true, 40},
    {"txtHojinNum", "法人（個人）番号", "法人（個人）番号", false, 13},
};

struct CoefficientSpec {
    const char* label;
};
const char* const kCoefficientLabels[6] = {
    "時間外手当係数(法定休日以外)", "時間外手当係数（法定休日）", "深夜割増手当係数（法定休日以外）",
    "深夜割増手当係数（法定休日）", "月60時間超割増手当係数（平時）", "月60時間超割増手当係数（深夜）"};

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    b->setAutoDefault(false);
    b->setMinimumWidth(110);
    return b;
}
} // namespace

InpKaisyaJoho::InpKaisyaJoho(AppContext& ctx, QWidget* parent)
    : Screen(ctx, QStringLiteral("会社情報設定"), parent),
      m_newMode(ctx.callerName == QLatin1String("MainMenu"))
{
    setObjectName(QStringLiteral("InpKaisyaJoho"));
    build();
    m_loading = true;
    if (m_newMode) {
        m_title->setText(QStringLiteral("会社情報新規登録"));
        applyLabels(true);
        setEnabledWithReason(m_delete, false, QStringLiteral("新規登録では使えません。"));
        m_syaho->startNew();
        m_loaded = true;
        m_loading = false;
        checkCompanyLimit();
    } else {
        m_loaded = setDataToForm();
        m_loading = false;
    }
    setButtonsEnabled(false);
}

void InpKaisyaJoho::build()
{
    auto* root = new QVBoxLayout(this);
    m_title = new QLabel(QStringLiteral("会社情報設定"), this);
    m_title->setObjectName(QStringLiteral("lblTitle"));
    QFont tf = m_title->font();
    tf.setPointSizeF(tf.pointSizeF() * 1.4);
    tf.setBold(true);
    m_title->setFont(tf);
    root->addWidget(m_title);

    auto* options = new QHBoxLayout;
    m_optHojin = new QRadioButton(QStringLiteral("法人"), this);
    m_optHojin->setObjectName(QStringLiteral("optHojin"));
    m_optKojin = new QRadioButton(QStringLiteral("個人"), this);
    m_optKojin->setObjectName(QStringLiteral("optKojin"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_optHojin);
    group->addButton(m_optKojin);
    m_optHojin->setChecked(true);
    options->addWidget(m_optHojin);
    options->addWidget(m_optKojin);
    options->addStretch();
    root->addLayout(options);

    auto* columns = new QHBoxLayout;
    root->addLayout(columns);

    auto* textFrame = new QGroupBox(QStringLiteral("会社の情報"), this);
    textFrame->setObjectName(QStringLiteral("fraKaisya"));
    auto* tg = new QGridLayout(textFrame);
    int row = 0;
    for (const TextSpec& s : kTexts) {
        auto* label = new QLabel(QString::fromUtf8(s.corporation), textFrame);
        auto* field = new TextField(textFrame, s.japanese ? TextField::Kind::Japanese : TextField::Kind::Code);
        field->setObjectName(QLatin1String(s.name));
        field->setMaxLength(s.maxLength);
        field->setMinimumWidth(s.maxLength > 20 ? 300 : 160);
        label->setBuddy(field);
        tg->addWidget(label, row, 0);
        tg->addWidget(field, row, 1, Qt::AlignLeft);
        ++row;
        m_labels << label;
        m_texts << field;
    }
    tg->setRowStretch(row, 1);
    columns->addWidget(textFrame);

    m_numberFrame = new QGroupBox(QStringLiteral("保険料率・労働時間・単価・係数"), this);
    m_numberFrame->setObjectName(QStringLiteral("fraNumbers"));
    auto* ng = new QGridLayout(m_numberFrame);
    row = 0;
    auto number = [&](const char* name, const QString& label, const QString& format, int decimals, double min,
                      double max, double initial, const QString& unit = QString()) {
        auto* f = new NumberField(m_numberFrame);
        f->setObjectName(QLatin1String(name));
        f->setDecimals(decimals);
        f->setDisplayFormat(format);
        f->setRange(min, max);
        f->setValue(initial);
        f->setFixedWidth(100);
        auto* l = new QLabel(label, m_numberFrame);
        l->setBuddy(f);
        ng->addWidget(l, row, 0);
        ng->addWidget(f, row, 1);
        if (!unit.isEmpty())
            ng->addWidget(new QLabel(unit, m_numberFrame), row, 2);
        ++row;
        return f;
    };
    const CompanyInfo defaults;
    m_kenko = number("txtKekohokenRitu", QStringLiteral("健康保険料率(介護２号該当なし)"), QStringLiteral("#0.000"), 3,
                     0, 99, defaults.kenko, QStringLiteral("％"));
    m_kenko2 = number("txtKekohokenRitu2", QStringLiteral("健康保険料率(介護２号該当)"), QStringLiteral("#0.000"), 3, 0,
                      99, defaults.kenko2, QStringLiteral("％"));
    m_kosei = number("txtKonehokenRitu", QStringLiteral("厚生年金保険料率"), QStringLiteral("#0.000"), 3, 0, 99,
                     defaults.kosei, QStringLiteral("％"));
    // Employment-insurance rates are fractions such as 0.0055 (5.5 per mille): three
    // decimals would turn them into 0.006 on the next save, so the field keeps five.
    m_koyo = number("txtKoyohokenRitu", QStringLiteral("雇用保険料率"), QStringLiteral("#0.000##"), 5, 0, 99,
                    defaults.koyo);
    m_kijyun = number("txtKijyuntime", QStringLiteral("月間基準労働時間数"), QStringLiteral("##0.00"), 2, -999.99,
                      999.99, defaults.kijyunTime, QStringLiteral("時間"));
    m_kyujitu = number("txtKyujituTanka", QStringLiteral("休日出勤単価"), QStringLiteral("###,##0"), 0, -999999,
                       999999, defaults.kyujituTanka, QStringLiteral("円"));
    m_kinkyu = number("txtKinkyuTanka", QStringLiteral("緊急呼出単価"), QStringLiteral("###,##0"), 0, -999999, 999999,
                      defaults.kinkyuTanka, QStringLiteral("円"));
    for (int i = 0; i < 6; ++i) {
        NumberField* f = number("txtJKGKesu", QString::fromUtf8(kCoefficientLabels[i]), QStringLiteral("0.00"), 2,
                                -9.99, 9.99, defaults.coefficients[size_t(i)]);
        f->setObjectName(QStringLiteral("txtJKGKesu_%1").arg(i));
        f->setProperty("index", i);
        m_coefficients << f;
    }
    ng->setRowStretch(row, 1);
    columns->addWidget(m_numberFrame);
    m_syaho = new ShahoSettingsBox(ctx(), {m_texts[3], m_kenko, m_kenko2, m_kosei, m_koyo}, m_newMode, this);
    root->addWidget(m_syaho);

    auto* buttons = new QHBoxLayout;
    m_touroku = makeButton(this, "cmdTouroku", QStringLiteral("[f・1] 登 録"), QStringLiteral("会社情報を登録します。"));
    m_cancel = makeButton(this, "cmdCancel", QStringLiteral("[f・2] 取 消"), QStringLiteral("会社情報設定を取り消します。"));
    m_delete = makeButton(this, "cmdDelete", QStringLiteral("[f・3] 削 除"), QStringLiteral("会社情報を削除します。"));
    m_back = makeButton(this, "cmdBack", QStringLiteral("[f・6] 戻 る"), QStringLiteral("前の画面に戻ります。"));
    buttons->addWidget(m_touroku);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_delete);
    // The bank data of a registered company, on its own screen (opened by name; unusable where it is not registered).
    auto* ginko = makeButton(this, "cmdGinko", QStringLiteral("振込口座設定"),
                             QStringLiteral("給与振込データの依頼人と振込元口座を設定します。"));
    ginko->setEnabled(!m_newMode && ctx().screens && ctx().screens->has(QStringLiteral("InpKaisyaGinko")));
    connect(ginko, &QPushButton::clicked, this,
            [this] { Screen::openFrom(this, ctx().screens->create(QStringLiteral("InpKaisyaGinko"), ctx())); });
    buttons->addWidget(ginko);
    m_status = makeNote(this, QStringLiteral("lblStatus"));
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_back);
    root->addLayout(buttons);

    // Tab order follows the screen: options, the texts top to bottom, the numbers, the buttons.
    QList<QWidget*> order{m_optHojin, m_optKojin};
    for (TextField* t : m_texts)
        order << t;
    order << m_kenko << m_kenko2 << m_kosei << m_koyo << m_kijyun << m_kyujitu << m_kinkyu;
    for (NumberField* f : m_coefficients)
        order << f;
    for (QWidget* f : m_syaho->findChildren<QWidget*>())
        if (f->focusPolicy() != Qt::NoFocus)
            order << f;
    order << m_touroku << m_cancel << m_delete << m_back;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    for (TextField* t : m_texts)
        connect(t, &QLineEdit::textChanged, this, [this] { edited(); });
    for (NumberField* f : findChildren<NumberField*>())
        connect(f, &NumberField::valueChanged, this, [this] { edited(); });
    connect(m_syaho, &ShahoSettingsBox::changed, this, [this] { edited(); });
    connect(m_optHojin, &QRadioButton::toggled, this, [this](bool on) {
        applyLabels(on);
        edited();
    });
    connect(m_touroku, &QPushButton::clicked, this, [this] { touroku(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { cancel(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteCompany(); });
    connect(m_back, &QPushButton::clicked, this, [this] { close(); });
}

void InpKaisyaJoho::showEvent(QShowEvent* event)
{
    Screen::showEvent(event);
    if (!m_loaded)
        QTimer::singleShot(0, this, [this] { close(); });
    else if (m_texts.first()->isEnabled())
        m_texts.first()->setFocus();
}

void InpKaisyaJoho::applyLabels(bool corporation)
{
    for (int i = 0; i < m_labels.size(); ++i)
        m_labels[i]->setText(QString::fromUtf8(corporation ? kTexts[i].corporation : kTexts[i].proprietor));
}

void InpKaisyaJoho::setButtonsEnabled(bool on)
{
    const QString why = QStringLiteral("項目を変更すると使えます。");
    setEnabledWithReason(m_touroku, on, why);
    setEnabledWithReason(m_cancel, on, why);
    setChanged(on);
}

void InpKaisyaJoho::edited()
{
    if (m_loading)
        return;
    setButtonsEnabled(true);
    m_status->clear();
}

bool InpKaisyaJoho::acceptZeroHours()
{
    // Without standard hours no employee gets an hourly rate, and every overtime
    // line would come to 0 yen without a word.
    if (m_kijyun->value() != 0)
        return true;
    if (ctx().messages().show(Messages::Icon::Exclamation, Messages::defaultTitle(),
                              QStringLiteral("月間基準労働時間数が 0 です。このままでは時間割賃金が計算されず、"
                                             "時間外手当などが 0 円になります。このまま登録しますか？"),
                              Messages::Buttons::OkCancel, Messages::Answer::Cancel)
        == Messages::Answer::Ok)
        return true;
    m_kijyun->setFocus();
    return false;
}

CompanyInfo InpKaisyaJoho::collect() const
{
    CompanyInfo c;
    QString* texts[] = {&c.name, &c.kana, &c.zip, &c.prefecture, &c.address1, &c.address2, &c.tel,
                        &c.fax, &c.repName, &c.repKana, &c.repTitle, &c.hojinNum};
    for (int i = 0; i < m_texts.size(); ++i)
        *texts[i] = m_texts[i]->trimmed();
    c.kenko = m_kenko->value();
    c.kenko2 = m_kenko2->value();
    c.kosei = m_kosei->value();
    c.koyo = m_koyo->value();
    c.kijyunTime = m_kijyun->value();
    c.kyujituTanka = m_kyujitu->value();
    c.kinkyuTanka = m_kinkyu->value();
    for (int i = 0; i < 6; ++i)
        c.coefficients[size_t(i)] = m_coefficients[i]->value();
    return c;
}

void InpKaisyaJoho::fill(const CompanyInfo& c)
{
    const QString texts[] = {c.name, c.kana, c.zip, c.prefecture, c.address1, c.address2,
                             c.tel,  c.fax,  c.repName, c.repKana, c.repTitle, c.hojinNum};
    for (int i = 0; i < m_texts.size(); ++i)
        m_texts[i]->setText(texts[i]);
    m_kenko->setValue(c.kenko);
    m_kenko2->setValue(c.kenko2);
    m_kosei->setValue(c.kosei);
    m_koyo->setValue(c.koyo);
    m_kijyun->setValue(c.kijyunTime);
    m_kyujitu->setValue(c.kyujituTanka);
    m_kinkyu->setValue(c.kinkyuTanka);
    for (int i = 0; i < 6; ++i)
        m_coefficients[i]->setValue(c.coefficients[size_t(i)]);
}

bool InpKaisyaJoho::setDataToForm()
{
    CompanyRepository repo(ctx());
    CompanyInfo info;
    bool found = false;
    if (!repo.read(ctx().companyId, &info, &found))
        return false;
    if (!found) {
        ctx().messages().exclamation(QStringLiteral("会社情報が見つかりません。"));
        return false;
    }
    const bool was = m_loading;
    m_loading = true;
    fill(info);
    const bool settingsRead = m_syaho->load(ctx().companyId);
    m_loading = was;
    if (!settingsRead)
        return false;
    setButtonsEnabled(false);
    return true;
}

bool InpKaisyaJoho::updateData()
{
    return saveWithSettings(ctx().companyId, [this] { return CompanyRepository(ctx()).update(ctx().companyId, collect()); });
}

bool InpKaisyaJoho::saveWithSettings(const QString& cid, const std::function<bool()>& writeCompany)
{
    // The company row and its social-insurance settings are stored together or not at all.
    db::TransactionGuard tx(ctx().db());
    if (!tx.active()) {
        ctx().reportError(-1, ctx().db().lastError().text(), QStringLiteral("InpKaisyaJoho.update_data"));
        return false;
    }
    if (!writeCompany() || !m_syaho->save(cid))
        return false;
    if (!tx.commit()) {
        ctx().reportError(-1, ctx().db().lastError().text(), QStringLiteral("InpKaisyaJoho.update_data"));
        return false;
    }
    return true;
}

bool InpKaisyaJoho::kaishaNumCheck()
{
    const int n = CompanyRepository(ctx()).count();
    if (n < 0)
        return false;
    if (n >= CompanyRepository::kMaxCompanies) {
        ctx().messages().show(Messages::Icon::Exclamation, QStringLiteral("警告"), kLimitMessage);
        return false;
    }
    return true;
}

void InpKaisyaJoho::checkCompanyLimit()
{
    if (kaishaNumCheck())
        return;
    for (int i = 0; i < 11; ++i)
        m_texts[i]->setEnabled(false);
    m_numberFrame->setEnabled(false);
    m_syaho->setEnabled(false);
    m_back->setFocus();
}

bool InpKaisyaJoho::checkInput()
{
    if (!m_texts.first()->trimmed().isEmpty())
        return false;
    ctx().messages().exclamation(m_optHojin->isChecked() ? QStringLiteral("会社名が入力されていません。")
                                                         : QStringLiteral("屋号又は氏名が入力されていません。"));
    m_texts.first()->setFocus();
    return true;
}

QString InpKaisyaJoho::getNewCid()
{
    QList<QPair<QString, QString>> companies;
    if (!CompanyRepository(ctx()).list(&companies))
        return QString();
    QStringList ids;
    for (const auto& c : companies)
        ids << c.first;
    return CompanyRepository::newCid(ids);
}

void InpKaisyaJoho::clearForNewEntry()
{
    m_loading = true;
    clearControls();
    m_syaho->setSettings(SyahoSettings());
    m_optKojin->setChecked(true);
    applyLabels(false);
    m_loading = false;
    setButtonsEnabled(false);
    m_texts.first()->setFocus();
}

void InpKaisyaJoho::syncMenu(const QString& currentCid)
{
    if (ctx().refreshCompanies)
        ctx().refreshCompanies(currentCid);
    updateCaption();
}

void InpKaisyaJoho::touroku()
{
    if (checkInput() || m_syaho->checkInput())
        return;
    const QString name = m_texts.first()->trimmed();
    if (!m_newMode) {
        if (!acceptZeroHours() || !updateData())
            return;
        ctx().companyName = name;
        syncMenu(ctx().companyId);
        setButtonsEnabled(false);
        m_status->setText(QStringLiteral("%1 の会社情報を登録しました。").arg(name));
        return;
    }
    const QString cid = getNewCid();
    if (cid.isEmpty())
        return;   // the fault has been reported
    if (cid.toInt() >= 100) {
        ctx().messages().show(Messages::Icon::Exclamation, QStringLiteral("警告"), kLimitMessage);
        return;
    }
    if (!acceptZeroHours())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = saveWithSettings(cid, [this, &cid] { return CompanyRepository(ctx()).insert(cid, collect()); });
    QApplication::restoreOverrideCursor();
    if (!ok)
        return;
    // The new company joins the list; the current company stays as it was.
    const bool known = ctx().companyId.size() == 2;
    syncMenu(known ? ctx().companyId : QString());
    clearForNewEntry();
    m_status->setText(QStringLiteral("%1 を新規登録しました。").arg(name));
}

void InpKaisyaJoho::cancel()
{
    if (m_newMode) {
        clearForNewEntry();
        checkCompanyLimit();
    } else {
        setDataToForm();
    }
    setButtonsEnabled(false);
}

void InpKaisyaJoho::deleteCompany()
{
    if (m_newMode)
        return;
    if (ctx().companyId == QLatin1String("01")) {
        ctx().messages().exclamation(QStringLiteral("家計簿は削除できません"));
        return;
    }
    if (ctx().messages().show(Messages::Icon::Exclamation, Messages::defaultTitle(),
                              QStringLiteral("会社情報を削除し、編集を終了します。よろしいですか？"),
                              Messages::Buttons::OkCancel, Messages::Answer::Cancel)
        != Messages::Answer::Ok)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CompanyRepository repo(ctx());
    bool ok = repo.remove(ctx().companyId);
    QList<QPair<QString, QString>> companies;
    if (ok)
        ok = repo.list(&companies);
    if (ok && !companies.isEmpty()) {
        // The first listed company becomes current, here and for the next start.
        ctx().companyId = companies.first().first;
        ctx().companyName = companies.first().second;
        repo.rememberCurrent(ctx().companyId);
    }
    QApplication::restoreOverrideCursor();
    if (!ok)
        return;
    syncMenu(ctx().companyId);
    setButtonsEnabled(false);
    close();
}

bool InpKaisyaJoho::canClose()
{
    return !m_loaded || !m_touroku->isEnabled() || confirmDiscard();
}

} // namespace minasel::masters
