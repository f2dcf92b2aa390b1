#include "link/cmcPortTable.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <utility>

#include "platform/ISettingsBackend.h"
#include "platform/Services.h"
#include "platform/TextUtil.h"

namespace {

const char* const kPortsKey = "Software\\Tavo\\Quorvex\\Ports";

std::vector<std::string> ListFolder(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return names;
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name != "." && name != "..")
            names.push_back(std::move(name));
    }
    closedir(dir);
    return names;
}

// Names "<prefix><digits>" of a folder, sorted by their number.
std::vector<std::pair<long, std::string>> Numbered(const std::string& folder,
                                                   const std::string& prefix)
{
    std::vector<std::pair<long, std::string>> found;
    for (const std::string& name : ListFolder(folder)) {
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string digits = name.substr(prefix.size());
        if (digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        found.emplace_back(std::strtol(digits.c_str(), nullptr, 10), name);
    }
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace

cmcPortTable::cmcPortTable(std::string devRoot, std::string sysRoot)
    : m_devRoot(std::move(devRoot)), m_sysRoot(std::move(sysRoot))
{
}

cmcPortTable& cmcPortTable::System()
{
    static cmcPortTable table;
    return table;
}

std::vector<std::string> cmcPortTable::DefaultList() const
{
    std::vector<std::string> candidates;
    const std::string byId = m_devRoot + "/serial/by-id";
    std::vector<std::string> ids = ListFolder(byId);
    std::sort(ids.begin(), ids.end());
    for (const std::string& name : ids)
        candidates.push_back(byId + "/" + name);
    for (const char* prefix : {"ttyUSB", "ttyACM"}) {
        for (const auto& [number, name] : Numbered(m_devRoot, prefix))
            candidates.push_back(m_devRoot + "/" + name);
    }
    for (const auto& [number, name] : Numbered(m_devRoot, "ttyS")) {
        // The kernel makes ttyS nodes for every possible UART; type 0 means none is there.
        std::ifstream type(m_sysRoot + "/class/tty/" + name + "/type");
        int kind = -1;
        if (type >> kind && kind == 0)
            continue;
        candidates.push_back(m_devRoot + "/" + name);
    }

    // A device reached through a by-id link and its own node is listed once, by the link.
    std::vector<std::string> list;
    std::set<std::pair<dev_t, ino_t>> seen;
    for (const std::string& path : candidates) {
        struct stat st;
        if (stat(path.c_str(), &st) != 0)
            continue;  // a dangling link
        if (!seen.insert({st.st_dev, st.st_ino}).second)
            continue;
        list.push_back(path);
    }
    return list;
}

std::string cmcPortTable::Expand(const std::string& device) const
{
    const std::string name = txt::Trim(device);
    if (name.empty() || name.find('/') != std::string::npos)
        return name;
    return m_devRoot + "/" + name;
}

std::string cmcPortTable::Assignment(int n) const
{
    if (n < kFirstPort || n > kLastPort)
        return {};
    plat::ISettingsBackend* settings = plat::Get().settings;
    if (!settings)
        return {};
    auto value = settings->ReadString(plat::Root::User, kPortsKey, txt::Format("Port%d", n));
    return value ? Expand(*value) : std::string();
}

bool cmcPortTable::SetAssignment(int n, const std::string& device)
{
    if (n < kFirstPort || n > kLastPort)
        return false;
    plat::ISettingsBackend* settings = plat::Get().settings;
    if (!settings)
        return false;
    return settings->WriteString(plat::Root::User, kPortsKey, txt::Format("Port%d", n),
                                 txt::Trim(device));
}

std::string cmcPortTable::DevicePath(int n) const
{
    if (n < kFirstPort || n > kLastPort)
        return {};
    std::string assigned = Assignment(n);
    if (!assigned.empty())
        return assigned;
    const std::vector<std::string> list = DefaultList();
    if (static_cast<size_t>(n) > list.size())
        return {};
    return list[static_cast<size_t>(n - 1)];
}

std::vector<cmcPortTable::Entry> cmcPortTable::Entries() const
{
    const std::vector<std::string> list = DefaultList();
    std::vector<Entry> entries;
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        std::string assigned = Assignment(n);
        if (!assigned.empty())
            entries.push_back({n, std::move(assigned), true});
        else if (static_cast<size_t>(n) <= list.size())
            entries.push_back({n, list[static_cast<size_t>(n - 1)], false});
    }
    return entries;
}
