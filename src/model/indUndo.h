#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Undo and redo of the edits of the working image. Every edit step keeps the bytes it
// changed (address, before, after), so a step costs what it changed and the history has no
// limit within a document. The step's description names the setting ("Channel 3 Receive
// Frequency"); the menu shows it.
class indUndo {
public:
    // Remembers the image as it is before an edit.
    void Begin(const uint8_t* image, size_t size);
    // After the edit: when the image differs from what Begin saw, records a step and drops
    // the steps that could have been redone. Answers whether a step was recorded.
    bool Commit(const uint8_t* image, size_t size, const std::string& description);
    // Drops what Begin remembered without recording anything.
    void Cancel() { m_before.clear(); }

    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_steps.size(); }
    const std::string& UndoDescription() const;
    const std::string& RedoDescription() const;
    // Puts the bytes of the last step back as they were (Undo) or as it left them (Redo).
    bool Undo(uint8_t* image, size_t size);
    bool Redo(uint8_t* image, size_t size);
    // New, open and clone read start a new history.
    void Clear();
    size_t Steps() const { return m_steps.size(); }

private:
    struct Change {
        uint32_t address;
        uint8_t before;
        uint8_t after;
    };
    struct Step {
        std::string description;
        std::vector<Change> changes;
    };
    std::vector<Step> m_steps;
    size_t m_done = 0;  // steps [0, m_done) are applied
    std::vector<uint8_t> m_before;
};
