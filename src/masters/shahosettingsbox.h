#pragma once
#include "masters/shahostore.h"

#include <QGroupBox>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace minasel {
class AppContext;
class NumberField;
}

namespace minasel::masters {

// The social-insurance part of the company screen: the child-support levy (by the law
// or a rate of the company's own fund), next- or same-month collection, and the
// "法定料率を設定" button that puts the rates of the law into the screen's rate fields.
class ShahoSettingsBox : public QGroupBox {
    Q_OBJECT
public:
    // The company screen's fields this box reads and fills.
    struct RateFields {
        QLineEdit* prefecture;
        NumberField* health;
        NumberField* healthCare;
        NumberField* pension;
        NumberField* koyo;
    };

    ShahoSettingsBox(AppContext& ctx, const RateFields& fields, bool newCompany, QWidget* parent = nullptr);

    SyahoSettings settings() const;
    void setSettings(const SyahoSettings& s);
    bool load(const QString& cid);
    bool save(const QString& cid);   // inside the caller's transaction
    // A new company starts with the rates of the law of today (health once its
    // prefecture is known).
    void startNew();
    // Refuses rates outside 0-30 % with a message and the focus on the field; true when wrong.
    bool checkInput();

    QPushButton* hoteiRituButton() const { return m_hotei; }
    void openHoteiRitu();

signals:
    void changed();

private:
    int todaysPayMonth() const;
    int todaysPremiumMonth() const;
    void applyPrefecture();
    void showSienMode();

    AppContext& m_ctx;
    RateFields m_fields;
    bool m_newCompany;
    int m_jigyoKind = 1;
    QComboBox* m_sienKbn;
    NumberField* m_sienRitu;
    QComboBox* m_tyosyu;
    QPushButton* m_hotei;
    QLabel* m_note;
};

} // namespace minasel::masters
