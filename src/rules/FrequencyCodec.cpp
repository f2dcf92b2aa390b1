#include "rules/FrequencyCodec.h"

#include "cells/CodecProtocol.h"
#include "cells/cmcCellObj.h"
#include "model/datCh.h"
#include "platform/TextUtil.h"

namespace {

void SetAlign(cmcCellCapsule& capsule, int align)
{
    if (capsule.cell != nullptr)
        capsule.cell->layout =
            static_cast<uint8_t>((capsule.cell->layout & ~cmcCellObj::kHAlignMask) | align);
}

}  // namespace

std::string FrequencyCodec::Text(uint32_t hertz)
{
    return txt::Format("%d.%06d", static_cast<int>(hertz / 1000000),
                       static_cast<int>(hertz % 1000000));
}

uint32_t FrequencyCodec::CompleteToGrid(uint32_t f, bool wideGrid)
{
    uint32_t d = 1;
    while (d < 100000 && f % (d * 10) == 0)
        d *= 10;
    const uint32_t step = wideGrid ? 1250 : 625;
    const uint32_t a = wideGrid ? 5000 : 2500;
    const uint32_t b = wideGrid ? 6250 : 3125;
    const uint64_t last = static_cast<uint64_t>(f) + d - 1;
    for (uint64_t r = f / 100000 * 100000; r <= last; r += step) {
        if (r >= f && (r % a == 0 || r % b == 0))
            return static_cast<uint32_t>(r);
    }
    return 0;
}

int FrequencyCodec::Run(cmcCellCapsule& capsule, datCh* ch, int& /*repaint*/, int& opened) const
{
    if (capsule.context != nullptr)
        return 0;
    const bool wasInUse = ch->InUse();
    uint32_t value = receive ? ch->freqR : ch->freqT;
    bool unconfirmed = receive ? !wasInUse : (ch->status & datCh::kStatusUnconfirmedT) != 0;
    int changed = 0;

    if (capsule.inputMode == cmcCellCapsule::kInputText) {
        std::string typed = CodecProtocol::KeepChars(capsule.inputText, "0123456789.");
        if (typed.size() > 9)
            typed.resize(9);
        double hz = CodecProtocol::ReadReal(typed) * 1000000.0 + 0.5;
        if (hz > 799999999.5)
            hz = 799999999.5;
        if (hz < 0)
            hz = 0;
        const uint32_t g = CompleteToGrid(static_cast<uint32_t>(hz));
        if (g > 0 && !typed.empty()) {
            if (receive && ch->freqR == ch->freqT)
                ch->freqT = g;
            value = g;
            unconfirmed = false;
            changed = 1;
        }
    }
    if (value > datCh::kMaxFrequency)
        value = datCh::kMaxFrequency;

    SetAlign(capsule, 2);
    const std::string text = Text(value);
    CodecProtocol::Show(capsule, text);

    if (CodecProtocol::HandlesKeys(capsule)) {
        const int32_t key = capsule.key;
        const char c = CodecProtocol::TypedChar(key);
        if (key == cmcCellCapsule::kKeyEnter || key == cmcCellCapsule::kKeySpace ||
            key == cmcCellCapsule::kKeyBackspace) {
            CodecProtocol::OpenEditor(capsule, wasInUse ? text : std::string(), opened);
        } else if (c == '.') {
            CodecProtocol::OpenEditor(capsule, text, opened);
            capsule.selStart = static_cast<int32_t>(text.find('.')) + 1;
            capsule.selLength = 0;
        } else if (c == '=' && !receive) {
            CodecProtocol::OpenEditor(capsule, Text(ch->freqR), opened);
        } else if (CodecProtocol::IsDigitKey(key)) {
            CodecProtocol::OpenEditorWith(capsule, c, opened);
        }
    }

    // Store
    if (receive) {
        ch->freqR = value;
        if (!wasInUse) {
            ch->status = unconfirmed ? (ch->status | datCh::kStatusUnconfirmedR)
                                     : (ch->status & ~datCh::kStatusUnconfirmedR);
            ch->freqT = value;
        }
        ch->SetInUse(!unconfirmed);
    } else {
        ch->freqT = value;
    }

    // Final display
    if (opened != cmcCellCapsule::kResultEditor) {
        if (!ch->InUse()) {
            CodecProtocol::Show(capsule, "");
        } else if (!receive && ch->freqT == ch->freqR) {
            CodecProtocol::Show(capsule, "<-");
            SetAlign(capsule, 1);
        }
    }
    return changed;
}
