#pragma once
#include <type_traits>

namespace qvtest {

// Installs a program-wide pointer (g_GTex, g_FCache, g_CellPopups, g_EvMan, ...) for the
// lifetime of this object and puts the previous value back when it ends, so a failing or
// throwing test never leaves its object behind for the next one. Set() installs another
// object later (one that a fixture builds in SetUp).
template <class T>
class ScopedGlobal {
public:
    explicit ScopedGlobal(T*& global) : m_global(global), m_saved(global) {}
    ScopedGlobal(T*& global, std::type_identity_t<T>* value) : ScopedGlobal(global)
    {
        m_global = value;
    }
    ~ScopedGlobal() { m_global = m_saved; }
    ScopedGlobal(const ScopedGlobal&) = delete;
    ScopedGlobal& operator=(const ScopedGlobal&) = delete;

    void Set(T* value) { m_global = value; }

private:
    T*& m_global;
    T* m_saved;
};

}  // namespace qvtest
