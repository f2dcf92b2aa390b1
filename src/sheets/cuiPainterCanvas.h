#pragma once
#include <QColor>
#include <QPalette>

#include "cells/cmcCanvas.h"

class QPainter;

// The cell engine's drawing surface over a painter (screen, printer or bitmap). Colours
// keep their overlay values so that codecs can compare them; the painter gets the toolkit
// colours.
class cuiPainterCanvas : public cmcCanvas {
public:
    cuiPainterCanvas(QPainter* painter, const QPalette& palette)
        : m_painter(painter), m_palette(palette)
    {
    }

    cmcColor FontColor() const override { return m_font; }
    void SetFontColor(cmcColor color) override { m_font = color; }
    cmcColor BrushColor() const override { return m_brush; }
    void SetBrushColor(cmcColor color) override { m_brush = color; }
    cmcColor PenColor() const override { return m_pen; }
    void SetPenColor(cmcColor color) override { m_pen = color; }
    void Polygon(const Point* points, int count) override;

    QColor ToQt(cmcColor color) const;
    QPainter* Painter() const { return m_painter; }

private:
    QPainter* m_painter;
    QPalette m_palette;
    cmcColor m_font = clWindowText;
    cmcColor m_brush = clWindow;
    cmcColor m_pen = clBlack;
};
