#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "common/cmcEvMan.h"
#include "overlay/cmcGTex.h"
#include "rules/RulesTestHost.h"
#include "rules/indActiveCell.h"
#include "support/ScopedGlobal.h"
#include "support/TestServices.h"

// Ground for the tests of the cell rules: the installed English overlay (so every key a
// request reaches must exist), the event manager, the test host over bare images and the
// rules object, with capsules filled the way a sheet fills them.
class RulesTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Bank sizes from bank 0 on; the other banks are empty.
    void Banks(std::initializer_list<int> sizes);
    // Puts channel slot i into use with a receive frequency that names it.
    void UseChannel(int i);
    static uint32_t FreqOf(int i) { return 400000000u + 12500u * static_cast<uint32_t>(i + 1); }
    // The slot whose channel FreqOf gave, from its frequency; -1 for a channel not in use.
    int ChannelIn(int slot);

    // A cell request as a sheet sends it.
    cmcCellCapsule Request(int32_t category, int32_t id, int32_t index, int32_t key = 0);
    int Run(cmcCellCapsule& c, int mode = 1) { return rules->Run(c, mode); }
    qvtest::TestMessageBoxes& Boxes() { return qvtest::Services().boxes; }

    cmcGTex texts;
    qvtest::ScopedGlobal<cmcGTex> textsGlobal{g_GTex};
    qvtest::ScopedGlobal<cmcEvMan> eventsGlobal{g_EvMan};
    std::unique_ptr<cmcEvMan> events;
    std::unique_ptr<RulesTestHost> host;
    std::unique_ptr<indActiveCell> rules;
    cmcCellObj cell;
    int sheetTag = 0;
    int gridTag = 0;
    std::vector<int> repaints;
};
