#pragma once
#include "transfer/bankkana.h"

#include <QWidget>

class QLabel;

namespace minasel {
class TextField;
}

namespace minasel::transfer {

// A name field for the bank: the user types as he likes (kana, hiragana,
// full-width), and below it the name as the file will carry it is shown while he
// types, or the character that cannot be converted, in red.
class KanaField : public QWidget {
    Q_OBJECT
public:
    // `fieldName` is the text field's objectName; the line below is "lbl" + the rest of it.
    KanaField(const QString& fieldName, BankKana::Purpose purpose, int bytes, QWidget* parent = nullptr);

    TextField* field() const { return m_field; }
    QLabel* preview() const { return m_preview; }
    QString text() const;
    void setText(const QString& text);

private:
    void showConverted();

    BankKana::Purpose m_purpose;
    int m_bytes;
    TextField* m_field;
    QLabel* m_preview;
};

} // namespace minasel::transfer
