#include "sheets/cuiPainterCanvas.h"

#include <QPainter>
#include <QPolygon>

#include "sheets/cuiColors.h"

QColor cuiPainterCanvas::ToQt(cmcColor color) const
{
    return ToQColor(color, m_palette);
}

void cuiPainterCanvas::Polygon(const Point* points, int count)
{
    if (!m_painter || count < 2)
        return;
    QPolygon poly;
    for (int i = 0; i < count; ++i)
        poly << QPoint(points[i].x, points[i].y);
    m_painter->save();
    m_painter->setPen(QPen(ToQt(m_pen), 1));
    m_painter->setBrush(ToQt(m_brush));
    m_painter->drawPolygon(poly);
    m_painter->restore();
}
