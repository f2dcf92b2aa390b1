#pragma once
#include "sheets/cuiSheet.h"

// Lists whose length follows the image, chosen by the first character of the parameter:
// "M" the MDC aliases (one row more than there are, for a new alias), "C" the channels of a
// bank (the bank is the parameter's first argument, "C 2"; every request of the list names
// it, so a picked row tells its opener which bank it belongs to), "Y" the languages of the
// base overlay, "R" a single row. "Only_Print" lines never show.
class iuiSh_Mch : public cuiSheet {
public:
    using cuiSheet::cuiSheet;

    static constexpr int kMaxAliases = 5;
    static constexpr int kMaxChannels = 16;
    static constexpr int kMaxLanguages = 255;

    std::string SetParameter(const std::string& parameter) override;
    void ApplyRowDirective(std::string_view group) override;
    void Build() override;
    void ScanRows(const std::string& entry) override;
    void FillCells(const std::string& entry) override;
    void BeforeRow(int row) override;
    void BeforeCell(int col, int row) override;
    std::string GetPrintTitle() override;

    char Kind() const { return m_kind; }
    int ChannelCount() const { return m_channelCount; }
    int ListBank() const { return m_listBank; }

    // Clears the selectable mark of every cell of each zero-width column.
    static void UnselectHiddenColumns(cuiSheet& sheet);

protected:
    void HandleEvent(const cmcEvent& event) override;

private:
    char m_kind = 0;
    int m_loopRow = -1;
    int m_loopRows = 0;
    int m_channelCount = 0;
    int m_firstChannel = 0;
    int m_listBank = 0;
};
