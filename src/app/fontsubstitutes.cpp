#include "app/fontsubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace minasel {

namespace {
QString firstInstalled(const QStringList& candidates)
{
    const QStringList families = QFontDatabase::families();
    for (const QString& c : candidates)
        for (const QString& f : families)
            if (f.compare(c, Qt::CaseInsensitive) == 0)
                return f;
    return QString();
}

QString substitute(const QString& name, const QStringList& candidates)
{
    const QString chosen = firstInstalled(candidates);
    if (!chosen.isEmpty()) {
        QFont::removeSubstitutions(name);
        QFont::insertSubstitution(name, chosen);
    }
    return chosen;
}
} // namespace

FontSubstitutes installFontSubstitutes()
{
    FontSubstitutes s;
    s.mincho = substitute(QStringLiteral("ＭＳ 明朝"),
                          {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"), QStringLiteral("Noto Serif CJK JP"),
                           QStringLiteral("IPAexMincho")});
    s.gothic = substitute(QStringLiteral("ＭＳ ゴシック"),
                          {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"), QStringLiteral("Noto Sans CJK JP"),
                           QStringLiteral("IPAexGothic")});
    return s;
}

} // namespace minasel
