#include "rules/RulesFixture.h"

#include "model/datCh.h"
#include "model/datChBanks.h"

void RulesTest::SetUp()
{
    texts.Open(std::string(QV_BIN_DIR) + "/TM5150QE.OVL");
    ASSERT_TRUE(texts.HasKey("GI_Sys_AppTitle")) << "the installed overlay is missing";
    textsGlobal.Set(&texts);
    events = std::make_unique<cmcEvMan>();
    eventsGlobal.Set(events.get());
    host = std::make_unique<RulesTestHost>();
    rules = std::make_unique<indActiveCell>(*host);
}

void RulesTest::TearDown()
{
    rules.reset();
    host.reset();
    eventsGlobal.Set(nullptr);
    events.reset();
    textsGlobal.Set(nullptr);
}

void RulesTest::Banks(std::initializer_list<int> sizes)
{
    for (int b = 0; b < kDatBanks; ++b)
        datSetBankSize(host->work, b, 0);
    int b = 0;
    for (int s : sizes)
        datSetBankSize(host->work, b++, s);
}

void RulesTest::UseChannel(int i)
{
    datCh ch(host->work);
    ch.Load(host->modelType + 1, i);
    ch.freqR = FreqOf(i);
    ch.freqT = FreqOf(i);
    ch.SetInUse(true);
    ch.Save();
}

int RulesTest::ChannelIn(int slot)
{
    datCh ch(host->work);
    ch.Load(host->modelType + 1, slot);
    if (!ch.InUse())
        return -1;
    return static_cast<int>((ch.freqR - 400000000u) / 12500u) - 1;
}

cmcCellCapsule RulesTest::Request(int32_t category, int32_t id, int32_t index, int32_t key)
{
    cell.category = category;
    cell.id = id;
    cell.index = index;
    cmcCellCapsule c;
    c.cell = &cell;
    c.sheet = reinterpret_cast<cuiSheet*>(&sheetTag);
    c.grid = c.owner = reinterpret_cast<cuiGrid*>(&gridTag);
    c.key = key;
    c.repaint = [this](cuiSheet*, cmcCellCapsule*, int selector) { repaints.push_back(selector); };
    return c;
}
