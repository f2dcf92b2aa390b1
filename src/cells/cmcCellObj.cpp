#include "cells/cmcCellObj.h"

#include <cstdlib>

#include "overlay/cmcGTex.h"
#include "platform/Fatal.h"
#include "platform/TextUtil.h"

namespace {

bool IsLead(std::string_view s, size_t i)
{
    return i + 1 < s.size() && txt::IsLeadByte(static_cast<unsigned char>(s[i]));
}

// Position after the character at i: a double-byte character is one character.
size_t NextChar(std::string_view s, size_t i)
{
    return IsLead(s, i) ? i + 2 : i + 1;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool StartsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

// The text after the first "=" (double-byte aware), or nothing when there is none.
std::optional<std::string_view> AfterEquals(std::string_view s)
{
    size_t p = txt::Find(s, '=');
    if (p == std::string_view::npos)
        return std::nullopt;
    return s.substr(p + 1);
}

// Position of the first unescaped c at or after from ("\" escapes the character after it);
// npos when there is none before the end of the text.
size_t FindUnescaped(std::string_view s, char c, size_t from = 0)
{
    size_t i = from;
    while (i < s.size()) {
        if (IsLead(s, i)) {
            i += 2;
        } else if (s[i] == '\\') {
            i = i + 1 < s.size() ? NextChar(s, i + 1) : i + 1;
        } else if (s[i] == c) {
            return i;
        } else {
            ++i;
        }
    }
    return std::string_view::npos;
}

// A decimal number as the C library reads one; 0 for none.
int32_t ReadInt(std::string_view s)
{
    int32_t v = 0;
    txt::ReadLeadingInt(s, &v);
    return v;
}

// "\" removed, the byte after it kept; a "\" at the very end stays as it is.
std::string Unescape(std::string_view s)
{
    std::string out;
    for (size_t i = 0; i < s.size();) {
        if (s[i] == '\\' && i + 1 < s.size())
            ++i;
        size_t n = NextChar(s, i);
        out.append(s.substr(i, n - i));
        i = n;
    }
    return out;
}

bool IsTrimmed(unsigned char c)
{
    return c <= 32 || c == 127;
}

}  // namespace

std::string cmcCellObj::ParseCell(std::string_view line, const cmcCellObj* parentCell,
                                  cmcCounters* counterSet, bool countOnly)
{
    size_t bar = FindUnescaped(line, '|');
    std::string_view cellText = line.substr(0, bar);
    std::string rest =
        bar == std::string_view::npos ? std::string() : std::string(line.substr(bar + 1));

    parent = parentCell;
    ResetFromParent();
    if (!countOnly) {
        counters = counterSet;
        ParseText(cellText);
        counters = nullptr;
    }
    return rest;
}

void cmcCellObj::ParseText(std::string_view cellText)
{
    std::string attributes;
    std::string display;
    bool inBraces = false;
    for (size_t i = 0; i < cellText.size();) {
        size_t n = NextChar(cellText, i);
        const char c = cellText[i];
        if (n == i + 1 && c == '{') {
            inBraces = true;
        } else if (n == i + 1 && c == '}') {
            inBraces = false;
        } else {
            (inBraces ? attributes : display).append(cellText.substr(i, n - i));
        }
        i = n;
    }
    ParseAttributes(attributes);
    ParseDisplay(display);
}

void cmcCellObj::ParseAttributes(std::string_view a)
{
    bool negate = false;
    size_t i = 0;
    while (i < a.size()) {
        if (IsLead(a, i)) {
            i += 2;
            negate = false;
            continue;
        }
        const char c = a[i];
        const bool neg = negate;
        negate = false;
        switch (c) {
            case '\\':
                // The next character is ordinary: skip it (a "\" at the end is just ignored).
                i = i + 1 < a.size() ? NextChar(a, i + 1) : i + 1;
                continue;
            case '(': {
                size_t close = FindUnescaped(a, ')', i + 1);
                // A group without ")" ends at the end of the text.
                std::string_view group =
                    a.substr(i + 1, close == std::string_view::npos ? std::string_view::npos
                                                                    : close - i - 1);
                i = close == std::string_view::npos ? a.size() : close + 1;
                ParseGroup(group);
                continue;
            }
            case '!':
                negate = true;
                break;
            case '<':
            case '^':
            case '>':
                layout = static_cast<uint8_t>((layout & ~kHAlignMask) | (c == '<'   ? 0
                                                                         : c == '^' ? 1
                                                                                    : 2));
                break;
            case '~':
            case '-':
            case '_':
                layout = static_cast<uint8_t>((layout & ~kVAlignMask) | ((c == '~'   ? 0
                                                                          : c == '-' ? 1
                                                                                     : 2)
                                                                         << 2));
                break;
            case 'W':
            case 'H':
            case '+':
            case 'B': {
                const uint8_t bit = c == 'W'   ? kLayoutGrowWidth
                                    : c == 'H' ? kLayoutGrowHeight
                                    : c == '+' ? kLayoutJoinLeft
                                               : kLayoutBottomLine;
                layout = static_cast<uint8_t>(neg ? layout & ~bit : layout | bit);
                break;
            }
            case 'S':
            case 'T': {
                const uint8_t bit = c == 'S' ? kMarkSelectable : kMarkTogether;
                marks = static_cast<uint8_t>(neg ? marks & ~bit : marks | bit);
                break;
            }
            case 'X':
            case 'Q':
                marks = static_cast<uint8_t>((marks & ~kMarkBarMask) | (neg        ? 0
                                                                        : c == 'X' ? 1
                                                                                   : 2));
                break;
            default:
                break;
        }
        ++i;
    }
}

void cmcCellObj::ParseGroup(std::string_view g)
{
    if (StartsWith(g, "$")) {
        if (m_modelDepth >= kMaxModelDepth)
            plat::FatalError(txt::Format("Cell models are nested too deeply.\n'%s'",
                                         std::string(g.substr(1)).c_str()));
        if (!g_GTex)
            plat::FatalError("Cell models need the overlay text store.");
        const std::string model = g_GTex->GetLine("CellModel_" + std::string(g.substr(1)), 0);
        ++m_modelDepth;
        ParseAttributes(model);
        --m_modelDepth;
    } else if (StartsWith(g, "Color")) {
        if (auto v = AfterEquals(g))
            LookupColor(*v, &color);
    } else if (StartsWith(g, "Font")) {
        if (!font) {
            const cmcFont* inherited = parent ? parent->EffectiveFont() : nullptr;
            font = inherited ? std::make_unique<cmcFont>(*inherited) : std::make_unique<cmcFont>();
        }
        if (auto v = AfterEquals(g))
            font->ApplyDescription(*v);
    } else if (StartsWith(g, "%")) {
        ParseReference(g.substr(1));
    } else if (StartsWith(g, "@")) {
        ParseCounterCommand(g);
    } else if (StartsWith(g, "ImageIndex")) {
        if (auto v = AfterEquals(g))
            imageIndex = ReadInt(*v);
    } else if (StartsWith(g, "PopupMenu")) {
        if (auto v = AfterEquals(g))
            popupMenu = std::string(*v);
    } else if (g.size() == 7 && StartsWith(g, "Flag") && g[4] >= '0' && g[4] <= '7' &&
               g[5] == '=' && (g[6] == '0' || g[6] == '1')) {
        SetUserFlag(g[4] - '0', g[6] == '1');
    }
}

int32_t& cmcCellObj::Counter(std::string_view ref, size_t* used)
{
    if (!counters || ref.size() < 4 || ref[0] != '@' || ref[1] != 'c' || ref[2] != 'h' ||
        !IsDigit(ref[3]) || (ref.size() > 4 && IsDigit(ref[4])))
        plat::FatalError("Ch No. Error");
    *used = 4;
    return (*counters)[static_cast<size_t>(ref[3] - '0')];
}

void cmcCellObj::ParseCounterCommand(std::string_view cmd)
{
    size_t used = 0;
    int32_t& counter = Counter(cmd, &used);
    size_t i = used;
    while (i < cmd.size() && IsBlank(cmd[i]))
        ++i;
    std::string_view op = cmd.substr(i);
    if (StartsWith(op, "++"))
        counter = static_cast<int32_t>(static_cast<uint32_t>(counter) + 1u);
    else if (StartsWith(op, "="))
        counter = ReadInt(op.substr(1));
}

void cmcCellObj::ParseReference(std::string_view r)
{
    // A category name ends at a "." that is not escaped. Only a "." before any "[" or ":"
    // can end one: a dot inside the index or the alternative text belongs to them.
    size_t pos = 0;
    bool escaped = false;
    for (size_t i = 0; i < r.size();) {
        if (IsLead(r, i)) {
            i += 2;
            escaped = false;
            continue;
        }
        const char c = r[i];
        if (c == '[' || c == ':')
            break;
        if (c == '.') {
            if (!escaped) {
                category = LookupCategory(r.substr(0, i));
                pos = i + 1;
            }
            break;
        }
        escaped = c == '\\';
        ++i;
    }

    std::string_view rest = r.substr(pos);
    std::string name = txt::UpTo(rest, "[:");
    id = LookupId(name);
    rest = rest.substr(name.size());

    if (StartsWith(rest, "[")) {
        size_t close = txt::Find(rest, ']');
        std::string_view inner =
            rest.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        if (StartsWith(inner, "@")) {
            size_t used = 0;
            index = Counter(inner, &used);
        } else {
            index = ReadInt(inner);
        }
        rest = close == std::string_view::npos ? std::string_view() : rest.substr(close + 1);
    }
    if (StartsWith(rest, ":"))
        altText = Unescape(rest.substr(1));
}

void cmcCellObj::ParseDisplay(std::string_view d)
{
    size_t b = 0;
    size_t e = d.size();
    while (b < e && IsTrimmed(static_cast<unsigned char>(d[b])))
        ++b;
    while (e > b && IsTrimmed(static_cast<unsigned char>(d[e - 1])))
        --e;
    d = d.substr(b, e - b);
    if (d.empty())
        return;

    std::string out;
    size_t i = 0;
    while (i < d.size()) {
        if (d[i] != '\\' || i + 1 >= d.size()) {
            // Ordinary character (a "\" at the very end is kept as it stands).
            size_t n = NextChar(d, i);
            out.append(d.substr(i, n - i));
            i = n;
            continue;
        }
        const char c = d[i + 1];
        if (c == 'N' || c == 'n') {
            out += '\n';
            i += 2;
        } else if (c == '_') {
            out += ' ';
            i += 2;
        } else if (c == '(') {
            // Counter insertion: "\(@chN+k)", spaces ignored; ends at ")" or the text's end.
            size_t close = txt::Find(d, ')', i + 2);
            std::string inner = txt::RemoveSpaces(d.substr(
                i + 2, close == std::string_view::npos ? std::string_view::npos : close - i - 2));
            size_t used = 0;
            int64_t v = Counter(inner, &used);
            if (used < inner.size() && inner[used] == '+')
                v += ReadInt(std::string_view(inner).substr(used + 1));
            std::string num = std::to_string(v);
            if (num.size() > 6)
                num.resize(6);
            out += num;
            i = close == std::string_view::npos ? d.size() : close + 1;
        } else {
            size_t n = NextChar(d, i + 1);
            out.append(d.substr(i + 1, n - i - 1));
            i = n;
        }
    }
    text = std::move(out);
}

void cmcCellObj::ResetFromParent()
{
    altText.reset();
    text.reset();
    popupMenu.reset();
    font.reset();
    id = kNoId;
    imageIndex = -1;
    layout = 0;
    marks = 0;
    userFlags = 0;
    color = clWindow;
    if (parent) {
        category = parent->category;
        id = parent->id;
        index = parent->index;
        altText = parent->altText;
        imageIndex = parent->imageIndex;
        layout = parent->layout;
        marks = parent->marks;
        userFlags = parent->userFlags;
        color = parent->color;
        text = parent->text;
    }
}

void cmcCellObj::Assign(const cmcCellObj& other)
{
    parent = other.parent;
    counters = other.counters;
    category = other.category;
    id = other.id;
    index = other.index;
    altText = other.altText;
    imageIndex = other.imageIndex;
    layout = other.layout;
    marks = other.marks;
    userFlags = other.userFlags;
    color = other.color;
    font = other.font ? std::make_unique<cmcFont>(*other.font) : nullptr;
    popupMenu = other.popupMenu;
    text = other.text;
}

std::optional<std::string> cmcCellObj::PopupMenuName() const
{
    // Bounded walk: a parent chain is short, and a broken one must not loop for ever.
    int depth = 0;
    for (const cmcCellObj* c = this; c && depth < 64; c = c->parent, ++depth)
        if (c->popupMenu && !c->popupMenu->empty())
            return c->popupMenu;
    return std::nullopt;
}

const cmcFont* cmcCellObj::EffectiveFont() const
{
    int depth = 0;
    for (const cmcCellObj* c = this; c && depth < 64; c = c->parent, ++depth)
        if (c->font)
            return c->font.get();
    return nullptr;
}

const std::string& cmcCellObj::Text() const
{
    static const std::string empty;
    return text ? *text : empty;
}

bool cmcCellObj::UserFlag(int n) const
{
    if (n >= 0 && n < 4)
        return (marks >> (kMarkUserFlagShift + n)) & 1;
    if (n >= 4 && n < 8)
        return (userFlags >> (n - 4)) & 1;
    return false;
}

void cmcCellObj::SetUserFlag(int n, bool on)
{
    if (n >= 0 && n < 4) {
        const uint8_t bit = static_cast<uint8_t>(1u << (kMarkUserFlagShift + n));
        marks = static_cast<uint8_t>(on ? marks | bit : marks & ~bit);
    } else if (n >= 4 && n < 8) {
        const uint8_t bit = static_cast<uint8_t>(1u << (n - 4));
        userFlags = static_cast<uint8_t>(on ? userFlags | bit : userFlags & ~bit);
    }
}
