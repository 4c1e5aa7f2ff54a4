#include "app/textfield.h"
#include "reports/employeepicker.h"
#include "support/testdatadir.h"

#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::reports;

namespace {

QList<PickerEntry> employees(int n)
{
    QList<PickerEntry> list;
    for (int i = n; i >= 1; --i)   // given out of order on purpose
        list.append({QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("社員%1").arg(i)});
    return list;
}

QStringList codes(const QList<PickerEntry>& list)
{
    QStringList c;
    for (const auto& e : list)
        c << e.code;
    return c;
}

void selectRows(QTableWidget* grid, int from, int to)
{
    grid->clearSelection();
    grid->setRangeSelected(QTableWidgetSelectionRange(from, 0, to, 1), true);
}

} // namespace

TEST(PickerListsTest, MovesKeepCodeOrderIgnoreBlankRowsAndRangesFindTheirRun)
{
    PickerLists lists;
    lists.setCandidates(employees(5));
    EXPECT_EQ(codes(lists.left()), (QStringList{"00001", "00002", "00003", "00004", "00005"}));
    EXPECT_EQ(lists.moveRight(2, 2), 1);   // 00003
    EXPECT_EQ(lists.moveRight(0, 0), 1);   // 00001
    EXPECT_EQ(codes(lists.right()), (QStringList{"00001", "00003"}));
    EXPECT_EQ(lists.moveRight(10, 20), 0); // blank rows below the last
    EXPECT_EQ(lists.moveRight(7, 0), 3);   // a run selected upwards, cut to the filled rows
    EXPECT_TRUE(lists.left().isEmpty());
    EXPECT_EQ(lists.moveLeft(1, 1), 1);
    EXPECT_EQ(codes(lists.left()), (QStringList{"00002"}));
    lists.setCandidates(employees(2));
    EXPECT_TRUE(lists.right().isEmpty());

    lists.setCandidates({{"00001", "a"}, {"00003", "b"}, {"00005", "c"}, {"A0001", "d"}});
    int first = -1, last = -1;
    ASSERT_TRUE(lists.rangeRows("00002", "00004", &first, &last));
    EXPECT_EQ(std::pair(first, last), std::pair(1, 1));
    ASSERT_TRUE(lists.rangeRows("", "ZZZZZ", &first, &last));
    EXPECT_EQ(std::pair(first, last), std::pair(0, 3));
    EXPECT_FALSE(lists.rangeRows("00006", "00009", &first, &last));
    EXPECT_FALSE(lists.rangeRows("00002", "00002", &first, &last));
}

struct EmployeePickerTest : ::testing::Test {
    test::TestDataDir dir{false};
    EmployeePicker picker{dir.ctx()};
    QTableWidget* left = picker.findChild<QTableWidget*>("gdLeft");
    QTableWidget* right = picker.findChild<QTableWidget*>("gdRight");
};

TEST_F(EmployeePickerTest, GridsKeepTheirMinimumRowsAndHeadings)
{
    ASSERT_TRUE(left && right);
    EXPECT_EQ(left->horizontalHeaderItem(0)->text(), QStringLiteral(" 従業員番号"));
    EXPECT_EQ(left->horizontalHeaderItem(1)->text(), QStringLiteral("　　　　　　　　氏     名"));
    picker.setCandidates(employees(3));
    EXPECT_EQ(left->rowCount(), 23);   // with the heading: 24 rows, 20 of them blank
    EXPECT_EQ(left->item(0, 0)->text(), QStringLiteral("00001"));
    EXPECT_EQ(left->item(2, 1)->text(), QStringLiteral("社員3"));
    EXPECT_EQ(left->item(3, 0), nullptr);
    picker.setCandidates(employees(30));
    EXPECT_EQ(left->rowCount(), 30);   // 31 with the heading
    EXPECT_EQ(right->rowCount(), 23);
}

TEST_F(EmployeePickerTest, ArrowsFollowTheSelectionAndMovesRefillBothLists)
{
    picker.setCandidates(employees(4));
    auto* toRight = picker.findChild<QPushButton*>("cmdTORIGHT");
    auto* toLeft = picker.findChild<QPushButton*>("cmdTOLEFT");
    EXPECT_FALSE(toRight->isEnabled());
    selectRows(left, 10, 15);   // blank rows only
    EXPECT_FALSE(toRight->isEnabled());
    selectRows(left, 2, 2);
    EXPECT_TRUE(toRight->isEnabled());
    toRight->click();
    selectRows(left, 0, 0);
    toRight->click();
    EXPECT_EQ(codes(picker.chosen()), (QStringList{"00001", "00003"}));
    EXPECT_EQ(right->item(0, 0)->text(), QStringLiteral("00001"));
    EXPECT_EQ(right->item(1, 0)->text(), QStringLiteral("00003"));
    EXPECT_EQ(left->item(0, 0)->text(), QStringLiteral("00002"));
    EXPECT_FALSE(toRight->isEnabled());
    EXPECT_FALSE(toLeft->isEnabled());
    selectRows(right, 1, 5);   // runs past the filled rows
    EXPECT_TRUE(toLeft->isEnabled());
    toLeft->click();
    EXPECT_EQ(codes(picker.chosen()), (QStringList{"00001"}));
    EXPECT_EQ(codes(picker.candidates()), (QStringList{"00002", "00003", "00004"}));
}

TEST_F(EmployeePickerTest, CodeRangeMovesItsEmployeesOrIsRefused)
{
    picker.setCandidates(employees(5));
    auto* start = picker.findChild<TextField*>("txtStartNo");
    auto* end = picker.findChild<TextField*>("txtEndNo");
    start->setText("00004");
    end->setText("00002");
    emit end->editingFinished();
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("従業員番号の入力に誤りがあります。　再入力して下さい。"));
    EXPECT_EQ(dir.messages().last().icon, Messages::Icon::Exclamation);
    EXPECT_TRUE(picker.chosen().isEmpty());

    start->setText("00002");
    end->setText("00004");
    emit end->editingFinished();
    EXPECT_EQ(codes(picker.chosen()), (QStringList{"00002", "00003", "00004"}));
    EXPECT_EQ(dir.messages().entries().size(), 1);

    start->setText("a0001");
    end->setText("a0009");
    emit start->editingFinished();
    emit end->editingFinished();
    EXPECT_EQ(start->text(), QStringLiteral("A0001"));
    EXPECT_EQ(end->text(), QStringLiteral("A0009"));
    EXPECT_EQ(picker.chosen().size(), 3);   // nothing in that range

    // Short codes are read as the master writes them: "1" to "5" is 00001 to 00005.
    start->setText("1");
    end->setText("5");
    emit end->editingFinished();
    EXPECT_EQ(start->text(), QStringLiteral("00001"));
    EXPECT_EQ(codes(picker.chosen()), (QStringList{"00001", "00002", "00003", "00004", "00005"}));
}
