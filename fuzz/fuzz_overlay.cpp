// The overlay store on arbitrary overlay files: keys are found or reported, lines read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "overlay/cmcGTex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ThrowingFatalBox fatal;
    plat::Get().fatalBox = &fatal;
    const std::string path = InputAsFile(data, size);
    if (path.empty())
        return 0;
    // The keys the input itself names, and one it does not.
    std::vector<std::string> keys = {"GI_Sys_AppTitle"};
    std::string line;
    for (size_t i = 0; i <= size && keys.size() < 16; ++i) {
        if (i == size || data[i] == '\n') {
            if (line.size() > 1 && line[0] == '#')
                keys.push_back(line.substr(1, line.size() > 1 && line.back() == '\r'
                                                  ? line.size() - 2
                                                  : std::string::npos));
            line.clear();
        } else {
            line += static_cast<char>(data[i]);
        }
    }
    cmcGTex store;
    store.Open(path);
    for (const std::string& key : keys) {
        try {
            if (store.HasKey(key)) {
                store.GetLine(key, 0);
                store.GetLines(key);
                store.GetLine(key, 1);
            }
        } catch (const FuzzFatal&) {
            // a missing line: the program ends with its message
        }
    }
    return 0;
}
