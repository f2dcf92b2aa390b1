#include "rules/indInfoCells.h"

#include <cstring>
#include <vector>

#include "cells/CodecProtocol.h"
#include "cells/IntCodec.h"
#include "cells/TextCodec.h"
#include "common/indEnviron.h"
#include "model/indCloneInfo.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "rules/indRuleRequest.h"

namespace {

// A byte b of the battery levels stands for b * 10 / 255 volts.
double Volts(int32_t b)
{
    return b * 10.0 / 255.0;
}

// The top of every band display: the highest level the radio measures.
constexpr int32_t kTopLevel = 251;

struct Band {
    int32_t id;
    int32_t highByte;  // -1: the top level
    int32_t highOffset;
    int32_t lowByte;  // -1: down to 0 V
    int32_t lowOffset;
};

// The bands of each set of thresholds, from the top band down.
constexpr Band kBands[] = {
    {CL_Maker_Liion_Normal_DispNormal, -1, 0, 0x30, 1},
    {CL_Maker_Liion_Normal_DispLow1, 0x30, 4, 0x31, 1},
    {CL_Maker_Liion_Normal_DispLow2, 0x31, 5, 0x32, 1},
    {CL_Maker_Liion_Normal_DispLow3, 0x32, 0, -1, 0},
    {CL_Maker_Liion_Low_DispNormal, -1, 0, 0x33, 1},
    {CL_Maker_Liion_Low_DispLow1, 0x33, 7, 0x34, 1},
    {CL_Maker_Liion_Low_DispLow2, 0x34, 23, 0x35, 1},
    {CL_Maker_Liion_Low_DispLow3, 0x35, 0, -1, 0},
    {CL_Maker_Liion_Dry_DispNormal, -1, 0, 0x36, 1},
    {CL_Maker_Liion_Dry_DispLow1, 0x36, 5, 0x37, 1},
    {CL_Maker_Liion_Dry_DispLow2, 0x37, 5, -1, 0},
    {CL_Maker_NiMH_DispNormal, -1, 0, 0x20, 1},
    {CL_Maker_NiMH_DispLow1, 0x20, 3, 0x21, 1},
    {CL_Maker_NiMH_DispLow2, 0x21, 14, 0x22, 1},
    {CL_Maker_NiMH_DispLow3, 0x22, 0, -1, 0},
};

struct Threshold {
    int32_t id;
    int32_t address;
    int32_t lowerByte;  // -1: min 0
    int32_t lowerGap;
    int32_t upperByte;  // -1: max is upperGap itself
    int32_t upperGap;   // subtracted from the upper byte
};

// Each level stays ordered below the one above it and above the one below, with fixed gaps.
constexpr Threshold kThresholds[] = {
    {CL_Maker_Liion_Normal_Low1, 0x30, 0x31, 7, -1, 245},
    {CL_Maker_Liion_Normal_Low2, 0x31, 0x32, 1, 0x30, 7},
    {CL_Maker_Liion_Normal_Low3, 0x32, -1, 0, 0x31, 1},
    {CL_Maker_Liion_Low_Low1, 0x33, 0x34, 25, -1, 241},
    {CL_Maker_Liion_Low_Low2, 0x34, 0x35, 1, 0x33, 25},
    {CL_Maker_Liion_Low_Low3, 0x35, -1, 0, 0x34, 1},
    {CL_Maker_Liion_Dry_Low1, 0x36, 0x37, 7, -1, 245},
    {CL_Maker_Liion_Dry_Low2, 0x37, -1, 0, 0x36, 7},
    {CL_Maker_NiMH_Low1, 0x20, 0x21, 16, -1, 246},
    {CL_Maker_NiMH_Low2, 0x21, 0x22, 1, 0x20, 16},
    {CL_Maker_NiMH_Low3, 0x22, -1, 0, 0x21, 1},
};

const char* const kOptionKeys[] = {
    "GI_Mess_CloneInfo_Opt_Kx1", "GI_Mess_CloneInfo_Opt_Kx2", "GI_Mess_CloneInfo_Opt_Kx3",
    "GI_Mess_CloneInfo_Opt_Kx4", "GI_Mess_CloneInfo_Opt_Kx5", "GI_Mess_CloneInfo_Opt_Kx6",
    "GI_Mess_CloneInfo_Opt_Kx7", "GI_Mess_CloneInfo_Opt_Kx8", "GI_Mess_CloneInfo_Opt_Kx9",
};

std::string OverlayText(const char* key)
{
    return g_GTex ? g_GTex->GetLines(key) : std::string(key);
}

// Shows 16 bytes as the space-filled text codec does, without taking input.
std::string CommentText(cmcCellCapsule& c, const std::string& field)
{
    uint8_t bytes[16] = {};
    std::memcpy(bytes, field.data(), std::min<size_t>(field.size(), sizeof bytes));
    cmcCellCapsule display(c);
    display.key = 0;
    display.inputMode = cmcCellCapsule::kInputKey;
    display.context = nullptr;
    TextCodec codec;
    codec.length = 16;
    codec.variant = TextCodec::kSpaceFilled;
    int repaint = 0, opened = 0;
    codec.Run(display, bytes, repaint, opened);
    return display.text;
}

}  // namespace

bool indInfoCells::BatteryRange(int32_t id, const uint8_t* image, Range* out)
{
    for (const Threshold& t : kThresholds) {
        if (t.id != id)
            continue;
        out->address = t.address;
        out->min = t.lowerByte < 0 ? 0 : image[t.lowerByte] + t.lowerGap;
        out->max = t.upperByte < 0 ? t.upperGap : image[t.upperByte] - t.upperGap;
        return true;
    }
    return false;
}

std::string indInfoCells::BandText(int32_t id, const uint8_t* image)
{
    for (const Band& b : kBands) {
        if (b.id != id)
            continue;
        const int32_t high = b.highByte < 0 ? kTopLevel : image[b.highByte] + b.highOffset;
        if (b.lowByte < 0)
            return txt::Format("[%3.2fV] - [0.00V]", Volts(high));
        return txt::Format("[%3.2fV] - [%3.2fV]", Volts(high),
                           Volts(image[b.lowByte] + b.lowOffset));
    }
    return std::string();
}

std::string indInfoCells::OptionText(const indCloneInfo& info)
{
    const uint8_t b11 = info.option11, b12 = info.option12, b13 = info.option13;
    std::vector<int> units;  // Kx numbers, in the order they are tested
    if (b12 & 0x20)
        units.push_back((b12 & 0x10) ? 6 : 5);
    if ((b11 & 0x07) == 0x02)
        units.push_back((b12 & 0x03) == 1 ? 7 : (b12 & 0x03) == 2 ? 8 : 3);
    if (b12 & 0x04)
        units.push_back(2);
    if ((b11 & 0x07) == 0x01)
        units.push_back(4);
    if (b12 & 0x08)
        units.push_back(9);
    if (b13 & 0x40)
        units.push_back(1);
    std::string text;
    for (int u : units)
        text += OverlayText(kOptionKeys[u - 1]) + "\n";
    return text;
}

std::string indInfoCells::InfoText(int32_t id, const indCloneInfo& info)
{
    switch (id) {
        case CL_CloneInfo_Model:
            return g_GTex ? g_GTex->GetLine("GI_AppInd_Model", info.ModelLine()) : std::string();
        case CL_CloneInfo_Revision:
            return info.RevisionText();
        case CL_CloneInfo_Option:
            return OptionText(info);
        case CL_CloneInfo_OverVolt:
            return (info.status & 0x20) ? OverlayText("GI_Mess_CloneInfo_OverVolt") : std::string();
        case CL_CloneInfo_Esn:
            return info.SerialText();
        case CL_CloneInfo_CheckSum:
            return info.CheckSumText();
        default:
            return std::string();
    }
}

void indInfoCells::CloneInfo(indRuleRequest& r)
{
    cmcCellCapsule& c = r.capsule;
    const std::vector<uint8_t> block = r.host.CloneInfo();
    indCloneInfo info;
    // No radio identified yet: the cells stay empty.
    if (!info.Parse(block.data(), block.size())) {
        c.text.clear();
        return;
    }
    if (r.id == CL_CloneInfo_Comment1 || r.id == CL_CloneInfo_Comment2)
        c.text = CommentText(c, r.id == CL_CloneInfo_Comment1 ? info.comment1 : info.comment2);
    else
        c.text = InfoText(r.id, info);
}

void indInfoCells::Battery(indRuleRequest& r, const Range& range)
{
    cmcCellCapsule& c = r.capsule;
    if (!r.host.MakerMode()) {
        c.text.clear();
        return;
    }
    uint8_t* image = r.Image();
    IntCodec codec;
    codec.min = range.min;
    codec.max = range.max;
    // Neighbours out of order leave no room: the level shows its value and keeps it rather
    // than being moved outside its band.
    if (codec.min > codec.max)
        codec.min = codec.max = image[range.address];
    int32_t v = image[range.address];
    const int32_t before = v;
    if (codec.Run(c, &v, r.repaint, r.opened) && v != before) {
        image[range.address] = static_cast<uint8_t>(v);
        r.repaint |= cmcCellCapsule::kRepaintAllValues;
    }
}

void indInfoCells::Password(indRuleRequest& r, bool maker)
{
    cmcCellCapsule& c = r.capsule;
    cmcCellObj& cell = r.Cell();
    constexpr uint8_t kCentred = 0x01 | (0x01 << 2);
    if (!r.host.MakerMode() || g_Environ == nullptr) {
        // Outside maker mode the password is never shown and takes no key.
        c.text.clear();
        if (c.canvas != nullptr) {
            cell.layout = static_cast<uint8_t>(
                (cell.layout & ~(cmcCellObj::kHAlignMask | cmcCellObj::kVAlignMask)) | kCentred);
            CodecProtocol::ShowDisabled(c, "----------------");
        }
        return;
    }
    cell.layout = static_cast<uint8_t>(cell.layout & ~cmcCellObj::kHAlignMask);
    std::string& stored = maker ? g_Environ->makerReserveMode : g_Environ->adjustMode;
    constexpr int kLength = 8;
    uint8_t bytes[kLength + 1] = {};
    // The stored text is a C string: it ends at its first zero byte.
    std::memcpy(bytes, stored.c_str(), std::min<size_t>(std::strlen(stored.c_str()), kLength));
    TextCodec codec;
    codec.length = kLength;
    codec.variant = maker ? TextCodec::kZeroFilledLower : TextCodec::kZeroFilled;
    if (!codec.Run(c, bytes, r.repaint, r.opened))
        return;
    // Accepted with 4 to 8 bytes of the code page; otherwise the old password stays.
    const std::string typed(reinterpret_cast<const char*>(bytes));
    if (typed.size() >= 4 && typed.size() <= static_cast<size_t>(kLength)) {
        stored = typed;
    } else {
        uint8_t old[kLength + 1] = {};
        std::memcpy(old, stored.c_str(), std::min<size_t>(std::strlen(stored.c_str()), kLength));
        CodecProtocol::Show(c, reinterpret_cast<const char*>(old));
    }
}

bool indInfoCells::Handle(indRuleRequest& r)
{
    switch (r.id) {
        case CL_CloneInfo_Model:
        case CL_CloneInfo_Revision:
        case CL_CloneInfo_Comment1:
        case CL_CloneInfo_Comment2:
        case CL_CloneInfo_Option:
        case CL_CloneInfo_OverVolt:
        case CL_CloneInfo_Esn:
        case CL_CloneInfo_CheckSum:
            CloneInfo(r);
            return true;
        case CL_Maker_Password:
            Password(r, true);
            return true;
        case CL_Adjust_Password:
            Password(r, false);
            return true;
        default:
            break;
    }
    Range range;
    if (BatteryRange(r.id, r.Image(), &range)) {
        Battery(r, range);
        return true;
    }
    const std::string band = BandText(r.id, r.Image());
    if (!band.empty()) {
        r.capsule.text = r.host.MakerMode() ? band : std::string();
        return true;
    }
    return false;
}
