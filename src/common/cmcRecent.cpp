#include "common/cmcRecent.h"

#include <algorithm>

namespace {

std::string StripTrailingSlash(std::string s)
{
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    if (s == "/")
        s.clear();
    return s;
}

}  // namespace

int cmcRecent::Count()
{
    Trim();
    return static_cast<int>(m_paths.size());
}

void cmcRecent::Remove(const std::string& path)
{
    std::erase(m_paths, path);
}

void cmcRecent::Trim()
{
    if (static_cast<int>(m_paths.size()) > m_capacity)
        m_paths.resize(static_cast<size_t>(std::max(0, m_capacity)));
}

void cmcRecent::AddToTop(const std::string& path)
{
    Remove(path);
    m_paths.insert(m_paths.begin(), path);
    Trim();
}

void cmcRecent::Append(const std::string& path)
{
    Remove(path);
    m_paths.push_back(path);
    Trim();
}

std::string cmcRecent::DisplayName(int i, const std::string& folder) const
{
    if (i < 0 || i >= static_cast<int>(m_paths.size()) || i >= m_capacity)
        return std::string();
    const std::string& entry = m_paths[static_cast<size_t>(i)];
    const size_t slash = entry.rfind('/');
    if (slash == std::string::npos)
        return entry;
    if (StripTrailingSlash(entry.substr(0, slash)) == StripTrailingSlash(folder) && !folder.empty())
        return entry.substr(slash + 1);
    return entry;
}
