#include "rules/BankChannelCodec.h"

#include "cells/ChoiceCodec.h"
#include "cells/CodecProtocol.h"
#include "cells/ICellPopups.h"
#include "model/datChBanks.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"

int32_t BankChannelCodec::ExistingChannels(indMemMap::ConstImage image)
{
    const int32_t total = datTotalChannels(image);
    return total < kNone ? total : kNone;
}

int32_t BankChannelCodec::ChosenChannel(indMemMap::ConstImage image, const cmcCellCapsule& choice,
                                        int32_t position)
{
    const int32_t bank = choice.context ? choice.context->bank : 0;
    if (bank < 0 || bank >= kDatBanks)
        return kNone;
    return datChannelsBefore(image, bank) + position;
}

std::string BankChannelCodec::ListParameter(const std::string& kind, int32_t bank)
{
    return txt::Format("%s %d", kind.c_str(), bank);
}

std::string BankChannelCodec::ChannelText(indMemMap::ConstImage image, int32_t channel)
{
    if (channel < 0 || channel >= ExistingChannels(image))
        return std::string();
    const int32_t bank = datBankOfChannel(image, channel);
    cmcGTex* texts = CodecProtocol::Texts();
    return txt::Format("%d-%d%s", bank + 1, channel - datChannelsBefore(image, bank) + 1,
                       texts ? texts->GetText("GI_AddCH").c_str() : "");
}

int BankChannelCodec::Run(cmcCellCapsule& capsule, int32_t* channel, int& /*repaint*/,
                          int& opened) const
{
    int changed = 0;
    int32_t chosen = 0;
    if (CodecProtocol::ChoiceFor(capsule, FlexZoneSel, &chosen)) {
        if (chosen > 7) {
            *channel = kNone;
            changed = 1;
        } else if (chosen >= 0 && datBankSize(image, chosen) > 0) {
            int32_t start = *channel - datChannelsBefore(image, chosen);
            if (start < 0 || start >= datBankSize(image, chosen))
                start = 0;
            if (g_CellPopups != nullptr) {
                // The list learns its bank from its parameter ("C 2").
                g_CellPopups->OpenModelChoiceList(capsule, FlexCHSel, start, CodecProtocol::Texts(),
                                                  kChannelList,
                                                  ListParameter(listParameter, chosen));
                opened = cmcCellCapsule::kResultPopup;
            }
        } else {
            ChoiceCodec::OpenList(capsule, FlexZoneSel, chosen, kBankList, opened);
        }
    } else if (CodecProtocol::ChoiceFor(capsule, FlexCHSel, &chosen)) {
        *channel = ChosenChannel(image, capsule, chosen);
        changed = 1;
    } else if (capsule.context != nullptr) {
        return 0;
    }

    if (CodecProtocol::HandlesKeys(capsule)) {
        const int32_t key = capsule.key;
        const int32_t count = ExistingChannels(image);
        const int32_t v = *channel;
        if (key == cmcCellCapsule::kKeySpace || key == cmcCellCapsule::kKeyBackspace) {
            // From none, or from a channel that no longer exists, go to the first or last
            // channel; without channels the value stays.
            const bool next = key == cmcCellCapsule::kKeySpace;
            if (count > 0) {
                int32_t n;
                if (v < 0 || v >= count)
                    n = next ? 0 : count - 1;
                else if (next)
                    n = v + 1 < count ? v + 1 : 0;
                else
                    n = v > 0 ? v - 1 : count - 1;
                if (n != v) {
                    *channel = n;
                    changed = 1;
                }
            }
        } else if (key >= 1 && key <= 255) {
            const int32_t bank = v >= 0 && v < count ? datBankOfChannel(image, v) : 8;
            ChoiceCodec::OpenList(capsule, FlexZoneSel, bank, kBankList, opened);
        }
    }

    const std::string text = ChannelText(image, *channel);
    CodecProtocol::Show(capsule, text.empty() ? "Null" : text);
    return changed;
}
