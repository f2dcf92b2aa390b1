#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "cells/cmcCanvas.h"
#include "cells/cmcCellIds.h"

class cmcCellObj;
// User-interface classes the capsule only carries; the cell engine never looks inside them.
class cuiGrid;
class cuiSheet;
class cuiImageList;

// The record that carries one cell request between whoever shows a cell (a sheet, a choice
// list, the printer, a menu builder, a maker window) and the cell rules, and the rules'
// answers back. It holds no logic besides reset and copy.
//
// Choice protocol: a choice list is opened with the capsule of the cell it edits as its
// context. When the user picks an item, a copy of that capsule is made, its context is set to
// the capsule of the picked item (whose cell has the list's identifier and, as index, the
// item's value) and its inputMode to kInputChoice; the rules then run for the opening cell.
// A codec takes the choice only when the context cell has its list's identifier.
class cmcCellCapsule {
public:
    // Asks the sender to repaint the cells that the selector matches (see RepaintMatches).
    using RepaintCallback =
        std::function<void(cuiSheet* sheet, cmcCellCapsule* capsule, int selector)>;
    // Asks the sender to reopen its in-place editor on the current cell with text, selStart
    // and selLength of the given capsule, if that capsule's cell is still current and flag is 0.
    using RefreshEditorCallback =
        std::function<void(cuiSheet* sheet, cmcCellCapsule* capsule, int flag)>;

    // Keys.
    static constexpr int32_t kKeyBackspace = 8;  // step to the previous value
    static constexpr int32_t kKeyEnter = 13;
    static constexpr int32_t kKeySpace = 32;          // step to the next value
    static constexpr int32_t kKeyDoubleClick = 256;   // treated as Enter by the rules
    static constexpr int32_t kKeyLeftEdge = 37 << 8;  // left arrow with the cursor at the edge
    static constexpr int32_t kKeyRightEdge = 39 << 8;
    static constexpr int32_t kKeyF1 = 112 << 8;  // F1 .. F12 follow in steps of 256
    static constexpr int32_t kKeyF12 = 123 << 8;
    // Input modes.
    static constexpr int32_t kInputKey = 0;     // key or command only
    static constexpr int32_t kInputText = 1;    // inputText holds confirmed typed text
    static constexpr int32_t kInputChoice = 2;  // a choice was made in a choice list
    // flags bits.
    static constexpr uint8_t kFlagCurrent = 0x01;   // in: the sheet's current cell
    static constexpr uint8_t kFlagPrinting = 0x02;  // in: drawing for the printer
    static constexpr uint8_t kFlagWarning = 0x04;   // out: show a warning mark
    static constexpr uint8_t kFlagError = 0x08;     // out: show an error mark
    // selectionFlags bits.
    static constexpr uint8_t kSelRange = 0x01;         // in: a range of cells is selected
    static constexpr uint8_t kSelRangeChanged = 0x02;  // out: every cell of the range changed
    // markPosition values.
    static constexpr int32_t kMarkByAlignment = 0;
    static constexpr int32_t kMarkLeft = 1;
    static constexpr int32_t kMarkAfterText = 3;
    // Repaint selector bits: repaint another cell (c', i', x') of the sender when ...
    static constexpr int kRepaintSame = 0x01;        // i' = i and x' = x
    static constexpr int kRepaintCategory = 0x02;    // c' = c
    static constexpr int kRepaintId = 0x04;          // i' = i
    static constexpr int kRepaintIndex = 0x08;       // x' = x, real
    static constexpr int kRepaintNeighbours = 0x10;  // c' = c, x' in x-1..x+1, i' real
    static constexpr int kRepaintAllValues = 0x20;   // i' is not "no identifier"
    static constexpr int kRepaintFromIndex = 0x40;   // x' >= x, real
    static constexpr int kRepaintUpToIndex = 0x80;   // x' <= x, real
    // Results of the rules entry point.
    static constexpr int kResultNone = 0;
    static constexpr int kResultPopup = 1;   // a popup window was opened
    static constexpr int kResultEditor = 2;  // open the in-place editor with text and caret

    cmcCellCapsule();
    ~cmcCellCapsule() = default;
    // The C++ copy takes every field, bank included; Copy is the one that keeps the bank.
    cmcCellCapsule(const cmcCellCapsule&) = default;
    cmcCellCapsule& operator=(const cmcCellCapsule&) = default;

    // Clears every field except bank.
    void Reset();
    // Copies every field of another capsule except bank (own copies of both strings).
    void Copy(const cmcCellCapsule& other);

    // Calls the repaint callback, when there is one, with this capsule's sheet.
    void Repaint(int selector);
    // Calls the editor-refresh callback, when there is one.
    void RefreshEditor(int flag);

    // Whether a repaint with this selector, asked for the request cell (c, i, x), covers the
    // other cell (c2, i2, x2).
    static bool RepaintMatches(int selector, int32_t c, int32_t i, int32_t x, int32_t c2,
                               int32_t i2, int32_t x2);

    cmcCellCapsule* context = nullptr;  // the opening cell's capsule, or the picked item's
    int32_t bank = 0;                   // filled by evaluators of channel cells; kept by Reset
    cuiGrid* owner = nullptr;           // owns editors and popup windows
    cuiGrid* grid = nullptr;            // set for user events only; keys need it
    cmcCellObj* cell = nullptr;
    cmcCanvas* canvas = nullptr;  // set only while the cell is drawn
    cuiImageList* images = nullptr;
    const cmcRect* rect = nullptr;
    int32_t selStart = 0;
    int32_t selLength = 0;
    int32_t key = 0;
    int32_t command = 0;  // 0, or the identifier of a popup-menu item
    std::string inputText;
    std::string text;
    uint8_t flags = 0;
    int32_t markPosition = kMarkByAlignment;
    int32_t inputMode = kInputKey;
    int32_t jump = 0;
    int32_t jumpCategory = 0;
    int32_t jumpId = 0;
    int32_t jumpIndex = 0;
    int32_t repeatKey = 0;
    cuiSheet* sheet = nullptr;
    uint8_t selectionFlags = 0;
    int32_t rangeFirst = 0;
    int32_t rangeLast = 0;
    RepaintCallback repaint;
    RefreshEditorCallback refreshEditor;
};

// The rules entry point a sheet calls for every cell capsule: a function with its context
// object. mode 0 draws or evaluates, mode 1 is a user event; the result is one of the
// cmcCellCapsule::kResult values.
using cmcCellRulesFn = int (*)(void* rules, cmcCellCapsule* capsule, int mode);
