#include "sheets/cuiImageList.h"

#include <QPainter>

void cuiImageList::Draw(QPainter& painter, int x, int y, int i) const
{
    if (i < 0 || i >= Count())
        return;
    m_icons.at(i).paint(&painter, x, y, m_size, m_size);
}
