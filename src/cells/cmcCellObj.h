#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cells/cmcCellIds.h"
#include "cells/cmcColors.h"
#include "cells/cmcFont.h"

// The ten counters a cell description addresses as "@ch0" .. "@ch9". Their owner (a sheet,
// the definition cache) keeps one set for a whole build so consecutive cells can number rows.
using cmcCounters = std::array<int32_t, 10>;

// One parsed cell definition: which setting the cell stands for (category, identifier,
// index), how it is laid out, coloured and marked, its font, popup menu and visible text.
// Objects are usually reused: sheets and the definition cache parse many cells into one.
class cmcCellObj {
public:
    // Layout bits.
    static constexpr uint8_t kHAlignMask = 0x03;        // 0 left "<", 1 centre "^", 2 right ">"
    static constexpr uint8_t kVAlignMask = 0x0C;        // 0 top "~", 1 centre "-", 2 bottom "_"
    static constexpr uint8_t kLayoutGrowWidth = 0x10;   // "W"
    static constexpr uint8_t kLayoutGrowHeight = 0x20;  // "H"
    static constexpr uint8_t kLayoutJoinLeft = 0x40;    // "+"
    static constexpr uint8_t kLayoutBottomLine = 0x80;  // "B"
    // Mark bits.
    static constexpr uint8_t kMarkBarMask = 0x03;     // 1 full bar "X", 2 low bar "Q"
    static constexpr uint8_t kMarkSelectable = 0x04;  // "S"
    static constexpr uint8_t kMarkTogether = 0x08;    // "T"
    static constexpr uint8_t kMarkUserFlagShift = 4;  // user flags 0..3 in bits 4-7
    // User flags with a meaning elsewhere (menus, tree).
    static constexpr int kFlagChecked = 0;
    static constexpr int kFlagHidden = 1;
    static constexpr int kFlagDisabled = 2;

    cmcCellObj() = default;
    ~cmcCellObj() = default;
    // Copies behave like Assign: own copies of the strings and the font.
    cmcCellObj(const cmcCellObj& other) { Assign(other); }
    cmcCellObj& operator=(const cmcCellObj& other)
    {
        if (this != &other)
            Assign(other);
        return *this;
    }

    // Takes the text of one cell from the front of a line (up to the first "|" that is not
    // escaped) and returns the rest of the line. The cell is reset from the parent first;
    // unless countOnly is set, its text is then parsed with the counters attached.
    std::string ParseCell(std::string_view line, const cmcCellObj* parentCell,
                          cmcCounters* counterSet, bool countOnly = false);
    // Parses one cell's text (attribute groups in braces, the rest display text) into this
    // cell as it stands, without resetting it.
    void ParseText(std::string_view cellText);
    // Parses an attribute part (what stands between braces) into this cell.
    void ParseAttributes(std::string_view attributes);

    // Frees strings and font, sets the defaults and, with a parent, copies the parent's
    // fields (font and popup menu are then found through the parent). Without a parent the
    // category and index keep their values.
    void ResetFromParent();
    // Copies every field of another cell, with own copies of strings and font.
    void Assign(const cmcCellObj& other);

    // The popup-menu name of this cell or its nearest ancestor that has a non-empty one.
    std::optional<std::string> PopupMenuName() const;
    // The font of this cell or its nearest ancestor that has one; null when none has.
    const cmcFont* EffectiveFont() const;
    // The visible text, or empty.
    const std::string& Text() const;

    int HAlign() const { return layout & kHAlignMask; }
    int VAlign() const { return (layout & kVAlignMask) >> 2; }
    int MarkBar() const { return marks & kMarkBarMask; }
    // User flags 0..7: 0-3 live in the mark bits 4-7, 4-7 in userFlags bits 0-3.
    bool UserFlag(int n) const;
    void SetUserFlag(int n, bool on);

    const cmcCellObj* parent = nullptr;  // not owned
    cmcCounters* counters = nullptr;     // attached only while a description is parsed
    int32_t category = kNoCategory;
    int32_t id = kNoId;
    int32_t index = 0;
    std::optional<std::string> altText;  // the text after ":" in a reference group
    int32_t imageIndex = -1;
    uint8_t layout = 0;
    uint8_t marks = 0;
    uint8_t userFlags = 0;  // bits 0-3
    cmcColor color = clWindow;
    std::unique_ptr<cmcFont> font;  // none: use the parent's (the sheet's basic cell) font
    std::optional<std::string> popupMenu;
    std::optional<std::string> text;

    // Cell models may refer to other models; deeper nesting than this is an overlay error.
    static constexpr int kMaxModelDepth = 32;

private:
    void ParseGroup(std::string_view group);
    void ParseReference(std::string_view ref);
    void ParseCounterCommand(std::string_view cmd);
    void ParseDisplay(std::string_view display);
    int32_t& Counter(std::string_view ref, size_t* used);

    int m_modelDepth = 0;
};
