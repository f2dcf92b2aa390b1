// The difference table: the caller's rows under the caller's headers, read-only, sortable,
// and a double-click hands the row's own difference over whatever the sort order.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <filesystem>

#include "shell/QtTestApp.h"
#include "shell/cuiDiffTable.h"

namespace {

indCompare::Difference Diff(const char* sheet, const char* row, const char* column, const char* a,
                            const char* b, int32_t id)
{
    indCompare::Difference d;
    d.sheet = sheet;
    d.row = row;
    d.column = column;
    d.valueA = a;
    d.valueB = b;
    d.id = id;
    return d;
}

TEST(DiffTable, ShowsSortsAndHandsOverTheRowsDifference)
{
    QtTestApp();
    cuiDiffTable table(nullptr,
                       {QStringLiteral("Sheet"), QStringLiteral("Row"), QStringLiteral("Setting"),
                        QStringLiteral("Radio"), QStringLiteral("To be written")});
    table.SetDifferences(
        {Diff("Set Mode", "Lowest Volume", "Value", "5", "12", 1),
         Diff("Common", "Clone Comment 1", "Value", "", "Depot", 2),
         Diff("Bank 1", "Channel 3", "Receive Frequency", "446.00625", "446.09375", 3)});
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.horizontalHeaderItem(4)->text(), QStringLiteral("To be written"));
    // The caller's order stands until a header is clicked.
    EXPECT_EQ(table.item(0, 0)->text(), QStringLiteral("Set Mode"));
    EXPECT_EQ(table.item(2, 3)->text(), QStringLiteral("446.00625"));
    EXPECT_EQ(table.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(table.selectionBehavior(), QAbstractItemView::SelectRows);

    table.sortItems(0, Qt::AscendingOrder);
    EXPECT_EQ(table.item(0, 0)->text(), QStringLiteral("Bank 1"));
    ASSERT_NE(table.DifferenceAt(0), nullptr);
    EXPECT_EQ(table.DifferenceAt(0)->id, 3);
    EXPECT_EQ(table.DifferenceAt(5), nullptr);

    int activations = 0;
    int32_t opened = 0;
    QObject::connect(&table, &cuiDiffTable::differenceActivated,
                     [&](const indCompare::Difference& d) {
                         ++activations;
                         opened = d.id;
                     });
    emit table.itemActivated(table.item(1, 2));  // "Common" after sorting
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(opened, 2);

    table.resize(640, 160);
    std::filesystem::create_directories("/tmp/shots15");
    table.grab().save(QStringLiteral("/tmp/shots15/diff-table.png"));
}

}  // namespace
