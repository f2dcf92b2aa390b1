#include "rules/indCheckList.h"

#include <span>

#include "cells/cmcCellIds.h"
#include "cells/cmcCellObj.h"
#include "common/cmcEeprom.h"
#include "model/datChBanks.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "rules/indActiveCell.h"
#include "rules/indRulesHost.h"

namespace {

constexpr int kMaxChannels = 16;

std::string Caption(const cmcCellObj& cell)
{
    std::string t = cell.Text();
    for (char& ch : t)
        if (ch == '_')
            ch = ' ';
    return txt::Trim(t);
}

// The cells of a sheet, line by line; line 0 is the header row with the column captions.
std::vector<std::vector<cmcCellObj>> ParseSheet(cmcGTex& texts, const std::string& entry)
{
    cmcCellObj basic;
    cmcCounters counters{};
    std::vector<std::vector<cmcCellObj>> rows;
    basic.ParseCell(texts.GetLine(entry + "_BasicCell", 0), nullptr, &counters);
    for (const std::string& line : txt::Split(texts.GetLines(entry + "_Cells"), '\n')) {
        std::vector<cmcCellObj> row;
        std::string rest = line;
        while (!rest.empty()) {
            cmcCellObj cell;
            rest = cell.ParseCell(rest, &basic, &counters);
            cell.counters = nullptr;
            row.push_back(std::move(cell));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string EntryOf(const std::string& reference)
{
    std::string entry = reference.substr(0, reference.find(','));
    const size_t close = entry.find(']');
    return close == std::string::npos ? entry : entry.substr(close + 1);
}

std::string TitleOf(cmcGTex& texts, const std::string& entry)
{
    const std::string style = txt::UpTo(texts.GetLine(entry + "_Style", 0), ")");
    const size_t at = style.find("TitleString=");
    return at == std::string::npos ? entry : style.substr(at + 12);
}

bool IsSetting(const cmcCellObj& cell)
{
    return cell.id != kNoId && cell.id != CL_Null && cell.category != kNoCategory;
}

bool IsChannelCell(const cmcCellObj& cell)
{
    return cell.category == CT_Mch || cell.category == CT_Mch_Check;
}

}  // namespace

std::vector<indCheckList::Check> indCheckList::Checks(cmcGTex& texts,
                                                      const std::string& modelTypeName)
{
    std::vector<Check> checks;
    for (int n = 0;; ++n) {
        const std::string line = texts.GetLine("GI_WarningCheckList", n);
        if (line.empty() || line[0] == '#')
            break;
        checks.push_back({line, -1});
    }
    for (int b = 0; b < kDatBanks; ++b)
        checks.push_back({txt::Format("{(%%CL_Check_Mch:[St_ChBank]GI_Sheet_Mch_%s,Bank %d)}",
                                      modelTypeName.c_str(), b),
                          b});
    return checks;
}

std::vector<indCheckList::Finding> indCheckList::Run(indActiveCell& rules, cmcGTex& texts,
                                                     const std::vector<Check>& checks)
{
    std::vector<Finding> errors, warnings;
    for (const Check& check : checks) {
        cmcCellObj cell;
        cell.ParseCell(check.definition, nullptr, nullptr);
        cmcCellCapsule capsule;
        capsule.cell = &cell;
        if (check.bank >= 0) {
            cell.index = check.bank;
            capsule.bank = check.bank;
        }
        rules.Run(capsule, 0);
        const std::string reference = cell.altText.value_or("");
        const bool error = capsule.flags & cmcCellCapsule::kFlagError;
        if (!error && !(capsule.flags & cmcCellCapsule::kFlagWarning))
            continue;
        const uint8_t flag = error ? cmcCellCapsule::kFlagError : cmcCellCapsule::kFlagWarning;
        for (indCompare::Difference& d : Locate(rules, texts, reference, check.bank, flag))
            (error ? errors : warnings).push_back({error, std::move(d)});
    }
    errors.insert(errors.end(), warnings.begin(), warnings.end());
    return errors;
}

std::vector<indCompare::Difference> indCheckList::Locate(indActiveCell& rules, cmcGTex& texts,
                                                         const std::string& reference, int bank,
                                                         uint8_t flag)
{
    const std::string entry = EntryOf(reference);
    const std::string title = TitleOf(texts, entry);
    std::vector<indCompare::Difference> out;
    const auto rows = ParseSheet(texts, entry);
    // The channels a bank sheet repeats its channel row for.
    int first = 0, count = 0;
    if (bank >= 0 && bank < kDatBanks) {
        const cmcEeprom& work = rules.Host().WorkImage();
        const std::span<const uint8_t> image(work.Data(), static_cast<size_t>(work.GetSize()));
        first = std::min(datChannelsBefore(image, bank), kMaxChannels);
        count = std::clamp(datBankSize(image, bank), 0, kMaxChannels - first);
    }
    auto add = [&](const std::vector<cmcCellObj>& row, size_t c, int32_t index) {
        cmcCellObj cell = row[c];
        cell.index = index;
        uint8_t flags = rules.EvaluateFlags(cell.category, cell.id, index);
        if (cell.category == CT_Mch)
            flags |= rules.EvaluateFlags(CT_Mch_Check, cell.id, index);
        if (!(flags & flag))
            return;
        indCompare::Difference d;
        d.sheet = title;
        if (IsSetting(row[0])) {
            cmcCellObj head = row[0];
            head.index = index;
            // "No. 3": the row's own number under the caption of its column.
            const std::string number = rules.EvaluateText(head, 0);
            const std::string caption = rows[0].empty() ? std::string() : Caption(rows[0][0]);
            d.row = caption.empty() ? number : caption + " " + number;
        } else {
            d.row = Caption(row[0]);
        }
        d.column = !rows.empty() && c < rows[0].size() ? Caption(rows[0][c]) : std::string();
        d.valueA = rules.EvaluateText(cell, 0);
        d.entry = reference;
        d.category = cell.category;
        d.id = cell.id;
        d.index = index;
        out.push_back(std::move(d));
    };
    for (size_t r = 1; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const cmcCellObj& cell = rows[r][c];
            if (!IsSetting(cell) || (c == 0 && rows[r].size() > 1 && IsChannelCell(cell)))
                continue;
            if (bank >= 0 && IsChannelCell(cell))
                for (int ch = first; ch < first + count; ++ch)
                    add(rows[r], c, ch);
            else
                add(rows[r], c, cell.index);
        }
    if (out.empty()) {
        indCompare::Difference d;
        d.sheet = title;
        d.entry = reference;
        out.push_back(std::move(d));
    }
    return out;
}
