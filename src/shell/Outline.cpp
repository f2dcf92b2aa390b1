#include "shell/Outline.h"

#include "overlay/cmcGTex.h"

std::vector<OutlineLine> ReadOutline(cmcGTex& gtex, const std::string& key)
{
    std::vector<OutlineLine> out;
    for (int n = 0;; ++n) {
        const std::string line = gtex.GetLine(key, n);
        if (!line.empty() && line[0] == '#')
            break;
        OutlineLine o;
        const size_t plus = line.find('+');
        if (plus == std::string::npos) {
            o.depth = static_cast<int>(line.size());
        } else {
            o.depth = static_cast<int>(plus);
            o.definition = line.substr(plus + 1);
        }
        out.push_back(std::move(o));
    }
    return out;
}
