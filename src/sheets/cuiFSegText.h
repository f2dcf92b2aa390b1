#pragma once
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "cells/cmcCellCapsule.h"
#include "sheets/cuiPopupForm.h"

class QLineEdit;
class QPushButton;
class cmcGTex;
class cuiSheet;

// The popup in which the user edits a text of the radio's segment display: a one-line field
// with the text in its escaped form ("%1F" for user character 15, "A." for A with its
// point), a preview drawing the text as the display's glyphs, and the sheet
// "GI_Sheet_Sel_Text" of every character the display can show, from which characters are
// inserted. OK, Enter or a click outside hand the text back to the cell's rules as a choice;
// Cancel or Escape leave it. Only characters that are one byte of the overlay's code page
// can be typed; line breaks become spaces.
class cuiFSegText : public cuiPopupForm {
public:
    static constexpr int kMaxChars = 1024;
    static constexpr int kPerRow = 16;

    cuiFSegText(const cmcCellCapsule& capsule, cmcGTex* store, const std::string& storedBytes,
                bool selectAll, int length, const uint8_t* userChars);
    ~cuiFSegText() override;

    QLineEdit* Field() const { return m_field; }
    QWidget* Preview() const { return m_preview; }
    cuiSheet* Sheet() const { return m_sheet.get(); }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    // The text in stored form, kept in step with the field.
    const std::string& StoredBytes() const { return m_bytes; }
    // The field's text as bytes of the code page (its escaped form).
    std::string FieldText() const;
    int Length() const { return m_length; }
    const uint8_t* UserChars() const { return m_userChars; }

protected:
    void DoCommit() override;
    bool OnEnter() override;

private:
    static int Rules(void* self, cmcCellCapsule* capsule, int mode);
    int Run(cmcCellCapsule* capsule, int mode);
    void Insert(const std::string& bytes, bool focus);
    void OnTextChanged();

    cmcGTex* m_store;
    int m_length;
    uint8_t m_userChars[32] = {};
    std::string m_bytes;
    QLineEdit* m_field = nullptr;
    QWidget* m_preview = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    std::unique_ptr<cuiSheet> m_sheet;
    bool m_filtering = false;
};
