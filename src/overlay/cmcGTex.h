#pragma once
#include <cstdint>
#include <cstdio>
#include <list>
#include <string>

// Keyed text store over one overlay file (or an in-memory array of lines). The file is
// indexed lazily, only as far as a lookup needs; each key remembers where its last read
// stopped, and the most recently read lines are cached, because sheets ask for the same
// entries line by line over and over. A key that cannot be found ends the program.
class cmcGTex {
public:
    cmcGTex();
    virtual ~cmcGTex();
    cmcGTex(const cmcGTex&) = delete;
    cmcGTex& operator=(const cmcGTex&) = delete;

    // Forgets everything and switches to the file; the file is opened at the first lookup.
    int Open(const std::string& fileName);
    // Uses an array of lines ending with "#End_Of_Ovl"; only when no source is set yet.
    int UseLines(const char* const* lines);

    std::string GetLine(const std::string& key, int n);
    std::string GetText(const std::string& key) { return GetLine(key, 0); }
    // The whole entry, lines joined with LF, up to the first line beginning with "#".
    std::string GetLines(const std::string& key);
    // True when the key exists (indexing as far as needed); never fatal.
    bool HasKey(const std::string& key);

    const std::string& FileName() const { return m_fileName; }

    // Inspection for tests and benchmarks.
    int KeyCount() const { return m_keyCount; }
    int KeyPlace(const std::string& key) const;  // place in the key list, -1 if not indexed
    bool ScanPending() const { return m_scanPending; }
    int CacheCount() const { return static_cast<int>(m_cache.size()); }
    long SourceReads() const { return m_sourceReads; }

    static constexpr int kMaxLine = 8191;
    static constexpr int kCacheSize = 64;
    static constexpr int kFixedPlaces = 11;  // keys at places 0..10 are never moved

private:
    struct KeyRec {
        std::string name;
        long entryStart = 0;
        int nextLine = 0;
        long nextPos = 0;
    };
    struct CacheRec {
        long pos = 0;
        long len = 0;
        std::string text;
    };
    enum class Read { Ok, End, Fail };

    void Discard();
    bool OpenSource();
    Read ReadUncached(std::string& line);
    Read ReadCached(std::string& line);
    bool Seek(long pos);
    void ScanStep();
    KeyRec* FindKey(const std::string& key);
    // Reads line n of the key's entry; false on any failure.
    Read ReadEntryLine(KeyRec& k, int n, std::string& out);
    [[noreturn]] void Fail(const std::string& key);

    int m_kind = 0;  // 0 none, 1 line array, 2 file
    bool m_open = false;
    std::FILE* m_file = nullptr;
    const char* const* m_lines = nullptr;
    long m_position = 0;
    std::string m_fileName;
    long m_scanPosition = 0;
    std::list<CacheRec> m_cache;
    int m_keyCount = 0;
    std::list<KeyRec> m_keys;
    bool m_scanPending = true;
    long m_sourceReads = 0;
};

// The program's three overlay stores: every UI text of the chosen language, the language
// list, and the help topics. Set by main(); tests point them at their own stores.
extern cmcGTex* g_GTex;
extern cmcGTex* g_BaseGTex;
class cmcHelpGTex;
extern cmcHelpGTex* g_HelpGTex;
