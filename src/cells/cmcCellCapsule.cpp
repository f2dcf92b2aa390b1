#include "cells/cmcCellCapsule.h"

// The bank starts at 0; Reset and Copy leave it alone, so a capsule built for a channel
// keeps the bank its evaluator gave it.
cmcCellCapsule::cmcCellCapsule()
{
    Reset();
}

void cmcCellCapsule::Reset()
{
    context = nullptr;
    owner = nullptr;
    grid = nullptr;
    cell = nullptr;
    canvas = nullptr;
    images = nullptr;
    rect = nullptr;
    selStart = 0;
    selLength = 0;
    key = 0;
    command = 0;
    inputText.clear();
    text.clear();
    flags = 0;
    markPosition = kMarkByAlignment;
    inputMode = kInputKey;
    jump = 0;
    jumpCategory = 0;
    jumpId = 0;
    jumpIndex = 0;
    repeatKey = 0;
    sheet = nullptr;
    selectionFlags = 0;
    rangeFirst = 0;
    rangeLast = 0;
    repaint = nullptr;
    refreshEditor = nullptr;
}

void cmcCellCapsule::Copy(const cmcCellCapsule& other)
{
    context = other.context;
    owner = other.owner;
    grid = other.grid;
    cell = other.cell;
    canvas = other.canvas;
    images = other.images;
    rect = other.rect;
    selStart = other.selStart;
    selLength = other.selLength;
    key = other.key;
    command = other.command;
    inputText = other.inputText;
    text = other.text;
    flags = other.flags;
    markPosition = other.markPosition;
    inputMode = other.inputMode;
    jump = other.jump;
    jumpCategory = other.jumpCategory;
    jumpId = other.jumpId;
    jumpIndex = other.jumpIndex;
    repeatKey = other.repeatKey;
    sheet = other.sheet;
    selectionFlags = other.selectionFlags;
    rangeFirst = other.rangeFirst;
    rangeLast = other.rangeLast;
    repaint = other.repaint;
    refreshEditor = other.refreshEditor;
}

void cmcCellCapsule::Repaint(int selector)
{
    if (repaint)
        repaint(sheet, this, selector);
}

void cmcCellCapsule::RefreshEditor(int flag)
{
    if (refreshEditor)
        refreshEditor(sheet, this, flag);
}

bool cmcCellCapsule::RepaintMatches(int selector, int32_t c, int32_t i, int32_t x, int32_t c2,
                                    int32_t i2, int32_t x2)
{
    const bool real = i2 != kNoId && c != kNoCategory;
    // Neighbours in 64 bits: an index at the end of the 32-bit range has no overflow.
    const int64_t dist = static_cast<int64_t>(x2) - x;
    return ((selector & kRepaintSame) && i2 == i && x2 == x) ||
           ((selector & kRepaintCategory) && c2 == c) || ((selector & kRepaintId) && i2 == i) ||
           ((selector & kRepaintIndex) && x2 == x && real) ||
           ((selector & kRepaintNeighbours) && c2 == c && dist >= -1 && dist <= 1 && i2 != kNoId) ||
           ((selector & kRepaintAllValues) && i2 != kNoId) ||
           ((selector & kRepaintFromIndex) && x2 >= x && real) ||
           ((selector & kRepaintUpToIndex) && x2 <= x && real);
}
