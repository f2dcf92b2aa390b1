#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <memory>

#include "common/indEnviron.h"
#include "support/TestServices.h"

namespace {

const std::string kUser = "Software\\Tavo\\Quorvex";

std::string UniqueMutex()
{
    static std::atomic<int> n{0};
    return "QvTest Mutex " + std::to_string(getpid()) + " " + std::to_string(n++);
}

class indEnvironTest : public ::testing::Test {
protected:
    plat::MemorySettingsBackend& Store() { return qvtest::Services().settings; }
    std::unique_ptr<indEnviron> Make() { return Make(UniqueMutex()); }
    std::unique_ptr<indEnviron> Make(const std::string& mutex)
    {
        return std::make_unique<indEnviron>(mutex, kUser, kUser);
    }
    std::string Key(const char* sub) { return kUser + "\\" + sub; }
    // A complete stored set, as a first run writes it.
    void StoreDefaults()
    {
        auto e = Make();
        e.reset();
    }
    int StoredInt(const char* sub, const char* name)
    {
        return *Store().ReadInt(plat::Root::User, Key(sub), name);
    }
};

TEST_F(indEnvironTest, FirstRunUsesDefaultsAndWritesEverything)
{
    qvtest::Services().desktop.screen = {0, 0, 1920, 1080};
    auto e = Make();
    EXPECT_TRUE(e->IsFirstInstance());
    EXPECT_EQ(e->comPort, 1);
    EXPECT_EQ(e->width, 800);
    EXPECT_EQ(e->height, 600);
    EXPECT_EQ(e->left, (1920 - 800) / 2);
    EXPECT_EQ(e->top, static_cast<int>((1080 - 600) * 0.3));
    EXPECT_EQ(e->makerReserveMode, "vultane");
    e.reset();
    EXPECT_EQ(StoredInt("Global", "BBT"), 753951);
    EXPECT_EQ(StoredInt("Window Position", "SplitterV"), 200);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(*Store().ReadString(plat::Root::User, Key("Recent File List"),
                                      "Recent" + std::to_string(i)),
                  "");
    EXPECT_EQ(*Store().ReadString(plat::Root::User, Key("Password"), "MakerReserveMode"),
              "76756C74616E65");
    EXPECT_EQ(*Store().ReadString(plat::Root::User, Key("Password"), "AdjustMode"), "00");
}

TEST_F(indEnvironTest, ReadRulesClampStoredValues)
{
    StoreDefaults();
    struct Case {
        const char* sub;
        const char* name;
        int stored;
        int indEnviron::*field;
        int expect;
    } cases[] = {
        {"Global", "ComPort", 0, &indEnviron::comPort, 1},
        {"Global", "ComPort", 300, &indEnviron::comPort, 256},
        {"Global", "ComSpeedHigh", 5, &indEnviron::comSpeedHigh, 1},
        {"View Option", "FontSize Percentage", 5, &indEnviron::fontSizePercentage, 25},
        {"View Option", "FontSize Printer", 20, &indEnviron::fontSizePrinter, 12},
        {"View Option", "Toolbar Visible", 7, &indEnviron::toolbarVisible, 1},
        {"Setup", "ModelType", 9, &indEnviron::modelType, 9},
    };
    for (const Case& c : cases) {
        Store().WriteInt(plat::Root::User, Key(c.sub), c.name, c.stored);
        auto e = Make();
        EXPECT_EQ((*e).*(c.field), c.expect) << c.name << " " << c.stored;
    }
}

TEST_F(indEnvironTest, AnyMissingOrWrongValueResetsEverything)
{
    for (const char* wrong : {"missing SplitterV", "wrong BBT", "bad hex", "string as int"}) {
        Store().ClearAll();
        StoreDefaults();
        Store().WriteInt(plat::Root::User, Key("Global"), "ComPort", 7);
        Store().WriteString(plat::Root::User, Key("Recent File List"), "Recent0", "/a/f1");
        std::string w = wrong;
        if (w == "missing SplitterV")
            Store().Erase(plat::Root::User, Key("Window Position"), "SplitterV");
        else if (w == "wrong BBT")
            Store().WriteInt(plat::Root::User, Key("Global"), "BBT", 1234);
        else if (w == "bad hex")
            Store().WriteString(plat::Root::User, Key("Password"), "AdjustMode", "4G");
        else
            Store().WriteString(plat::Root::User, Key("Setup"), "Language", "one");
        auto e = Make();
        EXPECT_EQ(e->comPort, 1) << wrong;
        EXPECT_EQ(e->recent.Count(), 0) << wrong;
        EXPECT_EQ(e->bbt, 753951) << wrong;
    }
}

TEST_F(indEnvironTest, EncodedTexts)
{
    EXPECT_EQ(indEnviron::DecodeText("", "dflt"), "dflt");
    EXPECT_EQ(indEnviron::DecodeText("00", "dflt"), "");
    EXPECT_EQ(indEnviron::DecodeText("414243", "dflt"), "ABC");
    EXPECT_EQ(indEnviron::DecodeText("4142a", "dflt"), std::string("AB\x0a"));
    EXPECT_FALSE(indEnviron::DecodeText("zz", "dflt").has_value());
    EXPECT_EQ(indEnviron::EncodeText(""), "00");
    EXPECT_EQ(indEnviron::EncodeText("pw"), "7077");
    // Texts are C strings: a decoded zero byte ends them, and encoding stops at one, so a
    // text reads the same after it has been written back.
    for (const char* stored : {"0", "4142000043", "410", "00FF"}) {
        const std::string once = indEnviron::DecodeText(stored, "dflt").value_or("?");
        EXPECT_EQ(once.find('\0'), std::string::npos) << stored;
        EXPECT_EQ(indEnviron::DecodeText(indEnviron::EncodeText(once), "dflt"), once) << stored;
    }
    EXPECT_EQ(indEnviron::DecodeText("4142000043", "dflt"), "AB");
    EXPECT_EQ(indEnviron::EncodeText(std::string("AB\0C", 4)), "4142");

    StoreDefaults();
    Store().WriteString(plat::Root::User, Key("Password"), "MakerReserveMode", "00");
    Store().WriteString(plat::Root::User, Key("Password"), "AdjustMode", "313233");
    auto e = Make();
    EXPECT_EQ(e->makerReserveMode, "");
    EXPECT_EQ(e->adjustMode, "123");
}

TEST_F(indEnvironTest, SecondInstanceReadsAndWritesNothing)
{
    const std::string mutex = UniqueMutex();
    auto first = Make(mutex);
    first->comPort = 9;
    const int writesBefore = Store().writeCount;
    {
        auto second = Make(mutex);
        EXPECT_FALSE(second->IsFirstInstance());
    }
    EXPECT_EQ(Store().writeCount, writesBefore);
    first.reset();
    EXPECT_EQ(StoredInt("Global", "ComPort"), 9);
    // The lock went with the first instance: the next start is a first instance again.
    EXPECT_TRUE(Make(mutex)->IsFirstInstance());
}

TEST_F(indEnvironTest, RecentListAndWindowEntriesSurviveARestart)
{
    {
        auto e = Make();
        e->recent.AddToTop("/home/d/a.cln");
        e->recent.AddToTop("/home/d/b.cln");
        e->SetWindowEntry("Adj", 10, 20, 300, 200, 1, 2, 3, 4, 2, 0);
    }
    auto e = Make();
    EXPECT_EQ(e->recent.DisplayName(0, ""), "/home/d/b.cln");
    EXPECT_EQ(e->recent.DisplayName(1, ""), "/home/d/a.cln");
    indEnviron::WindowEntry* w = e->GetWindowEntry("Adj");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->width, 300);
    EXPECT_EQ(w->windowState, 2);
    EXPECT_EQ(w->curCol, -1);
    EXPECT_EQ(e->GetWindowEntry("Other"), nullptr);
}

// The write safety steps are on by default, keep the dealer's choice across a restart, and a
// store written before they existed keeps every other setting.
TEST_F(indEnvironTest, WriteSafetyIsOnByDefaultAndStoredApart)
{
    {
        auto e = Make();
        EXPECT_EQ(e->backupBeforeWrite, 1);
        EXPECT_EQ(e->confirmBeforeWrite, 1);
        EXPECT_EQ(e->verifyAfterWrite, 1);
        e->comPort = 3;
        e->confirmBeforeWrite = 0;
    }
    EXPECT_EQ(StoredInt("Write Safety", "ConfirmBeforeWrite"), 0);
    {
        auto e = Make();
        EXPECT_EQ(e->confirmBeforeWrite, 0);
        EXPECT_EQ(e->verifyAfterWrite, 1);
        e->confirmBeforeWrite = 1;
    }
    Store().DeleteKey(plat::Root::User, kUser, "Write Safety");
    auto e = Make();
    EXPECT_FALSE(e->firstStart);
    EXPECT_EQ(e->comPort, 3);
    EXPECT_EQ(e->backupBeforeWrite, 1);
    EXPECT_EQ(e->confirmBeforeWrite, 1);
}

TEST_F(indEnvironTest, GenericRegistryAccess)
{
    auto e = Make();
    const std::string k = kUser + "\\Sheet\\GI_Sheet_X";
    EXPECT_EQ(e->ReadInt(k, "Col0"), -1);
    e->WriteInt(k, "Col0", 64);
    EXPECT_EQ(e->ReadInt(k, "Col0"), 64);
    e->DeleteKey(kUser + "\\Sheet", "GI_Sheet_X");
    EXPECT_EQ(e->ReadInt(k, "Col0"), -1);
}

TEST(cmcRecent, ExactPathsNewestFirstAndCapacity)
{
    cmcRecent r(10);
    r.AddToTop("/A/F1");
    r.AddToTop("/a/f1");  // another file on Linux
    EXPECT_EQ(r.Count(), 2);
    r.AddToTop("/A/F1");
    EXPECT_EQ(r.Count(), 2);
    EXPECT_EQ(r.DisplayName(0, ""), "/A/F1");
    for (int i = 0; i < 12; ++i)
        r.AddToTop("/x/f" + std::to_string(i));
    EXPECT_EQ(r.Count(), 10);
    EXPECT_EQ(r.DisplayName(0, ""), "/x/f11");
    EXPECT_EQ(r.DisplayName(10, ""), "");
}

TEST(cmcRecent, DisplayNameDropsTheCurrentFolder)
{
    cmcRecent r(10);
    r.Append("/home/d/F1");
    r.Append("/home/e/F2");
    r.Append("");
    EXPECT_EQ(r.DisplayName(0, "/home/d"), "F1");
    EXPECT_EQ(r.DisplayName(0, "/home/d/"), "F1");
    EXPECT_EQ(r.DisplayName(1, "/home/d"), "/home/e/F2");
    EXPECT_EQ(r.DisplayName(0, "/home/dd"), "/home/d/F1");
    EXPECT_EQ(r.Count(), 3);
}

}  // namespace
