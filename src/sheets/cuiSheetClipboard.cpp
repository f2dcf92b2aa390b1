#include "sheets/cuiSheetClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "common/cmcEeprom.h"
#include "overlay/OverlayBox.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"
#include "rules/indChannelCsv.h"
#include "rules/indRulesHost.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"

std::function<void(bool)> cuiSheetClipboard::pasteGroup;

std::string cuiSheetClipboard::CopyText(cuiSheet& sheet)
{
    int c0, r0, c1, r1;
    sheet.SelectedBlock(&c0, &r0, &c1, &r1);
    std::string out;
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c) {
            if (c > c0)
                out += '\t';
            std::string text = sheet.ShownText(c, r);
            // A tab or line break inside a value would split it in the spreadsheet.
            for (char& ch : text)
                if (ch == '\t' || ch == '\n' || ch == '\r')
                    ch = ' ';
            out += text;
        }
        out += '\n';
    }
    return out;
}

void cuiSheetClipboard::Copy(cuiSheet& sheet)
{
    if (QClipboard* clip = QGuiApplication::clipboard())
        clip->setText(plat::ToQt(CopyText(sheet)));
}

std::vector<cuiSheetClipboard::Refusal> cuiSheetClipboard::PasteText(cuiSheet& sheet,
                                                                     const std::string& text)
{
    std::vector<Refusal> refused;
    cuiGrid* grid = sheet.Grid();
    if (!grid)
        return refused;
    indRulesHost* host = cuiSheet::ModelHost();
    std::vector<std::vector<std::string>> lines;
    for (size_t from = 0; from < text.size();) {
        size_t end = text.find('\n', from);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> fields;
        for (size_t f = 0;;) {
            const size_t tab = line.find('\t', f);
            fields.push_back(
                line.substr(f, tab == std::string::npos ? std::string::npos : tab - f));
            if (tab == std::string::npos)
                break;
            f = tab + 1;
        }
        lines.push_back(std::move(fields));
        from = end + 1;
    }
    if (lines.empty())
        return refused;
    const int col0 = grid->Col();
    const int row0 = grid->Row();
    if (pasteGroup)
        pasteGroup(true);
    // A cell shows the value; a transmit frequency or tone equal to the receive one in the
    // cell before it shows "<-", and that receive value counts as it too.
    const auto shows = [&](const std::string& value, int col, int row) {
        const std::string shown = sheet.ShownText(col, row);
        if (indChannelCsv::Taken(value, shown))
            return true;
        return col > 0 && txt::Trim(shown) == "<-" &&
               indChannelCsv::Taken(value, sheet.ShownText(col - 1, row));
    };
    cmcEeprom before;
    for (size_t i = 0; i < lines.size(); ++i) {
        for (size_t j = 0; j < lines[i].size(); ++j) {
            const std::string& value = lines[i][j];
            const int col = col0 + static_cast<int>(j);
            const int row = row0 + static_cast<int>(i);
            const Refusal here{static_cast<int>(i) + 1, static_cast<int>(j) + 1, value};
            if (col >= sheet.ColCount() || row >= sheet.RowCount() ||
                !sheet.IsSelectable(col, row)) {
                // Nothing to paste into: only a value there counts as lost.
                if (!value.empty())
                    refused.push_back(here);
                continue;
            }
            // A cell that shows the value already is left alone.
            if (shows(value, col, row))
                continue;
            if (host)
                before.Assign(host->WorkImage());
            sheet.TypeText(col, row, value);
            if (!shows(value, col, row)) {
                // A value the cell limited or refused: the cell stays as it was.
                if (host)
                    host->WorkImage().Assign(before);
                refused.push_back(here);
            }
        }
    }
    if (host) {
        host->CheckModified();
        host->StartWarningRecheck();
    }
    grid->InvalidateAll();
    if (pasteGroup)
        pasteGroup(false);
    return refused;
}

void cuiSheetClipboard::Paste(cuiSheet& sheet)
{
    QClipboard* clip = QGuiApplication::clipboard();
    if (!clip)
        return;
    std::string text;
    if (!plat::FromQt(clip->text(), text)) {
        OverlayBox("GI_Mess_Paste_Encoding", plat::BoxIcon::Warning, plat::BoxButtons::Ok);
        return;
    }
    const std::vector<Refusal> refused = PasteText(sheet, text);
    if (refused.empty())
        return;
    std::string message = g_GTex->GetLine("GI_Mess_Paste", 0);
    for (const Refusal& r : refused)
        message += "\n" + txt::Format(g_GTex->GetLine("GI_Mess_Paste", 1).c_str(), r.line, r.field,
                                      r.text.c_str());
    OverlayTextBox(message, plat::BoxIcon::Warning, plat::BoxButtons::Ok);
}
