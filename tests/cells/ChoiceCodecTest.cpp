#include <gtest/gtest.h>

#include <optional>

#include "CodecTestFixture.h"
#include "cells/BitChoiceCodec.h"
#include "cells/ChoiceCodec.h"
#include "cells/FlagLettersCodec.h"
#include "cells/ModelChoiceCodec.h"
#include "cells/NumberedChoiceCodec.h"
#include "cells/TypedChoiceCodec.h"
#include "common/cmcEvMan.h"
#include "support/ScopedGlobal.h"
#include "support/TestServices.h"

namespace {

using Window = CellPopupsRecorder::Window;
using Capsule = cmcCellCapsule;

class ChoiceCodecTest : public CodecTest {};

const ChoiceCodec kColumns{"GI_Sheet_Sel_Columns", Flex0, std::nullopt};

TEST_F(ChoiceCodecTest, ShowsTheNameOrAltTextOfTheValueAndErrorOutsideTheList)
{
    struct Case {
        int32_t value;
        const char* shown;
    } cases[] = {{10, "Ten"}, {5, "Five"}, {40, "Forty"}, {7, "error"}};
    for (const Case& c : cases) {
        Capsule cap = Draw();
        int32_t v = c.value;
        EXPECT_EQ(kColumns.Run(cap, &v, repaint, opened), 0);
        EXPECT_EQ(cap.text, c.shown);
        EXPECT_EQ(cap.selStart, 0);
        EXPECT_EQ(cap.selLength, static_cast<int32_t>(cap.text.size()));
        EXPECT_EQ(v, c.value);
    }
}

TEST_F(ChoiceCodecTest, SpaceAndBackspaceStepDownTheColumnsAndWrap)
{
    // Visual order: 10, 30, 20 (first column), then 5, 40.
    struct Case {
        int32_t from;
        int32_t key;
        int32_t to;
    } cases[] = {
        {10, ' ', 30}, {30, ' ', 20}, {20, ' ', 5}, {5, ' ', 40}, {40, ' ', 10},
        {10, 8, 40},   {5, 8, 20},    {7, ' ', 10}, {7, 8, 10},  // not in the list: the first value
                                                                 // either way
    };
    for (const Case& c : cases) {
        Capsule cap = Key(c.key);
        int32_t v = c.from;
        EXPECT_EQ(kColumns.Run(cap, &v, repaint, opened), 1) << c.from;
        EXPECT_EQ(v, c.to) << c.from << " key " << c.key;
        EXPECT_EQ(cap.text, ChoiceCodec::NameOf("GI_Sheet_Sel_Columns", Flex0, c.to));
    }
}

TEST_F(ChoiceCodecTest, KeysNeedAGridAndAnEmptyListKeepsTheValue)
{
    Capsule draw = Draw();
    draw.key = ' ';
    int32_t v = 10;
    EXPECT_EQ(kColumns.Run(draw, &v, repaint, opened), 0);
    EXPECT_EQ(v, 10);

    Capsule cap = Key(' ');
    v = 3;
    EXPECT_EQ(
        (ChoiceCodec{"GI_Sheet_Sel_Empty", Flex0, std::nullopt}.Run(cap, &v, repaint, opened)), 0);
    EXPECT_EQ(v, 3);
    EXPECT_EQ(cap.text, "error");
}

TEST_F(ChoiceCodecTest, EnterOpensTheChoiceListWithTheCapsule)
{
    Capsule cap = Key(Capsule::kKeyEnter);
    int32_t v = 30;
    EXPECT_EQ(kColumns.Run(cap, &v, repaint, opened), 0);
    EXPECT_EQ(opened, Capsule::kResultPopup);
    ASSERT_EQ(m_popups.Requests().size(), 1u);
    const auto& r = m_popups.Last();
    EXPECT_EQ(r.window, Window::ChoiceList);
    EXPECT_EQ(r.listId, Flex0);
    EXPECT_EQ(r.startValue, 30);
    EXPECT_EQ(r.listName, "GI_Sheet_Sel_Columns");
    EXPECT_EQ(r.cell, &m_cell);
    EXPECT_EQ(r.capsule.grid, m_grid);
    EXPECT_EQ(r.store, &m_texts);

    // A given start value wins over the current one.
    Capsule again = Key(Capsule::kKeyEnter);
    ChoiceCodec{"GI_Sheet_Sel_Columns", Flex0, 20}.Run(again, &v, repaint, opened);
    EXPECT_EQ(m_popups.Last().startValue, 20);
}

TEST_F(ChoiceCodecTest, AChoiceFromItsOwnListStoresTheIndex)
{
    // The choice capsule still carries the Enter that opened the list: it must not open
    // the list again.
    Capsule cap = Choice(Flex0, 20);
    int32_t v = 10;
    EXPECT_EQ(kColumns.Run(cap, &v, repaint, opened), 1);
    EXPECT_EQ(v, 20);
    EXPECT_EQ(cap.text, "Twenty");
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(m_popups.Requests().empty());
}

TEST_F(ChoiceCodecTest, AChoiceMadeInTheOpenedListReachesTheCell)
{
    Capsule cap = Key(Capsule::kKeyEnter);
    int32_t v = 10;
    kColumns.Run(cap, &v, repaint, opened);
    ASSERT_EQ(m_popups.Requests().size(), 1u);

    // What the list window does on a pick: a copy of the capsule it was given, whose
    // context is the picked item's capsule, with inputMode 2.
    cmcCellObj item;
    item.id = m_popups.Last().listId;
    item.index = 40;
    cmcCellCapsule itemCapsule;
    itemCapsule.cell = &item;
    cmcCellCapsule pick = m_popups.Last().capsule;
    pick.context = &itemCapsule;
    pick.inputMode = Capsule::kInputChoice;

    opened = 0;
    EXPECT_EQ(kColumns.Run(pick, &v, repaint, opened), 1);
    EXPECT_EQ(v, 40);
    EXPECT_EQ(pick.text, "Forty");
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(m_popups.Requests().size(), 1u);
}

TEST_F(ChoiceCodecTest, AChoiceFromAnotherListIsIgnoredWithoutText)
{
    Capsule cap = Choice(FlexMark, 20);
    int32_t v = 10;
    EXPECT_EQ(kColumns.Run(cap, &v, repaint, opened), 0);
    EXPECT_EQ(v, 10);
    EXPECT_EQ(cap.text, "");
}

TEST_F(ChoiceCodecTest, TheByteVariantWritesOnlyOnAChange)
{
    uint8_t b = 1;
    Capsule draw = Draw();
    EXPECT_EQ((ChoiceCodec{"GI_Sheet_Sel_Misc_OnOff", Flex0, std::nullopt}.RunByte(
                  draw, &b, repaint, opened)),
              0);
    EXPECT_EQ(draw.text, "On");
    Capsule cap = Key(' ');
    EXPECT_EQ((ChoiceCodec{"GI_Sheet_Sel_Misc_OnOff", Flex0, std::nullopt}.RunByte(cap, &b, repaint,
                                                                                   opened)),
              1);
    EXPECT_EQ(b, 0);
}

TEST_F(ChoiceCodecTest, WithoutPopupsEnterOpensNothing)
{
    qvtest::ScopedGlobal<ICellPopups> noPopups(g_CellPopups, nullptr);
    Capsule cap = Key(Capsule::kKeyEnter);
    int32_t v = 10;
    kColumns.Run(cap, &v, repaint, opened);
    EXPECT_EQ(opened, 0);
}

// ModelChoiceCodec

TEST_F(ChoiceCodecTest, ModelChoiceOpensTheModelListAndTakesItsChoice)
{
    const ModelChoiceCodec codec{"GI_Sheet_Sel_ScanCHSel", FlexCHSel, std::nullopt, "S1"};
    int32_t v = 4;
    Capsule draw = Draw();
    EXPECT_EQ(codec.Run(draw, &v, repaint, opened), 0);
    EXPECT_EQ(draw.text, "");  // the rules set the text

    for (int32_t key : {int32_t{Capsule::kKeyEnter}, int32_t{' '}}) {
        Capsule cap = Key(key);
        codec.Run(cap, &v, repaint, opened);
        EXPECT_EQ(opened, Capsule::kResultPopup);
        const auto& r = m_popups.Last();
        EXPECT_EQ(r.window, Window::ModelChoiceList);
        EXPECT_EQ(r.listId, FlexCHSel);
        EXPECT_EQ(r.startValue, 4);
        EXPECT_EQ(r.listName, "GI_Sheet_Sel_ScanCHSel");
        EXPECT_EQ(r.parameter, "S1");
    }

    Capsule choice = Choice(FlexCHSel, 9);
    EXPECT_EQ(codec.Run(choice, &v, repaint, opened), 1);
    EXPECT_EQ(v, 9);
    Capsule foreign = Choice(Flex0, 2);
    EXPECT_EQ(codec.Run(foreign, &v, repaint, opened), 0);
    EXPECT_EQ(v, 9);
}

// TypedChoiceCodec

TEST_F(ChoiceCodecTest, TypedChoiceMatchesByNumberByNameOrBoth)
{
    struct Case {
        int kind;
        const char* typed;
        int32_t expected;  // -1: no match, the value stays
    } cases[] = {
        // kind 0: the nearest number, the earlier item on equal distance
        {0, "2", 2},
        {0, " 4 ", 3},
        {0, "7", 3},    // 5 and 10 are 2 and 3 away
        {0, "7.6", 4},  // read as 8
        {0, "100", 4},
        {0, "off", 0},
        {0, "OFx", 0},  // "OF" is enough
        {0, "on", -1},  // O and anything else: nothing
        {0, "o", 0},    // one letter is read as a number: 0
        {0, "", -1},    // an emptied editor names nothing
        // kind 1: the first name that starts with the typed text, any case
        {1, "br", 5},
        {1, "2 (b", 2},
        {1, "1 (", 1},
        {1, "x", -1},
        // kind 2: one character matches nothing, then names, then numbers
        {2, "b", -1},
        {2, "br", 5},
        {2, "12", 4},
    };
    for (const Case& c : cases) {
        const TypedChoiceCodec codec{"GI_Sheet_Sel_Numbers", Flex0, c.kind};
        Capsule cap = Typed(c.typed);
        int32_t v = 99;
        opened = 0;
        const int changed = codec.Run(cap, &v, repaint, opened);
        const int32_t want = c.expected < 0 ? 99 : c.expected;
        EXPECT_EQ(v, want) << "kind " << c.kind << " typed '" << c.typed << "'";
        EXPECT_EQ(changed, c.expected < 0 ? 0 : 1) << c.typed;
        EXPECT_EQ(cap.text, ChoiceCodec::NameOf("GI_Sheet_Sel_Numbers", Flex0, want));
    }
}

TEST_F(ChoiceCodecTest, TypedChoiceOpensTheEditorOnTheCharactersItAccepts)
{
    struct Case {
        int kind;
        int32_t key;
        bool editor;
    } cases[] = {
        {0, '7', true}, {0, 'o', true}, {0, 'O', true}, {0, 'b', false}, {0, ' ', false},
        {1, 'b', true}, {1, '7', true}, {1, '#', true}, {1, ' ', false}, {2, 'q', true},
    };
    for (const Case& c : cases) {
        const TypedChoiceCodec codec{"GI_Sheet_Sel_Numbers", Flex0, c.kind};
        Capsule cap = Key(c.key);
        int32_t v = 1;
        opened = 0;
        codec.Run(cap, &v, repaint, opened);
        EXPECT_EQ(opened == Capsule::kResultEditor, c.editor) << c.kind << " " << c.key;
        if (c.editor) {
            EXPECT_EQ(cap.text, std::string(1, static_cast<char>(c.key)));
            EXPECT_EQ(cap.selStart, 1);
            EXPECT_EQ(cap.selLength, 0);
        }
    }
    // Space still steps as in the plain choice list.
    Capsule cap = Key(' ');
    int32_t v = 1;
    TypedChoiceCodec{"GI_Sheet_Sel_Numbers", Flex0, 0}.Run(cap, &v, repaint, opened);
    EXPECT_EQ(v, 2);
}

// NumberedChoiceCodec

const NumberedChoiceCodec kRpt{"GI_Sheet_Sel_Rpt_1st", "GI_Sheet_Sel_Rpt_2nd", Flex0, Flex1, true};

TEST_F(ChoiceCodecTest, NumberedChoiceReadsItsBoundsFromTheLists)
{
    EXPECT_EQ(kRpt.LowBound(), 1);
    EXPECT_EQ(kRpt.HighBound(), 8);
}

TEST_F(ChoiceCodecTest, NumberedChoiceShowsNumbersInTheRangeAndNamesOutsideIt)
{
    struct Case {
        int32_t value;
        const char* shown;
    } cases[] = {{7, "7"}, {1, "1"}, {8, "8"}, {0, "Off"}, {255, "Rpt"}, {9, "error"}};
    for (const Case& c : cases) {
        Capsule cap = Draw();
        int32_t v = c.value;
        kRpt.Run(cap, &v, repaint, opened);
        EXPECT_EQ(cap.text, c.shown);
    }
}

TEST_F(ChoiceCodecTest, NumberedChoiceTypedText)
{
    struct Case {
        bool off;
        const char* typed;
        int32_t expected;  // -1: unchanged
    } cases[] = {
        {true, "7", 7},  {true, "99", 8},    {true, "0", 0},  {true, "Off", 0},  {true, "oF", 0},
        {false, "0", 1}, {false, "off", -1}, {true, "x", -1}, {true, "0006", 6},
    };
    for (const Case& c : cases) {
        NumberedChoiceCodec codec = kRpt;
        codec.offAllowed = c.off;
        Capsule cap = Typed(c.typed);
        int32_t v = 255;
        codec.Run(cap, &v, repaint, opened);
        EXPECT_EQ(v, c.expected < 0 ? 255 : c.expected) << c.typed << " off " << c.off;
    }
}

TEST_F(ChoiceCodecTest, NumberedChoicePickingTheNumberItemOpensListB)
{
    Capsule cap = Choice(Flex0, 1);  // the number item
    int32_t v = 7;
    EXPECT_EQ(kRpt.Run(cap, &v, repaint, opened), 0);
    EXPECT_EQ(v, 7);
    EXPECT_EQ(cap.text, "7");
    EXPECT_EQ(opened, Capsule::kResultPopup);
    const auto& r = m_popups.Last();
    EXPECT_EQ(r.listId, Flex1);
    EXPECT_EQ(r.listName, "GI_Sheet_Sel_Rpt_2nd");
    EXPECT_EQ(r.startValue, 7);
    // List B edits the same cell, but its capsule must not point at the picked item of list
    // A, which closes while list B stays open; it is a plain request again.
    EXPECT_EQ(r.cell, &m_cell);
    EXPECT_EQ(r.capsule.context, nullptr);
    EXPECT_EQ(r.capsule.inputMode, Capsule::kInputKey);

    // A pick in list B, made on that capsule, reaches the cell.
    cmcCellObj itemB;
    itemB.id = Flex1;
    itemB.index = 4;
    cmcCellCapsule itemCapsule;
    itemCapsule.cell = &itemB;
    cmcCellCapsule pick = r.capsule;
    pick.context = &itemCapsule;
    pick.inputMode = Capsule::kInputChoice;
    opened = 0;
    EXPECT_EQ(kRpt.Run(pick, &v, repaint, opened), 1);
    EXPECT_EQ(v, 4);
    EXPECT_EQ(pick.text, "4");
    EXPECT_EQ(opened, 0);

    Capsule fromB = Choice(Flex1, 6);
    EXPECT_EQ(kRpt.Run(fromB, &v, repaint, opened), 1);
    EXPECT_EQ(v, 6);
    Capsule fromA = Choice(Flex0, 255);
    EXPECT_EQ(kRpt.Run(fromA, &v, repaint, opened), 1);
    EXPECT_EQ(v, 255);
}

TEST_F(ChoiceCodecTest, NumberedChoiceEnterOpensListAOnTheNumberItemForNumbers)
{
    for (int32_t value : {7, 255}) {
        Capsule cap = Key(Capsule::kKeyEnter);
        int32_t v = value;
        kRpt.Run(cap, &v, repaint, opened);
        EXPECT_EQ(m_popups.Last().listName, "GI_Sheet_Sel_Rpt_1st");
        EXPECT_EQ(m_popups.Last().startValue, value == 7 ? 1 : 255);
    }
}

TEST_F(ChoiceCodecTest, NumberedChoiceSteppingPassesOverTheNumberItem)
{
    // List A in order: Off (0), Rpt (255), Code (1 = L).
    struct Case {
        int32_t from;
        int32_t key;
        int32_t to;
    } cases[] = {{0, ' ', 255}, {255, ' ', 0}, {0, 8, 255}, {7, ' ', 0}, {7, 8, 0}};
    for (const Case& c : cases) {
        Capsule cap = Key(c.key);
        int32_t v = c.from;
        kRpt.Run(cap, &v, repaint, opened);
        EXPECT_EQ(v, c.to) << c.from << " key " << c.key;
    }
}

TEST_F(ChoiceCodecTest, NumberedChoiceKeysThatOpenTheEditor)
{
    struct Case {
        int32_t key;
        bool editor;
    } cases[] = {{'4', true}, {'.', true}, {'o', true}, {'O', true}, {'x', false}, {'-', false}};
    for (const Case& c : cases) {
        Capsule cap = Key(c.key);
        int32_t v = 255;
        opened = 0;
        EXPECT_EQ(kRpt.Run(cap, &v, repaint, opened), 0);
        EXPECT_EQ(v, 255);
        EXPECT_EQ(opened == Capsule::kResultEditor, c.editor) << c.key;
        if (c.editor) {
            EXPECT_EQ(cap.text, std::string(1, static_cast<char>(c.key)));
            EXPECT_EQ(cap.selStart, 1);
            EXPECT_EQ(cap.selLength, 0);
        } else {
            EXPECT_EQ(cap.text, "Rpt");
        }
    }
}

// BitChoiceCodec

TEST_F(ChoiceCodecTest, BitChoiceEditsOneBitCountedFromTheTop)
{
    uint8_t bits[2] = {0x00, 0x00};
    Capsule cap = Key(' ');
    EXPECT_EQ(BitChoiceCodec{9}.Run(cap, bits, 2, repaint, opened), 1);
    EXPECT_EQ(bits[0], 0x00);
    EXPECT_EQ(bits[1], 0x40);
    EXPECT_EQ(cap.text, "User");

    Capsule choice = Choice(Flex0, 0);
    EXPECT_EQ(BitChoiceCodec{9}.Run(choice, bits, 2, repaint, opened), 1);
    EXPECT_EQ(bits[1], 0x00);

    // Beyond the array: nothing at all.
    Capsule beyond = Key(' ');
    EXPECT_EQ(BitChoiceCodec{16}.Run(beyond, bits, 2, repaint, opened), 0);
    EXPECT_EQ(beyond.text, "");
    EXPECT_EQ(bits[0], 0x00);
    EXPECT_EQ(bits[1], 0x00);
}

// FlagLettersCodec

struct EventLog {
    std::vector<int32_t> ids;
    static void Handler(void* self, const cmcEvent& e)
    {
        static_cast<EventLog*>(self)->ids.push_back(e.id);
    }
};

TEST_F(ChoiceCodecTest, FlagLettersShowTheFlags)
{
    struct Case {
        uint8_t flags;
        const char* shown;
    } cases[] = {{0x00, ""}, {0x01, "A"}, {0x03, "AB"}, {0x04, "E"}, {0x0C, ""}, {0x17, "ABE"}};
    for (const Case& c : cases)
        EXPECT_EQ(FlagLettersCodec::Letters(c.flags), c.shown);
}

TEST_F(ChoiceCodecTest, FlagLettersChoicesChangeTheirBitsAndRaiseEvents)
{
    cmcEvMan events;
    std::optional<qvtest::ScopedGlobal<cmcEvMan>> installEvents;
    installEvents.emplace(g_EvMan, &events);
    EventLog log;
    events.Subscribe(&EventLog::Handler, &log);

    struct Case {
        uint8_t before;
        int32_t choice;
        uint8_t after;
    } cases[] = {
        {0x00, 1, 0x01}, {0x01, 2, 0x03}, {0x08, 3, 0x04}, {0x04, 4, 0x08},
        {0x00, 5, 0x10}, {0x10, 5, 0x00}, {0x01, 1, 0x01}, {0x21, 9, 0x21},
    };
    const FlagLettersCodec codec{"GI_Sheet_Sel_Mch_Atr"};
    for (const Case& c : cases) {
        log.ids.clear();
        Capsule cap = Choice(Flex0, c.choice);
        uint8_t v = c.before;
        const int changed = codec.Run(cap, &v, repaint, opened);
        EXPECT_EQ(v, c.after) << int(c.choice);
        EXPECT_EQ(cap.text, FlagLettersCodec::Letters(c.after));
        qvtest::Services().timers.Advance(20);
        if (c.after != c.before) {
            EXPECT_EQ(changed, 1);
            EXPECT_EQ(log.ids, (std::vector<int32_t>{34, 29}));
        } else {
            EXPECT_EQ(changed, 0);
            EXPECT_TRUE(log.ids.empty());
        }
    }
    events.Unsubscribe(&EventLog::Handler, &log);
    installEvents.reset();

    // Without an event manager a change still goes through.
    Capsule cap = Choice(Flex0, 2);
    uint8_t v = 0;
    EXPECT_EQ(codec.Run(cap, &v, repaint, opened), 1);
    EXPECT_EQ(v, 0x02);
}

TEST_F(ChoiceCodecTest, FlagLettersEnterOpensTheList)
{
    Capsule cap = Key(Capsule::kKeyEnter);
    uint8_t v = 1;
    EXPECT_EQ(FlagLettersCodec{"GI_Sheet_Sel_Mch_Atr"}.Run(cap, &v, repaint, opened), 0);
    EXPECT_EQ(opened, Capsule::kResultPopup);
    EXPECT_EQ(m_popups.Last().listName, "GI_Sheet_Sel_Mch_Atr");
    EXPECT_EQ(m_popups.Last().listId, Flex0);
}

}  // namespace
