#pragma once
#include "app/numberfield.h"
#include "payroll/statementrepository.h"
#include "support/screens.h"
#include "support/testdatadir.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace minasel::test {

// A statement screen (salary or bonus) on the seeded company, driven through its named controls.
template <typename Screen>
class StatementScreenTest : public ::testing::Test {
protected:
    void open()
    {
        m_screen = std::make_unique<Screen>(td.ctx());
        m_screen->show();
    }
    template <typename T = NumberField>
    T* field(const char* name)
    {
        return child<T>(m_screen.get(), name);
    }
    double value(const char* name) { return field(name)->value(); }
    QString label(const char* name) { return field<QLabel>(name)->text(); }
    // Types as the user does: the field's text replaced key by key, then Enter.
    void type(const char* name, const QString& text)
    {
        QLineEdit* f = field<QLineEdit>(name);
        f->setFocus();
        f->selectAll();
        QTest::keyClick(f, Qt::Key_Delete);
        QTest::keyClicks(f, text);
        QTest::keyClick(f, Qt::Key_Return);
    }
    void choose(const QString& code)
    {
        QComboBox* c = field<QComboBox>("cmbJyugyoin");
        c->setCurrentIndex(c->findText(code, Qt::MatchStartsWith));
    }
    // The stored statement of kind "1" (salary) or "2" (bonus).
    std::optional<payroll::MeisaiRecord> stored(const QString& month, const QString& code, const QString& kind)
    {
        std::optional<payroll::MeisaiRecord> r;
        payroll::StatementRepository repo(td.ctx(), QStringLiteral("test"));
        EXPECT_TRUE(repo.readStatement(month, code, kind, &r));
        return r;
    }
    bool save(const payroll::MeisaiRecord& s)
    {
        payroll::StatementRepository repo(td.ctx(), QStringLiteral("test"));
        return repo.saveStatement(s);
    }
    int meisaiRows(const QString& where = QString())
    {
        return td.count(QStringLiteral("SELECT COUNT(*) FROM MEISAI") + where);
    }

    TestDataDir td;
    std::unique_ptr<Screen> m_screen;
};

} // namespace minasel::test
