#include "rules/indChannelCompare.h"

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellIds.h"
#include "cells/cmcCellObj.h"
#include "common/cmcEeprom.h"
#include "model/datChBanks.h"
#include "model/indDocument.h"
#include "overlay/OverlayFormat.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "rules/indActiveCell.h"
#include "rules/indRulesHost.h"

namespace {

bool StartsWith(const std::string& s, const char* prefix)
{
    return s.rfind(prefix, 0) == 0;
}

// A header caption without the padding that widens its column.
std::string Caption(const cmcCellObj& cell)
{
    std::string t = cell.Text();
    for (char& ch : t)
        if (ch == '_')
            ch = ' ';
    return txt::Trim(t);
}

std::vector<cmcCellObj> ParseLine(const std::string& line, cmcCellObj& basic, cmcCounters& counters)
{
    std::vector<cmcCellObj> row;
    std::string rest = line;
    while (!rest.empty()) {
        cmcCellObj cell;
        rest = cell.ParseCell(rest, &basic, &counters);
        cell.counters = nullptr;
        row.push_back(std::move(cell));
    }
    return row;
}

}  // namespace

std::string indChannelCompare::SheetOf(int modelType)
{
    return std::string("GI_Sheet_Mch_") + indDocument::ModelTypeName(modelType);
}

std::vector<indCompare::Difference> indChannelCompare::Run(indActiveCell& rules, cmcGTex& texts,
                                                           const cmcEeprom& a, const cmcEeprom& b,
                                                           const std::string& entry,
                                                           const std::string& rowCaption)
{
    std::vector<indCompare::Difference> out;
    if (!texts.HasKey(entry + "_Cells"))
        return out;
    // The header line and the channel row the sheet repeats between its loop directives.
    std::string header, channelRow;
    bool inLoop = false;
    for (const std::string& line : txt::Split(texts.GetLines(entry + "_Cells"), '\n')) {
        if (StartsWith(line, ":(LoopFrom"))
            inLoop = true;
        else if (StartsWith(line, ":(LoopTo"))
            inLoop = false;
        else if (inLoop && channelRow.empty())
            channelRow = line;
        else if (!inLoop && header.empty())
            header = line;
    }
    if (channelRow.empty())
        return out;
    cmcCellObj basic;
    cmcCounters counters{};
    basic.ParseCell(texts.GetLine(entry + "_BasicCell", 0), nullptr, &counters);
    const std::vector<cmcCellObj> heads = ParseLine(header, basic, counters);
    std::string title = txt::UpTo(texts.GetLine(entry + "_Style", 0), ")");
    const size_t at = title.find("TitleString=");
    title = at == std::string::npos ? entry : title.substr(at + 12);

    // Either image may be the host's working image itself, which the loop below overwrites.
    cmcEeprom imageA, imageB, kept;
    imageA.Assign(a);
    imageB.Assign(b);
    cmcEeprom& work = rules.Host().WorkImage();
    kept.Assign(work);
    for (int channel = 0; channel < kChannels; ++channel) {
        counters[0] = channel;
        const std::vector<cmcCellObj> row = ParseLine(channelRow, basic, counters);
        std::vector<std::string> shown[2];
        for (int pass = 0; pass < 2; ++pass) {
            work.Assign(pass == 0 ? imageA : imageB);
            const int32_t bank = datBankOfChannel(work, channel);
            for (const cmcCellObj& cell : row) {
                std::string text;
                if (bank < kDatBanks && cell.id != kNoId && cell.id != CL_Null) {
                    cmcCellObj copy(cell);
                    cmcCellCapsule capsule;
                    capsule.cell = &copy;
                    capsule.bank = bank;
                    rules.Run(capsule, 0);
                    // One line, as the cell shows it.
                    text = capsule.text;
                    for (char& ch : text)
                        if (ch == '\n' || ch == '\r')
                            ch = ' ';
                    text = txt::Trim(text);
                }
                shown[pass].push_back(text);
            }
        }
        // The row goes by the channel's number as the sheet shows it.
        const std::string number = !shown[0].empty() && !shown[0][0].empty() ? shown[0][0]
                                   : !shown[1].empty()                       ? shown[1][0]
                                                                             : std::string();
        for (size_t c = 0; c < row.size(); ++c) {
            if (shown[0][c] == shown[1][c])
                continue;
            indCompare::Difference d;
            d.sheet = title;
            d.row = OvlFormat(rowCaption, {number.empty() ? std::to_string(channel + 1) : number});
            d.column = c < heads.size() ? Caption(heads[c]) : std::string();
            d.valueA = shown[0][c];
            d.valueB = shown[1][c];
            d.entry = entry;
            d.category = row[c].category;
            d.id = row[c].id;
            d.index = row[c].index;
            out.push_back(std::move(d));
        }
    }
    work.Assign(kept);
    return out;
}
