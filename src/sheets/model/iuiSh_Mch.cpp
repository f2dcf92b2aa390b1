#include "sheets/model/iuiSh_Mch.h"

#include <algorithm>
#include <cstdlib>

#include "common/EventIds.h"
#include "common/cmcEeprom.h"
#include "common/cmcEvMan.h"
#include "model/datChBanks.h"
#include "overlay/cmcGTex.h"
#include "rules/indRulesHost.h"
#include "sheets/cuiGrid.h"
#include "sheets/model/cmcScrBlock.h"

namespace {
bool StartsWith(std::string_view s, std::string_view p)
{
    return s.substr(0, p.size()) == p;
}

int LanguageCount()
{
    if (!g_BaseGTex || !g_BaseGTex->HasKey("GI_Sys_Language"))
        return 0;
    int n = 0;
    while (n < iuiSh_Mch::kMaxLanguages) {
        const std::string line = g_BaseGTex->GetLine("GI_Sys_Language", n);
        if (!line.empty() && line[0] == '#')
            break;
        ++n;
    }
    return n;
}
}  // namespace

std::string iuiSh_Mch::SetParameter(const std::string& parameter)
{
    const std::string result = cuiSheet::SetParameter(parameter);
    const cmcScrBlock block(parameter);
    m_kind = parameter.empty() ? 0 : parameter[0];
    m_firstChannel = 0;
    m_channelCount = 0;
    indRulesHost* host = ModelHost();
    if (m_kind == 'M' && host)
        m_channelCount = std::clamp(datStatusCount(host->WorkImage()), 0, kMaxAliases);
    if (m_kind == 'C') {
        // The opening codec names the bank in the parameter ("C 2"); the rows it picks
        // carry it back.
        m_listBank = std::clamp(std::atoi(block.Arg(0).c_str()), 0, kDatBanks - 1);
        m_requestBank = m_listBank;
    }
    return result;
}

void iuiSh_Mch::ApplyRowDirective(std::string_view group)
{
    int n = 0;
    if (StartsWith(group, "Only_Print")) {
        SkipLines(group);
        return;
    }
    if (!StartsWith(group, "LoopFrom") || DirectiveNumber(group, &n)) {
        cuiSheet::ApplyRowDirective(group);
        return;
    }
    m_loopStart = m_currentLine;
    if (m_loopRow < 0)
        m_loopRow = static_cast<int>(m_rows.size());
    indRulesHost* host = ModelHost();
    int count = -1;
    if (IsPrinting()) {
        count = m_channelCount;
    } else if (m_kind == 'M' || m_kind == 'R') {
        count = m_channelCount + 1;
    } else if (m_kind == 'C') {
        const int first = host ? datChannelsBefore(host->WorkImage(), m_listBank) : 0;
        const int size = host ? datBankSize(host->WorkImage(), m_listBank) : 0;
        count = std::clamp(size, 0, std::max(0, kMaxChannels - first));
        if (count == 0)
            m_skipCount = 1;
    } else if (m_kind == 'Y') {
        count = LanguageCount();
        if (count == 0)
            m_skipCount = 1;
    }
    if (count < 0)
        return;  // the body shows once
    m_loopCount = count;
    m_loopRows = m_skipCount > 0 ? 0 : std::max(count, 1);
    if (!IsPrinting())
        m_selectState = false;
}

void iuiSh_Mch::ScanRows(const std::string& entry)
{
    m_loopRow = -1;
    m_loopRows = 0;
    cuiSheet::ScanRows(entry);
    for (clsSheeRowAtr& row : m_rows)
        row.selectable = true;
    if (!IsPrinting() && m_loopRow >= 0 && m_loopRows > 0 &&
        (m_kind == 'M' || m_kind == 'R' || m_kind == 'C' || m_kind == 'Y')) {
        const size_t last = static_cast<size_t>(m_loopRow + m_loopRows - 1);
        if (last < m_rows.size())
            m_rows[last].selectable = false;
    }
}

void iuiSh_Mch::Build()
{
    cuiSheet::Build();
    // The alias list grows by a row for each alias added, up to the most there can be.
    const int more = (m_kind == 'M' && !IsPrinting()) ? kMaxAliases - m_channelCount : 0;
    PrepareSpareRows(m_rowCount + std::max(0, more));
}

void iuiSh_Mch::FillCells(const std::string& entry)
{
    cuiSheet::FillCells(entry);
    UnselectHiddenColumns(*this);
}

void iuiSh_Mch::UnselectHiddenColumns(cuiSheet& sheet)
{
    for (int c = 0; c < sheet.ColCount(); ++c) {
        if (sheet.Grid()->ColWidth(c) != 0)
            continue;
        for (int r = 0; r < sheet.RowCount(); ++r) {
            cmcCellObj& cell = sheet.CellIdAt(c, r).cell;
            cell.marks = static_cast<uint8_t>(cell.marks & ~cmcCellObj::kMarkSelectable);
        }
    }
}

void iuiSh_Mch::BeforeRow(int row)
{
    if (row == m_loopRow)
        m_counters[0] = m_firstChannel;
}

void iuiSh_Mch::BeforeCell(int, int) {}

std::string iuiSh_Mch::GetPrintTitle()
{
    // Only the alias list prints a title of its own.
    return EntryName() == "GI_Sheet_MDC_AliasM" ? cuiSheet::GetPrintTitle() : std::string();
}

void iuiSh_Mch::HandleEvent(const cmcEvent& event)
{
    if (m_kind != 'M' || (event.id != ev::kAddRows && event.id != ev::kRemoveRows)) {
        cuiSheet::HandleEvent(event);
        return;
    }
    const int n = event.arg1 > 0 ? static_cast<int>(event.arg1) : 1;
    for (int i = 0; i < n; ++i) {
        if (event.id == ev::kAddRows) {
            if (m_channelCount >= kMaxAliases || !AddGridRow())
                break;
            ++m_channelCount;
        } else {
            if (m_channelCount <= 0 || !RemoveGridRow(m_loopRow))
                break;
            --m_channelCount;
        }
    }
}
