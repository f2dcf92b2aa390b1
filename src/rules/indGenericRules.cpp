#include "rules/indGenericRules.h"

#include <algorithm>
#include <cstring>

#include "cells/BitChoiceCodec.h"
#include "cells/ChoiceCodec.h"
#include "cells/CodeNumberCodec.h"
#include "cells/CodecProtocol.h"
#include "cells/DigitCodec.h"
#include "cells/DtmfCodeCodec.h"
#include "cells/FiveToneCodeCodec.h"
#include "cells/FixedPointCodec.h"
#include "cells/FlagBitsCodec.h"
#include "cells/HexDigitsCodec.h"
#include "cells/IntCodec.h"
#include "cells/MinSecCodec.h"
#include "cells/PaddedIntCodec.h"
#include "cells/SecondsCodec.h"
#include "cells/SegmentTextCodec.h"
#include "cells/TextCodec.h"
#include "common/EventIds.h"
#include "common/cmcEvMan.h"
#include "model/datCh.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "rules/ToneCodec.h"
#include "rules/indMemMapStorage.h"
#include "rules/indMemMapTable.h"
#include "rules/indRuleRequest.h"

namespace {

constexpr int32_t kAccessByte = 0x000B;
constexpr uint8_t kEaccMask = 0x10;
constexpr int32_t kUserChars = 0x1196;  // the 16 user character patterns

int Pow10(int n)
{
    int v = 1;
    while (n-- > 0)
        v *= 10;
    return v;
}

const char* ListOf(const indMemMapRow& row, int modelType)
{
    if (row.listAlt && modelType >= 0 && modelType < 8 && (row.altModels >> modelType) & 1)
        return row.listAlt;
    return row.list;
}

// Runs the row's codec on a 32-bit value; 1 when the value changed.
int RunNumber(const indMemMapRow& row, indRuleRequest& r, int32_t* v)
{
    cmcCellCapsule& c = r.capsule;
    switch (row.codec) {
        case mmCodec::Choice: {
            ChoiceCodec codec;
            codec.listName = ListOf(row, r.ModelType());
            return codec.Run(c, v, r.repaint, r.opened);
        }
        case mmCodec::Int: {
            IntCodec codec;
            codec.min = row.a;
            codec.max = row.b;
            codec.offset = row.c;
            codec.saturate = (row.d & mmIntSaturate) != 0;
            codec.clamp = (row.d & mmIntClamp) != 0;
            return codec.Run(c, v, r.repaint, r.opened);
        }
        case mmCodec::Seconds: {
            SecondsCodec codec;
            codec.unitsPerSecond = row.a;
            codec.min = row.b;
            codec.max = row.c;
            codec.zerosToStrip = row.d;
            codec.offTextAllowed = (row.flags & mmZeroText) != 0;
            return codec.Run(c, v, r.repaint, r.opened);
        }
        case mmCodec::FixedPoint: {
            FixedPointCodec codec;
            codec.storedDecimals = row.c / 10;
            codec.shownDecimals = row.c % 10;
            codec.min = static_cast<double>(row.a) / Pow10(codec.storedDecimals);
            codec.max = static_cast<double>(row.b) / Pow10(codec.storedDecimals);
            codec.step = row.d > 0 ? row.d : 1;
            codec.steppingAllowed = (row.flags & mmNoStepping) == 0;
            return codec.Run(c, v, r.repaint, r.opened);
        }
        case mmCodec::MinSec: {
            MinSecCodec codec;
            codec.minSeconds = row.a;
            codec.maxSeconds = row.b;
            codec.stepSeconds = row.c;
            return codec.Run(c, v, r.repaint, r.opened);
        }
        case mmCodec::PaddedInt: {
            PaddedIntCodec codec;
            codec.min = row.a;
            codec.max = row.b;
            codec.width = row.c;
            return codec.Run(c, v, r.repaint, r.opened);
        }
        case mmCodec::HexDigits: {
            HexDigitsCodec codec;
            codec.digitCount = row.a;
            codec.lettersAllowed = row.b != 0;
            return codec.RunPacked(c, v, r.repaint, r.opened);
        }
        case mmCodec::FlagBits: {
            FlagBitsCodec codec;
            codec.firstBit = row.a;
            codec.lastBit = row.b;
            return indGenericRules::RunFlagBits(codec, c, v, r.repaint, r.opened);
        }
        case mmCodec::CodeNumber: {
            CodeNumberCodec codec;
            return codec.Run(c, v, r.repaint, r.opened);
        }
        case mmCodec::Digit: {
            DigitCodec codec;
            codec.fAllowed = row.a != 0;
            return codec.Run(c, v, r.repaint, r.opened);
        }
        default:
            return 0;
    }
}

// Codecs that work on the bytes themselves.
int RunBytes(const indMemMapRow& row, indRuleRequest& r, uint8_t* bytes)
{
    cmcCellCapsule& c = r.capsule;
    switch (row.codec) {
        case mmCodec::TextCodec: {
            TextCodec codec;
            codec.length = row.a;
            codec.variant = row.b;
            return codec.Run(c, bytes, r.repaint, r.opened);
        }
        case mmCodec::SegText: {
            SegmentTextCodec codec;
            codec.length = row.a;
            codec.userChars = r.Image() + kUserChars;
            return codec.Run(c, bytes, r.repaint, r.opened);
        }
        case mmCodec::Dtmf: {
            DtmfCodeCodec codec;
            codec.maxDigits = row.a;
            return codec.Run(c, bytes, bytes + (row.a + 1) / 2, r.repaint, r.opened);
        }
        case mmCodec::FiveTone: {
            FiveToneCodeCodec codec;
            codec.receive = row.a != 0;
            uint8_t noMarks = 0;  // transmit codes have no group marks
            return codec.Run(c, bytes, codec.receive ? bytes + 4 : &noMarks, r.repaint, r.opened);
        }
        case mmCodec::BitChoice: {
            BitChoiceCodec codec;
            codec.bitNumber = row.a;
            return codec.Run(c, bytes, indMemMapStorage::PartBytes(row.parts[0]), r.repaint,
                             r.opened);
        }
        default:
            return 0;
    }
}

bool Gated(const indMemMapRow& row, indRuleRequest& r)
{
    if ((row.flags & mmMaker) && !r.host.MakerMode())
        return true;
    if ((row.flags & mmNeedEacc) && (r.Image()[kAccessByte] & kEaccMask) == 0)
        return true;
    return false;
}

void AfterChange(const indMemMapRow& row)
{
    if (g_EvMan == nullptr)
        return;
    if (row.flags & mmEvent25)
        g_EvMan->Send(ev::kTreeRebuilt);
    if (row.flags & mmEvent13)
        g_EvMan->Post(ev::kRedrawAll);
}

}  // namespace

bool indGenericRules::Handle(indRuleRequest& r)
{
    const indMemMapRow* row = indMemMapTable::Find(r.id);
    if (row == nullptr || row->pattern == mmPattern::Special)
        return false;
    return Run(*row, r);
}

bool indGenericRules::Run(const indMemMapRow& row, indRuleRequest& r)
{
    cmcCellCapsule& c = r.capsule;
    // A cell that its mode does not allow stays empty and takes no input.
    if (Gated(row, r)) {
        c.text.clear();
        return true;
    }
    if (row.codec == mmCodec::Label) {
        // A row label on a scratch text: whatever is typed, the label stays.
        uint8_t label[12] = {};
        const std::string t = txt::Format(row.list, r.index);
        std::memcpy(label, t.data(), std::min<size_t>(t.size(), 11));
        TextCodec codec;
        codec.length = 11;
        codec.variant = TextCodec::kSpaceFilled;
        const int32_t mode = c.inputMode;
        c.inputMode = cmcCellCapsule::kInputKey;
        codec.Run(c, label, r.repaint, r.opened);
        c.inputMode = mode;
        return true;
    }
    if (row.pattern == mmPattern::Disabled || row.partCount == 0) {
        CodecProtocol::ShowDisabled(c);
        return true;
    }
    const int32_t addr = indMemMapStorage::Address(row, 0, r.index);
    if (addr < 0) {
        CodecProtocol::ShowDisabled(c);
        return true;
    }
    uint8_t* image = r.Image();
    // Display-only cells see neither typed text nor keys.
    const bool ro = (row.flags & mmReadOnly) != 0;
    const int32_t keptKey = c.key, keptMode = c.inputMode;
    cuiGrid* const keptGrid = c.grid;
    if (ro) {
        c.key = 0;
        c.inputMode = cmcCellCapsule::kInputKey;
        c.grid = nullptr;
    }

    int changed = 0;
    if (row.codec == mmCodec::Tone) {
        // The tone pair goes through the record, which knows the tone code's bits.
        datCh rec(r.WorkImage());
        rec.Load(row.kind, r.index);
        ToneCodec codec;
        codec.receive = row.a == 0;
        codec.modelType = r.ModelType();
        changed = codec.Run(c, rec.tone, r.repaint, r.opened);
        if (changed && !ro)
            rec.Save();
    } else if (row.pattern == mmPattern::Text || row.codec == mmCodec::BitChoice ||
               row.codec == mmCodec::FiveTone) {
        const int n = indMemMapStorage::PartBytes(row.parts[0]);
        uint8_t buf[256] = {};
        std::memcpy(buf, image + addr, static_cast<size_t>(n));
        changed = RunBytes(row, r, buf) != 0 && std::memcmp(buf, image + addr, n) != 0;
        if (changed && !ro)
            std::memcpy(image + addr, buf, static_cast<size_t>(n));
    } else {
        int32_t v = indMemMapStorage::Read(image, row, r.index);
        const int32_t before = v;
        changed = RunNumber(row, r, &v);
        changed = changed != 0 && v != before && !ro;
        if (changed)
            indMemMapStorage::Write(image, row, r.index, v);
        if ((row.flags & mmZeroText) && row.zeroText && v == 0 && c.key == 0 &&
            c.inputMode == cmcCellCapsule::kInputKey && CodecProtocol::Texts())
            c.text = CodecProtocol::Texts()->GetText(row.zeroText);
    }
    if (changed) {
        r.repaint |= cmcCellCapsule::kRepaintAllValues;
        AfterChange(row);
    }
    if (ro) {
        c.key = keptKey;
        c.inputMode = keptMode;
        c.grid = keptGrid;
    }
    return true;
}

int indGenericRules::RunFlagBits(const FlagBitsCodec& codec, cmcCellCapsule& capsule,
                                 int32_t* field, int& repaint, int& opened)
{
    // The codec reads flag k of a narrow field (at most 8 flags) at bit 7 - k of the value
    // and of a wider one at bit w - k; a field kept with its first flag in bit w - 1 (a scan
    // flag in bit 0, a 10-bit code-number field in bits 9..0) is moved there and back.
    const int w = codec.Width();
    const int up = w <= 8 ? 8 - w : 1;
    int32_t v = static_cast<int32_t>(static_cast<uint32_t>(*field) << up);
    const int changed = codec.Run(capsule, &v, repaint, opened);
    const int32_t mask = static_cast<int32_t>((1u << w) - 1u);
    const int32_t next = (static_cast<int32_t>(static_cast<uint32_t>(v) >> up)) & mask;
    if (changed && next != (*field & mask)) {
        *field = (*field & ~mask) | next;
        return 1;
    }
    return 0;
}
