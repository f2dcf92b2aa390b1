#include "platform/ISettingsBackend.h"

namespace plat {

bool MemorySettingsBackend::KeyExists(Root root, const std::string& path)
{
    // A key exists when it holds values or has sub-keys, as in a registry.
    for (const auto& [k, values] : m_keys) {
        if (k.first == root && (k.second == path || k.second.rfind(path + "\\", 0) == 0))
            return true;
    }
    return false;
}

std::optional<int32_t> MemorySettingsBackend::ReadInt(Root root, const std::string& path,
                                                      const std::string& name)
{
    auto k = m_keys.find({root, path});
    if (k == m_keys.end())
        return std::nullopt;
    auto v = k->second.find(name);
    if (v == k->second.end() || !std::holds_alternative<int32_t>(v->second))
        return std::nullopt;
    return std::get<int32_t>(v->second);
}

std::optional<std::string> MemorySettingsBackend::ReadString(Root root, const std::string& path,
                                                             const std::string& name)
{
    auto k = m_keys.find({root, path});
    if (k == m_keys.end())
        return std::nullopt;
    auto v = k->second.find(name);
    if (v == k->second.end() || !std::holds_alternative<std::string>(v->second))
        return std::nullopt;
    return std::get<std::string>(v->second);
}

bool MemorySettingsBackend::ValueExists(Root root, const std::string& path, const std::string& name)
{
    auto k = m_keys.find({root, path});
    return k != m_keys.end() && k->second.count(name) != 0;
}

bool MemorySettingsBackend::WriteInt(Root root, const std::string& path, const std::string& name,
                                     int32_t value)
{
    ++writeCount;
    m_keys[{root, path}][name] = value;
    return true;
}

bool MemorySettingsBackend::WriteString(Root root, const std::string& path, const std::string& name,
                                        const std::string& value)
{
    ++writeCount;
    m_keys[{root, path}][name] = value;
    return true;
}

bool MemorySettingsBackend::DeleteKey(Root root, const std::string& path, const std::string& subKey)
{
    const std::string full = subKey.empty() ? path : path + "\\" + subKey;
    bool any = false;
    for (auto it = m_keys.begin(); it != m_keys.end();) {
        const auto& [r, p] = it->first;
        if (r == root && (p == full || p.rfind(full + "\\", 0) == 0)) {
            it = m_keys.erase(it);
            any = true;
        } else {
            ++it;
        }
    }
    return any;
}

void MemorySettingsBackend::Erase(Root root, const std::string& path, const std::string& name)
{
    auto k = m_keys.find({root, path});
    if (k != m_keys.end())
        k->second.erase(name);
}

}  // namespace plat
