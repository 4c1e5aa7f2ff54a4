#pragma once
// Finding a screen's named controls and driving them as a user would.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

// Readable QString values in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace minasel::test {

// The control of that name; a missing one fails the test.
template <class T>
T* child(QWidget* w, const char* name)
{
    T* c = w->findChild<T*>(QLatin1String(name));
    if (!c)
        ADD_FAILURE() << "no control " << name;
    return c;
}

// Types into a field and leaves it with Enter.
inline void typeAndEnter(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

// Function key n to the control that has the focus, else to the screen.
inline void pressF(QWidget* screen, int n)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : screen;
    QTest::keyClick(target, Qt::Key(Qt::Key_F1 + n - 1));
}

// The visible top-level window of that name, made active so that keys reach it.
inline QWidget* visibleWindow(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible()) {
            QApplication::setActiveWindow(w);
            return w;
        }
    return nullptr;
}

} // namespace minasel::test
