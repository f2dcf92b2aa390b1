#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace plat {

// The two registry roots: the user's own settings and the machine-wide ones.
enum class Root { User, Machine };

// A registry-like store of keys, each holding named integer and string values. Key paths
// use "\" between parts ("Software\Tavo\Quorvex\Global").
class ISettingsBackend {
public:
    virtual ~ISettingsBackend() = default;
    virtual bool KeyExists(Root root, const std::string& path) = 0;
    // Empty when the value is missing or is not an integer.
    virtual std::optional<int32_t> ReadInt(Root root, const std::string& path,
                                           const std::string& name) = 0;
    // Empty when the value is missing or is not a string.
    virtual std::optional<std::string> ReadString(Root root, const std::string& path,
                                                  const std::string& name) = 0;
    virtual bool ValueExists(Root root, const std::string& path, const std::string& name) = 0;
    // Writing creates the key. False when the store cannot be written.
    virtual bool WriteInt(Root root, const std::string& path, const std::string& name,
                          int32_t value) = 0;
    virtual bool WriteString(Root root, const std::string& path, const std::string& name,
                             const std::string& value) = 0;
    // Deletes path\subKey with everything below it.
    virtual bool DeleteKey(Root root, const std::string& path, const std::string& subKey) = 0;
    // Makes written values durable.
    virtual void Flush() {}
};

// In-memory store for tests.
class MemorySettingsBackend : public ISettingsBackend {
public:
    using Value = std::variant<int32_t, std::string>;
    using Key = std::pair<Root, std::string>;

    bool KeyExists(Root root, const std::string& path) override;
    std::optional<int32_t> ReadInt(Root root, const std::string& path,
                                   const std::string& name) override;
    std::optional<std::string> ReadString(Root root, const std::string& path,
                                          const std::string& name) override;
    bool ValueExists(Root root, const std::string& path, const std::string& name) override;
    bool WriteInt(Root root, const std::string& path, const std::string& name,
                  int32_t value) override;
    bool WriteString(Root root, const std::string& path, const std::string& name,
                     const std::string& value) override;
    bool DeleteKey(Root root, const std::string& path, const std::string& subKey) override;

    // Removes one value (hand edits in tests).
    void Erase(Root root, const std::string& path, const std::string& name);
    void ClearAll() { m_keys.clear(); }
    int writeCount = 0;

    std::map<Key, std::map<std::string, Value>> m_keys;
};

}  // namespace plat
