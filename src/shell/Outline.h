#pragma once
#include <functional>
#include <string>
#include <vector>

class cmcGTex;

// The body of a menu or tree entry: one line per item up to the first line beginning with
// "#". The characters before the first "+" give the line's depth, the text after it is the
// item's cell definition. A line without "+" has its length as depth and no definition.
struct OutlineLine {
    int depth = 0;
    std::string definition;
};

std::vector<OutlineLine> ReadOutline(cmcGTex& gtex, const std::string& key);

// Builds one level from line first on: the first line fixes the level's depth; a deeper
// line starts a sub-level under the item created last, a shallower one ends the level.
// create(parent, line) makes an item and answers it. Returns the lines consumed.
template <typename Item>
int BuildOutlineLevel(const std::vector<OutlineLine>& lines, size_t first, Item parent,
                      const std::function<Item(Item parent, const OutlineLine& line)>& create)
{
    if (first >= lines.size())
        return 0;
    const int level = lines[first].depth;
    size_t i = first;
    Item last{};
    bool haveLast = false;
    while (i < lines.size()) {
        const int d = lines[i].depth;
        if (i > first && d > level && haveLast) {
            i += static_cast<size_t>(BuildOutlineLevel(lines, i, last, create));
            continue;
        }
        if (i > first && d < level)
            break;
        last = create(parent, lines[i]);
        haveLast = true;
        ++i;
    }
    return static_cast<int>(i - first);
}
