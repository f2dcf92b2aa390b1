#include "rules/indChannelCompare.h"

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellIds.h"
#include "cells/cmcCellObj.h"
#include "common/cmcEeprom.h"
#include "model/datChBanks.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "rules/indActiveCell.h"
#include "rules/indRulesHost.h"

namespace {

constexpr int kChannels = 16;

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

bool IsChannelCell(const cmcCellObj& cell)
{
    return cell.id != kNoId && cell.id != CL_Null &&
           (cell.category == CT_Mch || cell.category == CT_Mch_Check);
}

}  // namespace

std::vector<indCompare::Difference> indChannelCompare::Run(indActiveCell& rules, cmcGTex& texts,
                                                           const cmcEeprom& a, const cmcEeprom& b,
                                                           const std::string& modelTypeName)
{
    const std::string entry = "GI_Sheet_Mch_" + modelTypeName;
    std::vector<indCompare::Difference> out;
    if (!texts.HasKey(entry + "_Cells"))
        return out;
    cmcCellObj basic;
    cmcCounters counters{};
    basic.ParseCell(texts.GetLine(entry + "_BasicCell", 0), nullptr, &counters);
    std::vector<cmcCellObj> header, row;
    for (const std::string& line : txt::Split(texts.GetLines(entry + "_Cells"), '\n')) {
        if (line.empty() || line[0] == ':')
            continue;  // the loop's directives
        std::vector<cmcCellObj> cells = ParseLine(line, basic, counters);
        if (header.empty())
            header = std::move(cells);
        else if (!cells.empty() && IsChannelCell(cells[0]))
            row = std::move(cells);
    }
    if (row.empty())
        return out;
    const std::string style = txt::UpTo(texts.GetLine(entry + "_Style", 0), ")");
    const size_t at = style.find("TitleString=");
    const std::string title = at == std::string::npos ? entry : style.substr(at + 12);

    // Either image may be the host's working image itself, which the loop below overwrites
    // with the other: the compare runs on copies.
    cmcEeprom imageA, imageB;
    imageA.Assign(a);
    imageB.Assign(b);
    cmcEeprom& work = rules.Host().WorkImage();
    cmcEeprom kept;
    kept.Assign(work);
    // texts[pass][channel * columns + column]; the row caption from the first image.
    std::vector<std::string> shown[2];
    std::vector<std::string> numbers;
    for (int pass = 0; pass < 2; ++pass) {
        work.Assign(pass == 0 ? imageA : imageB);
        for (int ch = 0; ch < kChannels; ++ch) {
            // Each channel is drawn in the bank this image keeps it in; one it does not keep
            // is blank.
            const int32_t bank = datBankOfChannel(work, ch);
            for (size_t c = 0; c < row.size(); ++c) {
                cmcCellObj cell = row[c];
                cell.index = ch;
                std::string text;
                if (IsChannelCell(cell) && bank < kDatBanks) {
                    cmcCellCapsule capsule;
                    capsule.cell = &cell;
                    capsule.bank = bank;
                    rules.Run(capsule, 0);
                    // One line, as the cell shows it.
                    for (char& t : capsule.text)
                        if (t == '\n' || t == '\r')
                            t = ' ';
                    text = txt::Trim(capsule.text);
                }
                shown[pass].push_back(text);
                if (pass == 0 && c == 0)
                    numbers.push_back(text);
            }
        }
    }
    work.Assign(kept);
    const std::string numberCaption = header.empty() ? std::string() : Caption(header[0]);
    for (int ch = 0; ch < kChannels; ++ch)
        for (size_t c = 1; c < row.size(); ++c) {
            const size_t k = static_cast<size_t>(ch) * row.size() + c;
            if (shown[0][k] == shown[1][k])
                continue;
            indCompare::Difference d;
            d.sheet = title;
            const std::string number = numbers[static_cast<size_t>(ch)].empty()
                                           ? std::to_string(ch + 1)
                                           : numbers[static_cast<size_t>(ch)];
            d.row = numberCaption.empty() ? number : numberCaption + " " + number;
            d.column = c < header.size() ? Caption(header[c]) : std::string();
            d.valueA = shown[0][k];
            d.valueB = shown[1][k];
            d.entry = entry;
            d.category = row[c].category;
            d.id = row[c].id;
            d.index = ch;
            out.push_back(std::move(d));
        }
    return out;
}
