#pragma once
#include <functional>
#include <string>
#include <vector>

class cuiSheet;

// Blocks of cells to and from spreadsheets, as tab-separated text: copy puts the texts of
// the selected cells on the clipboard, a row per line; paste types each value of the
// clipboard's text into the cells from the current one on, as if typed there. A value a
// cell does not take leaves the cell as it was; those are listed afterwards.
class cuiSheetClipboard {
public:
    struct Refusal {
        int line = 0;   // of the pasted text, from 1
        int field = 0;  // within the line, from 1
        std::string text;
    };

    // Called with true before a paste changes anything and with false after it, so that
    // an undo history can make the whole paste one step.
    static std::function<void(bool begin)> pasteGroup;

    // The selected block as tab-separated text (lines end with LF).
    static std::string CopyText(cuiSheet& sheet);
    static void Copy(cuiSheet& sheet);
    // Pastes text from the current cell on; returns the values that were not taken.
    static std::vector<Refusal> PasteText(cuiSheet& sheet, const std::string& text);
    // Pastes the clipboard and shows a message listing what was not taken.
    static void Paste(cuiSheet& sheet);
};
