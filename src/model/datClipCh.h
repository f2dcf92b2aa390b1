#pragma once
#include "model/cmcClipCh.h"

// The channel clipboard: a record stored into a row keeps what belongs to the row rather
// than to the channel. By default a channel keeps its own priority and special-channel
// flags and takes the row's special-channel-off and bank flags; PasteKeep makes it take all
// of the row's attribute flags, so that pasting over a priority channel leaves the
// priority where it was.
class datClipCh : public cmcClipCh {
public:
    void StoreOne(cmcEeprom& image, int32_t kind, int32_t index, datCh& record) override;
    void PasteKeep(cmcEeprom& image, int32_t kind, int32_t first, int32_t count);

private:
    datCh m_scratch;
    bool m_keepAttributes = false;
};
