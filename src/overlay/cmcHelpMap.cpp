#include "overlay/cmcHelpMap.h"

#include <fstream>
#include <sstream>

#include "platform/TextUtil.h"

bool cmcHelpMap::Load(const std::string& path)
{
    m_entries.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::stringstream s;
    s << in.rdbuf();
    Parse(s.str());
    return true;
}

void cmcHelpMap::Parse(const std::string& content)
{
    m_entries.clear();
    std::istringstream in(content);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        const std::string number = txt::Trim(txt::Field(line, '\t', 0).value_or(""));
        const std::string page = txt::Trim(txt::Field(line, '\t', 1).value_or(""));
        int32_t context = 0;
        if (page.empty() || !txt::ReadLeadingInt(number, &context) || context <= 0)
            continue;
        m_entries.emplace(context, page);
    }
}

std::string cmcHelpMap::PageOf(int context) const
{
    const auto it = m_entries.find(context);
    return it == m_entries.end() ? std::string() : it->second;
}
