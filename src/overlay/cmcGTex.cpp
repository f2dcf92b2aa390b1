#include "overlay/cmcGTex.h"

#include <cstring>

#include "overlay/cmcHelpGTex.h"
#include "platform/Fatal.h"
#include "platform/TextUtil.h"

cmcGTex* g_GTex = nullptr;
cmcGTex* g_BaseGTex = nullptr;
cmcHelpGTex* g_HelpGTex = nullptr;

namespace {

// A line as stored: without its LF and without one CR before it, so CR LF and LF files
// give the same lines.
void CutLineEnd(std::string& s)
{
    if (!s.empty() && s.back() == '\n')
        s.pop_back();
    if (!s.empty() && s.back() == '\r')
        s.pop_back();
}

bool IsKeyLine(const std::string& cut)
{
    return cut.size() >= 2 && cut[0] == '#';
}

}  // namespace

cmcGTex::cmcGTex() = default;

cmcGTex::~cmcGTex()
{
    Discard();
}

void cmcGTex::Discard()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_open = false;
    m_keys.clear();
    m_keyCount = 0;
    m_cache.clear();
    m_position = 0;
    m_scanPosition = 0;
    m_scanPending = true;
}

int cmcGTex::Open(const std::string& fileName)
{
    Discard();
    m_lines = nullptr;
    m_fileName = fileName;
    m_kind = 2;
    return 1;
}

int cmcGTex::UseLines(const char* const* lines)
{
    if (m_kind != 0)
        return 0;
    Discard();
    m_lines = lines;
    m_kind = 1;
    return 1;
}

bool cmcGTex::OpenSource()
{
    if (m_kind == 1 && m_lines) {
        m_open = true;
    } else if (m_kind == 2 && !m_fileName.empty()) {
        // Binary mode: positions are byte offsets and we drop the CR ourselves.
        m_file = std::fopen(m_fileName.c_str(), "rb");
        m_open = m_file != nullptr;
    }
    if (!m_open)
        return false;
    m_position = 0;
    return true;
}

bool cmcGTex::Seek(long pos)
{
    if (m_kind == 2) {
        if (!m_file || std::fseek(m_file, pos, SEEK_SET) != 0)
            return false;
    }
    m_position = pos;
    return true;
}

cmcGTex::Read cmcGTex::ReadUncached(std::string& line)
{
    line.clear();
    ++m_sourceReads;
    if (m_kind == 1) {
        const char* el = m_lines[m_position];
        if (!el)
            return Read::End;
        size_t n = std::strlen(el);
        if (n > static_cast<size_t>(kMaxLine)) {
            line.assign(el, kMaxLine);
        } else {
            line.assign(el, n);
            line += '\n';
        }
        ++m_position;
        return Read::Ok;
    }
    if (!m_file)
        return Read::Fail;
    int c = 0;
    while (static_cast<int>(line.size()) < kMaxLine && (c = std::fgetc(m_file)) != EOF) {
        line += static_cast<char>(c);
        if (c == '\n')
            break;
    }
    if (std::ferror(m_file))
        return Read::Fail;
    long pos = std::ftell(m_file);
    if (pos < 0)
        return Read::Fail;
    m_position = pos;
    return line.empty() ? Read::End : Read::Ok;
}

cmcGTex::Read cmcGTex::ReadCached(std::string& line)
{
    if (m_kind != 2)
        return ReadUncached(line);
    for (auto it = m_cache.begin(); it != m_cache.end(); ++it) {
        if (it->pos == m_position) {
            line = it->text;
            if (!Seek(m_position + it->len))
                return Read::Fail;
            m_cache.splice(m_cache.begin(), m_cache, it);
            return Read::Ok;
        }
    }
    const long start = m_position;
    Read r = ReadUncached(line);
    if (r != Read::Ok)
        return r;
    if (static_cast<int>(m_cache.size()) >= kCacheSize)
        m_cache.pop_back();
    m_cache.push_front({start, m_position - start, line});
    return Read::Ok;
}

void cmcGTex::ScanStep()
{
    if (!m_scanPending)
        return;
    if (!m_open) {
        if (!OpenSource())
            m_scanPending = false;
        m_scanPosition = 0;
        return;
    }
    if (!Seek(m_scanPosition)) {
        m_scanPending = false;
        return;
    }
    std::string line;
    Read r = ReadUncached(line);
    if (r != Read::Ok) {
        m_scanPending = false;
        return;
    }
    CutLineEnd(line);
    if (IsKeyLine(line)) {
        KeyRec k;
        k.name = line.substr(1);
        k.entryStart = m_position;
        k.nextLine = 0;
        k.nextPos = m_position;
        m_keys.push_back(std::move(k));
        ++m_keyCount;
        if (m_keys.back().name == "End_Of_Ovl")
            m_scanPending = false;
    }
    m_scanPosition = m_position;
}

cmcGTex::KeyRec* cmcGTex::FindKey(const std::string& key)
{
    int place = 0;
    for (auto it = m_keys.begin(); it != m_keys.end(); ++it, ++place) {
        if (it->name == key) {
            // Keys in use migrate to the head; the first few places stay put.
            if (place >= kFixedPlaces)
                m_keys.splice(m_keys.begin(), m_keys, it);
            return &*it;
        }
    }
    const int before = m_keyCount;
    while (m_scanPending) {
        ScanStep();
        if (m_keyCount > before && m_keys.back().name == key)
            return &m_keys.back();
    }
    return nullptr;
}

int cmcGTex::KeyPlace(const std::string& key) const
{
    int place = 0;
    for (const auto& k : m_keys) {
        if (k.name == key)
            return place;
        ++place;
    }
    return -1;
}

cmcGTex::Read cmcGTex::ReadEntryLine(KeyRec& k, int n, std::string& out)
{
    if (n < 0)
        n = 0;
    int line = 0;
    if (n < k.nextLine) {
        if (!Seek(k.entryStart))
            return Read::Fail;
    } else {
        line = k.nextLine;
        if (!Seek(k.nextPos))
            return Read::Fail;
    }
    std::string buf;
    for (; line < n; ++line) {
        Read r = ReadCached(buf);
        if (r != Read::Ok)
            return r;
    }
    Read r = ReadCached(buf);
    if (r != Read::Ok)
        return r;
    CutLineEnd(buf);
    out = std::move(buf);
    k.nextLine = n + 1;
    k.nextPos = m_position;
    return Read::Ok;
}

void cmcGTex::Fail(const std::string& key)
{
    plat::FatalError(txt::Format("GTEX Error !\nThe index '%s' was not found.", key.c_str()));
}

std::string cmcGTex::GetLine(const std::string& key, int n)
{
    KeyRec* k = FindKey(key);
    if (!k || !m_open)
        Fail(key);
    std::string out;
    if (ReadEntryLine(*k, n, out) != Read::Ok)
        Fail(key);
    return out;
}

std::string cmcGTex::GetLines(const std::string& key)
{
    KeyRec* k = FindKey(key);
    if (!k || !m_open)
        Fail(key);
    std::string all;
    std::string line;
    for (int n = 0;; ++n) {
        Read r = ReadEntryLine(*k, n, line);
        // The last entry of a file without an end key ends at the end of the file.
        if (r == Read::End)
            break;
        if (r != Read::Ok)
            Fail(key);
        if (!line.empty() && line[0] == '#')
            break;
        if (n > 0)
            all += '\n';
        all += line;
    }
    return all;
}

bool cmcGTex::HasKey(const std::string& key)
{
    return FindKey(key) != nullptr && m_open;
}
