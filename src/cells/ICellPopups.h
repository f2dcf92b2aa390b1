#pragma once
#include <cstdint>
#include <string>

class cmcCellCapsule;
class cmcGTex;

// The popup windows that value codecs open on a cell. The sheets implement this interface
// and install it in g_CellPopups; the core only asks for a window. Every window gets the
// capsule of the cell that opened it and keeps its own copy: that copy is the context of
// the choice protocol, so the window's answer later reaches the same cell's rules as a
// capsule with inputMode 2. Each call returns at once; the window lives on its own.
class ICellPopups {
public:
    virtual ~ICellPopups() = default;

    // The drop-down choice list over the entry listName + "_Cells": its choices are the
    // cells with identifier listId, the one with index startValue is selected first.
    virtual void OpenChoiceList(const cmcCellCapsule& capsule, int32_t listId, int32_t startValue,
                                cmcGTex* store, const std::string& listName) = 0;
    // The model's choice list whose items follow the image (channel lists, the language
    // list); parameter selects the kind of list by its first character.
    virtual void OpenModelChoiceList(const cmcCellCapsule& capsule, int32_t listId,
                                     int32_t startValue, cmcGTex* store,
                                     const std::string& listName, const std::string& parameter) = 0;
    // The flag-bits window: value holds the flags, cell j (from 1) shows bit 26 - j; the
    // labels run from firstLabel to lastLabel. An empty entryName means the window builds
    // its own sheet.
    virtual void OpenFlagBits(const cmcCellCapsule& capsule, cmcGTex* store, uint32_t value,
                              int firstLabel, int lastLabel, int labelKind, int displayKind,
                              const std::string& entryName) = 0;
    // The segment text window, with the text in stored form, its length and the 16 user
    // character patterns (32 bytes, big-endian pairs).
    virtual void OpenSegmentText(const cmcCellCapsule& capsule, cmcGTex* store,
                                 const std::string& storedBytes, bool selectAll, int length,
                                 const uint8_t* userChars) = 0;
    // The character editor for one user-defined character pattern.
    virtual void OpenCharEditor(const cmcCellCapsule& capsule, int unused, uint16_t pattern) = 0;
};

// Installed by the user interface; null where no windows can open (the codec then opens
// nothing and reports no popup).
extern ICellPopups* g_CellPopups;
