#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "cells/cmcCellCapsule.h"
#include "platform/TextUtil.h"

class cmcGTex;

// What every value codec shares. A codec is called by the cell rules with the capsule, a
// pointer to one stored value, its own parameters, the repaint selector (the codec may add
// bits) and the opened result (set to kResultPopup when it opened a window, kResultEditor
// when the sender must open the in-place editor). It returns 1 when it changed the value.
//
// The order of a request: the input (typed text with inputMode 1, a choice with inputMode
// 2), then the display (text, with the whole text selected), then the keys, which are only
// handled for user events (the grid is set) that carry no input. Invalid input is never an
// error: the value is kept or limited and the stored value is shown again.
class CodecProtocol {
public:
    // The colour of a cell that a related setting switches off.
    static constexpr cmcColor kDisabledColor = ColorRgb(192, 192, 192);

    // Keys are handled only for user events without input.
    static bool HandlesKeys(const cmcCellCapsule& capsule);
    // The chosen value when the request is a choice from a list with this identifier.
    static bool ChoiceFor(const cmcCellCapsule& capsule, int32_t listId, int32_t* chosen);
    // A context that is not a choice from this list: the codec leaves the request alone.
    static bool ForeignContext(const cmcCellCapsule& capsule, int32_t listId);

    // Sets the text with the whole of it selected.
    static void Show(cmcCellCapsule& capsule, const std::string& text);
    // The in-place editor with this text, all of it selected.
    static void OpenEditor(cmcCellCapsule& capsule, const std::string& text, int& opened);
    // The in-place editor holding only the typed character, the caret after it.
    static void OpenEditorWith(cmcCellCapsule& capsule, char typed, int& opened);
    // The keys of a number cell: space and backspace step the value by one, wrapping
    // within [lo, hi], and call show after a change; Enter opens the editor on the shown
    // text; a key that opensEditor accepts opens it with that character. 1 on a change.
    template <typename ShowFn, typename OpensFn>
    static int NumberKeys(cmcCellCapsule& capsule, int32_t* value, int32_t lo, int32_t hi,
                          int& opened, ShowFn show, OpensFn opensEditor);

    // The disabled presentation: "----", drawn grey, no input taken.
    static void ShowDisabled(cmcCellCapsule& capsule, const char* text = "----");

    // The key as a typed character, or 0 when it is not one.
    static char TypedChar(int32_t key);
    static bool IsDigitKey(int32_t key) { return key >= '0' && key <= '9'; }

    // The characters of s that belong to the set (double-byte characters never do).
    static std::string KeepChars(std::string_view s, std::string_view set);
    // Decimal reading of an already filtered text ("-" only in front, one "."), without
    // rounding and independent of the locale. 0 for nothing readable.
    static double ReadReal(std::string_view filtered);
    // The same reading scaled by 10^decimals and taken to the nearest integer, halves away
    // from zero, in exact decimal arithmetic (1.235 with two decimals is 124, not the 123
    // that binary floating point would give).
    static int64_t ReadScaled(std::string_view filtered, int decimals);
    // The leading unsigned decimal number of s (digits only), at most the largest 32-bit
    // number; 0 when there is none.
    static int64_t ReadDigits(std::string_view s);
    // Nearest integer, halves away from zero, saturated to 32 bits.
    static int32_t RoundHalfAway(double v);
    static int32_t Limit(int64_t v, int32_t lo, int32_t hi);
    // Below lo becomes hi, above hi becomes lo.
    static int32_t Wrap(int64_t v, int32_t lo, int32_t hi);
    // ASCII upper case; the bytes of double-byte characters are kept as they are.
    static std::string Upper(std::string_view s);

    // The store that overlay texts and lists come from (the main overlay).
    static cmcGTex* Texts();
};

template <typename ShowFn, typename OpensFn>
int CodecProtocol::NumberKeys(cmcCellCapsule& capsule, int32_t* value, int32_t lo, int32_t hi,
                              int& opened, ShowFn show, OpensFn opensEditor)
{
    const int32_t k = capsule.key;
    if (k == cmcCellCapsule::kKeySpace || k == cmcCellCapsule::kKeyBackspace) {
        const int32_t v =
            Wrap(static_cast<int64_t>(*value) + (k == cmcCellCapsule::kKeySpace ? 1 : -1), lo, hi);
        if (v == *value)
            return 0;
        *value = v;
        show();
        return 1;
    }
    if (k == cmcCellCapsule::kKeyEnter)
        OpenEditor(capsule, txt::Trim(capsule.text), opened);
    else if (opensEditor(k))
        OpenEditorWith(capsule, static_cast<char>(k), opened);
    return 0;
}
