#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cells/cmcCellObj.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "support/ScopedGlobal.h"

namespace {

// The cell models of the flag-bits window and its popup menus, plus a few for the tests.
const char* const kOverlay[] = {
    "#CellModel_iChI",
    "^-WH(Color=clGray)(Font=,,clWhite,,,fsBold,)",
    "#CellModel_eWh",
    "S<_WHB",
    "#CellModel_iQp",
    "(%CT_Null.CL_Misc_QuarterPillar)",
    "#CellModel_Basic",
    "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)(PopupMenu=GI_PMenu_Edit)",
    "#CellModel_Outer",
    "X($Inner)",
    "#CellModel_Inner",
    "T(Color=clTeal)",
    "#CellModel_Loop",
    "($Loop)",
    "#End_Of_Ovl",
};

class CellObj : public ::testing::Test {
protected:
    void SetUp() override { m_store.UseLines(kOverlay); }
    void TearDown() override { txt::SetCodePage(1252); }

    // Parses a whole line the way sheets do and returns each cell's text.
    std::vector<std::string> Texts(std::string line, const cmcCellObj* parent = nullptr)
    {
        std::vector<std::string> out;
        cmcCellObj cell;
        while (!line.empty()) {
            line = cell.ParseCell(line, parent, &counters);
            out.push_back(cell.Text());
        }
        return out;
    }

    cmcCellObj Parse(const std::string& text, const cmcCellObj* parent = nullptr)
    {
        cmcCellObj cell;
        cell.ParseCell(text, parent, &counters);
        return cell;
    }

    cmcCounters counters{};
    cmcGTex m_store;
    qvtest::ScopedGlobal<cmcGTex> m_installStore{g_GTex, &m_store};
};

TEST_F(CellObj, LineSplitting)
{
    using V = std::vector<std::string>;
    // A leading "|" is an empty row-header cell; a trailing "|" adds no cell.
    EXPECT_EQ(Texts("|{($iChI)}%d|"), (V{"", "%d"}));
    EXPECT_EQ(Texts("|a|b|"), (V{"", "a", "b"}));
    EXPECT_EQ(Texts("a"), (V{"a"}));
    // An escaped bar stays in the cell and shows as a plain bar.
    EXPECT_EQ(Texts("x\\|y|z"), (V{"x|y", "z"}));
    // A trailing backslash is literal, also when it ends the line.
    EXPECT_EQ(Texts("ab\\"), (V{"ab\\"}));
    EXPECT_EQ(Texts("ab\\|c"), (V{"ab|c"}));

    cmcCellObj cell;
    EXPECT_EQ(cell.ParseCell("{($iChI)}%d|rest|more", nullptr, &counters), "rest|more");
}

TEST_F(CellObj, CountOnlyKeepsWhatWasInherited)
{
    cmcCellObj parent = Parse("{(%CT_Mch.CL_Mch_No[4])(Color=clRed)}Title");
    cmcCellObj cell;
    EXPECT_EQ(cell.ParseCell("{(%CT_Scan.CL_ScanList_Text)}x|y", &parent, &counters, true), "y");
    EXPECT_EQ(cell.category, CT_Mch);
    EXPECT_EQ(cell.id, CL_Mch_No);
    EXPECT_EQ(cell.index, 4);
    EXPECT_EQ(cell.color, clRed);
    EXPECT_EQ(cell.Text(), "Title");
}

TEST_F(CellObj, FlagBitsWindowCells)
{
    // The basic cell: a model, then its own popup menu over the model's.
    cmcCellObj basic = Parse("{($Basic)(PopupMenu=GI_PMenu_NoItem)}");
    EXPECT_EQ(basic.HAlign(), 0);
    EXPECT_EQ(basic.VAlign(), 1);
    EXPECT_EQ(basic.color, clWindow);
    ASSERT_TRUE(basic.font);
    EXPECT_EQ(basic.font->charset, 1);
    EXPECT_EQ(basic.font->color, clWindowText);
    EXPECT_EQ(basic.font->height, -17);
    EXPECT_EQ(basic.PopupMenuName(), "GI_PMenu_NoItem");
    EXPECT_EQ(basic.category, kNoCategory);
    EXPECT_EQ(basic.id, kNoId);
    EXPECT_FALSE(basic.text);

    // Header cell: bold white on grey, font copied from the basic cell.
    cmcCellObj header = Parse("{($iChI)}7", &basic);
    EXPECT_EQ(header.HAlign(), 1);
    EXPECT_EQ(header.VAlign(), 1);
    EXPECT_TRUE(header.layout & cmcCellObj::kLayoutGrowWidth);
    EXPECT_TRUE(header.layout & cmcCellObj::kLayoutGrowHeight);
    EXPECT_EQ(header.color, clGray);
    ASSERT_TRUE(header.font);
    EXPECT_EQ(header.font->color, clWhite);
    EXPECT_EQ(header.font->style, cmcFont::fsBold);
    EXPECT_EQ(header.font->height, -17);
    EXPECT_EQ(header.Text(), "7");

    // Body cell: the model's "<" is overridden by the "^" after it.
    cmcCellObj body = Parse("{($eWh)^(%CL_FBits[3])}9", &basic);
    EXPECT_EQ(body.HAlign(), 1);
    EXPECT_EQ(body.VAlign(), 2);
    EXPECT_EQ(body.layout & 0xF0, cmcCellObj::kLayoutGrowWidth | cmcCellObj::kLayoutGrowHeight |
                                      cmcCellObj::kLayoutBottomLine);
    EXPECT_TRUE(body.marks & cmcCellObj::kMarkSelectable);
    EXPECT_EQ(body.category, kNoCategory);
    EXPECT_EQ(body.id, CL_FBits);
    EXPECT_EQ(body.index, 3);
    EXPECT_EQ(body.Text(), "9");
    EXPECT_FALSE(body.font);
    EXPECT_EQ(body.EffectiveFont(), basic.font.get());
    EXPECT_EQ(body.PopupMenuName(), "GI_PMenu_NoItem");

    cmcCellObj pillar = Parse("{($iQp)}", &basic);
    EXPECT_EQ(pillar.category, CT_Null);
    EXPECT_EQ(pillar.id, CL_Misc_QuarterPillar);
}

TEST_F(CellObj, PopupMenuCells)
{
    cmcCellObj basic = Parse("{($Basic)(%CT_PopupMenu.)}");
    EXPECT_EQ(basic.category, CT_PopupMenu);
    EXPECT_EQ(basic.id, kNoId);
    EXPECT_EQ(basic.PopupMenuName(), "GI_PMenu_Edit");

    cmcCellObj item = Parse("Edit...\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}", &basic);
    EXPECT_EQ(item.category, CT_PopupMenu);
    EXPECT_EQ(item.id, CL_PMenu_Edit);
    EXPECT_EQ(item.altText, "Enter");
    EXPECT_EQ(item.Text(), "Edit...");  // the tab before the braces is trimmed away
}

TEST_F(CellObj, ReferenceForms)
{
    struct Case {
        const char* text;
        int32_t category, id, index;
        std::optional<std::string> altText;
    };
    counters[0] = 5;
    const Case cases[] = {
        {"{(%CT_Mch.CL_Mch_FreqR[@ch0])}", CT_Mch, CL_Mch_FreqR, 5, std::nullopt},
        {"{(%CT_Mch.CL_Mch_FreqR[12])}", CT_Mch, CL_Mch_FreqR, 12, std::nullopt},
        {"{(%CT_Mch.)}", CT_Mch, kNoId, 0, std::nullopt},
        {"{(%CL_Mch_No)}", kNoCategory, CL_Mch_No, 0, std::nullopt},
        {"{(%.CL_Mch_No)}", kNoCategory, CL_Mch_No, 0, std::nullopt},
        {"{(%Flex0[-3]:Off)}", kNoCategory, Flex0, -3, "Off"},
        {"{(%Flex0[2]:\\(a\\) b\\)}", kNoCategory, Flex0, 2, "(a) b)"},
        {"{(%Flex0:)}", kNoCategory, Flex0, 0, ""},
        // The warning check's bank cell: a sheet reference as altText, commas and all.
        {"{(%CL_Check_Mch:[St_ChBank]GI_Sheet_Mch_Lmr,Bank 3)}", kNoCategory, CL_Check_Mch, 0,
         "[St_ChBank]GI_Sheet_Mch_Lmr,Bank 3"},
        {"No item\t{(%CT_PopupMenu.CL_PMenu_NoItem)}", CT_PopupMenu, CL_PMenu_NoItem, 0,
         std::nullopt},
        // A dot in the index or the alternative text does not name a category.
        {"{(%Flex0[1]:2.5 s)}", kNoCategory, Flex0, 1, "2.5 s"},
        {"{(%Flex0:Ver. 2)}", kNoCategory, Flex0, 0, "Ver. 2"},
        // A group without ")" ends at the end of the text; an index without "]" likewise.
        {"{(%CT_Scan.CL_ScanList_Text[7}", CT_Scan, CL_ScanList_Text, 7, std::nullopt},
        {"{(%CT_Scan.CL_ScanList_Text:a\\", CT_Scan, CL_ScanList_Text, 0, "a\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        cmcCellObj cell = Parse(c.text);
        EXPECT_EQ(cell.category, c.category);
        EXPECT_EQ(cell.id, c.id);
        EXPECT_EQ(cell.index, c.index);
        EXPECT_EQ(cell.altText, c.altText);
    }
}

TEST_F(CellObj, LettersAndNegation)
{
    struct Case {
        const char* attributes;
        uint8_t layout, marks;
    };
    const Case cases[] = {
        {"", 0x00, 0x00},
        {">_", 0x02 | 0x08, 0},
        {"^~", 0x01, 0},
        {"BS!B", 0x00, 0x04},
        {"B!S", 0x80, 0x00},
        {"+T", 0x40, 0x08},
        {"X", 0, 0x01},
        {"XQ", 0, 0x02},
        {"Q!X", 0, 0x00},
        {"!>", 0x02, 0},               // "!" does nothing to an alignment letter
        {"!(Color=clRed)B", 0x80, 0},  // nor to a group, and it is used up by it
        {"b s w x", 0, 0},             // letters are case-sensitive; others are ignored
        {"\\B\\S", 0, 0},              // escaped letters are ordinary
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        cmcCellObj cell = Parse(std::string("{") + c.attributes + "}");
        EXPECT_EQ(cell.layout, c.layout);
        EXPECT_EQ(cell.marks, c.marks);
    }
}

TEST_F(CellObj, Groups)
{
    cmcCellObj a = Parse("{B!B(Color=clRed)}");
    EXPECT_FALSE(a.layout & cmcCellObj::kLayoutBottomLine);
    EXPECT_EQ(a.color, clRed);

    cmcCellObj b = Parse("{(Color=clRed)(Color= clBlue)(Color=clNoSuch)(Colour)}");
    EXPECT_EQ(b.color, clRed);

    cmcCellObj c = Parse("{(ImageIndex=7)(PopupMenu=GI_PMenu_X)(Unknown=1)(B)}");
    EXPECT_EQ(c.imageIndex, 7);
    EXPECT_EQ(c.popupMenu, "GI_PMenu_X");
    EXPECT_EQ(c.layout, 0);  // letters inside a group are not interpreted

    cmcCellObj d =
        Parse("{(Flag0=1)(Flag5=1)(Flag2=1)(Flag2=0)(Flag8=1)(Flag1=2)(Flag3 =1)(Flag7=1)}");
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(d.UserFlag(n), n == 0 || n == 5 || n == 7) << n;
    EXPECT_EQ(d.marks, 0x10);
    EXPECT_EQ(d.userFlags, 0x0A);

    // Models nest; the model's text acts as if it stood in place of the group.
    cmcCellObj e = Parse("{($Outer)}");
    EXPECT_EQ(e.MarkBar(), 1);
    EXPECT_TRUE(e.marks & cmcCellObj::kMarkTogether);
    EXPECT_EQ(e.color, clTeal);

    // A font group without "=" still gives the cell its own font, copied from the parent.
    cmcCellObj parent = Parse("{(Font=,Noto Sans,,-20)}");
    cmcCellObj f = Parse("{(Font)}", &parent);
    ASSERT_TRUE(f.font);
    EXPECT_EQ(*f.font, *parent.font);
    EXPECT_NE(f.font.get(), parent.font.get());
}

TEST_F(CellObj, DisplayText)
{
    struct Case {
        const char* text;
        std::optional<std::string> shown;
    };
    const Case cases[] = {
        {"\\N", "\n"},
        {"   \t ", std::nullopt},
        {"", std::nullopt},
        {"  Line\\none\\_two  ", "Line\none two"},
        {"a\\{B}c", "ac"},  // braces are never escaped: the "\" escapes the "c"
        {"100\\%", "100%"},
        {"end\\", "end\\"},
        {"x{(Color=clRed)}y", "xy"},
        {"x}y{z", "xy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Parse(c.text).text, c.shown);
    }
}

TEST_F(CellObj, Counters)
{
    EXPECT_EQ(Parse("{(@ch1=4)(@ch1++)}\\(@ch1+10)").Text(), "15");
    EXPECT_EQ(counters[1], 5);
    EXPECT_EQ(Parse("{(@ch2 \t= \t-3)}\\( @ch2 + 1 )|").Text(), "-2");
    EXPECT_EQ(Parse("No.\\(@ch2)").Text(), "No.-3");
    counters[3] = 1234567;
    EXPECT_EQ(Parse("\\(@ch3)").Text(), "123456");
    // An insertion without ")" ends at the end of the text.
    EXPECT_EQ(Parse("a\\(@ch1+1").Text(), "a6");

    // The counters are shared by consecutive cells: rows number themselves.
    counters = {};
    std::vector<std::string> rows;
    for (int r = 0; r < 3; ++r)
        rows.push_back(Parse("{(@ch0++)(%CT_Mch.CL_Mch_No[@ch0])}\\(@ch0)").Text());
    EXPECT_EQ(rows, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Parse("{(%CT_Mch.CL_Mch_No[@ch0])}").index, 3);
}

TEST_F(CellObj, ResetKeepsCategoryWithoutParent)
{
    cmcCellObj cell;
    cell.ParseCell("{(%CT_Mch.CL_Mch_No[3])(Color=clRed)B}x", nullptr, &counters);
    cell.ParseCell("{(%CL_Mch_FreqR)}", nullptr, &counters);
    EXPECT_EQ(cell.category, CT_Mch);
    EXPECT_EQ(cell.index, 3);
    EXPECT_EQ(cell.id, CL_Mch_FreqR);
    EXPECT_EQ(cell.color, clWindow);
    EXPECT_EQ(cell.layout, 0);
    EXPECT_FALSE(cell.text);

    // With a parent every cell starts from the parent's values instead.
    cmcCellObj parent = Parse("{(%CT_Scan.CL_ScanList_Text[9]:alt)(Font=,,clRed)(PopupMenu=P)S}T");
    cell.ParseCell("{(%CL_Mch_No)}", &parent, &counters);
    EXPECT_EQ(cell.category, CT_Scan);
    EXPECT_EQ(cell.index, 9);
    EXPECT_EQ(cell.id, CL_Mch_No);
    EXPECT_EQ(cell.altText, "alt");
    EXPECT_EQ(cell.Text(), "T");
    EXPECT_TRUE(cell.marks & cmcCellObj::kMarkSelectable);
    EXPECT_FALSE(cell.font);
    EXPECT_FALSE(cell.popupMenu);
    EXPECT_EQ(cell.PopupMenuName(), "P");
    EXPECT_EQ(cell.parent, &parent);
}

TEST_F(CellObj, AssignMakesOwnCopies)
{
    cmcCellObj a = Parse("{(%CT_Mch.CL_Mch_No[3]:alt)(Font=,,,-30)(PopupMenu=P)(ImageIndex=2)}T");
    cmcCellObj b;
    b.Assign(a);
    a.font->SetHeight(-5);
    a.text = "changed";
    EXPECT_EQ(b.font->height, -30);
    EXPECT_EQ(b.Text(), "T");
    EXPECT_EQ(b.altText, "alt");
    EXPECT_EQ(b.popupMenu, "P");
    EXPECT_EQ(b.imageIndex, 2);
    EXPECT_EQ(b.id, CL_Mch_No);
}

TEST_F(CellObj, DoubleByteTrailBytesAreNoSyntax)
{
    txt::SetCodePage(932);
    // Trail bytes equal to "|", "\", "{", "B" and "[" inside double-byte characters.
    const std::string bar = "\x83\x7C";
    const std::string backslash = "\x95\x5C";
    const std::string brace = "\x83\x7B";
    const std::string letterB = "\x83\x42";

    using V = std::vector<std::string>;
    EXPECT_EQ(Texts("a" + bar + "b|c"), (V{"a" + bar + "b", "c"}));
    EXPECT_EQ(Texts(backslash + "|c"), (V{backslash, "c"}));
    EXPECT_EQ(Texts("x" + brace + "y"), (V{"x" + brace + "y"}));

    cmcCellObj cell = Parse("{" + letterB + "(%Flex0[1]:" + backslash + bar + ")}" + backslash);
    EXPECT_EQ(cell.layout, 0);
    EXPECT_EQ(cell.id, Flex0);
    EXPECT_EQ(cell.altText, backslash + bar);
    EXPECT_EQ(cell.Text(), backslash);

    // An escaped double-byte character is escaped whole.
    EXPECT_EQ(Texts("\\" + bar + "|z"), (V{bar, "z"}));
}

using CellObjDeathTest = CellObj;

TEST_F(CellObjDeathTest, DefinitionErrorsAreFatal)
{
    EXPECT_DEATH(Parse("{(%CT_Bogus.CL_Null)}"), "Cannot use the specified category.\n'CT_Bogus'");
    EXPECT_DEATH(Parse("{(%CT_Mch.CL_Bogus)}"), "Cannot use the specified cell.\n'CL_Bogus'");
    for (const char* bad :
         {"{(@ch++)}", "{(@ch12++)}", "{(@x1++)}", "\\(@cx1)", "\\()", "{(%Flex0[@ch])}"}) {
        SCOPED_TRACE(bad);
        EXPECT_DEATH(Parse(bad), "Ch No. Error");
    }
    // Counters used while none are attached.
    EXPECT_DEATH(
        {
            cmcCellObj cell;
            cell.ParseCell("{(@ch0++)}", nullptr, nullptr);
        },
        "Ch No. Error");
    EXPECT_DEATH(Parse("{($Loop)}"), "Cell models are nested too deeply");
}

}  // namespace
