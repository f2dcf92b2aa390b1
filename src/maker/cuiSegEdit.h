#pragma once
#include <QWidget>
#include <cstdint>

#include "cells/Segchar.h"
#include "cells/cmcCellCapsule.h"
#include "sheets/cuiPopupForm.h"

class QPushButton;

// The character editor: one user-defined character of the segment display drawn large,
// every segment switched on or off by a click. OK (or Enter) hands the new 16-bit pattern
// back to the cell's rules as a choice; Cancel, Escape, closing the window or the owner's
// grid going away store nothing. The window is modal to the owner's window.
class cuiSegEdit : public cuiPopupForm {
public:
    static constexpr int kCanvasSize = 200;
    static constexpr int kDrawSize = 180;
    static constexpr int kMargin = 10;
    static constexpr int kButtonWidth = 84;

    cuiSegEdit(const cmcCellCapsule& capsule, int unused, uint16_t pattern);

    const Segchar& Glyph() const { return m_glyph; }
    QWidget* Canvas() const { return m_canvas; }
    QPushButton* OkButton() const { return m_ok; }
    // The pattern of the lit segments, with the bits above the glyph's segments kept.
    uint16_t Pattern() const;
    // Pixels per glyph unit; 0 when the glyph has no extent.
    double Scale() const;
    // The segment under a pixel of the drawing, -1 when none; ClickAt toggles it.
    int SegmentAt(double x, double y) const;
    void ClickAt(int x, int y);
    // Paints the glyph (the drawing panel's paint handler).
    void Paint(QWidget* target);

    // Whether point p lies in triangle t (with a small tolerance for the edges).
    static bool Inside(const dataTriangle& t, double px, double py);

protected:
    void DoCommit() override;
    bool OnEnter() override;

private:
    Segchar m_glyph;
    uint16_t m_initial;
    QWidget* m_canvas = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
