#pragma once
#include <QByteArray>
#include <QString>

namespace minasel::transfer {

// Names as the banks take them in a transfer file: half-width katakana, A-Z, 0-9,
// the space and a few symbols, one byte each in JIS X 0201. Whatever the user
// types (full-width or half-width katakana, hiragana, full-width letters) is
// brought into that set; what cannot be brought in is refused by name.
class BankKana {
public:
    enum class Purpose {
        AccountName,   // 依頼人名, 受取人名: also ( ) - . and the legal-entity abbreviations
        BankName,      // bank and branch names: '-' is the only symbol
    };

    struct Result {
        QString text;    // the converted name (empty when refused)
        QString error;   // a message naming the character, empty when converted
        bool ok() const { return error.isEmpty(); }
    };

    // Small kana written large, the long vowel as '-', full-width to half-width,
    // lower case to upper case, 株式会社 / 有限会社 abbreviated (account names),
    // blanks trimmed and runs of blanks made one.
    static Result convert(const QString& text, Purpose purpose);

    // The first `bytes` bytes of a converted name, never cutting a kana from its
    // voiced or semi-voiced mark (the kana goes too).
    static QString cut(const QString& converted, int bytes);

    // The bytes of a converted name (JIS X 0201, the bytes of Shift_JIS / CP932).
    static QByteArray encode(const QString& converted);

    // True when every byte of `bytes` may stand in a text field of the file.
    static bool isFileByte(char byte);
};

} // namespace minasel::transfer
