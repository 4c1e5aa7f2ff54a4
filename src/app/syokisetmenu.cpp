#include "app/syokisetmenu.h"

#include "app/appcontext.h"
#include "app/password.h"

#include <QPushButton>

namespace minasel {

SyokiSetMenu::SyokiSetMenu(AppContext& ctx) : MenuScreen(ctx, QStringLiteral("SyokiSetMenu"), QStringLiteral("初期設定"))
{
    addScreenButton(QStringLiteral("cmdKaisyaJoho"), QStringLiteral("１)会社情報設定"),
                    QStringLiteral("会社情報の設定を行います。"), QStringLiteral("InpKaisyaJoho"));
    addScreenButton(QStringLiteral("cmdJyugyoin"), QStringLiteral("２)従業員マスタ保守"),
                    QStringLiteral("従業員情報の設定を行います。"), QStringLiteral("MstJyugyoin"));
    addScreenButton(QStringLiteral("cmdSikaku"), QStringLiteral("３）資格マスタ保守"),
                    QStringLiteral("資格手当の入力を行います。"), QStringLiteral("MstSikaku"));
    addScreenButton(QStringLiteral("cmdFukakyu"), QStringLiteral("４）付加給マスタ保守"),
                    QStringLiteral("付加給データの設定を行います。"), QStringLiteral("MstFukakyu"));
    QPushButton* password = addButton(QStringLiteral("cmdPassword"), QStringLiteral("５）パスワード設定／変更"),
                                      QStringLiteral("パスワードの設定・変更を行います。"));
    connect(password, &QPushButton::clicked, this, [this] { openPassword(); });
    addScreenButton(QStringLiteral("cmdJuminzei"), QStringLiteral("６）住民税 特別徴収税額"),
                    QStringLiteral("市区町村の通知書の住民税（特別徴収税額）を入力・確認します。"), QStringLiteral("DspJuminzei"));
    addBackButton();
    setReadMe(readMeText());
}

QString SyokiSetMenu::readMeText()
{
    return QStringLiteral("最初は会社情報を設定して下さい。\n")
        + QStringLiteral("１）から順に５）へと進んで下さい。但し、１）と２）の設定を行えば、")
        + QStringLiteral("「給与明細入力」処理へと進めます。資格と付加給がない場合は入力は不要")
        + QStringLiteral("です。また、これら情報の登録は何時でもできます。");
}

QWidget* SyokiSetMenu::openPassword()
{
    ctx().callerName = menuName();
    auto* screen = new Password(ctx());
    openOver(this, screen);
    return screen;
}

} // namespace minasel
