#include <QFile>
#include <fstream>

#include "SheetFixture.h"
#include "sheets/cuiFlector.h"
#include "sheets/cuiGrid.h"

namespace {

// Every choice list of the English overlay opens as a drop-down list in which every choice
// can be chosen and can be seen: a missing entry would end the program, a choice without
// "S" could never be picked, a column without "W" would be ten pixels wide.
TEST_F(SheetTest, EveryShippedChoiceListOpensWithEveryChoiceReachable)
{
    const std::string file = QV_BIN_DIR "/TM5150QE.OVL";
    store.Open(file);
    g_GTex = &store;
    std::vector<std::string> lists;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string suffix = "_Cells";
        if (line.size() > suffix.size() + 1 && line[0] == '#' &&
            line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0 &&
            line.rfind("#GI_Sheet_Sel_", 0) == 0)
            lists.push_back(line.substr(1, line.size() - 1 - suffix.size()));
    }
    ASSERT_GE(lists.size(), 10u);
    window = std::make_unique<QWidget>();
    window->resize(300, 200);
    auto* owner = new cuiGrid(window.get());
    window->show();
    for (const std::string& name : lists) {
        cmcCellCapsule cap;
        cmcRect rect{0, 0, 60, 20};
        cap.owner = owner;
        cap.rect = &rect;
        auto* list = new cuiFlector(cap, Flex0, 0, &store, name);
        cuiSheet* sheet = list->Sheet();
        int choices = 0;
        for (int r = 0; r < sheet->RowCount(); ++r)
            for (int c = 0; c < sheet->ColCount(); ++c) {
                const cmcCellObj& cell = sheet->CellAt(c, r);
                if (cell.id == kNoId)
                    continue;
                ++choices;
                EXPECT_TRUE(sheet->IsSelectable(c, r)) << name << " " << c << "," << r;
                EXPECT_GE(sheet->Grid()->ColWidth(c), 20) << name << " column " << c;
                EXPECT_GT(sheet->Grid()->RowHeight(r), 8) << name << " row " << r;
            }
        EXPECT_GT(choices, 0) << name;
        EXPECT_TRUE(sheet->Grid()->isEnabled()) << name;
        list->Close();
        ProcessDeferred();
    }
    EXPECT_EQ(cuiFlector::LiveCount(), 0);
}

}  // namespace
