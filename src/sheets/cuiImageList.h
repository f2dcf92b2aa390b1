#pragma once
#include <QIcon>
#include <QList>

class QPainter;

// A list of icons that cells refer to by position (the tree's list: 8 is the warning
// marker, 9 the error marker), drawn at one size.
class cuiImageList {
public:
    explicit cuiImageList(QList<QIcon> icons = {}, int size = 16)
        : m_icons(std::move(icons)), m_size(size)
    {
    }

    int Count() const { return static_cast<int>(m_icons.size()); }
    int Width() const { return m_size; }
    int Height() const { return m_size; }
    const QIcon& Icon(int i) const { return m_icons.at(i); }
    // Draws image i with its top-left corner at (x, y); nothing for a position not in the list.
    void Draw(QPainter& painter, int x, int y, int i) const;

private:
    QList<QIcon> m_icons;
    int m_size;
};
