#include "rules/indChannelCsv.h"

#include <map>
#include <memory>
#include <utility>

#include "cells/cmcCellCapsule.h"
#include "common/cmcEeprom.h"
#include "model/datChBanks.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "rules/indActiveCell.h"
#include "rules/indRulesHost.h"

namespace {

const char* const kTypeNames[] = {"Lmr", "Pmr", "PmrD", "DPmr446"};

// The program's host with a copy of its working image in place of the image itself: the
// import types into the copy, and the program sees nothing until every value was taken.
class ScratchHost : public indRulesHost {
public:
    explicit ScratchHost(indRulesHost& real) : m_real(real) { m_work.Assign(real.WorkImage()); }
    cmcEeprom& WorkImage() override { return m_work; }
    cmcEeprom& ReferenceImage() override { return m_real.ReferenceImage(); }
    int ModelType() const override { return m_real.ModelType(); }
    bool MakerMode() const override { return m_real.MakerMode(); }
    bool ExtendedMode() const override { return m_real.ExtendedMode(); }
    bool FactoryMode() const override { return m_real.FactoryMode(); }
    cmcFCache& Cache() override { return m_real.Cache(); }
    ICellPopups* Popups() override { return nullptr; }
    void StartWarningRecheck() override {}
    void CheckModified() override {}
    void PackWorkImage() override {}
    int HelpContextOf(int32_t) override { return 0; }
    void ShowHelp(int) override {}
    bool RunCommand(int32_t, int32_t) override { return false; }
    std::vector<uint8_t> CloneInfo() const override { return m_real.CloneInfo(); }

private:
    indRulesHost& m_real;
    cmcEeprom m_work;
};

std::string Trim(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return {};
    const size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// A leading decimal number written without its insignificant zeros, and the rest of the
// text; false when the text does not begin with a number.
bool SplitNumber(const std::string& s, std::string& number, std::string& rest)
{
    size_t i = 0;
    std::string sign;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        sign = s[i++] == '-' ? "-" : "";
    std::string whole, fraction;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        whole += s[i++];
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            fraction += s[i++];
    }
    if (whole.empty() && fraction.empty())
        return false;
    whole.erase(0, whole.find_first_not_of('0'));
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (whole.empty() && fraction.empty())
        sign.clear();
    number = sign + (whole.empty() ? "0" : whole) + (fraction.empty() ? "" : "." + fraction);
    rest = Trim(s.substr(i));
    return true;
}

bool Same(const std::string& in, std::string& out)
{
    out = in;
    return true;
}

cmcCellCapsule Capsule(cmcCellObj& cell, int32_t bank)
{
    cmcCellCapsule c;
    c.cell = &cell;
    c.bank = bank;
    return c;
}

std::string Shown(indActiveCell& rules, cmcCellObj& cell, int32_t bank)
{
    cmcCellCapsule c = Capsule(cell, bank);
    rules.Run(c, 0);
    return c.text;
}

}  // namespace

indChannelCsv::indChannelCsv(indRulesHost& host, cmcGTex& texts)
    : m_host(host), m_texts(texts), m_toFile(&Same), m_fromFile(&Same)
{
}

void indChannelCsv::SetConverters(Convert toFile, Convert fromFile)
{
    m_toFile = std::move(toFile);
    m_fromFile = std::move(fromFile);
}

std::string indChannelCsv::Line(int n)
{
    return m_texts.GetLine("GI_Mess_Csv", n);
}

void indChannelCsv::LoadColumns()
{
    m_columns.clear();
    const int type = m_host.ModelType();
    const std::string key =
        std::string("GI_Csv_Mch_") + kTypeNames[type >= 0 && type < 4 ? type : 0];
    const std::string lines = m_texts.GetLines(key);
    for (size_t from = 0; from < lines.size();) {
        size_t end = lines.find('\n', from);
        if (end == std::string::npos)
            end = lines.size();
        const std::string line = lines.substr(from, end - from);
        from = end + 1;
        if (line.empty())
            continue;
        const size_t bar = line.rfind('|');
        Column col;
        col.cell.ParseText(line.substr(0, bar));
        col.caption = col.cell.text.value_or(std::string());
        col.expected = bar == std::string::npos ? std::string() : line.substr(bar + 1);
        m_columns.push_back(std::move(col));
    }
}

bool indChannelCsv::Taken(const std::string& typed, const std::string& shown)
{
    const std::string a = Upper(Trim(typed));
    const std::string b = Upper(Trim(shown));
    if (a == b)
        return true;
    std::string na, ra, nb, rb;
    return SplitNumber(a, na, ra) && SplitNumber(b, nb, rb) && na == nb && ra == rb;
}

std::string indChannelCsv::Field(const std::string& text, char sep)
{
    const bool quote = text.find_first_of(std::string("\"\r\n") + sep) != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote)
        return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

bool indChannelCsv::Split(const std::string& text, char sep,
                          std::vector<std::vector<std::string>>& rows, int* badRow)
{
    rows.clear();
    std::vector<std::string> row;
    std::string field;
    bool quoted = false, any = false;
    int quoteRow = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
            any = true;
            quoteRow = static_cast<int>(rows.size()) + 1;
        } else if (c == sep) {
            row.push_back(std::move(field));
            field.clear();
            any = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            row.push_back(std::move(field));
            field.clear();
            rows.push_back(std::move(row));
            row.clear();
            any = false;
        } else {
            field += c;
            any = true;
        }
    }
    if (quoted) {
        if (badRow)
            *badRow = quoteRow;
        return false;
    }
    if (any || !field.empty()) {
        row.push_back(std::move(field));
        rows.push_back(std::move(row));
    }
    return true;
}

std::string indChannelCsv::Export()
{
    LoadColumns();
    indActiveCell rules(m_host);
    const char sep = ',';
    auto out = [&](const std::string& text) {
        std::string converted;
        if (!m_toFile(text, converted))
            converted = text;
        return Field(converted, sep);
    };
    std::string csv = out(m_texts.GetLine("GI_Csv_Mch_Head", 0)) + sep +
                      out(m_texts.GetLine("GI_Csv_Mch_Head", 1));
    for (const Column& col : m_columns)
        csv += sep + out(col.caption);
    csv += "\r\n";
    const cmcEeprom& image = m_host.WorkImage();
    for (int32_t b = 0; b < kDatBanks; ++b) {
        const int32_t first = datChannelsBefore(image, b);
        const int32_t size = datBankSize(image, b);
        for (int32_t n = 0; n < size; ++n) {
            csv += std::to_string(b + 1) + sep + std::to_string(n + 1);
            for (Column& col : m_columns) {
                col.cell.index = first + n;
                csv += sep + out(Shown(rules, col.cell, b));
            }
            csv += "\r\n";
        }
    }
    return csv;
}

std::vector<indChannelCsv::Problem> indChannelCsv::Import(const std::string& file)
{
    LoadColumns();
    m_changed = 0;
    std::vector<Problem> problems;
    auto problem = [&](int row, const std::string& column, std::string text) {
        problems.push_back({row, column, std::move(text)});
    };
    std::string text = file;
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    // Spreadsheets of decimal-comma locales separate with semicolons.
    const std::string firstLine = text.substr(0, text.find_first_of("\r\n"));
    const char sep =
        firstLine.find(',') == std::string::npos && firstLine.find(';') != std::string::npos ? ';'
                                                                                             : ',';
    std::vector<std::vector<std::string>> rows;
    int bad = 0;
    if (!Split(text, sep, rows, &bad)) {
        problem(bad, {}, txt::Format(Line(8).c_str(), bad));
        return problems;
    }
    if (rows.empty()) {
        problem(0, {}, Line(10));
        return problems;
    }

    // The header: captions in the file's encoding, matched to the columns.
    const std::string bankCaption = m_texts.GetLine("GI_Csv_Mch_Head", 0);
    const std::string channelCaption = m_texts.GetLine("GI_Csv_Mch_Head", 1);
    int bankAt = -1, channelAt = -1;
    std::vector<int> columnAt(rows[0].size(), -1);
    std::vector<std::string> captions(rows[0].size());
    for (size_t i = 0; i < rows[0].size(); ++i) {
        std::string caption;
        if (!m_fromFile(Trim(rows[0][i]), caption))
            caption = Trim(rows[0][i]);
        captions[i] = caption;
        if (Upper(caption) == Upper(bankCaption)) {
            bankAt = static_cast<int>(i);
            continue;
        }
        if (Upper(caption) == Upper(channelCaption)) {
            channelAt = static_cast<int>(i);
            continue;
        }
        for (size_t k = 0; k < m_columns.size(); ++k)
            if (Upper(caption) == Upper(m_columns[k].caption))
                columnAt[i] = static_cast<int>(k);
        if (columnAt[i] < 0)
            problem(1, caption, txt::Format(Line(3).c_str(), caption.c_str()));
    }
    if (bankAt < 0 || channelAt < 0) {
        problem(1, {}, txt::Format(Line(4).c_str(), bankCaption.c_str(), channelCaption.c_str()));
        return problems;
    }

    ScratchHost scratch(m_host);
    indActiveCell rules(scratch);
    cmcEeprom& image = scratch.WorkImage();
    std::map<int32_t, int> seen;
    for (size_t r = 1; r < rows.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        const std::vector<std::string>& fields = rows[r];
        if (fields.size() == 1 && Trim(fields[0]).empty())
            continue;  // a blank line
        if (fields.size() != rows[0].size()) {
            problem(row, {},
                    txt::Format(Line(2).c_str(), row, static_cast<int>(fields.size()),
                                static_cast<int>(rows[0].size())));
            continue;
        }
        const std::string bankText = Trim(fields[bankAt]);
        const std::string channelText = Trim(fields[channelAt]);
        const bool bankDigits = !bankText.empty() && bankText.size() < 3 &&
                                bankText.find_first_not_of("0123456789") == std::string::npos;
        const int32_t bank = bankDigits ? std::stoi(bankText) - 1 : -1;
        if (bank < 0 || bank >= kDatBanks) {
            problem(row, bankCaption, txt::Format(Line(5).c_str(), row, bankCaption.c_str()));
            continue;
        }
        const int32_t size = datBankSize(image, bank);
        const bool channelDigits = !channelText.empty() && channelText.size() < 6 &&
                                   channelText.find_first_not_of("0123456789") == std::string::npos;
        const int32_t n = channelDigits ? std::stoi(channelText) - 1 : -1;
        if (n < 0 || n >= size) {
            problem(row, channelCaption,
                    txt::Format(Line(6).c_str(), row, channelCaption.c_str(), size));
            continue;
        }
        const int32_t index = datChannelsBefore(image, bank) + n;
        if (const auto it = seen.find(index); it != seen.end()) {
            problem(row, channelCaption,
                    txt::Format(Line(7).c_str(), row, channelCaption.c_str(), it->second));
            continue;
        }
        seen[index] = row;
        // The cell shows the value typed; a transmit frequency or tone equal to the receive
        // one (the column before it) shows as "<-", and that receive value counts as it too.
        const auto matches = [&](const std::string& value, size_t k) {
            const std::string shown = Shown(rules, m_columns[k].cell, bank);
            if (Taken(value, shown))
                return true;
            if (Trim(shown) != "<-" || k == 0)
                return false;
            Column& receive = m_columns[k - 1];
            receive.cell.index = m_columns[k].cell.index;
            return Taken(value, Shown(rules, receive.cell, bank));
        };
        // In the columns' own order, whatever the file's: the receive frequency brings an
        // unused channel into use before its other fields can take a value.
        for (size_t k = 0; k < m_columns.size(); ++k) {
            for (size_t i = 0; i < fields.size(); ++i) {
                if (columnAt[i] != static_cast<int>(k))
                    continue;
                Column& col = m_columns[k];
                col.cell.index = index;
                std::string value;
                if (!m_fromFile(fields[i], value)) {
                    problem(
                        row, col.caption,
                        txt::Format(Line(9).c_str(), row, col.caption.c_str(), fields[i].c_str()));
                    continue;
                }
                // A value the cell shows already is left alone: an unchanged file
                // changes nothing, not even by a rounding of its own.
                if (matches(value, k))
                    continue;
                // A blank the cell cannot take means "keep it": a channel brought into use by
                // its receive frequency keeps the values that came with it.
                const bool blank = Trim(value).empty();
                cmcEeprom kept;
                if (blank)
                    kept.Assign(image);
                cmcCellCapsule c = Capsule(col.cell, bank);
                c.inputMode = cmcCellCapsule::kInputText;
                c.inputText = Trim(value);
                rules.Run(c, 1);
                if (blank && !matches(value, k)) {
                    image.Assign(kept);
                    continue;
                }
                if (!matches(value, k)) {
                    problem(row, col.caption,
                            txt::Format(Line(1).c_str(), row, col.caption.c_str(), value.c_str(),
                                        col.expected.c_str()));
                    continue;
                }
                ++m_changed;
            }
        }
    }
    if (!problems.empty()) {
        m_changed = 0;
        return problems;
    }
    m_host.WorkImage().Assign(image);
    m_host.CheckModified();
    m_host.StartWarningRecheck();
    return problems;
}

std::string indChannelCsv::Describe(const std::vector<Problem>& problems)
{
    std::string text = txt::Format(Line(0).c_str(), static_cast<int>(problems.size()));
    for (const Problem& p : problems)
        text += "\n" + p.text;
    return text;
}
