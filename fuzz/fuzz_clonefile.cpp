// The clone file reader on arbitrary files: a result code, never a crash, and a failed
// read leaves the image as it was.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzSupport.h"
#include "clonefile/cmcClnFile.h"
#include "common/cmcEeprom.h"

namespace {
bool MapRev(void*, int revision)
{
    return revision < 2;
}
bool Header(void*, int model, int extra, int* error)
{
    if (model != 0x3285 && model != 0x3179) {
        *error = 3;
        return false;
    }
    if (extra != 0 && extra != 0x100) {
        *error = 4;
        return false;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = InputAsFile(data, size);
    if (path.empty())
        return 0;
    cmcEeprom image;
    image.SetSize(0x1D00);
    for (int32_t a = 0; a < image.GetSize(); ++a)
        image.SetByte(a, static_cast<uint8_t>(a));
    const std::vector<uint8_t> before(image.Data(), image.Data() + image.GetSize());
    cmcClnFile file;
    file.AttachImage(&image);
    file.SetMapRevCheck(&MapRev, nullptr);
    file.SetHeaderCheck(&Header, nullptr);
    const int32_t ranges[] = {0x0000, 0x077F, 1, 0};
    const int code = file.Read(path, ranges);
    if (code < 0 || code > 9)
        __builtin_trap();
    if (code != 0 && !std::equal(before.begin(), before.end(), image.Data()))
        __builtin_trap();
    file.CheckCoverage(ranges);
    return 0;
}
