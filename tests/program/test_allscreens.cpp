// Every registered screen, as a new user meets it on a screen of 1024×768
// (less title bar, borders and panel: see CMakeLists.txt): whole on the screen,
// the focus always marked, and no number field joining the digits around a point.
#include "app/appearance.h"
#include "app/numberfield.h"
#include "app/screenregistry.h"
#include "support/testdatadir.h"

#include <QAbstractItemView>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

using namespace minasel;

TEST(AllScreens, FitOnScreenShowTheFocusAndTakeNoPointTheyCannotHold)
{
    test::TestDataDir t;
    AppContext& c = t.ctx();
    ScreenRegistry registry;
    registerAllScreens(registry);
    c.screens = &registry;
    installFocusStyle(*qApp);
    // Typed text, then the value a field holds by its number of decimals (0 to 5).
    const std::pair<const char*, std::array<double, 6>> typing[] = {{"1.2.5", {1, 1.2, 1.2, 1.2, 1.2, 1.2}},
                                                                    {"0.125", {0, 0.1, 0.12, 0.125, 0.125, 0.125}}};
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(area.size(), QSize(1008, 698)) << "the screen of the test was not set up";
    for (const QString& name : registry.names()) {
        std::unique_ptr<QWidget> w(registry.create(name, c));
        w->show();
        QApplication::setActiveWindow(w.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get())) << name.toStdString();
        EXPECT_TRUE(area.contains(w->frameGeometry())) << name.toStdString() << " does not fit";
        QList<QWidget*> inputs;
        for (QWidget* i : w->findChildren<QWidget*>())
            if (i->isVisible() && i->isEnabled() && i->focusPolicy() != Qt::NoFocus && i->window() == w.get()
                && !qobject_cast<QAbstractItemView*>(i->parentWidget()))
                inputs << i;
        for (QWidget* i : inputs) {
            const std::string what = name.toStdString() + "." + i->objectName().toStdString();
            QWidget* shown = i;   // or the scroll area it is scrolled into view in
            for (QWidget* p = i->parentWidget(); p != w.get(); p = p->parentWidget())
                shown = qobject_cast<QScrollArea*>(p) ? p : shown;
            EXPECT_TRUE(w->rect().contains(QRect(shown->mapTo(w.get(), QPoint()), shown->size()))) << what << " is cut";
            if (!i->isVisible() || !i->isEnabled())
                continue;   // hidden or locked by what was typed before
            (i == inputs.first() ? inputs.last() : inputs.first())->setFocus();
            const QImage before = i->grab().toImage();
            i->setFocus();
            EXPECT_NE(i->grab().toImage(), before) << what << " shows no focus";
            auto* f = qobject_cast<NumberField*>(i);
            if (!f || f->isReadOnly() || f->minimum() > 0 || f->maximum() < 2.5)
                continue;
            for (const auto& [typed, byDecimals] : typing) {
                f->clear();
                QTest::keyClicks(f, QLatin1String(typed));
                EXPECT_DOUBLE_EQ(f->value(), byDecimals[size_t(std::min(f->decimals(), 5))]) << what << " " << typed;
            }
        }
    }
}
