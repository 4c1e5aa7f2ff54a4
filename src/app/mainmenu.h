#pragma once
#include "app/screen.h"
#include "app/startup.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace minasel {

class SplashScreen;

// メインメニュー: the first and last window. Loading it starts the program behind
// the splash screen; it keeps the company list and leads to the company
// registration, both menus and the salary statement; closing it ends the program.
class MainMenu : public Screen {
    Q_OBJECT
public:
    explicit MainMenu(AppContext& ctx, bool showSplash = true);
    ~MainMenu() override;

    // The start-up. False when it failed: the user has been told, and the menu has
    // already closed (the end of the program has been logged).
    bool start();
    // What happens each time the menu becomes the active window: closing after a
    // failed start, the start-up password once, and the caller name.
    void onActivated();

    // Opening a screen by its registered name, as the buttons do (nullptr when unknown).
    QWidget* openScreen(const QString& screenName, const QString& callerName);

    Startup& startup() { return m_startup; }
    QComboBox* companyList() const { return m_company; }
    static QString readMeText();

protected:
    bool handleKey(QWidget* receiver, QKeyEvent* event) override;
    bool canClose() override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fillCompanies(int currentIndex);
    void updateButtons();
    void companyClicked(int index);
    void refreshCompanies(const QString& cid);
    void openAfterSetupCheck(bool inOut);
    void endProgram();

    Startup m_startup;
    bool m_showSplash;
    SplashScreen* m_splash = nullptr;
    QComboBox* m_company;
    QPushButton* m_newKaisya;
    QPushButton* m_syokiSet;
    QPushButton* m_inOut;
    QPushButton* m_kyuyo;
    QPushButton* m_end;
    QLabel* m_message;
    QLabel* m_readMe;
    bool m_ended = false;
};

} // namespace minasel
