#include "sheets/model/iuiSh_ChBank.h"

#include <algorithm>
#include <cstdlib>

#include "common/EventIds.h"
#include "common/cmcEeprom.h"
#include "common/cmcEvMan.h"
#include "model/datChBanks.h"
#include "rules/indRulesHost.h"
#include "sheets/model/cmcScrBlock.h"

namespace {
iuiSh_ChBank* s_onScreen = nullptr;

bool StartsWith(std::string_view s, std::string_view p)
{
    return s.substr(0, p.size()) == p;
}
}  // namespace

iuiSh_ChBank::~iuiSh_ChBank()
{
    if (s_onScreen == this)
        s_onScreen = nullptr;
}

iuiSh_ChBank* iuiSh_ChBank::OnScreen()
{
    return s_onScreen;
}

std::string iuiSh_ChBank::SetParameter(const std::string& parameter)
{
    const std::string result = cuiSheet::SetParameter(parameter);
    const cmcScrBlock block(parameter);
    if (block.Command() == "Bank" && !block.Arg(0).empty())
        m_bank = std::clamp(std::atoi(block.Arg(0).c_str()), 0, kDatBanks - 1);
    if (indRulesHost* host = ModelHost()) {
        const cmcEeprom& image = host->WorkImage();
        m_firstChannel = std::min(datChannelsBefore(image, m_bank), kMaxChannels);
        // Counts past the stored channels have no records: the sheet never shows them.
        m_channelCount = std::clamp(datBankSize(image, m_bank), 0, kMaxChannels - m_firstChannel);
    }
    return result;
}

void iuiSh_ChBank::Show()
{
    if (!IsPrinting() && !PopupMode())
        s_onScreen = this;
    cuiSheet::Show();
    if (g_EvMan)
        g_EvMan->Send(ev::kImageChanged);
}

void iuiSh_ChBank::ApplyRowDirective(std::string_view group)
{
    int n = 0;
    if (StartsWith(group, "LoopFrom") && !DirectiveNumber(group, &n)) {
        m_loopStart = m_currentLine;
        // On screen one row more than there are channels: the new-channel row.
        m_loopCount = IsPrinting() ? m_channelCount : m_channelCount + 1;
        m_loopRows = std::max(m_loopCount, 1);
        if (m_loopRow < 0)
            m_loopRow = static_cast<int>(m_rows.size());
        return;
    }
    cuiSheet::ApplyRowDirective(group);
}

void iuiSh_ChBank::ScanRows(const std::string& entry)
{
    m_loopRow = -1;
    cuiSheet::ScanRows(entry);
    // Every row may join a multi-selection except the new-channel row.
    for (clsSheeRowAtr& row : m_rows)
        row.selectable = true;
    if (!IsPrinting() && m_loopRow >= 0) {
        const size_t last = static_cast<size_t>(m_loopRow + m_loopRows - 1);
        if (last < m_rows.size())
            m_rows[last].selectable = false;
    }
}

void iuiSh_ChBank::Build()
{
    cuiSheet::Build();
    // Room for every channel the bank can still get, so that rows are only ever shown or
    // hidden, never built again.
    const int more = IsPrinting() ? 0 : kMaxChannels - m_firstChannel - m_channelCount;
    PrepareSpareRows(m_rowCount + std::max(0, more));
}

void iuiSh_ChBank::BeforeRow(int row)
{
    if (row == m_loopRow)
        m_counters[0] = m_firstChannel;
}

void iuiSh_ChBank::BeforeCell(int, int) {}

bool iuiSh_ChBank::IsPrintable()
{
    return cuiSheet::IsPrintable() && m_channelCount > 0;
}

void iuiSh_ChBank::HandleEvent(const cmcEvent& event)
{
    switch (event.id) {
        case ev::kQueryBankSelection:
            if ((event.arg2 == ev::kBankOfAsker &&
                 event.arg1 == reinterpret_cast<intptr_t>(static_cast<cuiSheet*>(this))) ||
                (event.arg2 == ev::kBankOnScreen && s_onScreen == this)) {
                if (g_EvMan)
                    g_EvMan->Answer(m_bank, m_firstChannel);
            }
            return;
        case ev::kAddRows:
            // Only the sheet on screen shows the bank being edited.
            if (s_onScreen == this && AddGridRow())
                ++m_channelCount;
            return;
        case ev::kRemoveRows:
            if (s_onScreen == this && m_channelCount > 0 && RemoveGridRow(m_loopRow))
                --m_channelCount;
            return;
        default:
            cuiSheet::HandleEvent(event);
    }
}
