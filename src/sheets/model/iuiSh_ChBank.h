#pragma once
#include "sheets/cuiSheet.h"

// The memory channels of one bank (reference kind "St_ChBank", parameter "Bank" and the bank
// number). The channel loop of the overlay repeats its row once per channel of the bank plus
// once for the new-channel row, on which typing creates a channel; rows are added and
// removed as channels come and go, without a rebuild. The sheet on screen tells the rules
// which bank they work on.
class iuiSh_ChBank : public cuiSheet {
public:
    using cuiSheet::cuiSheet;
    ~iuiSh_ChBank() override;

    // The most channels the image stores.
    static constexpr int kMaxChannels = 16;

    std::string SetParameter(const std::string& parameter) override;
    void Show() override;
    void ApplyRowDirective(std::string_view group) override;
    void Build() override;
    void ScanRows(const std::string& entry) override;
    void BeforeRow(int row) override;
    void BeforeCell(int col, int row) override;
    bool IsPrintable() override;

    int Bank() const { return m_bank; }
    int ChannelCount() const { return m_channelCount; }
    int FirstChannel() const { return m_firstChannel; }
    int LoopRow() const { return m_loopRow; }
    // The bank sheet on screen, if any.
    static iuiSh_ChBank* OnScreen();

protected:
    void HandleEvent(const cmcEvent& event) override;

private:
    int m_loopRow = -1;
    int m_loopRows = 0;  // rows the channel loop made: the channels and the new row
    int m_bank = 0;
    int m_channelCount = 0;
    int m_firstChannel = 0;
};
