#include "reports/fonts.h"

#include <QFont>
#include <QStringList>

namespace minasel {

void installFontSubstitutions()
{
    const QStringList mincho{QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"),
                             QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Noto Sans CJK JP")};
    const QStringList gothic{QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                             QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Serif CJK JP")};
    for (const char* name : {"ＭＳ 明朝", "ＭＳ Ｐ明朝", "MS Mincho", "MS PMincho"})
        QFont::insertSubstitutions(QString::fromUtf8(name), mincho);
    for (const char* name : {"ＭＳ ゴシック", "ＭＳ Ｐゴシック", "MS Gothic", "MS PGothic"})
        QFont::insertSubstitutions(QString::fromUtf8(name), gothic);
}

} // namespace minasel
