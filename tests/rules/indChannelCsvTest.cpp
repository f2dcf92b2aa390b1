// The memory channels as a CSV table: export, import all or nothing, and the problems
// named by row and column.

#include <clocale>
#include <cstring>
#include <string>
#include <vector>

#include "rules/RulesFixture.h"
#include "rules/indChannelCsv.h"

namespace {

class ChannelCsv : public RulesTest {
protected:
    // Rows of a table, fields split at commas (the tests' tables quote nothing).
    static std::vector<std::string> Lines(const std::string& csv)
    {
        std::vector<std::string> out;
        for (size_t from = 0; from < csv.size();) {
            const size_t end = csv.find("\r\n", from);
            out.push_back(csv.substr(from, end - from));
            from = end == std::string::npos ? csv.size() : end + 2;
        }
        return out;
    }
};

// Switches to a decimal-comma locale for the scope when the machine has one.
struct CommaLocale {
    std::string before = std::setlocale(LC_ALL, nullptr);
    bool ok = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    ~CommaLocale() { std::setlocale(LC_ALL, before.c_str()); }
};

TEST_F(ChannelCsv, ExportThenImportLeavesEveryModelTypesImageAsItWas)
{
    for (bool comma : {false, true}) {
        CommaLocale locale;
        if (!comma)
            std::setlocale(LC_ALL, "C");
        for (int type = 0; type < 4; ++type) {
            host->modelType = type;
            Banks({3, 0, 2});
            UseChannel(0);
            UseChannel(2);
            UseChannel(4);
            cmcEeprom before;
            before.Assign(host->work);
            indChannelCsv csv(*host, texts);
            const std::string table = csv.Export();
            const std::vector<std::string> lines = Lines(table);
            ASSERT_EQ(lines.size(), 6u) << table;  // header, 5 channels
            EXPECT_EQ(lines[0].rfind("Bank,Channel,Receive MHz,Transmit MHz,", 0), 0u) << table;
            EXPECT_EQ(lines[1].rfind("1,1,", 0), 0u);
            EXPECT_EQ(lines[4].rfind("3,1,", 0), 0u);
            EXPECT_EQ(table.find(",446,"), std::string::npos) << "a decimal comma crept in";
            EXPECT_TRUE(csv.Import(table).empty()) << csv.Describe(csv.Import(table));
            EXPECT_EQ(csv.Changed(), 0);
            EXPECT_EQ(std::memcmp(before.Data(), host->work.Data(), host->work.GetSize()), 0)
                << "model type " << type << (comma && locale.ok ? " under de_DE" : "");
        }
    }
}

TEST_F(ChannelCsv, ABadFileImportsNothingAndNamesEveryProblem)
{
    Banks({2});
    UseChannel(0);
    UseChannel(1);
    indChannelCsv csv(*host, texts);
    std::vector<std::string> lines = Lines(csv.Export());
    ASSERT_EQ(lines.size(), 3u);
    cmcEeprom before;
    before.Assign(host->work);

    // Three bad cells: a bank that does not exist, a channel beyond its bank, and a
    // receive frequency that is no frequency.
    std::string bad = lines[0] + "\r\n";
    bad += "9" + lines[1].substr(1) + "\r\n";
    bad += "1,3" + lines[2].substr(3) + "\r\n";
    bad += "1,2,abc" + lines[2].substr(lines[2].find(',', 4)) + "\r\n";
    const auto problems = csv.Import(bad);
    ASSERT_EQ(problems.size(), 3u) << csv.Describe(problems);
    EXPECT_EQ(problems[0].row, 2);
    EXPECT_EQ(problems[0].column, "Bank");
    EXPECT_EQ(problems[1].row, 3);
    EXPECT_EQ(problems[1].column, "Channel");
    EXPECT_EQ(problems[2].row, 4);
    EXPECT_EQ(problems[2].column, "Receive MHz");
    EXPECT_EQ(problems[2].text,
              "Row 4, Receive MHz: \"abc\" was not taken; expected a frequency in MHz such as "
              "446.00625.");
    EXPECT_EQ(csv.Describe(problems).rfind("The channels were not imported: the file has 3 "
                                           "problems. Nothing was changed.\n",
                                           0),
              0u);
    EXPECT_EQ(std::memcmp(before.Data(), host->work.Data(), host->work.GetSize()), 0);

    // The header and the rows' shape.
    struct Case {
        std::string file;
        std::string says;
    } const cases[] = {
        {"", "The file is empty."},
        {"Bank,Receive MHz\r\n", "Row 1: the columns Bank and Channel are needed"},
        {"Bank,Channel,Colour\r\n", "Row 1, Colour: this is not a column"},
        {"Bank,Channel\r\n1,1,5\r\n", "Row 2: 3 values where the header has 2."},
        {"Bank,Channel\r\n1,1\r\n1,01\r\n", "Row 3, Channel: this channel already stood in row 2."},
        {"Bank,Channel\r\n\"1,1\r\n", "Row 2: a quoted value is not closed."},
    };
    for (const Case& c : cases) {
        const std::string text = csv.Describe(csv.Import(c.file));
        EXPECT_NE(text.find(c.says), std::string::npos) << text;
    }
    // Semicolons, as the spreadsheets of decimal-comma locales write them, and a BOM.
    EXPECT_TRUE(csv.Import("\xEF\xBB\xBF"
                           "Bank;Channel\r\n1;2\r\n")
                    .empty());
}

TEST(ChannelCsvText, TakenAndQuoting)
{
    struct Case {
        const char* typed;
        const char* shown;
        bool taken;
    } const cases[] = {
        {"446.1", "446.10000", true},
        {" 88.5 ", "88.5", true},
        {"d023n", "D023N", true},
        {"0446.1", "446.1", true},
        {"446.1", "446.10625", false},
        {"Off", "", false},
        {"abc", "446.1", false},
        {"", "", true},
        {"-0", "0", true},
        {"88.5 Hz", "88.5 HZ", true},
        {"88.5", "88.5 Hz", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(indChannelCsv::Taken(c.typed, c.shown), c.taken) << c.typed << " / " << c.shown;

    EXPECT_EQ(indChannelCsv::Field("plain", ','), "plain");
    EXPECT_EQ(indChannelCsv::Field("a,b", ','), "\"a,b\"");
    EXPECT_EQ(indChannelCsv::Field("say \"hi\"", ','), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(indChannelCsv::Field(" pad", ','), "\" pad\"");
    std::vector<std::vector<std::string>> rows;
    ASSERT_TRUE(indChannelCsv::Split("a,\"b,\"\"c\"\"\"\r\n\"x\ny\",\n", ',', rows, nullptr));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"a", "b,\"c\""}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"x\ny", ""}));
}

}  // namespace
