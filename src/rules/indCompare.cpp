#include "rules/indCompare.h"

#include <algorithm>
#include <vector>

#include "cells/cmcCellObj.h"
#include "common/cmcEeprom.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "rules/indActiveCell.h"
#include "rules/indChannelCompare.h"
#include "rules/indRulesHost.h"

namespace {

// A caption as a sheet shows it: the padding that widens a header column is not part of it.
std::string Caption(const cmcCellObj& cell)
{
    std::string t = cell.Text();
    for (char& ch : t)
        if (ch == '_')
            ch = ' ';
    return txt::Trim(t);
}

// The cells of a sheet, line by line, with the header row (line 0) kept for the captions.
std::vector<std::vector<cmcCellObj>> ParseSheet(cmcGTex& texts, const std::string& entry,
                                                cmcCellObj& basic, cmcCounters& counters)
{
    std::vector<std::vector<cmcCellObj>> rows;
    basic.ParseCell(texts.GetLine(entry + "_BasicCell", 0), nullptr, &counters);
    const std::string all = texts.GetLines(entry + "_Cells");
    for (const std::string& line : txt::Split(all, '\n')) {
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

}  // namespace

std::vector<std::string> indCompare::SettingsSheets(cmcGTex& texts)
{
    std::vector<std::string> sheets;
    for (const std::string& line : txt::Split(texts.GetLines("GI_CellWidthRegList"), '\n')) {
        const std::string name = txt::UpTo(line, ":");
        if (!name.empty() && texts.HasKey(name + "_Cells"))
            sheets.push_back(name);
    }
    return sheets;
}

std::vector<indCompare::Difference> indCompare::Run(indActiveCell& rules, cmcGTex& texts,
                                                    const cmcEeprom& a, const cmcEeprom& b,
                                                    const std::vector<std::string>& sheets)
{
    std::vector<Difference> out;
    // Either image may be the host's working image itself, which the loop below overwrites
    // with the other: the compare runs on copies.
    cmcEeprom imageA, imageB;
    imageA.Assign(a);
    imageB.Assign(b);
    cmcEeprom& work = rules.Host().WorkImage();
    cmcEeprom kept;
    kept.Assign(work);
    for (const std::string& entry : sheets) {
        cmcCellObj basic;
        cmcCounters counters{};
        const auto rows = ParseSheet(texts, entry, basic, counters);
        if (rows.empty())
            continue;
        std::string title = txt::UpTo(texts.GetLine(entry + "_Style", 0), ")");
        const size_t at = title.find("TitleString=");
        title = at == std::string::npos ? entry : title.substr(at + 12);
        std::vector<std::string> textsA, textsB;
        for (int pass = 0; pass < 2; ++pass) {
            work.Assign(pass == 0 ? imageA : imageB);
            std::vector<std::string>& into = pass == 0 ? textsA : textsB;
            for (const auto& row : rows)
                for (const cmcCellObj& cell : row)
                    into.push_back(cell.id == kNoId || cell.id == CL_Null
                                       ? std::string()
                                       : rules.EvaluateText(cell, 0));
        }
        size_t k = 0;
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < rows[r].size(); ++c, ++k) {
                if (textsA[k] == textsB[k])
                    continue;
                Difference d;
                d.sheet = title;
                d.row = rows[r].empty() ? std::string() : Caption(rows[r][0]);
                d.column = c < rows[0].size() ? Caption(rows[0][c]) : std::string();
                d.valueA = textsA[k];
                d.valueB = textsB[k];
                d.entry = entry;
                d.category = rows[r][c].category;
                d.id = rows[r][c].id;
                d.index = rows[r][c].index;
                out.push_back(std::move(d));
            }
    }
    work.Assign(kept);
    return out;
}

std::vector<indCompare::Difference> indCompare::Everything(indActiveCell& rules, cmcGTex& texts,
                                                           const cmcEeprom& a, const cmcEeprom& b,
                                                           const std::string& modelTypeName)
{
    std::vector<Difference> found = Run(rules, texts, a, b, SettingsSheets(texts));
    for (Difference& d : indChannelCompare::Run(rules, texts, a, b, modelTypeName))
        found.push_back(std::move(d));
    std::vector<Difference> out;
    for (Difference& d : found) {
        const bool listed = std::any_of(out.begin(), out.end(), [&d](const Difference& e) {
            return e.category == d.category && e.id == d.id && e.index == d.index;
        });
        if (!listed)
            out.push_back(std::move(d));
    }
    return out;
}
