// The help and the languages as installed beside the program: every topic table closed,
// every topic with a context, every context and every link leading to a page and anchor
// that exist in every language, every cell of every sheet with help (or listed as having
// none), and the same keys in every main overlay.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "overlay/OverlayLanguages.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "overlay/cmcHelpMap.h"
#include "platform/TextUtil.h"

namespace {

const std::string kDir = std::string(QV_BIN_DIR) + "/";
const char* kRegenerate = "run \"python3 tools/make_overlays.py\" after changing sheets or help";

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out.push_back(line);
    }
    return out;
}

// The lines of each key's entry, up to the next line beginning with "#" (kept last).
std::map<std::string, std::vector<std::string>> Entries(const std::string& path)
{
    std::map<std::string, std::vector<std::string>> out;
    std::string key;
    for (const std::string& line : Lines(Slurp(path))) {
        if (line.size() >= 2 && line[0] == '#') {
            if (line == "#End_Of_Ovl")
                break;
            key = line.substr(1);
            out[key];
            continue;
        }
        if (!key.empty())
            out[key].push_back(line);
    }
    return out;
}

std::vector<std::string> HelpLanguages()
{
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(kDir + "help"))
        if (e.is_directory())
            out.push_back(e.path().filename().string());
    return out;
}

bool HasAnchor(const std::string& page, const std::string& anchor)
{
    return anchor.empty() || page.find("id=\"" + anchor + "\"") != std::string::npos;
}

TEST(ShippedHelp, EveryTopicTableEndsWithItsLoneHash)
{
    const auto entries = Entries(kDir + "TM5150QH.OVL");
    for (const char* table :
         {cmcHelpGTex::kTopicTable, cmcHelpGTex::kKeyAssignTable, cmcHelpGTex::kContextTable}) {
        ASSERT_TRUE(entries.count(table)) << table;
        const auto& lines = entries.at(table);
        ASSERT_FALSE(lines.empty()) << table;
        EXPECT_EQ(lines.back(), "#") << table << " must end with a line \"#\" alone";
    }
}

TEST(ShippedHelp, EveryTopicHasAContextAndEveryContextLeadsToAPageInEveryLanguage)
{
    cmcHelpGTex help;
    help.Open(kDir + "TM5150QH.OVL");
    std::set<std::string> topics;
    for (const char* table : {cmcHelpGTex::kTopicTable, cmcHelpGTex::kKeyAssignTable})
        for (int n = 0;; ++n) {
            const std::string line = help.GetLine(table, n);
            if (line == "#")
                break;
            topics.insert(txt::Field(line, '\t', 1).value_or(""));
        }
    std::set<int> contexts;
    for (const std::string& t : topics) {
        const int c = help.ContextOf(t);
        EXPECT_NE(c, 0) << "topic " << t << " has no context; " << kRegenerate;
        contexts.insert(c);
    }
    const auto languages = HelpLanguages();
    EXPECT_GE(languages.size(), 2u);
    for (const std::string& lang : languages) {
        const std::string folder = kDir + "help/" + lang + "/";
        cmcHelpMap map;
        ASSERT_TRUE(map.Load(folder + cmcHelpMap::kFileName)) << lang;
        for (int c : contexts) {
            const std::string target = map.PageOf(c);
            ASSERT_FALSE(target.empty()) << lang << ": context " << c << " is not in the map";
            const std::string page = txt::UpTo(target, "#");
            const size_t hash = target.find('#');
            const std::string text = Slurp(folder + page);
            ASSERT_FALSE(text.empty()) << lang << ": " << page;
            EXPECT_TRUE(HasAnchor(text, hash == std::string::npos ? "" : target.substr(hash + 1)))
                << lang << ": " << target;
        }
    }
}

TEST(ShippedHelp, EveryLinkOfEveryPageResolves)
{
    const std::regex href("href=\"([^\"]*)\"");
    for (const std::string& lang : HelpLanguages()) {
        const std::string folder = kDir + "help/" + lang + "/";
        int pages = 0;
        for (const auto& e : std::filesystem::directory_iterator(folder)) {
            if (e.path().extension() != ".html")
                continue;
            ++pages;
            const std::string text = Slurp(e.path().string());
            for (std::sregex_iterator m(text.begin(), text.end(), href), end; m != end; ++m) {
                const std::string link = (*m)[1];
                if (link.rfind("http://", 0) == 0 || link.rfind("https://", 0) == 0)
                    continue;  // the desktop's browser opens these
                const std::string page = txt::UpTo(link, "#");
                const size_t hash = link.find('#');
                const std::string target = page.empty() ? text : Slurp(folder + page);
                EXPECT_FALSE(target.empty()) << e.path() << ": " << link;
                EXPECT_TRUE(
                    HasAnchor(target, hash == std::string::npos ? "" : link.substr(hash + 1)))
                    << e.path() << ": " << link;
            }
        }
        EXPECT_GE(pages, 2) << lang;
    }
}

TEST(ShippedHelp, EveryCellOfEverySheetHasHelpOrIsListedWithout)
{
    std::set<std::string> without;
    for (const std::string& line : Lines(Slurp(kDir + "help/cells-without-help.txt")))
        if (!line.empty())
            without.insert(line);
    cmcHelpGTex help;
    help.Open(kDir + "TM5150QH.OVL");
    std::set<std::string> topicItems;
    for (int n = 0;; ++n) {
        const std::string line = help.GetLine(cmcHelpGTex::kTopicTable, n);
        if (line == "#")
            break;
        topicItems.insert(txt::Field(line, '\t', 0).value_or(""));
    }
    const std::regex cell("\\(%([A-Za-z0-9_]+)(?:\\.([A-Za-z0-9_]+))?");
    int cells = 0;
    for (const auto& [key, lines] : Entries(kDir + "TM5150QE.OVL")) {
        if (key.rfind("GI_Sheet_", 0) != 0 || key.rfind("GI_Sheet_Sel_", 0) == 0 ||
            key.size() < 6 || key.compare(key.size() - 6, 6, "_Cells") != 0)
            continue;
        for (const std::string& line : lines)
            for (std::sregex_iterator m(line.begin(), line.end(), cell), end; m != end; ++m) {
                const std::string id = (*m)[2].matched ? (*m)[2].str() : (*m)[1].str();
                ++cells;
                EXPECT_TRUE(topicItems.count(id) || without.count(id))
                    << key << ": " << id << " has no help topic; " << kRegenerate
                    << ", or list it in data/help/cells-without-help.txt";
            }
    }
    EXPECT_GT(cells, 100);
}

TEST(ShippedLanguages, EveryMainOverlayHasTheSameKeysInTheSameOrder)
{
    cmcGTex base;
    base.Open(kDir + "TM5150Q.OVL");
    const int count = ovlLang::Count(base);
    ASSERT_GE(count, 2);
    std::vector<std::vector<std::string>> keys(static_cast<size_t>(count));
    for (int n = 0; n < count; ++n) {
        for (const std::string& line : Lines(Slurp(kDir + ovlLang::File(base, n))))
            if (line.size() >= 2 && line[0] == '#')
                keys[static_cast<size_t>(n)].push_back(line);
        EXPECT_FALSE(keys[static_cast<size_t>(n)].empty()) << ovlLang::File(base, n);
    }
    for (int a = 0; a < count; ++a)
        for (int b = a + 1; b < count; ++b) {
            std::set<std::string> ka(keys[a].begin(), keys[a].end());
            std::set<std::string> kb(keys[b].begin(), keys[b].end());
            for (const std::string& k : ka)
                EXPECT_TRUE(kb.count(k))
                    << k << " is missing in " << ovlLang::File(base, b) << "; " << kRegenerate;
            for (const std::string& k : kb)
                EXPECT_TRUE(ka.count(k)) << k << " is missing in " << ovlLang::File(base, a);
            EXPECT_EQ(keys[a], keys[b]);
        }
}

TEST(ShippedLanguages, TheJapaneseOverlayReadsInItsCodePage)
{
    cmcGTex base;
    base.Open(kDir + "TM5150Q.OVL");
    const int ja = ovlLang::ForLocale(base, "ja_JP.UTF-8");
    ASSERT_GE(ja, 0);
    EXPECT_EQ(ovlLang::CodePage(base, ja), 932);
    cmcGTex main;
    main.Open(kDir + ovlLang::File(base, ja));
    txt::SetCodePage(932);
    // "View": its first character's second byte is a backslash.
    const std::string view = "\x95\x5c\x8e\xa6(&V)";
    bool found = false;
    for (int n = 0;; ++n) {
        const std::string line = main.GetLine("GI_Menu_Main_Body", n);
        if (!line.empty() && line[0] == '#')
            break;
        found = found || txt::Field(line, '\t', 0).value_or("") == "+" + view;
    }
    EXPECT_TRUE(found);
    // "Serial Port 1": its "po" has "|" for its second byte; a cell split keeps it whole.
    const std::string line = main.GetLine("GI_ToolBar_Main_Body", 8);
    EXPECT_EQ(txt::Split(txt::UpTo(line, "{"), '|').size(), 1u);
    EXPECT_NE(line.find("\x83\x7c"), std::string::npos);
    txt::SetCodePage(1252);
}

}  // namespace
