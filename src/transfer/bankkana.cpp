#include "transfer/bankkana.h"

#include <QStringList>

namespace minasel::transfer {

namespace {

// Full-width katakana and the half-width kana they are written as.
const QString kFull = QStringLiteral("アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン");
const QString kHalf = QStringLiteral("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝ");
// Voiced and semi-voiced kana and the kana that carries the mark.
const QString kVoiced = QStringLiteral("ガギグゲゴザジズゼゾダヂヅデドバビブベボヴ");
const QString kVoicedBase = QStringLiteral("カキクケコサシスセソタチツテトハヒフヘホウ");
const QString kSemiVoiced = QStringLiteral("パピプペポ");
const QString kSemiVoicedBase = QStringLiteral("ハヒフヘホ");
// Small kana are written large.
const QString kSmall = QStringLiteral("ァィゥェォッャュョヮヵヶ");
const QString kLarge = QStringLiteral("アイウエオツヤユヨワカケ");
// Dashes and the long vowel are all written '-'.
const QString kDashes = QStringLiteral("ー‐‑‒–—―−");

constexpr char16_t kVoicedMark = u'ﾞ';
constexpr char16_t kSemiVoicedMark = u'ﾟ';

struct LegalWord {
    QStringList spellings;
    QString abbreviation;   // the kana between the parentheses
};

const QList<LegalWord>& legalWords()
{
    static const QList<LegalWord> words{
        {{QStringLiteral("株式会社"), QStringLiteral("(株)"), QStringLiteral("カブシキガイシャ"),
          QStringLiteral("カブシキカイシャ")},
         QStringLiteral("ｶ")},
        {{QStringLiteral("有限会社"), QStringLiteral("(有)"), QStringLiteral("ユウゲンガイシャ"),
          QStringLiteral("ユウゲンカイシャ")},
         QStringLiteral("ﾕ")},
    };
    return words;
}

// 株式会社 → ｶ) at the start, (ｶ) in the middle, (ｶ at the end; the blanks around
// the word go with it.
QString abbreviateLegalWords(QString s)
{
    for (const LegalWord& w : legalWords()) {
        for (const QString& spelling : w.spellings) {
            int at;
            while ((at = int(s.indexOf(spelling))) >= 0) {
                const QString before = s.left(at).trimmed();
                const QString after = s.mid(at + spelling.size()).trimmed();
                if (before.isEmpty())
                    s = w.abbreviation + QLatin1Char(')') + after;
                else if (after.isEmpty())
                    s = before + QLatin1Char('(') + w.abbreviation;
                else
                    s = before + QLatin1Char('(') + w.abbreviation + QLatin1Char(')') + after;
            }
        }
    }
    return s;
}

QString refusal(QChar c)
{
    return QStringLiteral("「%1」は振込データに使えない文字です。").arg(c);
}

} // namespace

BankKana::Result BankKana::convert(const QString& text, Purpose purpose)
{
    // Compatibility normalisation brings half-width kana, full-width letters and
    // digits, the ideographic space and ㈱ to one form; hiragana become katakana.
    QString s = text.normalized(QString::NormalizationForm_KC);
    for (QChar& c : s)
        if (c.unicode() >= 0x3041 && c.unicode() <= 0x3096)
            c = QChar(c.unicode() + 0x60);
    if (purpose == Purpose::AccountName)
        s = abbreviateLegalWords(s.trimmed());

    const bool account = purpose == Purpose::AccountName;
    QString out;
    out.reserve(s.size() * 2);
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (int i = int(kSmall.indexOf(c)); i >= 0)
            c = kLarge[i];
        if (int i = int(kFull.indexOf(c)); i >= 0) {
            out += kHalf[i];
        } else if (int v = int(kVoiced.indexOf(c)); v >= 0) {
            out += kHalf[kFull.indexOf(kVoicedBase[v])];
            out += QChar(kVoicedMark);
        } else if (int p = int(kSemiVoiced.indexOf(c)); p >= 0) {
            out += kHalf[kFull.indexOf(kSemiVoicedBase[p])];
            out += QChar(kSemiVoicedMark);
        } else if (u >= 0xFF71 && u <= 0xFF9D) {
            out += c;   // the abbreviations put in above
        } else if (c.isSpace()) {
            out += QLatin1Char(' ');
        } else if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || u == '-') {
            out += c;
        } else if (u >= 'a' && u <= 'z') {
            out += c.toUpper();
        } else if (kDashes.contains(c)) {
            out += QLatin1Char('-');
        } else if (account && (u == '(' || u == ')' || u == '.')) {
            out += c;
        } else {
            // A mark left alone here stood on a character that cannot take it.
            const QChar shown = u == 0x3099 ? QChar(kVoicedMark) : u == 0x309A ? QChar(kSemiVoicedMark) : c;
            return {QString(), refusal(shown)};
        }
    }
    return {out.simplified(), QString()};
}

QString BankKana::cut(const QString& converted, int bytes)
{
    if (converted.size() <= bytes)
        return converted;
    QString t = converted.left(bytes);
    const QChar next = converted.at(bytes);
    if (!t.isEmpty() && (next == QChar(kVoicedMark) || next == QChar(kSemiVoicedMark)))
        t.chop(1);
    return t;
}

QByteArray BankKana::encode(const QString& converted)
{
    QByteArray out;
    out.reserve(converted.size());
    for (QChar c : converted) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            out += char(u);
        else if (u >= 0xFF61 && u <= 0xFF9F)
            out += char(u - 0xFEC0);
        else
            out += '?';   // never in a converted name; the file check refuses it
    }
    return out;
}

bool BankKana::isFileByte(char byte)
{
    const unsigned char b = static_cast<unsigned char>(byte);
    return b == ' ' || b == '(' || b == ')' || b == '-' || b == '.' || (b >= '0' && b <= '9')
        || (b >= 'A' && b <= 'Z') || (b >= 0xB1 && b <= 0xDF);
}

} // namespace minasel::transfer
