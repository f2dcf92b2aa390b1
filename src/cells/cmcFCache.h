#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cells/cmcHash2.h"

class cmcGTex;

// One choice of a cached list: where its cell stands in the list entry and what it means.
struct cmcFChoice {
    int32_t line = 0;    // 0-based line of the entry
    int32_t column = 0;  // 0-based cell position in the line (a leading "|" counts one cell)
    int32_t value = 0;   // the cell's index
    const std::string* name = nullptr;  // the cell's altText, or else its text
};

// The parsed choices of one (list name, identifier) pair.
struct cmcFCacheList {
    int32_t lineCount = 0;   // lines of the entry before its terminating "#" line
    int32_t maxColumns = 0;  // most cells in one line
    int32_t choiceCount = 0;
    std::vector<cmcFChoice> byValue;      // ascending by value, equal values in entry order
    std::vector<cmcFChoice> byPosition;   // column by column, top to bottom: the list's order
    std::unique_ptr<cmcFCacheList> next;  // chain of all lists of the cache
    std::vector<std::string> names;       // owned names the choices point to
};

// Choice lists parsed once: the entry "<list name>_Cells" of the overlay holds lines of cells,
// and every cell with the list's identifier is one choice (its index the value, its altText
// or text the name). Codecs ask for names of values and for the next or previous value many
// times per repaint, so each pair is parsed on first use and kept for the whole run.
class cmcFCache {
public:
    // Lists are read from the given store, or from g_GTex (at load time) when it is null.
    explicit cmcFCache(cmcGTex* texts = nullptr);
    ~cmcFCache();
    cmcFCache(const cmcFCache&) = delete;
    cmcFCache& operator=(const cmcFCache&) = delete;

    // The name of a value in the list, loading the list on first use; "error" for a value the
    // list does not have.
    const std::string& NameOf(const std::string& listName, int32_t id, int32_t value);
    // The value delta places away from value in the list's order, wrapping at both ends; a
    // value not in the list steps to the first choice. False (and *newValue unchanged) when
    // the list has not been loaded yet or has no choices.
    bool Step(const std::string& listName, int32_t id, int32_t value, int delta,
              int32_t* newValue) const;

    // The cached list, loading it on first use.
    const cmcFCacheList& List(const std::string& listName, int32_t id);
    // The cached list, or null when it has not been loaded.
    const cmcFCacheList* Find(const std::string& listName, int32_t id) const;

    // Key of a list in the table: list name, "#", identifier number.
    static std::string ListKey(const std::string& listName, int32_t id);

private:
    cmcFCacheList* Load(const std::string& key, const std::string& listName, int32_t id);

    cmcGTex* m_texts;
    cmcHash2 m_table{1031};
    cmcFCacheList m_head;  // carries no list; m_head.next starts the chain
};

// The program's cache, owned by the main object (set when it creates its cache; null
// before). Codecs reach it here.
extern cmcFCache* g_FCache;
