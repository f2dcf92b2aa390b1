// Every frame check of the link on arbitrary radio bytes.
#include <cstddef>
#include <cstdint>

#include "link/CloneFrames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CloneFrames::Splitter splitter;
    for (size_t i = 0; i < size; ++i) {
        if (splitter.Put(data[i]) != CloneFrames::Splitter::Got::Frame)
            continue;
        const CloneFrames::Bytes& f = splitter.frame();
        int model = 0, sub = 0;
        CloneFrames::Bytes info;
        CloneFrames::DecodeInfo(f, model, sub, info);
        CloneFrames::CheckEnd(f, true, static_cast<int>(i));
        CloneFrames::CheckEnd(f, false, 0);
        CloneFrames::IsEndAck(f);
        if (f.size() > 4) {
            CloneFrames::Data d;
            if (CloneFrames::DecodeData(f.data() + 4, static_cast<int>(f.size() - 4), d) == 0 &&
                static_cast<int>(d.bytes.size()) != d.count)
                __builtin_trap();
        }
    }
    CloneFrames::HexToBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
