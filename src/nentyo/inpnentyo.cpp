#include "nentyo/inpnentyo.h"

#include "app/appcontext.h"
#include "app/datehelpers.h"
#include "app/numberfield.h"
#include "app/textfield.h"
#include "app/valuehelpers.h"
#include "nentyo/mynumber.h"
#include "payroll/statementwidgets.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace minasel::nentyo {

using payroll::caption;

namespace {

const QString kAmountFormat = QStringLiteral("#,###");
constexpr int kRowHeight = 22;

// 個人番号 cells: digits only, twelve at most, no input method.
class MyNumberDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* e = new QLineEdit(parent);
        e->setFrame(false);
        e->setMaxLength(12);
        e->setAttribute(Qt::WA_InputMethodEnabled, false);
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,12}")), e));
        return e;
    }
};

QTableWidgetItem* cell(bool editable, bool right = false)
{
    auto* item = new QTableWidgetItem;
    if (!editable)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    if (right)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QTableWidget* grid(QWidget* parent, const QString& name, const QStringList& rows, const QStringList& columns,
                   const QList<int>& widths)
{
    auto* g = new QTableWidget(int(rows.size()), int(columns.size()), parent);
    g->setObjectName(name);
    g->setVerticalHeaderLabels(rows);
    g->setHorizontalHeaderLabels(columns);
    g->verticalHeader()->setDefaultSectionSize(kRowHeight);
    g->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    g->horizontalHeader()->setFixedHeight(kRowHeight + 2);
    for (int c = 0; c < widths.size(); ++c)
        g->setColumnWidth(c, widths[c]);
    g->setTabKeyNavigation(false);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setFixedHeight(kRowHeight * int(rows.size()) + kRowHeight + 2 * g->frameWidth() + 2);
    int width = g->verticalHeader()->sizeHint().width() + 2 * g->frameWidth() + 2;
    for (int w : widths)
        width += w;
    g->setFixedWidth(width);
    return g;
}

QString amountText(long long v)
{
    return formatNumber(double(v), kAmountFormat);
}

// The columns the twenty boxes of the year-end sheet hold, in their order; the
// new-type premiums stand beside their old-type siblings.
struct Box {
    const char* column;
    const char* caption;
    bool result;
};
constexpr Box kBoxes[] = {
    {"HAIGUMONEY", "配偶者の合計所得金額", false}, {"NENKINHOKEN", "旧個人年金保険料", false},
    {"NENKINHOKEN_NEW", "新個人年金保険料", false}, {"SONGAIHOKEN", "旧長期損害保険料", false},
    {"SEMEHOKEN", "旧生命保険料", false},          {"SEMEHOKEN_NEW", "新生命保険料", false},
    {"KAIGOIRYOHOKEN", "介護医療保険料", false},   {"SONGAIHOKEN1", "損害保険料(地震)", false},
    {"KOJYOGO", "控除後の給与等の金額", true},     {"MAEHOKEN", "社会保険料(給与等から)", false},
    {"HOKEN2", "社会保険料(申告により)", false},   {"KAKEKIN", "小規模企業共済等掛金", false},
    {"SEMEKOJYO", "生命保険料控除額", true},       {"SONGAKOJYO", "地震保険料控除額", true},
    {"HAIGUKOJYO", "配偶者特別控除額", true},      {"HFKSKOJYO", "配・扶・基・障の合計控除額", true},
    {"KOJYOKEI", "所得控除額の合計額", true},      {"SASIMONEY", "差引課税給与所得金額", true},
    {"YEARTAX", "算出年税額", true},               {"TOKUKOJYO", "住宅借入金等特別控除額", false},
    {"CALYEARTAX", "年調年税額", true},            {"KAKUTETAX", "確定年税額", true},
    {"SASIHIKI", "差引超過額／不足額", true},
};
// Typed, but 0 while the adjustment is not performed.
const char* const kZeroWhenNotAdjusted[] = {"HOKEN2", "KAKEKIN", "TOKUKOJYO"};

} // namespace

InpNentyo::InpNentyo(AppContext& ctx) : Screen(ctx, QStringLiteral("年末調整")), m_repo(ctx)
{
    setObjectName(QStringLiteral("InpNentyo"));
    buildLayout();
    connectInputs();
    // The year starts at this year.
    m_currentYear = ctx.clock().today().toString(QStringLiteral("yyyy"));
    m_txtYear->setText(m_currentYear);
    clear_form();
    set_jyugyoin_combo();
    setChanged(false);
}

// ---------------------------------------------------------------- layout

void InpNentyo::buildLayout()
{
    auto* body = new QWidget;
    auto* root = new QVBoxLayout(body);
    root->addWidget(buildHeader());
    root->addWidget(buildPayAndLaw());
    root->addWidget(buildBoxes());

    m_tabs = new QTabWidget(body);
    m_tabs->setObjectName(QStringLiteral("tabNentyo"));
    m_tabs->addTab(buildCarryOverPage(), QStringLiteral("前年度／前職／摘要"));
    m_tabs->addTab(buildFamilyPage(), QStringLiteral("扶養控除などの申告"));
    m_tabs->addTab(buildNumbersPage(), QStringLiteral("扶養親族の個人番号"));
    m_tabs->addTab(buildHousingPage(), QStringLiteral("住宅借入金等関連"));
    m_tabs->addTab(buildDeclarationsPage(), QStringLiteral("特定親族・基礎控除の申告"));
    root->addWidget(m_tabs, 1);

    auto* buttons = new QHBoxLayout;
    m_lblStatus = caption(body, QString(), QStringLiteral("lblStatus"));
    // A long message is cut rather than widening the screen.
    m_lblStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    buttons->addWidget(m_lblStatus, 1);
    const struct {
        QPushButton** button;
        const char* name;
        const char* text;
        const char* hint;
    } defs[] = {
        {&m_cmdWrite, "cmdWrite", "[f・1] 登 録", "年調データの登録を行います。"},
        {&m_cmdZennendo, "cmdZennendo", "[f・2] 前年度データ取込", "前年度の摘要・扶養・住宅データの取り込みを行います。"},
        {&m_cmdDelete, "cmdDelete", "[f・3] 削 除", "年調データの削除を行います。"},
        {&m_cmdPrint, "cmdPrint", "[f・5] 印刷", "源泉徴収票の印刷を行います。"},
        {&m_cmdCancel, "cmdCancel", "[f・6] 戻 る", "前の画面に戻ります。"},
    };
    for (const auto& d : defs) {
        *d.button = payroll::functionKeyButton(body, QLatin1String(d.name), QString::fromUtf8(d.text));
        (*d.button)->setToolTip(QString::fromUtf8(d.hint));
        buttons->addWidget(*d.button);
    }
    root->addLayout(buttons);

    // A small display still reaches every field.
    m_scroll = new QScrollArea(this);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidget(body);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_scroll);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && m_scroll->widget()->isAncestorOf(now))
            m_scroll->ensureWidgetVisible(now);
    });
    const QSize wanted = body->sizeHint() + QSize(4, 4);
    resize(std::min(wanted.width(), 1020), std::min(wanted.height(), 730));

    connect(m_cmdWrite, &QPushButton::clicked, this, &InpNentyo::cmdWrite_Click);
    connect(m_cmdZennendo, &QPushButton::clicked, this, &InpNentyo::read_zennendo_data);
    connect(m_cmdDelete, &QPushButton::clicked, this, &InpNentyo::cmdDelete_Click);
    connect(m_cmdPrint, &QPushButton::clicked, this, &InpNentyo::cmdPrint_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QWidget::close);
}

QWidget* InpNentyo::buildHeader()
{
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    m_txtYear = payroll::yearField(w, QStringLiteral("txtYear"));
    m_cmbJyugyoin = new QComboBox(w);
    m_cmbJyugyoin->setObjectName(QStringLiteral("cmbJyugyoin"));
    m_cmbJyugyoin->setMinimumWidth(220);
    h->addWidget(caption(w, QStringLiteral("支給年(西暦)")));
    h->addWidget(m_txtYear);
    h->addSpacing(16);
    h->addWidget(caption(w, QStringLiteral("従業員")));
    h->addWidget(m_cmbJyugyoin);
    auto pair = [&](const QString& title, QRadioButton** a, const char* aName, const QString& aText, QRadioButton** b,
                    const char* bName, const QString& bText) {
        h->addSpacing(16);
        h->addWidget(caption(w, title));
        auto* group = new QButtonGroup(w);
        for (auto [button, name, text] : {std::tuple{a, aName, aText}, std::tuple{b, bName, bText}}) {
            *button = new QRadioButton(text, w);
            (*button)->setObjectName(QLatin1String(name));
            group->addButton(*button);
            h->addWidget(*button);
        }
    };
    pair(QStringLiteral("年末調整"), &m_optSuru, "optSuru", QStringLiteral("する"), &m_optSinai, "optSinai",
         QStringLiteral("しない"));
    pair(QStringLiteral("源泉徴収票印刷用紙選択"), &m_optGensi, "optGensi", QStringLiteral("原紙"), &m_optFutusi,
         "optFutusi", QStringLiteral("普通紙"));
    m_optFutusi->setChecked(true);
    h->addStretch();
    return w;
}

QWidget* InpNentyo::buildPayAndLaw()
{
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    m_flxKyuyo = grid(w, QStringLiteral("flxKyuyo"),
                      {QStringLiteral("給料・手当等"), QStringLiteral("賞　与　等"), QStringLiteral("前　　職"),
                       QStringLiteral("計")},
                      {QStringLiteral("金　額　　"), QStringLiteral("税　額　　")}, {100, 90});
    m_flxKyuyo->setFocusPolicy(Qt::NoFocus);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 2; ++c)
            m_flxKyuyo->setItem(r, c, cell(false, true));
    m_cells.insert(QStringLiteral("kyuryo"), {m_flxKyuyo, 0, 0, CellKind::Amount});
    m_cells.insert(QStringLiteral("KYURYOTAX"), {m_flxKyuyo, 0, 1, CellKind::Amount});
    m_cells.insert(QStringLiteral("syoyo"), {m_flxKyuyo, 1, 0, CellKind::Amount});
    m_cells.insert(QStringLiteral("SYOYOTAX"), {m_flxKyuyo, 1, 1, CellKind::Amount});
    h->addWidget(m_flxKyuyo);

    // What the law of the year decided, beside the figures it decided.
    auto* law = new QGroupBox(QStringLiteral("その年の法令による控除"), w);
    auto* lg = new QGridLayout(law);
    m_lblRules = caption(law, QString(), QStringLiteral("lblRules"));
    lg->addWidget(caption(law, QStringLiteral("計算規定")), 0, 0);
    lg->addWidget(m_lblRules, 0, 1);
    const char* names[] = {"lblGokeiSyotoku", "lblTyouseiKojyo", "lblKisoKojyo", "lblTokuteiKojyo"};
    const char* texts[] = {"合計所得金額", "所得金額調整控除額", "基礎控除額", "特定親族特別控除額"};
    for (int i = 0; i < 4; ++i) {
        m_lawAmounts[size_t(i)] = caption(law, QString(), QLatin1String(names[i]));
        m_lawAmounts[size_t(i)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_lawAmounts[size_t(i)]->setMinimumWidth(90);
        lg->addWidget(caption(law, QString::fromUtf8(texts[i])), 1 + i / 2, (i % 2) * 2);
        lg->addWidget(m_lawAmounts[size_t(i)], 1 + i / 2, (i % 2) * 2 + 1);
    }
    lg->setRowStretch(3, 1);
    h->addWidget(law);

    auto* right = new QVBoxLayout;
    auto* note = caption(w, QStringLiteral("年末調整（年調は１２月分の給料を計算した後に行って下さい）"),
                         QStringLiteral("lblNote"));
    note->setWordWrap(true);
    right->addWidget(note);
    m_lblNotice = caption(w, QString(), QStringLiteral("lblNotice"));
    m_lblNotice->setWordWrap(true);
    m_lblNotice->setStyleSheet(QStringLiteral("color: #b00000;"));
    right->addWidget(m_lblNotice);
    right->addStretch();
    h->addLayout(right, 1);
    return w;
}

QWidget* InpNentyo::buildBoxes()
{
    auto* box = new QGroupBox(QStringLiteral("年末調整の計算"));
    auto* g = new QGridLayout(box);
    g->setVerticalSpacing(2);
    constexpr int kRows = 8;
    int i = 0;
    for (const Box& b : kBoxes) {
        const QString column = QLatin1String(b.column);
        NumberField* f = b.result ? bindResult(box, column) : bindAmount(box, column);
        const int row = i % kRows;
        const int col = (i / kRows) * 3;
        g->addWidget(caption(box, QString::fromUtf8(b.caption)), row, col);
        g->addWidget(f, row, col + 1);
        ++i;
    }
    g->setColumnMinimumWidth(2, 12);
    g->setColumnMinimumWidth(5, 12);
    QFont strong = m_numbers.value(QStringLiteral("SASIHIKI"))->font();
    strong.setBold(true);
    m_numbers.value(QStringLiteral("SASIHIKI"))->setFont(strong);
    return box;
}

QWidget* InpNentyo::buildCarryOverPage()
{
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);

    auto* carry = new QGroupBox(QStringLiteral("前年度"), page);
    auto* cg = new QGridLayout(carry);
    auto* maetex = caption(carry, QStringLiteral("前年の年末調整に基づき繰り越した過不足税額"));
    maetex->setWordWrap(true);
    cg->addWidget(maetex, 0, 0);
    cg->addWidget(bindAmount(carry, QStringLiteral("MAETEX")), 0, 1);
    cg->addWidget(caption(carry, QStringLiteral("同上の税額につき還付又は徴収した月区分")), 1, 0, 1, 2);
    m_flxTokubetu = grid(carry, QStringLiteral("flxTokubetu"), {QStringLiteral("１"), QStringLiteral("２")},
                         {QStringLiteral("月区分"), QStringLiteral("税額"), QStringLiteral("残高")}, {70, 90, 90});
    m_flxTokubetu->setItemDelegateForColumn(1, new payroll::AmountDelegate(m_flxTokubetu));
    for (int r = 0; r < 2; ++r) {
        m_flxTokubetu->setItem(r, 0, cell(true));
        m_flxTokubetu->setItem(r, 1, cell(true, true));
        m_flxTokubetu->setItem(r, 2, cell(false, true));
        m_cells.insert(QStringLiteral("TKMONTH%1").arg(r + 1), {m_flxTokubetu, r, 0, CellKind::Text});
        m_cells.insert(QStringLiteral("TKMONEY%1").arg(r + 1), {m_flxTokubetu, r, 1, CellKind::Amount});
    }
    cg->addWidget(m_flxTokubetu, 2, 0, 1, 2);
    cg->setRowStretch(3, 1);
    h->addWidget(carry);

    auto* middle = new QVBoxLayout;
    auto* mae = new QGroupBox(QStringLiteral("前職"), page);
    auto* mg = new QGridLayout(mae);
    mg->addWidget(caption(mae, QStringLiteral("給与等合計")), 0, 0);
    mg->addWidget(bindAmount(mae, QStringLiteral("MAEKEI")), 0, 1);
    mg->addWidget(caption(mae, QStringLiteral("所得税合計")), 1, 0);
    mg->addWidget(bindAmount(mae, QStringLiteral("MAETAXKEI")), 1, 1);
    middle->addWidget(mae);
    auto* kkm = new QGroupBox(QStringLiteral("国民年金保険料等の金額"), page);
    auto* kl = new QHBoxLayout(kkm);
    kl->addWidget(bindAmount(kkm, QStringLiteral("KKMNENKIN")), 0, Qt::AlignRight);
    middle->addWidget(kkm);
    middle->addStretch();
    h->addLayout(middle);

    auto* tekiyo = new QGroupBox(QStringLiteral("摘要"), page);
    auto* tg = new QGridLayout(tekiyo);
    for (int i = 1; i <= 3; ++i) {
        auto* t = new TextField(tekiyo);
        t->setObjectName(QStringLiteral("txtTEKIYO%1").arg(i));
        t->setMaxLength(60);
        m_texts.insert(QStringLiteral("TEKIYO%1").arg(i), t);
        tg->addWidget(caption(tekiyo, QStringLiteral("摘要%1").arg(QChar(0xFF10 + i))), i - 1, 0);
        tg->addWidget(t, i - 1, 1);
    }
    const QString hint = QStringLiteral("給与の収入金額が850万円を超えて、且つ本人又は配偶者又は扶養親族が特別障害者であり、"
                                        "又は年齢23歳未満の扶養親族を有する。");
    QCheckBox* tyousei = bindCheck(tekiyo, QStringLiteral("TYOUSEISW"), QStringLiteral("所得金額調整控除適用"));
    tyousei->setToolTip(hint);
    tg->addWidget(tyousei, 3, 0, 1, 2);
    auto* hintLabel = caption(tekiyo, hint);
    hintLabel->setWordWrap(true);
    hintLabel->setStyleSheet(QStringLiteral("color: palette(dark);"));
    tg->addWidget(hintLabel, 4, 0, 1, 2);
    tg->setRowStretch(5, 1);
    h->addWidget(tekiyo, 1);
    return page;
}

QWidget* InpNentyo::buildFamilyPage()
{
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);

    auto* left = new QVBoxLayout;
    auto* spouse = new QGroupBox(QStringLiteral("配偶者"), page);
    auto* sg = new QGridLayout(spouse);
    auto* group = new QButtonGroup(spouse);
    m_optHaiguAri = new QRadioButton(QStringLiteral("有り"), spouse);
    m_optHaiguAri->setObjectName(QStringLiteral("optHaiguAri"));
    m_optHaiguNasi = new QRadioButton(QStringLiteral("無し"), spouse);
    m_optHaiguNasi->setObjectName(QStringLiteral("optHaiguNasi"));
    group->addButton(m_optHaiguAri);
    group->addButton(m_optHaiguNasi);
    sg->addWidget(m_optHaiguAri, 0, 0);
    sg->addWidget(m_optHaiguNasi, 0, 1);
    sg->addWidget(bindCheck(spouse, QStringLiteral("OLDHAIGU"), QStringLiteral("老人配偶者")), 0, 2);
    m_flxHaigu = personGrid(spouse, QStringLiteral("flxHaigu"), {QStringLiteral("配偶者")},
                            QStringLiteral("HAIGUSYA"), QString(), false);
    sg->addWidget(m_flxHaigu, 1, 0, 1, 4);
    sg->setColumnStretch(3, 1);
    left->addWidget(spouse);

    left->addStretch();
    h->addLayout(left);

    auto* fami = new QGroupBox(QStringLiteral("扶養親族"), page);
    auto* fg = new QGridLayout(fami);
    const std::pair<const char*, const char*> counts[] = {
        {"FAMINUM", "一般扶養親族"}, {"FAMINUM1", "特定扶養親族"},   {"FAMINUM2", "同居老親等"},
        {"FAMINUM3", "その他（老人）"}, {"FAMINUM4", "年少扶養親族"}, {"FAMINUM5", "非居住者である親族"},
    };
    int row = 0;
    for (const auto& [column, text] : counts) {
        fg->addWidget(caption(fami, QString::fromUtf8(text)), row, 0);
        fg->addWidget(bindCount(fami, QLatin1String(column)), row++, 1);
    }
    QCheckBox* under23 = bindCheck(fami, QStringLiteral("UNDER23"), QStringLiteral("23歳未満の扶養親族あり"));
    under23->setToolTip(QStringLiteral("所得金額調整控除と、令和8年分からの生命保険料控除（一般）の判定に使います。"
                                       "特定扶養親族か16歳未満の扶養親族がいれば、生命保険料控除ではチェックがなくても"
                                       "「あり」として計算します。"));
    fg->addWidget(under23, row++, 0, 1, 2);
    fg->setRowStretch(row, 1);
    h->addWidget(fami);

    auto* status = new QGroupBox(QStringLiteral("障害者・本人の区分"), page);
    auto* stg = new QGridLayout(status);
    const std::pair<const char*, const char*> disabled[] = {
        {"SYUGAISYA", "一般の障害者"}, {"SYUGAISYA1", "特別障害者"}, {"SYUGAISYA2", "同居特別障害者"}};
    row = 0;
    for (const auto& [column, text] : disabled) {
        stg->addWidget(caption(status, QString::fromUtf8(text)), row, 0);
        stg->addWidget(bindCount(status, QLatin1String(column)), row++, 1);
    }
    const std::pair<const char*, const char*> checks[] = {
        {"OLDNAM", "老年者"}, {"TKWOMAN", "ひとり親"}, {"SINGNAM", "寡婦"}, {"GAKUSEI", "勤労学生"}};
    for (const auto& [column, text] : checks)
        stg->addWidget(bindCheck(status, QLatin1String(column), QString::fromUtf8(text)), row++, 0, 1, 2);
    stg->setRowStretch(row, 1);
    h->addWidget(status);
    return page;
}

QWidget* InpNentyo::buildNumbersPage()
{
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    auto rows = [](const QString& stem, const QString& rest) {
        QStringList r;
        for (int i = 1; i <= 4; ++i)
            r << stem + QChar(0xFF10 + i);
        return r << rest;
    };
    g->addWidget(personGrid(page, QStringLiteral("flxFamily"), rows(QStringLiteral("控除対象扶養親族"),
                                                                     QStringLiteral("５人目以後扶養親族")),
                            QStringLiteral("FAMI"), QStringLiteral("FAMI5"), false),
                 0, 0);
    g->addWidget(personGrid(page, QStringLiteral("flxNesyo"), rows(QStringLiteral("１６歳未満の扶養親族"),
                                                                    QStringLiteral("5人目以後16歳未満扶養親族")),
                            QStringLiteral("NESYO"), QStringLiteral("NESYO5"), false),
                 0, 1);
    g->setRowStretch(1, 1);
    return page;
}

QWidget* InpNentyo::buildDeclarationsPage()
{
    // What the declarations since 2025 add: 特定親族特別控除申告書 and 基礎控除申告書.
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    g->addWidget(caption(page, QStringLiteral("特定親族（19歳以上23歳未満で控除対象扶養親族に当たらない親族）と"
                                              "その合計所得金額")),
                 0, 0);
    QStringList rows;
    for (int i = 1; i <= 4; ++i)
        rows << QStringLiteral("特定親族") + QChar(0xFF10 + i);
    rows << QStringLiteral("５人目以後特定親族");
    g->addWidget(personGrid(page, QStringLiteral("flxTokutei"), rows, QStringLiteral("TOKU"), QStringLiteral("TOKU5"),
                            true),
                 1, 0, Qt::AlignLeft | Qt::AlignTop);

    auto* kiso = new QGroupBox(QStringLiteral("基礎控除の申告"), page);
    auto* kg = new QVBoxLayout(kiso);
    QCheckBox* kihon = bindCheck(kiso, QStringLiteral("KIHONSW"), QStringLiteral("本人の合計所得金額の見積額"));
    kg->addWidget(kihon);
    kg->addWidget(bindAmount(kiso, QStringLiteral("KIHONSYOTOKU")), 0, Qt::AlignRight);
    auto* why = caption(kiso, QStringLiteral("給与以外の所得があるときに、基礎控除申告書の見積額を入力します。"
                                             "入力しないときは、この給与から計算した合計所得金額で判定します。"));
    why->setWordWrap(true);
    kg->addWidget(why);
    kg->addStretch();
    g->addWidget(kiso, 0, 1, 2, 1);
    g->setColumnStretch(1, 1);
    g->setRowStretch(2, 1);
    return page;
}

QWidget* InpNentyo::buildHousingPage()
{
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    g->addWidget(caption(page, QStringLiteral("住宅借入金等特別控除適用数")), 0, 0);
    g->addWidget(bindCount(page, QStringLiteral("JYUTAKUKARINUM")), 0, 1);
    g->addWidget(caption(page, QStringLiteral("住宅借入金等特別控除可能額")), 0, 3);
    g->addWidget(bindAmount(page, QStringLiteral("JYUTAKUKARIKIN")), 0, 4);
    g->addWidget(caption(page, QStringLiteral("居住開始年月日（年・月・日）")), 1, 1);
    g->addWidget(caption(page, QStringLiteral("住宅借入金等特別控除区分")), 1, 3);
    g->addWidget(caption(page, QStringLiteral("住宅借入金等年末残高")), 1, 4);
    for (int i = 1; i <= 2; ++i) {
        const QString n = i == 1 ? QString() : QStringLiteral("2");
        g->addWidget(caption(page, QStringLiteral("（%1回目）").arg(QChar(0xFF10 + i))), i + 1, 0);
        const DateBoxes d = dateBoxes(page, QStringLiteral("RESTARTDATE") + n);
        auto* date = new QHBoxLayout;
        for (TextField* t : {d.year, d.month, d.day})
            date->addWidget(t);
        date->addStretch();
        g->addLayout(date, i + 1, 1);
        auto* flag = new QComboBox(page);
        flag->setObjectName(QStringLiteral("cmbJYUTAKUKARIFLAG%1").arg(i));
        flag->addItems({QStringLiteral(" "), QStringLiteral("住"), QStringLiteral("認"), QStringLiteral("増"),
                        QStringLiteral("震"), QStringLiteral("住（特）"), QStringLiteral("認（特）"),
                        QStringLiteral("増（特）")});
        m_combos.insert(QStringLiteral("JYUTAKUKARIFLAG%1").arg(i), flag);
        g->addWidget(flag, i + 1, 3);
        g->addWidget(bindAmount(page, QStringLiteral("JYUTAKUKARIZAN%1").arg(i)), i + 1, 4);
    }
    g->setColumnMinimumWidth(2, 16);
    g->setColumnStretch(5, 1);
    g->setRowStretch(4, 1);
    return page;
}

NumberField* InpNentyo::bindAmount(QWidget* parent, const QString& column)
{
    NumberField* f = payroll::amountField(parent, QStringLiteral("txt") + column);
    m_numbers.insert(column, f);
    return f;
}

NumberField* InpNentyo::bindCount(QWidget* parent, const QString& column)
{
    NumberField* f = payroll::countField(parent, QStringLiteral("txt") + column);
    f->setRange(0, 99);
    m_numbers.insert(column, f);
    return f;
}

NumberField* InpNentyo::bindResult(QWidget* parent, const QString& column)
{
    NumberField* f = payroll::resultField(parent, QStringLiteral("txt") + column);
    m_numbers.insert(column, f);
    return f;
}

QCheckBox* InpNentyo::bindCheck(QWidget* parent, const QString& column, const QString& text)
{
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(QStringLiteral("chk") + column);
    m_checks.insert(column, c);
    return c;
}

QTableWidget* InpNentyo::personGrid(QWidget* parent, const QString& name, const QStringList& rows,
                                    const QString& prefix, const QString& restColumn, bool withIncome)
{
    QStringList columns = {QStringLiteral("氏名（漢字）"), QStringLiteral("氏名（カナ）"), QStringLiteral("個人番号")};
    QList<int> widths = {110, 110, 100};
    if (withIncome) {
        columns << QStringLiteral("合計所得金額");
        widths << 90;
    }
    QTableWidget* g = grid(parent, name, rows, columns, widths);
    g->setItemDelegateForColumn(2, new MyNumberDelegate(g));
    if (withIncome)
        g->setItemDelegateForColumn(3, new payroll::AmountDelegate(g));
    const int people = restColumn.isEmpty() ? int(rows.size()) : int(rows.size()) - 1;
    for (int r = 0; r < people; ++r) {
        const QString n = restColumn.isEmpty() ? QString() : QString::number(r + 1);
        const QString names[] = {prefix + QStringLiteral("NAME") + n, prefix + QStringLiteral("NAMEKN") + n,
                                 prefix + QStringLiteral("MYNUM") + n, prefix + QStringLiteral("SYOTOKU") + n};
        const CellKind kinds[] = {CellKind::Text, CellKind::Text, CellKind::MyNumber, CellKind::Amount};
        for (int c = 0; c < int(columns.size()); ++c) {
            g->setItem(r, c, cell(true, c >= 2));
            m_cells.insert(names[c], {g, r, c, kinds[c]});
        }
    }
    if (!restColumn.isEmpty()) {
        // The fifth and later: one remark across the row.
        g->setSpan(people, 0, 1, int(columns.size()));
        g->setItem(people, 0, cell(true));
        m_cells.insert(restColumn, {g, people, 0, CellKind::Text});
    }
    return g;
}

InpNentyo::DateBoxes InpNentyo::dateBoxes(QWidget* parent, const QString& column)
{
    auto box = [&](const char* suffix, int digits) {
        auto* t = new TextField(parent, TextField::Kind::Code);
        t->setObjectName(QStringLiteral("txt") + column + QLatin1String(suffix));
        t->setMaxLength(digits);
        t->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(digits)), t));
        t->setFixedWidth(digits == 4 ? 52 : 34);
        t->setAlignment(Qt::AlignCenter);
        return t;
    };
    const DateBoxes d{box("Y", 4), box("M", 2), box("D", 2)};
    m_dates.insert(column, d);
    for (TextField* t : {d.year, d.month, d.day})
        connect(t, &QLineEdit::editingFinished, this, [this, d] { dateFinished(d); });
    return d;
}

void InpNentyo::connectInputs()
{
    for (auto it = m_numbers.cbegin(); it != m_numbers.cend(); ++it) {
        NumberField* f = it.value();
        connect(f, &QLineEdit::textEdited, this, &InpNentyo::userChanged);
        if (!f->isReadOnly())
            connect(f, &NumberField::valueChanged, this, &InpNentyo::recalculate);
    }
    for (QCheckBox* c : std::as_const(m_checks)) {
        connect(c, &QAbstractButton::clicked, this, &InpNentyo::userChanged);
        connect(c, &QAbstractButton::toggled, this, &InpNentyo::recalculate);
    }
    connect(m_checks.value(QStringLiteral("KIHONSW")), &QAbstractButton::toggled, this,
            [this](bool on) { m_numbers.value(QStringLiteral("KIHONSYOTOKU"))->setEnabled(on); });
    for (TextField* t : std::as_const(m_texts))
        connect(t, &QLineEdit::textEdited, this, &InpNentyo::userChanged);
    for (const DateBoxes& d : std::as_const(m_dates))
        for (TextField* t : {d.year, d.month, d.day})
            connect(t, &QLineEdit::textEdited, this, &InpNentyo::userChanged);
    for (QComboBox* c : std::as_const(m_combos))
        connect(c, &QComboBox::activated, this, &InpNentyo::userChanged);
    for (QRadioButton* r : {m_optSuru, m_optSinai, m_optHaiguAri, m_optHaiguNasi})
        connect(r, &QAbstractButton::clicked, this, &InpNentyo::userChanged);
    connect(m_optSuru, &QAbstractButton::toggled, this, &InpNentyo::adjustmentSwitched);
    connect(m_optHaiguAri, &QAbstractButton::toggled, this, &InpNentyo::spouseSwitched);
    QSet<QTableWidget*> grids;
    for (const Cell& c : std::as_const(m_cells))
        if (c.grid != m_flxKyuyo)
            grids.insert(c.grid);
    for (QTableWidget* g : grids)
        connect(g, &QTableWidget::itemChanged, this, [this] {
            if (m_loading)
                return;
            userChanged();
            recalculate();
        });
    connect(m_txtYear, &QLineEdit::editingFinished, this, &InpNentyo::yearFinished);
    connect(m_cmbJyugyoin, &QComboBox::currentIndexChanged, this, &InpNentyo::employeeChosen);
}

// ---------------------------------------------------------------- state <-> record

QString InpNentyo::year() const
{
    return m_txtYear->text().trimmed();
}

QString InpNentyo::employeeCode() const
{
    if (m_cmbJyugyoin->currentIndex() < 0)
        return QString();
    return m_cmbJyugyoin->currentText().left(5).trimmed();
}

bool InpNentyo::preprintedForm() const
{
    return m_optGensi->isChecked();
}

NentyoRecord InpNentyo::collect() const
{
    NentyoRecord r(ctx().companyId, year(), employeeCode());
    for (auto it = m_numbers.cbegin(); it != m_numbers.cend(); ++it)
        r.set(it.key(), it.value()->valueText());
    for (auto it = m_checks.cbegin(); it != m_checks.cend(); ++it)
        r.setFlag(it.key(), it.value()->isChecked());
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it)
        r.set(it.key(), it.value()->trimmed());
    for (auto it = m_combos.cbegin(); it != m_combos.cend(); ++it)
        r.set(it.key(), it.value()->currentText().trimmed());
    for (auto it = m_dates.cbegin(); it != m_dates.cend(); ++it)
        r.set(it.key(), it->year->trimmed() + it->month->trimmed() + it->day->trimmed());
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it) {
        const QTableWidgetItem* item = it->grid->item(it->row, it->column);
        const QString t = item ? item->text().trimmed() : QString();
        if (it->kind == CellKind::Amount)
            r.set(it.key(), generalNumber(std::round(toNumberOr(t, 0.0))));
        else if (it->kind == CellKind::MyNumber)
            r.set(it.key(), normalizedMyNumber(t));
        else
            r.set(it.key(), t);
    }
    r.setFlag(QStringLiteral("NETYOKBN"), m_optSuru->isChecked());
    r.setFlag(QStringLiteral("HAIGUKBN"), m_optHaiguAri->isChecked());
    return r;
}

NentyoRecord InpNentyo::recordOnScreen() const
{
    NentyoRecord r = collect();
    r.recompute();
    return r;
}

void InpNentyo::showRecord(const NentyoRecord& r)
{
    m_loading = true;
    for (auto it = m_numbers.cbegin(); it != m_numbers.cend(); ++it)
        it.value()->setValue(toNumberOr(r.text(it.key()), 0.0));
    for (auto it = m_checks.cbegin(); it != m_checks.cend(); ++it)
        it.value()->setChecked(r.flag(it.key()));
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it)
        it.value()->setText(r.text(it.key()));
    for (auto it = m_combos.cbegin(); it != m_combos.cend(); ++it) {
        const int i = it.value()->findText(r.text(it.key()).trimmed());
        it.value()->setCurrentIndex(std::max(i, 0));
    }
    for (auto it = m_dates.cbegin(); it != m_dates.cend(); ++it) {
        const QString d = r.text(it.key());
        it->year->setText(d.mid(0, 4).trimmed());
        it->month->setText(d.mid(4, 2).trimmed());
        it->day->setText(d.mid(6, 2).trimmed());
    }
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it) {
        const QString t = r.text(it.key());
        it->grid->item(it->row, it->column)
            ->setText(it->kind == CellKind::Amount ? formatNumber(toNumberOr(t, 0.0), kAmountFormat) : t);
    }
    m_heldWhileNotAdjusted.clear();
    const bool adjusted = r.flag(QStringLiteral("NETYOKBN"));
    const bool spouse = r.flag(QStringLiteral("HAIGUKBN"));
    (adjusted ? m_optSuru : m_optSinai)->setChecked(true);
    (spouse ? m_optHaiguAri : m_optHaiguNasi)->setChecked(true);
    for (const char* c : kZeroWhenNotAdjusted)
        payroll::setEditable(m_numbers.value(QLatin1String(c)), adjusted);
    m_checks.value(QStringLiteral("OLDHAIGU"))->setEnabled(spouse);
    m_flxHaigu->setEnabled(spouse);
    m_numbers.value(QStringLiteral("KIHONSYOTOKU"))->setEnabled(r.flag(QStringLiteral("KIHONSW")));
    m_loading = false;
    recalculate();
}

void InpNentyo::recalculate()
{
    if (m_loading)
        return;
    NentyoRecord r = collect();
    m_result = r.recompute();
    m_loading = true;
    for (const Box& b : kBoxes)
        if (b.result)
            m_numbers.value(QLatin1String(b.column))->setValue(toNumberOr(r.text(QLatin1String(b.column)), 0.0));
    const std::pair<int, long long> payRows[] = {{2, r.amount(QStringLiteral("MAEKEI"))},
                                                 {2, r.amount(QStringLiteral("MAETAXKEI"))},
                                                 {3, m_result.p},
                                                 {3, m_result.t}};
    for (int i = 0; i < 4; ++i)
        m_flxKyuyo->item(payRows[i].first, i % 2)->setText(amountText(payRows[i].second));
    // The carried-over balance after each refund or collection.
    long long balance = r.amount(QStringLiteral("MAETEX"));
    for (int row = 0; row < 2; ++row) {
        balance -= r.amount(QStringLiteral("TKMONEY%1").arg(row + 1));
        m_flxTokubetu->item(row, 2)->setText(formatAmount(balance));
    }
    m_loading = false;

    const long long law[] = {m_result.totalIncome, m_result.tyousei, m_result.kisoKojyo, m_result.tokuteiKojyo};
    for (size_t i = 0; i < m_lawAmounts.size(); ++i)
        m_lawAmounts[i]->setText(formatAmount(law[i]));
    m_lblRules->setText(QStringLiteral("%1年分（%2）").arg(m_result.rulesYear).arg(m_result.rules));
    QStringList notices;
    if (!rulesNotice(m_result).isEmpty())
        notices << rulesNotice(m_result);
    if (m_result.overPayLimit)
        notices << QStringLiteral("給与等の金額が2,000万円を超えるため、年末調整の対象外です。");
    m_lblNotice->setText(notices.join(QLatin1Char('\n')));
}

void InpNentyo::adjustmentSwitched()
{
    if (m_loading)
        return;
    const bool adjusted = m_optSuru->isChecked();
    m_loading = true;
    for (const char* c : kZeroWhenNotAdjusted) {
        NumberField* f = m_numbers.value(QLatin1String(c));
        if (adjusted) {
            f->setValue(m_heldWhileNotAdjusted.take(QLatin1String(c)));
        } else {
            m_heldWhileNotAdjusted.insert(QLatin1String(c), f->value());
            f->setValue(0);
        }
        payroll::setEditable(f, adjusted);
    }
    m_loading = false;
    recalculate();
}

void InpNentyo::spouseSwitched()
{
    if (m_loading)
        return;
    const bool spouse = m_optHaiguAri->isChecked();
    QCheckBox* old = m_checks.value(QStringLiteral("OLDHAIGU"));
    if (!spouse) {
        old->setChecked(false);
        const QSignalBlocker block(m_flxHaigu);
        for (int c = 0; c < m_flxHaigu->columnCount(); ++c)
            m_flxHaigu->item(0, c)->setText(QString());
    }
    old->setEnabled(spouse);
    m_flxHaigu->setEnabled(spouse);
    recalculate();
}

void InpNentyo::userChanged()
{
    if (!m_loading)
        setChanged(true);
}

void InpNentyo::setStatus(const QString& text)
{
    m_lblStatus->setText(text);
}

// ---------------------------------------------------------------- operations

bool InpNentyo::set_jyugyoin_combo()
{
    QList<payroll::EmployeeEntry> list;
    const bool ok = m_repo.employees(year(), &list);
    {
        const QSignalBlocker block(m_cmbJyugyoin);
        m_cmbJyugyoin->clear();
        for (const payroll::EmployeeEntry& e : list)
            m_cmbJyugyoin->addItem(e.display());
        m_cmbJyugyoin->setCurrentIndex(-1);
    }
    m_shownKey.clear();
    if (m_cmbJyugyoin->count() > 0)
        m_cmbJyugyoin->setCurrentIndex(0);   // as if chosen
    else
        clear_form();
    return ok;
}

QString InpNentyo::screenKey() const
{
    return year() + QLatin1Char('/') + employeeCode();
}

bool InpNentyo::showsChosenRecord()
{
    if (m_shownKey == screenKey())
        return true;
    employeeChosen();
    return false;
}

void InpNentyo::employeeChosen()
{
    const QString code = employeeCode();
    // Without a year there is no record to show: loading one would sum no pay at all,
    // and F1 would then store those zeros over the year's registered adjustment.
    if (code.isEmpty() || year().isEmpty() || screenKey() == m_shownKey)
        return;
    setStatus(QString());
    NentyoRecord r(ctx().companyId, year(), code);
    bool stored = false;
    // read_nentyo_data, else clear_form and read_meisai_data.
    if (!m_repo.load(year(), code, &r, &stored)) {
        clear_form();
        return;
    }
    showRecord(r);
    m_shownKey = screenKey();
    setChanged(false);
}

void InpNentyo::clear_form()
{
    showRecord(NentyoRecord(ctx().companyId, year(), QString()));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            m_flxKyuyo->item(r, c)->setText(QStringLiteral("0"));
    m_shownKey.clear();
}

void InpNentyo::yearFinished()
{
    const QString t = year();
    if (t.isEmpty())
        return;
    const int y = t.toInt();
    if (y < 1989 || y > 2099) {
        ctx().messages().exclamation(QStringLiteral("支給年は1989年から2099年までの西暦で入力して下さい。"));
        m_txtYear->setText(m_currentYear);
        m_txtYear->setFocus();
        m_txtYear->selectAll();
        return;
    }
    const QString formatted = QStringLiteral("%1").arg(y, 4, 10, QLatin1Char('0'));
    if (formatted != m_txtYear->text())
        m_txtYear->setText(formatted);
    if (formatted == m_currentYear) {
        employeeChosen();   // the year typed again after it was cleared: its record, not what was shown
        return;
    }
    m_currentYear = formatted;
    set_jyugyoin_combo();
}

void InpNentyo::dateFinished(const DateBoxes& d)
{
    if (!d.year->trimmed().isEmpty())
        d.year->setText(QStringLiteral("%1").arg(d.year->trimmed().toInt(), 4, 10, QLatin1Char('0')));
    if (!d.month->trimmed().isEmpty())
        d.month->setText(FormatMonth(d.month->trimmed()));
    if (!d.day->trimmed().isEmpty() && !d.month->trimmed().isEmpty()) {
        QString day = d.day->trimmed();
        d.day->setText(AdjustDay(d.year->trimmed(), d.month->trimmed(), day));
    }
}

bool InpNentyo::check_input(const QString& caption)
{
    if (year().isEmpty()) {
        ctx().messages().exclamation(QStringLiteral("支給年を入力した後、「%1」ボタンを押して下さい。").arg(caption));
        m_txtYear->setFocus();
        return false;
    }
    if (employeeCode().isEmpty()) {
        ctx().messages().exclamation(QStringLiteral("従業員を決めた後、「%1」ボタンを押して下さい。").arg(caption));
        m_cmbJyugyoin->setFocus();
        return false;
    }
    return true;
}

bool InpNentyo::checkMyNumbers(const NentyoRecord& record)
{
    const std::optional<NentyoRecord::NumberColumn> bad = record.firstInvalidMyNumber();
    if (!bad)
        return true;
    const QString column = QLatin1String(bad->column);
    ctx().messages().exclamation(
        QStringLiteral("%1の個人番号「%2」が正しくありません。\n個人番号は12桁の数字で、最後の1桁は"
                       "前の11桁から決まる検査用の数字です。番号を確かめて入力し直して下さい。")
            .arg(QString::fromUtf8(bad->row), record.text(column)));
    const Cell& c = m_cells[column];
    for (int i = 0; i < m_tabs->count(); ++i)
        if (m_tabs->widget(i)->isAncestorOf(c.grid))
            m_tabs->setCurrentIndex(i);
    c.grid->setFocus();
    c.grid->setCurrentCell(c.row, c.column);
    return false;
}

void InpNentyo::cmdWrite_Click()
{
    if (!check_input(QStringLiteral("登録")))
        return;
    if (!showsChosenRecord())
        return;
    const NentyoRecord r = recordOnScreen();
    if (!checkMyNumbers(r))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool saved = m_repo.save(r);
    QApplication::restoreOverrideCursor();
    if (!saved)
        return;
    setChanged(false);
    const long long balance = r.amount(QStringLiteral("SASIHIKI"));
    setStatus(QStringLiteral("%1 を登録しました（%2 %3円）")
                  .arg(m_cmbJyugyoin->currentText(), balance >= 0 ? QStringLiteral("超過額") : QStringLiteral("不足額"),
                       formatAmount(std::llabs(balance))));
    m_cmbJyugyoin->setFocus();
}

void InpNentyo::read_zennendo_data()
{
    if (!check_input(QStringLiteral("前年度データ取込")))
        return;
    const QString last = QString::number(year().toInt() - 1);
    std::optional<NentyoRecord> row;
    if (!m_repo.readStored(last, employeeCode(), &row, QStringLiteral("read_zennendo_data")))
        return;
    if (!row) {
        ctx().messages().information(QStringLiteral("前年度（%1年）の年末調整データはありません。").arg(last));
        return;
    }
    NentyoRecord r = collect();
    r.takeOver(*row);
    showRecord(r);
    setChanged(true);
    setStatus(QStringLiteral("%1年の摘要・扶養・住宅データを取り込みました。").arg(last));
}

void InpNentyo::cmdDelete_Click()
{
    if (!check_input(QStringLiteral("削除")))
        return;
    std::optional<NentyoRecord> stored;
    if (!m_repo.readStored(year(), employeeCode(), &stored, QStringLiteral("cmdDelete_Click")))
        return;
    if (!stored) {
        ctx().messages().information(
            QStringLiteral("%1年 %2 の年調データは登録されていません。").arg(year(), m_cmbJyugyoin->currentText()));
        return;
    }
    if (ctx().messages().question(QStringLiteral("選択されたデータを削除してもよろしいですか？"), Messages::Buttons::YesNo,
                                  Messages::Answer::No, QStringLiteral("確認"))
        != Messages::Answer::Yes)
        return;
    if (!m_repo.remove(year(), employeeCode()))
        return;
    // What a new adjustment would start from: the year's pay, nothing declared.
    clear_form();
    employeeChosen();
    setStatus(QStringLiteral("%1年 %2 の年調データを削除しました。").arg(year(), m_cmbJyugyoin->currentText()));
    m_cmbJyugyoin->setFocus();
}

void InpNentyo::cmdPrint_Click()
{
    if (!check_input(QStringLiteral("印刷")))
        return;
    if (!showsChosenRecord())
        return;
    const NentyoRecord r = recordOnScreen();
    if (!checkMyNumbers(r))
        return;
    emit printRequested(r.nentyoRow(), r.sinkokuRow(), preprintedForm());
}

bool InpNentyo::canClose()
{
    if (!isChanged())
        return true;
    return ctx().messages().question(QStringLiteral("データが変更されましたが、終了しても宜しいですか？"),
                                     Messages::Buttons::YesNo, Messages::Answer::No)
        == Messages::Answer::Yes;
}

} // namespace minasel::nentyo
