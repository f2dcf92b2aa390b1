#include "SimFile.h"

#include <algorithm>

#include "clonefile/cmcClnFile.h"
#include "common/cmcEeprom.h"

namespace SimFile {

namespace {

constexpr int32_t kRanges[] = {0, RadioSim::kEepromSize - 1, 1, 0};

bool AnyRevision(void*, int)
{
    return true;
}

bool AnyHeader(void*, int, int, int*)
{
    return true;
}

const char* const kNames[] = {"none",         "echo",       "bad-echo",    "silence",
                              "bad-checksum", "lower-hex",  "wrong-count", "refuse",
                              "drop",         "disconnect", "flip-stored"};

}  // namespace

int Load(const std::string& path, std::vector<uint8_t>& eeprom)
{
    cmcEeprom image;
    image.SetSize(0x1D00);
    image.Fill(0xFF);
    cmcClnFile file;
    file.AttachImage(&image);
    file.SetMapRevCheck(&AnyRevision, nullptr);
    file.SetHeaderCheck(&AnyHeader, nullptr);
    const int code = file.Read(path, kRanges);
    if (code == 0)
        eeprom.assign(image.Data(), image.Data() + RadioSim::kEepromSize);
    return code;
}

int Save(const std::string& path, const std::vector<uint8_t>& eeprom)
{
    cmcEeprom image;
    image.SetSize(0x1D00);
    image.Fill(0xFF);
    image.SetBlock(0, eeprom.data(),
                   static_cast<int32_t>(std::min<size_t>(eeprom.size(), RadioSim::kEepromSize)));
    cmcClnFile file;
    file.AttachImage(&image);
    file.SetModelCode(0x3285);
    file.SetExtraCode(0);
    file.SetComment("simulated radio");
    file.SetMapRev(1);
    return file.Write(path, kRanges);
}

bool ParseFault(const std::string& name, RadioSim::Fault& fault)
{
    for (size_t i = 0; i < sizeof kNames / sizeof kNames[0]; ++i) {
        if (name == kNames[i]) {
            fault = static_cast<RadioSim::Fault>(i);
            return true;
        }
    }
    return false;
}

const char* FaultName(RadioSim::Fault fault)
{
    const size_t i = static_cast<size_t>(fault);
    return i < sizeof kNames / sizeof kNames[0] ? kNames[i] : "?";
}

}  // namespace SimFile
