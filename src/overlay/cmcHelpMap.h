#pragma once
#include <map>
#include <string>

// The context map beside the help pages of a language: one line per context number, the
// number, a tab and the page with an optional anchor ("scan.html#priority"). Lines that
// are empty or begin with ";" are comments.
class cmcHelpMap {
public:
    // Reads the map; false when the file cannot be read (the map is then empty).
    bool Load(const std::string& path);
    void Parse(const std::string& content);
    // The page (with its anchor) of a context number; empty when the map has none.
    std::string PageOf(int context) const;
    const std::map<int, std::string>& Entries() const { return m_entries; }

    // The map's file name, in the folder of the contents page.
    static constexpr const char* kFileName = "context.map";

private:
    std::map<int, std::string> m_entries;
};
