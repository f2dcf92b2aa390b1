// Help texts: the checked formatter for overlay formats, the help overlay's topic tables,
// the context map, the pop-up placement and the language list.

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "overlay/HelpPopupPlace.h"
#include "overlay/OverlayFormat.h"
#include "overlay/OverlayLanguages.h"
#include "overlay/cmcHelpGTex.h"
#include "overlay/cmcHelpMap.h"
#include "platform/TextUtil.h"

namespace {

struct TempFile {
    explicit TempFile(const std::string& content)
    {
        char tmpl[] = "/tmp/qv_help_XXXXXX";
        const int fd = mkstemp(tmpl);
        path = tmpl;
        EXPECT_EQ(write(fd, content.data(), content.size()), static_cast<ssize_t>(content.size()));
        close(fd);
    }
    ~TempFile() { unlink(path.c_str()); }
    std::string path;
};

struct FormatCase {
    const char* format;
    bool textFirst;  // the values are ("COM", 7), or (7, "COM")
    std::string expected;
};

TEST(OvlFormat, FillsOnlyTheExpectedDirectivesAndWritesEveryOtherPercentLiterally)
{
    const FormatCase cases[] = {
        {"%s: %d", true, "COM: 7"},
        {"Port %d of %s", true, "Port %d of COM"},  // a value of the wrong kind is not read
        {"Port %d of %s", false, "Port 7 of COM"},
        {"100% sure, %s", true, "100% sure, COM"},  // "% s" is not a directive
        {"%%d stays, %s", true, "%d stays, COM"},   // a doubled percent is one percent
        {"%s %s %s", true, "COM %s %s"},            // surplus directives stay as written
        {"%n%p%f%s", true, "%n%p%fCOM"},            // directives that are never filled
        {"%-6s|", true, "COM   |"},                 // flags and width still work
        {"%04X %s", false, "0007 COM"},
        {"end %", true, "end %"},
        {"%9999d%s", false, "%9999d%s"},  // no giant width from a damaged text
    };
    for (const FormatCase& c : cases) {
        const std::string got =
            c.textFirst ? OvlFormat(c.format, {"COM", 7}) : OvlFormat(c.format, {7, "COM"});
        EXPECT_EQ(got, c.expected) << c.format;
    }
}

TEST(OvlFormat, SkipsTheSecondByteOfADoubleByteCharacter)
{
    txt::SetCodePage(932);
    // 0x81 0x25 is one character whose second byte looks like "%".
    const std::string f = std::string("\x81%s") + "%s";
    EXPECT_EQ(OvlFormat(f, {"X"}), std::string("\x81%sX"));
    txt::SetCodePage(1252);
    EXPECT_EQ(OvlFormat(f, {"X"}), std::string("\x81X%s"));
}

const char* kHelpOverlay =
    "help\n"
    "#GI_AppItem_Topic_ID\n"
    "CL_Mch_FreqR\tFreq\n"
    "1100\tByNumber\n"
    "CL_Mch_Nar\tNarrow\n"
    "#\n"
    "#GI_AppItem_Key_Assign_Topic_ID\n"
    "Monitor\tKeyMonitor\n"
    "key:1\tKeyMonitor\n"
    "#\n"
    "#GI_AppItem_Context_ID\n"
    "Freq\t1001\n"
    "ByNumber\t1002\n"
    "KeyMonitor\t1003\n"
    "Freq\t1004\n"
    "#\n"
    "#End_Of_Ovl\n";

TEST(cmcHelpGTex, FindsTopicsByNameOrNumberAndTheLastContextWins)
{
    TempFile f(kHelpOverlay);
    cmcHelpGTex h;
    EXPECT_EQ(h.Open(f.path), 1);
    EXPECT_EQ(h.CellContext("CL_Mch_FreqR", 211), 1004);   // the later line of "Freq"
    EXPECT_EQ(h.CellContext("CL_Something", 1100), 1002);  // found by its number
    EXPECT_EQ(h.CellContext("CL_Mch_Nar", 5), 0);          // a topic without a context
    EXPECT_EQ(h.CellContext("CL_Unknown", 6), 0);
    EXPECT_EQ(h.KeyAssignContext("Monitor"), 1003);
    EXPECT_EQ(h.KeyAssignContext("CL_Mch_FreqR"), 0);  // the key table is a table of its own
    // A function name in another language still finds its topic by its code.
    EXPECT_EQ(h.KeyAssignContext("\x83\x82\x83\x6a\x83\x5e\x81\x5b", "key:1"), 1003);
    EXPECT_EQ(h.KeyAssignContext("Scan", "key:3"), 0);
}

TEST(cmcHelpGTex, KeepsItsFirstFile)
{
    TempFile f(kHelpOverlay);
    TempFile other("x\n#GI_AppItem_Topic_ID\n#\n#GI_AppItem_Context_ID\n#\n#End_Of_Ovl\n");
    cmcHelpGTex h;
    h.Open(f.path);
    EXPECT_EQ(h.Open(other.path), 0);
    EXPECT_EQ(h.FileName(), f.path);
    EXPECT_EQ(h.CellContext("CL_Mch_FreqR", 1), 1004);
}

TEST(cmcHelpGTex, ATableWithoutItsLoneHashRunsOnIntoTheNextTable)
{
    TempFile f(
        "h\n#GI_AppItem_Topic_ID\nCL_A\tA\n#GI_AppItem_Key_Assign_Topic_ID\nCL_B\tB\n#\n"
        "#GI_AppItem_Context_ID\nB\t7\n#\n#End_Of_Ovl\n");
    cmcHelpGTex h;
    h.Open(f.path);
    EXPECT_EQ(h.CellContext("CL_B", 1), 7);
}

TEST(cmcHelpMap, MapsContextsToPagesAndSkipsCommentsAndDamage)
{
    cmcHelpMap m;
    m.Parse(
        "; comment\r\n1001\tscan.html#stop\r\n\r\nx\tbad.html\n-5\tneg.html\n1002\t\n"
        "1003\tindex.html\n");
    EXPECT_EQ(m.PageOf(1001), "scan.html#stop");
    EXPECT_EQ(m.PageOf(1003), "index.html");
    EXPECT_EQ(m.Entries().size(), 2u);
    EXPECT_EQ(m.PageOf(1002), "");
    EXPECT_FALSE(m.Load("/nonexistent/context.map"));
}

struct PlaceCase {
    const char* what;
    int x, y, w, h;
    plat::Rect work;
    int left, top;
};

TEST(PlaceHelpPopup, StaysOnTheWorkAreaOfItsScreen)
{
    const plat::Rect one{0, 0, 1280, 984};
    const plat::Rect right{1280, 0, 1920, 1040};  // a second screen to the right
    const PlaceCase cases[] = {
        {"centred below the cursor", 600, 300, 380, 170, one, 410, 300},
        {"above the cursor when the bottom is near", 600, 964, 380, 200, one, 410, 764},
        {"at the left edge of the first screen", 50, 300, 380, 170, one, 0, 300},
        {"at the left edge of a screen on the right", 1300, 300, 380, 170, right, 1280, 300},
        {"at the right edge", 1250, 300, 380, 170, one, 900, 300},
        {"taller than the space above and below", 600, 500, 380, 900, one, 410, 84},
        {"wider than the screen keeps its left edge on it", 600, 300, 1500, 170, one, 0, 300},
    };
    for (const PlaceCase& c : cases) {
        const plat::Rect r = PlaceHelpPopup(c.x, c.y, c.w, c.h, c.work);
        EXPECT_EQ(r.left, c.left) << c.what;
        EXPECT_EQ(r.top, c.top) << c.what;
        EXPECT_EQ(r.width, c.w) << c.what;
    }
}

TEST(OverlayLanguages, ReadsCodePagesAndLocalesAndProbesOverlays)
{
    TempFile main(
        "m\n#GI_Sys_AppTitle\nQ\n#GI_Menu_Main_Body\n#\n#GI_Tree_Main_Body\n#\n"
        "#End_Of_Ovl\n");
    TempFile broken("m\n#GI_Sys_AppTitle\nQ\n#End_Of_Ovl\n");
    TempFile base(
        "b\n#GI_Sys_Language\nEnglish\tE.OVL\nJapanese\tJ.OVL\t932\tja\n"
        "German\tG.OVL\t1252\tde\n#End_Of_Ovl\n");
    cmcGTex b;
    b.Open(base.path);
    EXPECT_EQ(ovlLang::Count(b), 3);
    EXPECT_EQ(ovlLang::CodePage(b, 0), 1252);  // no third field
    EXPECT_EQ(ovlLang::CodePage(b, 1), 932);
    EXPECT_EQ(ovlLang::File(b, 1), "J.OVL");
    EXPECT_EQ(ovlLang::Name(b, 2), "German");
    EXPECT_EQ(ovlLang::ForLocale(b, "ja_JP.UTF-8"), 1);
    EXPECT_EQ(ovlLang::ForLocale(b, "de_AT"), 2);
    EXPECT_EQ(ovlLang::ForLocale(b, "fr_FR.UTF-8"), -1);
    EXPECT_EQ(ovlLang::ForLocale(b, ""), -1);
    EXPECT_TRUE(ovlLang::Usable(main.path));
    EXPECT_FALSE(ovlLang::Usable(broken.path));
    EXPECT_FALSE(ovlLang::Usable("/nonexistent/TM5150QX.OVL"));
    EXPECT_FALSE(ovlLang::Usable(""));
}

}  // namespace
