#include "app/inoutmenu.h"

namespace minasel {

InOutMenu::InOutMenu(AppContext& ctx) : MenuScreen(ctx, QStringLiteral("InOutMenu"), QStringLiteral("入出力処理"))
{
    struct Item {
        const char* name;
        const char* caption;
        const char* hint;
        const char* screen;
    };
    static const Item items[] = {
        {"cmdInpKyuyo", "１）給与明細登録", "月々の給与データを入力します。", "InpKyuyo"},
        {"cmdInpSyoyo", "２）賞与明細登録", "賞与データを入力します。", "InpSyoyo"},
        {"cmdPrtKyoyoSyoyo", "３）給与・賞与明細印刷", "個人別の給与明細・賞与明細を印刷します。", "PrtKyuyoSyoyo"},
        {"cmdPrtKojinDaityo", "４）個人別賃金台帳印刷", "個人別の賃金台帳を表示・印刷します。", "PrtKojinDaityo"},
        {"cmdPrtTukiDaityo", "５）月別賃金台帳印刷", "月別の賃金台帳を表示・印刷します。", "PrtTukiDaityo"},
        {"cmdInpNentyo", "６）年末調整", "年末調整を行います。", "InpNentyo"},
        {"cmdPrtGensen", "７）源泉徴収票印刷", "源泉徴収票を印刷します。", "PrtGensen"},
        {"cmdBackUp", "８）バックアップ処理", "入力データのバックアップ・復元を行います。", "RunBackUp"},
    };
    for (const Item& i : items)
        addScreenButton(QString::fromLatin1(i.name), QString::fromUtf8(i.caption), QString::fromUtf8(i.hint),
                        QString::fromLatin1(i.screen));
    // The printer screen is chosen over the menu, which waits disabled behind it.
    addScreenButton(QStringLiteral("cmdSetPrinter"), QStringLiteral("９）プリンター選択"),
                    QStringLiteral("印刷用のプリンターを選択します。"), QStringLiteral("SetUsePrinter"), true);
    addScreenButton(QStringLiteral("cmdFurikomi"), QStringLiteral("１０）振込データ作成"),
                    QStringLiteral("給与・賞与の銀行振込データを作成します。"), QStringLiteral("RunFurikomi"));
    addBackButton();
    setReadMe(readMeText());
}

QString InOutMenu::readMeText()
{
    return QStringLiteral("　給与明細入力で、毎月の給与を入力して下さい。\n\n"
                          "　賞与支給と年末調整の時期がくる時に入力して下さい。\n\n"
                          "　帳票等は必要な時に印字して下さい。");
}

} // namespace minasel
