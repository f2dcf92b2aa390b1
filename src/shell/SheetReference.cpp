#include "shell/SheetReference.h"

SheetReference SheetReference::Split(const std::string& reference)
{
    SheetReference r;
    std::string head = reference;
    const size_t comma = reference.find(',');
    if (comma != std::string::npos) {
        head = reference.substr(0, comma);
        r.parameter = reference.substr(comma + 1);
        r.hasParameter = true;
    }
    const size_t open = head.find('[');
    const size_t close = open == std::string::npos ? open : head.find(']', open + 1);
    if (close != std::string::npos) {
        r.kind = head.substr(open + 1, close - open - 1);
        r.entry = head.substr(close + 1);
    } else {
        r.entry = head;
    }
    return r;
}
