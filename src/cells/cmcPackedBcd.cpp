#include "cells/cmcPackedBcd.h"

#include "platform/TextUtil.h"

void cmcPackedBcd::WriteTo(uint8_t* bytes) const
{
    for (int32_t i = 0; i < Size(); ++i)
        txt::SetNibble(bytes, i, Data()[i]);
}
