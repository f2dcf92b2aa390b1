#pragma once
#include <string>
#include <vector>

// The recent clone files, newest first. Paths are compared exactly: on Linux two paths
// that differ only in case are two different files.
class cmcRecent {
public:
    explicit cmcRecent(int capacity) : m_capacity(capacity) {}

    void Clear() { m_paths.clear(); }
    int Count();
    // After a successful open or save: the path moves (or comes) to the front.
    void AddToTop(const std::string& path);
    // While loading the stored list: the path goes to the end (empty values too).
    void Append(const std::string& path);
    // The entry as the menu shows it: just the file name when it lies in folder, else the
    // full path; empty beyond the end of the list.
    std::string DisplayName(int i, const std::string& folder) const;
    const std::string& At(int i) const { return m_paths.at(static_cast<size_t>(i)); }

private:
    void Remove(const std::string& path);
    void Trim();

    int m_capacity;
    std::vector<std::string> m_paths;
};
