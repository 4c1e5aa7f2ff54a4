#pragma once
#include <QPointer>
#include <QWidget>

class QAbstractButton;
class QKeyEvent;
class QLabel;

namespace minasel {

class AppContext;

// What every menu and work screen shares: placement, the caption "title - company",
// Enter/Esc moving between fields, function keys pressing the "[f・n]" buttons,
// the changed flag, clearing the fields, and showing the opener again on close.
class Screen : public QWidget {
    Q_OBJECT
public:
    Screen(AppContext& ctx, const QString& title, QWidget* parent = nullptr);
    ~Screen() override;

    AppContext& ctx() const { return m_ctx; }
    QString title() const { return m_title; }
    void setTitle(const QString& title);
    void updateCaption();   // "title - company name"

    // The window shown again when this screen closes (a menu hides itself when it opens us).
    void setOpener(QWidget* opener) { m_opener = opener; }
    QWidget* opener() const { return m_opener; }
    // Open a screen from here: remember us as its opener, show it and hide us.
    static void openFrom(QWidget* from, QWidget* screen);
    // Open a screen over us: we stay visible but disabled until it closes
    // (the password and printer screens).
    static void openOver(QWidget* from, QWidget* screen);

    // The button whose caption starts with "[f・n]", if any.
    QAbstractButton* functionButton(int n) const;

    // Enables a button or disables it with the reason added to its hint, so a
    // button that cannot be used still says why.
    static void setEnabledWithReason(QAbstractButton* button, bool enabled, const QString& reason);
    static QString notAvailableHint() { return QStringLiteral("この機能は未対応です。"); }
    // A note or status line of a fixed number of lines that takes the width it is
    // given: its text coming and going never makes the window jump.
    static QLabel* makeNote(QWidget* parent, const QString& name, int lines = 1);

    bool isChanged() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }
    // Marks the screen changed whenever any of its text, number or list fields changes.
    void trackChanges();

    // clear_controls: text fields empty, number fields 0, lists to their first entry when it is not blank.
    void clearControls();

    // Place as the screens always were: centred, a little above the middle; a
    // window larger than the screen is first brought down to it (as far as its
    // minimum allows) and never starts off its left or top edge.
    void placeCentred();

signals:
    void closed();

protected:
    // A screen can take a key before the common handling; return true when handled.
    virtual bool handleKey(QWidget* receiver, QKeyEvent* event);
    // Asked before closing (close box, F6 ...); false keeps the screen open. By
    // default a changed screen asks before its changes are thrown away.
    virtual bool canClose() { return !m_changed || confirmDiscard(); }
    // "データが変更されましたが、終了しても宜しいですか？": true when the user agrees.
    bool confirmDiscard();
    // The masters' "選択されたデータを削除してもよろしいですか？" (title 確認, No by default):
    // true on Yes.
    bool confirmDelete();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool moveFocus(QWidget* from, bool forward);
    static void watchClose(QWidget* from, QWidget* screen);
    // The opener enabled, shown and given the keyboard again.
    static void bringBack(QWidget* opener);

    AppContext& m_ctx;
    QString m_title;
    QPointer<QWidget> m_opener;
    bool m_changed = false;
    bool m_placed = false;
    bool m_forwarding = false;   // a key handed on to a field by the key filter itself
};

} // namespace minasel
