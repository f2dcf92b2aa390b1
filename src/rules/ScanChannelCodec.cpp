#include "rules/ScanChannelCodec.h"

#include "cells/ChoiceCodec.h"
#include "cells/CodecProtocol.h"
#include "cells/ICellPopups.h"
#include "model/datChBanks.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "rules/BankChannelCodec.h"

const char* ScanChannelCodec::ModeList(int which)
{
    switch (which) {
        case kPriority2:
            return "GI_Sheet_Sel_ScanPrio2CH";
        case kTransmit:
            return "GI_Sheet_Sel_ScanTXCH";
        default:
            return "GI_Sheet_Sel_ScanPrio1CH";
    }
}

namespace {

void OpenChannels(const ScanChannelCodec& codec, cmcCellCapsule& capsule, int32_t bank,
                  int32_t channel, int& opened)
{
    int32_t start = channel - datChannelsBefore(codec.image, bank);
    if (start < 0 || start >= datBankSize(codec.image, bank))
        start = 0;
    if (g_CellPopups == nullptr)
        return;
    g_CellPopups->OpenModelChoiceList(capsule, FlexCHSel, start, CodecProtocol::Texts(),
                                      ScanChannelCodec::kChannelList,
                                      BankChannelCodec::ListParameter(codec.listParameter, bank));
    opened = cmcCellCapsule::kResultPopup;
}

}  // namespace

int ScanChannelCodec::Run(cmcCellCapsule& capsule, int32_t* mode, int32_t* channel,
                          int32_t* modeFlag, int& repaint, int& opened) const
{
    const char* list = ModeList(which);
    int changed = 0;
    int32_t chosen = 0;
    if (CodecProtocol::ChoiceFor(capsule, Flex0, &chosen)) {
        *mode = chosen;
        changed = 1;
        if (chosen == kFixedChannel) {
            const int32_t holding = datBankOfChannel(image, *channel);
            OpenChannels(*this, capsule, holding < kDatBanks ? holding : bank, *channel, opened);
        }
    } else if (CodecProtocol::ChoiceFor(capsule, FlexZoneSel, &chosen)) {
        if (chosen >= 0 && chosen < kDatBanks && datBankSize(image, chosen) > 0)
            OpenChannels(*this, capsule, chosen, *channel, opened);
        else
            ChoiceCodec::OpenList(capsule, FlexZoneSel, chosen, kBankList, opened);
    } else if (CodecProtocol::ChoiceFor(capsule, FlexCHSel, &chosen)) {
        *channel = BankChannelCodec::ChosenChannel(image, capsule, chosen);
        changed = 1;
    } else if (capsule.context != nullptr) {
        return 0;
    } else {
        ChoiceCodec codec;
        codec.listName = list;
        changed = codec.Run(capsule, mode, repaint, opened);
    }
    if (changed && which == kPriority2 && modeFlag != nullptr)
        *modeFlag = *mode != 0 ? 1 : 0;

    if (opened != cmcCellCapsule::kResultEditor) {
        if (*mode == kFixedChannel) {
            const int32_t bank = datBankOfChannel(image, *channel);
            const int32_t position =
                bank < kDatBanks ? *channel - datChannelsBefore(image, bank) : *channel;
            cmcGTex* texts = CodecProtocol::Texts();
            CodecProtocol::Show(
                capsule,
                txt::Format("%d%s", position + 1, texts ? texts->GetText("GI_AddCH").c_str() : ""));
        } else {
            CodecProtocol::Show(capsule, ChoiceCodec::NameOf(list, Flex0, *mode));
        }
    }
    return changed;
}
