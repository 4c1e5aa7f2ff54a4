#pragma once
#include "app/screen.h"

#include <QList>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace minasel {
class NumberField;
class TextField;
}

namespace minasel::masters {

struct CompanyInfo;
class ShahoSettingsBox;

// Company information: registers a new company when opened from the main menu,
// edits (or deletes) the current company when opened from the initial-settings menu.
class InpKaisyaJoho : public Screen {
    Q_OBJECT
public:
    explicit InpKaisyaJoho(AppContext& ctx, QWidget* parent = nullptr);

    bool isNewMode() const { return m_newMode; }
    bool isLoaded() const { return m_loaded; }

    // The procedures of the screen, public for the menus and tests.
    bool setDataToForm();
    bool updateData();
    bool kaishaNumCheck();
    void checkCompanyLimit();
    bool checkInput();   // true when the input is wrong
    QString getNewCid();
    void clearForNewEntry();

protected:
    bool canClose() override;
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void applyLabels(bool corporation);
    void setButtonsEnabled(bool on);
    void edited();
    bool acceptZeroHours();
    bool saveWithSettings(const QString& cid, const std::function<bool()>& writeCompany);
    CompanyInfo collect() const;
    void fill(const CompanyInfo& info);
    void touroku();
    void cancel();
    void deleteCompany();
    void syncMenu(const QString& currentCid);

    bool m_newMode;
    bool m_loaded = false;
    bool m_loading = false;

    QLabel* m_title = nullptr;
    QRadioButton* m_optHojin = nullptr;
    QRadioButton* m_optKojin = nullptr;
    QList<TextField*> m_texts;   // company name .. representative's title, then corporate number
    QList<QLabel*> m_labels;     // the labels beside m_texts
    QGroupBox* m_numberFrame = nullptr;
    NumberField* m_kenko = nullptr;
    NumberField* m_kenko2 = nullptr;
    NumberField* m_kosei = nullptr;
    NumberField* m_koyo = nullptr;
    NumberField* m_kijyun = nullptr;
    NumberField* m_kyujitu = nullptr;
    NumberField* m_kinkyu = nullptr;
    QList<NumberField*> m_coefficients;
    ShahoSettingsBox* m_syaho = nullptr;
    QPushButton* m_touroku = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_back = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace minasel::masters
