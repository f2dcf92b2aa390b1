#include "sheets/model/cmcScrBlock.h"

#include "platform/TextUtil.h"

namespace {
std::string TrimSpaces(const std::string& s)
{
    const size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos)
        return {};
    const size_t b = s.find_last_not_of(' ');
    return s.substr(a, b - a + 1);
}
}  // namespace

cmcScrBlock::cmcScrBlock(const std::string& text)
{
    const std::string t = TrimSpaces(text);
    const size_t sp = t.find(' ');
    m_command = TrimSpaces(t.substr(0, sp));
    if (sp == std::string::npos)
        return;
    const std::string rest = t.substr(sp + 1);
    if (TrimSpaces(rest).empty())
        return;
    for (const std::string& a : txt::Split(rest, ','))
        m_args.push_back(txt::Trim(a));
}

std::string cmcScrBlock::Arg(int n) const
{
    if (n < 0 || n >= ArgCount())
        return {};
    return m_args[static_cast<size_t>(n)];
}
