#pragma once
#include "app/numberfield.h"
#include "db/rowwriter.h"
#include "nentyo/inpnentyo.h"
#include "payroll/meisairecord.h"
#include "support/testdatadir.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace minasel::test {

// The year-end screen on the seeded company, driven through its named controls, over
// a year of statements: twelve salaries of 450,000 (10,000 commuting on top, not pay)
// with 65,950 of premiums and 11,000 of tax, and a bonus of 900,000 with 131,900 of
// premiums and 36,000 of tax. The year: pay 6,300,000, tax 168,000, premiums 923,300.
class NentyoScreenTest : public ::testing::Test {
protected:
    void payYear(int year, const QString& code = QStringLiteral("00002"), int months = 12)
    {
        auto statement = [&](int month, const char* kind, long long pay, long long health, long long pension,
                             long long koyo, long long tax) {
            payroll::MeisaiRecord m;
            m.cid = QStringLiteral("01");
            m.payMonth = QStringLiteral("%1%2").arg(year).arg(month, 2, 10, QLatin1Char('0'));
            m.employeeCode = code;
            m.kind = QLatin1String(kind);
            m.kihonkyu = pay;
            m.commuting = kind[0] == '1' ? 10'000 : 0;
            m.health = health;
            m.pension = pension;
            m.employmentInsurance = koyo;
            m.tax = tax;
            ASSERT_TRUE(db::WriteMeisaiTable(td.ctx(), m.toRowValues()));
        };
        for (int month = 1; month <= months; ++month)
            statement(month, "1", 450'000, 22'300, 41'175, 2'475, 11'000);
        statement(7, "2", 900'000, 44'600, 82'350, 4'950, 36'000);
    }
    void open()
    {
        m_screen = std::make_unique<nentyo::InpNentyo>(td.ctx());
        m_screen->show();
    }
    template <typename T = NumberField>
    T* field(const QString& name)
    {
        T* w = m_screen->findChild<T*>(name);
        if (!w)
            ADD_FAILURE() << "no control " << name.toStdString();
        return w;
    }
    double value(const QString& column) { return field(QStringLiteral("txt") + column)->value(); }
    QString label(const char* name) { return field<QLabel>(QLatin1String(name))->text(); }
    // Types as the user does: the text replaced key by key, then Enter.
    void type(const QString& name, const QString& text)
    {
        auto* f = field<QLineEdit>(name);
        f->setFocus();
        f->selectAll();
        QTest::keyClick(f, Qt::Key_Delete);
        QTest::keyClicks(f, text);
        QTest::keyClick(f, Qt::Key_Return);
    }
    void amount(const QString& column, long long v) { type(QStringLiteral("txt") + column, QString::number(v)); }
    void click(const char* name) { field<QAbstractButton>(QLatin1String(name))->click(); }
    // A grid cell edited as the user leaves it (Japanese cannot be typed by key clicks).
    void setCell(const char* grid, int row, int column, const QString& text)
    {
        field<QTableWidget>(QLatin1String(grid))->item(row, column)->setText(text);
    }
    QString cellText(const char* grid, int row, int column)
    {
        return field<QTableWidget>(QLatin1String(grid))->item(row, column)->text();
    }
    void choose(const QString& code)
    {
        auto* c = field<QComboBox>(QStringLiteral("cmbJyugyoin"));
        c->setCurrentIndex(c->findText(code, Qt::MatchStartsWith));
    }
    QVariant stored(const QString& table, const QString& column, int year = 2026,
                    const QString& code = QStringLiteral("00002"))
    {
        return td.scalar(QStringLiteral("SELECT %1 FROM %2 WHERE CID = '01' AND SIKYUYEAR = '%3' AND JGICODE = '%4'")
                             .arg(column, table)
                             .arg(year)
                             .arg(code));
    }
    QVariant december(int year = 2026, const QString& code = QStringLiteral("00002"))
    {
        return td.scalar(QStringLiteral("SELECT NENTYOMONEY FROM MEISAI WHERE CID = '01' AND SIKYUBI = '%1'"
                                        " AND JGICODE = '%2' AND SIKYUKBN = '1'")
                             .arg(QString::number(year) + QStringLiteral("12"), code));
    }

    TestDataDir td;
    std::unique_ptr<nentyo::InpNentyo> m_screen;
};

} // namespace minasel::test
