#include "cells/BitChoiceCodec.h"

#include "cells/ChoiceCodec.h"
#include "platform/TextUtil.h"

int BitChoiceCodec::Run(cmcCellCapsule& capsule, uint8_t* bytes, int byteCount, int& repaint,
                        int& opened) const
{
    if (bitNumber < 0 || bitNumber / 8 >= byteCount)
        return 0;
    int32_t v = txt::GetBitMsb(bytes, bitNumber) ? 1 : 0;
    const int changed = ChoiceCodec{"GI_Sheet_Sel_UserSetEnable", Flex0, std::nullopt}.Run(
        capsule, &v, repaint, opened);
    if (changed)
        txt::SetBitMsb(bytes, bitNumber, v != 0);
    return changed;
}
