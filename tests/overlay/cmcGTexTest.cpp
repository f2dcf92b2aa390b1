#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "overlay/cmcGTex.h"

namespace {

// Writes an overlay file into a fresh temp folder and removes it afterwards.
class OverlayFile {
public:
    explicit OverlayFile(const std::string& content)
    {
        char tmpl[] = "/tmp/qv_gtex_XXXXXX";
        m_dir = mkdtemp(tmpl);
        m_path = m_dir + "/T.OVL";
        std::ofstream(m_path, std::ios::binary) << content;
    }
    ~OverlayFile()
    {
        std::remove(m_path.c_str());
        rmdir(m_dir.c_str());
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_dir, m_path;
};

const char* kSample =
    "title line\n"
    "#A\n"
    "a0\n"
    "a1\n"
    "\n"
    "a3\n"
    "#B\n"
    "b0\n"
    "#\n"
    "b2\n"
    "#Empty\n"
    "#End_Of_Ovl\n"
    "#C\n"
    "c0\n";

TEST(cmcGTex, LinesOfAnEntryAndWholeEntries)
{
    OverlayFile f(kSample);
    cmcGTex g;
    g.Open(f.Path());
    EXPECT_EQ(g.GetLine("A", 0), "a0");
    EXPECT_EQ(g.GetText("A"), "a0");
    EXPECT_EQ(g.GetLine("A", 3), "a3");
    EXPECT_EQ(g.GetLine("A", -5), "a0");
    // GetLine does not stop at the end of an entry.
    EXPECT_EQ(g.GetLine("A", 4), "#B");
    EXPECT_EQ(g.GetLines("A"), "a0\na1\n\na3");
    // A lone "#" is no key but ends the entry.
    EXPECT_EQ(g.GetLines("B"), "b0");
    EXPECT_EQ(g.GetLines("Empty"), "");
    EXPECT_EQ(g.GetLine("B", 2), "b2");
}

TEST(cmcGTex, CrLfAndLfFilesGiveTheSameLines)
{
    std::string crlf;
    for (const char* p = kSample; *p; ++p) {
        if (*p == '\n')
            crlf += '\r';
        crlf += *p;
    }
    OverlayFile a(kSample), b(crlf);
    cmcGTex ga, gb;
    ga.Open(a.Path());
    gb.Open(b.Path());
    for (const char* key : {"A", "B", "Empty"})
        EXPECT_EQ(ga.GetLines(key), gb.GetLines(key)) << key;
    EXPECT_EQ(gb.GetLine("A", 2), "");
    EXPECT_EQ(gb.GetLine("B", 2), "b2");
}

TEST(cmcGTex, KeyAfterEndMarkerIsFatal)
{
    OverlayFile f(kSample);
    cmcGTex g;
    g.Open(f.Path());
    EXPECT_EQ(g.GetText("B"), "b0");
    EXPECT_FALSE(g.HasKey("C"));
    EXPECT_DEATH(g.GetText("C"), "GTEX Error !\nThe index 'C' was not found\\.");
}

TEST(cmcGTex, MissingFileIsFatalAtFirstLookup)
{
    cmcGTex g;
    g.Open("/nonexistent/overlay.OVL");
    EXPECT_DEATH(g.GetText("GI_Sys_AppTitle"), "The index 'GI_Sys_AppTitle' was not found");
}

TEST(cmcGTex, IndexIsBuiltOnceAndLazily)
{
    std::string content;
    for (int i = 0; i < 40; ++i)
        content += "#K" + std::to_string(i) + "\nline of " + std::to_string(i) + "\n";
    content += "#End_Of_Ovl\n";
    OverlayFile f(content);
    cmcGTex g;
    g.Open(f.Path());
    EXPECT_EQ(g.KeyCount(), 0);
    EXPECT_EQ(g.GetText("K3"), "line of 3");
    EXPECT_EQ(g.KeyCount(), 4);  // scanned only as far as needed
    EXPECT_EQ(g.GetText("K39"), "line of 39");
    EXPECT_EQ(g.KeyCount(), 40);
    const long reads = g.SourceReads();
    EXPECT_EQ(g.GetText("K20"), "line of 20");  // indexed already: one line read, no rescan
    EXPECT_LE(g.SourceReads(), reads + 1);
    EXPECT_EQ(g.GetText("K20"), "line of 20");  // cached now
    EXPECT_LE(g.SourceReads(), reads + 1);
}

TEST(cmcGTex, KeysFromPlaceElevenMoveToTheHead)
{
    std::string content;
    for (int i = 0; i < 15; ++i)
        content += "#K" + std::to_string(i) + "\nx\n";
    OverlayFile f(content);
    cmcGTex g;
    g.Open(f.Path());
    g.GetText("K14");
    g.GetText("K10");  // the eleventh key, place 10: stays
    EXPECT_EQ(g.KeyPlace("K10"), 10);
    g.GetText("K11");  // the twelfth key, place 11: moves to the head
    EXPECT_EQ(g.KeyPlace("K11"), 0);
    EXPECT_EQ(g.KeyPlace("K0"), 1);
}

TEST(cmcGTex, ReadMemoContinuesAndRestarts)
{
    std::string content = "#A\n";
    for (int i = 0; i < 200; ++i)
        content += "line " + std::to_string(i) + "\n";
    OverlayFile f(content);
    cmcGTex g;
    g.Open(f.Path());
    EXPECT_EQ(g.GetLine("A", 2), "line 2");
    long reads = g.SourceReads();
    EXPECT_EQ(g.GetLine("A", 3), "line 3");
    EXPECT_EQ(g.SourceReads(), reads + 1);  // one line, not a rescan
    EXPECT_EQ(g.GetLine("A", 150), "line 150");
    EXPECT_EQ(g.GetLine("A", 1), "line 1");  // restarts at the entry start
    EXPECT_LE(g.CacheCount(), cmcGTex::kCacheSize);
}

TEST(cmcGTex, LongLinesComeInPieces)
{
    std::string content = "#A\n" + std::string(10000, 'x') + "\nend\n";
    OverlayFile f(content);
    cmcGTex g;
    g.Open(f.Path());
    EXPECT_EQ(g.GetLine("A", 0).size(), 8191u);
    EXPECT_EQ(g.GetLine("A", 1).size(), 10000u - 8191u);
    EXPECT_EQ(g.GetLine("A", 2), "end");
}

TEST(cmcGTex, LastEntryWithoutEndKeyEndsAtEndOfFile)
{
    OverlayFile f("#A\na0\na1");
    cmcGTex g;
    g.Open(f.Path());
    EXPECT_EQ(g.GetLines("A"), "a0\na1");
    EXPECT_DEATH(g.GetLine("A", 2), "The index 'A' was not found");
}

TEST(cmcGTex, LineArraysAndSwitchingToAFile)
{
    static const char* const lines[] = {"GI_Sheet_X", "#S",          "(FixedCols=1)", "#T",
                                        "t0",         "#End_Of_Ovl", nullptr};
    cmcGTex g;
    EXPECT_EQ(g.UseLines(lines), 1);
    EXPECT_EQ(g.UseLines(lines), 0);
    EXPECT_EQ(g.GetText("S"), "(FixedCols=1)");
    EXPECT_EQ(g.GetLines("T"), "t0");
    OverlayFile f("#S\nfrom file\n");
    g.Open(f.Path());
    EXPECT_EQ(g.GetText("S"), "from file");
}

}  // namespace
