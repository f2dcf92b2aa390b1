// Blocks of cells to and from spreadsheets as tab-separated text.

#include <QClipboard>
#include <QGuiApplication>

#include "sheets/SheetFixture.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheetClipboard.h"

namespace {

TEST_F(SheetTest, BlocksOfCellsCopyAndPasteAsTabSeparatedText)
{
    UseOverlay(TestSheetLines());
    auto sheet = Make("TS", "TestSheet");
    for (int i = 0; i < 6; ++i) {
        rules.texts[i] = "N" + std::to_string(i);
        rules.texts[100 + i] = std::to_string(10 * i);
        rules.choices[i] = i % 4;
    }
    // Three columns by two rows from the first channel on.
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    const std::string block = "N0\tOff\t0\nN1\tLow\t10\n";
    EXPECT_EQ(cuiSheetClipboard::CopyText(*sheet), block);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), block);

    // Pasted at the fifth channel, each value typed into its cell.
    std::vector<int> groups;
    cuiSheetClipboard::pasteGroup = [&](bool begin) { groups.push_back(begin ? 1 : 0); };
    sheet->MoveTo(1, 5);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rules.texts[4], "N0");
    EXPECT_EQ(rules.texts[5], "N1");
    EXPECT_EQ(rules.texts[104], "0");
    EXPECT_EQ(rules.texts[105], "10");
    // The choice cells take no typed text here: values they show already count as
    // taken, and others are listed.
    EXPECT_EQ(groups, (std::vector<int>{1, 0}));

    // A spreadsheet's lines (CR LF) with one value a cell cannot take: the others are
    // taken, the refused cell keeps its value, and the refusal names line and value.
    sheet->MoveTo(1, 3);
    const auto refused =
        cuiSheetClipboard::PasteText(*sheet, "A\tHigh\t7\r\nB\tLoud\t8\r\nC\r\n\r\n");
    EXPECT_EQ(rules.texts[2], "A");
    EXPECT_EQ(rules.texts[102], "7");
    EXPECT_EQ(rules.texts[3], "B");
    EXPECT_EQ(rules.texts[103], "8");
    EXPECT_EQ(rules.texts[4], "C");
    EXPECT_EQ(rules.choices[3], 3);
    ASSERT_EQ(refused.size(), 2u);
    EXPECT_EQ(refused[0].line, 1);
    EXPECT_EQ(refused[0].field, 2);
    EXPECT_EQ(refused[0].text, "High");
    EXPECT_EQ(refused[1].line, 2);
    EXPECT_EQ(refused[1].text, "Loud");
    // Beyond the last column there is no cell to take a value.
    sheet->MoveTo(3, 1);
    const auto beyond = cuiSheetClipboard::PasteText(*sheet, "5\t6\n");
    EXPECT_EQ(rules.texts[100], "5");
    ASSERT_EQ(beyond.size(), 1u);
    EXPECT_EQ(beyond[0].field, 2);
    cuiSheetClipboard::pasteGroup = nullptr;
}

}  // namespace
