#include "rules/RulesFixture.h"
#include "rules/indCompare.h"

namespace {

class CompareTest : public RulesTest {
protected:
    void Type(int32_t id, const std::string& text)
    {
        cmcCellCapsule c = Request(CT_Null, id, 0);
        c.inputMode = cmcCellCapsule::kInputText;
        c.inputText = text;
        c.key = 0;
        Run(c);
    }
};

// Two images that differ in three settings: exactly those three are listed, with the sheet,
// the captions and both values as the sheets show them; the working image is left as it was.
TEST_F(CompareTest, ListsExactlyTheSettingsThatDiffer)
{
    const std::vector<std::string> sheets = indCompare::SettingsSheets(texts);
    ASSERT_FALSE(sheets.empty());
    host->work.SetByte(0x0132, 5);
    cmcEeprom a;
    a.Assign(host->work);
    Type(CL_SetM_AFMinLev, "12");
    Type(CL_Comm_CloneComment1, "Depot");
    Type(CL_Comm_UserPassword, "4321");
    cmcEeprom b;
    b.Assign(host->work);
    host->work.SetByte(0x0100, 0x55);  // the working image, whatever it holds, stays

    const std::vector<indCompare::Difference> diff = indCompare::Run(*rules, texts, a, b, sheets);
    EXPECT_EQ(host->work.GetByte(0x0100), 0x55);
    std::vector<std::string> seen;
    for (const auto& d : diff)
        seen.push_back(d.row + ": " + d.valueA + " -> " + d.valueB);
    std::sort(seen.begin(), seen.end());
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    // A setting shown on two sheets is listed on each; as settings they are three.
    EXPECT_EQ(seen,
              (std::vector<std::string>{"Clone Comment 1:  -> Depot", "Lowest Volume: 5 -> 12",
                                        "User Password: 0000 -> 4321"}));
    for (const auto& d : diff) {
        EXPECT_FALSE(d.sheet.empty());
        EXPECT_FALSE(d.column.empty());
        // Where the setting stands, to open its sheet at the cell.
        EXPECT_TRUE(texts.HasKey(d.entry + "_Cells")) << d.entry;
        EXPECT_NE(d.id, 0);
    }
}

// The working image itself as either side (the working image against a file or a backup):
// the differences are the same as with a copy, and the working image is given back as is.
TEST_F(CompareTest, TheWorkingImageItselfMayBeEitherSide)
{
    const std::vector<std::string> sheets = indCompare::SettingsSheets(texts);
    cmcEeprom other;
    other.Assign(host->work);
    Type(CL_SetM_AFMinLev, "12");
    Type(CL_Comm_UserPassword, "4321");
    cmcEeprom before;
    before.Assign(host->work);
    const auto rows = [](const std::vector<indCompare::Difference>& diff) {
        std::vector<std::string> out;
        for (const auto& d : diff)
            out.push_back(d.sheet + "/" + d.row + ": " + d.valueA + " -> " + d.valueB);
        return out;
    };
    const auto asA = rows(indCompare::Run(*rules, texts, host->work, other, sheets));
    EXPECT_TRUE(host->work.Equals(before));
    const auto asB = rows(indCompare::Run(*rules, texts, other, host->work, sheets));
    EXPECT_TRUE(host->work.Equals(before));
    const auto copies = rows(indCompare::Run(*rules, texts, before, other, sheets));
    EXPECT_EQ(asA, copies);
    // The same settings, the other way round; the password stands on two sheets.
    EXPECT_EQ(asA.size(), 3u);
    EXPECT_EQ(asB.size(), asA.size());
}

}  // namespace
