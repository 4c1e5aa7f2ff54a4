#pragma once
#include "transfer/bankaccounts.h"

#include <QGroupBox>

class QComboBox;

namespace minasel {
class TextField;
}

namespace minasel::transfer {

class KanaField;

// The account fields both bank screens share: bank and branch (number and name
// in kana), the kind of account and its number. Digits only where digits go.
class BankAccountBox : public QGroupBox {
    Q_OBJECT
public:
    // `otherKind`: the company's account may also be of kind 9 (その他).
    BankAccountBox(const QString& title, bool otherKind, QWidget* parent = nullptr);

    BankAccount values() const;
    void setValues(const BankAccount& v);
    // The field of a column (GINKOCODE, GINKONAME, SITENCODE, SITENNAME, YOKINKBN, KOZANO), or nullptr.
    QWidget* fieldOf(const QString& column) const;
    // The fields in tab order.
    QList<QWidget*> tabOrder() const;

    static TextField* digitField(QWidget* parent, const char* name, int digits);

signals:
    void edited();

private:
    TextField* m_bankCode;
    KanaField* m_bankName;
    TextField* m_branchCode;
    KanaField* m_branchName;
    QComboBox* m_kind;
    TextField* m_number;
};

} // namespace minasel::transfer
