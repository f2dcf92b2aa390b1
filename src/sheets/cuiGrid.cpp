#include "sheets/cuiGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

namespace {
constexpr int kSizingGrip = 3;  // pixels either side of a header border that start sizing
constexpr int kWheelRows = 3;
}  // namespace

cuiGrid::cuiGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent, false);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    m_scrollTimer = new QTimer(this);
    m_scrollTimer->setInterval(kTimedScrollMs);
    connect(m_scrollTimer, &QTimer::timeout, this, [this] { OnTimedScroll(); });
}

cuiGrid::~cuiGrid() = default;

void cuiGrid::SetColCount(int n)
{
    n = std::max(0, n);
    m_colWidths.resize(static_cast<size_t>(n), m_defaultColWidth);
    m_fixedCols = std::min(m_fixedCols, std::max(0, n - 1));
    m_col = std::clamp(m_col, 0, std::max(0, n - 1));
    m_leftCol = std::clamp(m_leftCol, m_fixedCols, std::max(m_fixedCols, MaxLeftCol()));
    UpdateScrollBars();
    InvalidateAll();
}

void cuiGrid::SetRowCount(int n)
{
    n = std::max(0, n);
    m_rowHeights.resize(static_cast<size_t>(n), m_defaultRowHeight);
    m_fixedRows = std::min(m_fixedRows, std::max(0, n - 1));
    m_row = std::clamp(m_row, 0, std::max(0, n - 1));
    m_topRow = std::clamp(m_topRow, m_fixedRows, std::max(m_fixedRows, MaxTopRow()));
    UpdateScrollBars();
    InvalidateAll();
}

void cuiGrid::SetFixedCols(int n)
{
    m_fixedCols = std::clamp(n, 0, std::max(0, ColCount() - 1));
    m_leftCol = std::max(m_leftCol, m_fixedCols);
    UpdateScrollBars();
    InvalidateAll();
}

void cuiGrid::SetFixedRows(int n)
{
    m_fixedRows = std::clamp(n, 0, std::max(0, RowCount() - 1));
    m_topRow = std::max(m_topRow, m_fixedRows);
    UpdateScrollBars();
    InvalidateAll();
}

int cuiGrid::ColWidth(int c) const
{
    return c >= 0 && c < ColCount() ? m_colWidths[static_cast<size_t>(c)] : 0;
}

int cuiGrid::RowHeight(int r) const
{
    return r >= 0 && r < RowCount() ? m_rowHeights[static_cast<size_t>(r)] : 0;
}

void cuiGrid::SetColWidth(int c, int w)
{
    if (c < 0 || c >= ColCount())
        return;
    w = std::max(0, w);
    if (m_colWidths[static_cast<size_t>(c)] == w)
        return;
    m_colWidths[static_cast<size_t>(c)] = w;
    UpdateScrollBars();
    InvalidateAll();
    if (onColWidthsChanged)
        onColWidthsChanged(this);
}

void cuiGrid::SetRowHeight(int r, int h)
{
    if (r < 0 || r >= RowCount())
        return;
    h = std::max(0, h);
    if (m_rowHeights[static_cast<size_t>(r)] == h)
        return;
    m_rowHeights[static_cast<size_t>(r)] = h;
    UpdateScrollBars();
    InvalidateAll();
}

void cuiGrid::SetDefaultColWidth(int w)
{
    m_defaultColWidth = std::max(0, w);
    std::fill(m_colWidths.begin(), m_colWidths.end(), m_defaultColWidth);
    UpdateScrollBars();
    InvalidateAll();
    if (onColWidthsChanged)
        onColWidthsChanged(this);
}

void cuiGrid::SetDefaultRowHeight(int h)
{
    m_defaultRowHeight = std::max(0, h);
    std::fill(m_rowHeights.begin(), m_rowHeights.end(), m_defaultRowHeight);
    UpdateScrollBars();
    InvalidateAll();
}

bool cuiGrid::AskSelect(int c, int r)
{
    bool allow = true;
    if (onSelectCell)
        onSelectCell(this, c, r, &allow);
    return allow;
}

void cuiGrid::SetCol(int c)
{
    if (c < 0 || c >= ColCount())
        return;
    if (!AskSelect(c, m_row))
        return;
    const int old = m_col;
    m_col = c;
    InvalidateCell(old, m_row);
    InvalidateCell(m_col, m_row);
    ScrollIntoView(m_col, m_row);
}

void cuiGrid::SetRow(int r)
{
    if (r < 0 || r >= RowCount() || r == m_row)
        return;
    if (!AskSelect(m_col, r))
        return;
    const int old = m_row;
    m_row = r;
    InvalidateCell(m_col, old);
    InvalidateCell(m_col, m_row);
    ScrollIntoView(m_col, m_row);
}

bool cuiGrid::MoveCurrent(int c, int r, bool scrollIntoView)
{
    if (c < 0 || c >= ColCount() || r < 0 || r >= RowCount())
        return false;
    if (!AskSelect(c, r))
        return false;
    InvalidateCell(m_col, m_row);
    m_col = c;
    m_row = r;
    InvalidateCell(m_col, m_row);
    if (scrollIntoView)
        ScrollIntoView(c, r);
    return true;
}

int cuiGrid::MaxTopRow() const
{
    // The smallest top row that still shows the last row at the bottom.
    const int avail = ClientHeight() - FixedHeight();
    int h = 0;
    int r = RowCount() - 1;
    for (; r >= m_fixedRows; --r) {
        h += RowHeight(r);
        if (h > avail)
            return std::min(RowCount() - 1, r + 1);
    }
    return m_fixedRows;
}

int cuiGrid::MaxLeftCol() const
{
    const int avail = ClientWidth() - FixedWidth();
    int w = 0;
    int c = ColCount() - 1;
    for (; c >= m_fixedCols; --c) {
        w += ColWidth(c);
        if (w > avail)
            return std::min(ColCount() - 1, c + 1);
    }
    return m_fixedCols;
}

void cuiGrid::SetTopRow(int r)
{
    r = std::clamp(r, m_fixedRows, std::max(m_fixedRows, MaxTopRow()));
    if (r == m_topRow)
        return;
    ScrollToCellRaw(m_leftCol, r);
}

void cuiGrid::SetLeftCol(int c)
{
    c = std::clamp(c, m_fixedCols, std::max(m_fixedCols, MaxLeftCol()));
    if (c == m_leftCol)
        return;
    ScrollToCellRaw(c, m_topRow);
}

void cuiGrid::ScrollToCellRaw(int left, int top)
{
    // Only what moved is repainted: the pixels of the scrolled part are shifted and the
    // strip that comes into view is painted; fixed rows and columns stay as they are.
    int dx = 0;
    int dy = 0;
    if (left != m_leftCol) {
        const int a = std::min(left, m_leftCol);
        const int b = std::max(left, m_leftCol);
        for (int c = a; c < b; ++c)
            dx += ColWidth(c);
        if (left > m_leftCol)
            dx = -dx;
    }
    if (top != m_topRow) {
        const int a = std::min(top, m_topRow);
        const int b = std::max(top, m_topRow);
        for (int r = a; r < b; ++r)
            dy += RowHeight(r);
        if (top > m_topRow)
            dy = -dy;
    }
    m_leftCol = left;
    m_topRow = top;
    const int fw = FixedWidth();
    const int fh = FixedHeight();
    const int w = viewport()->width();
    const int h = viewport()->height();
    if (dy != 0) {
        if (std::abs(dy) < h - fh)
            viewport()->scroll(0, dy, QRect(0, fh, w, h - fh));
        else
            viewport()->update(QRect(0, fh, w, h - fh));
    }
    if (dx != 0) {
        if (std::abs(dx) < w - fw)
            viewport()->scroll(dx, 0, QRect(fw, 0, w - fw, h));
        else
            viewport()->update(QRect(fw, 0, w - fw, h));
    }
    m_syncingBars = true;
    horizontalScrollBar()->setValue(m_leftCol);
    verticalScrollBar()->setValue(m_topRow);
    m_syncingBars = false;
    if (onTopLeftChanged)
        onTopLeftChanged(this);
}

int cuiGrid::VisibleRowCount() const
{
    const int avail = ClientHeight() - FixedHeight();
    int h = 0;
    int n = 0;
    for (int r = m_topRow; r < RowCount(); ++r) {
        h += RowHeight(r);
        if (h > avail)
            break;
        ++n;
    }
    return std::max(1, n);
}

int cuiGrid::VisibleColCount() const
{
    const int avail = ClientWidth() - FixedWidth();
    int w = 0;
    int n = 0;
    for (int c = m_leftCol; c < ColCount(); ++c) {
        w += ColWidth(c);
        if (w > avail)
            break;
        ++n;
    }
    return std::max(1, n);
}

void cuiGrid::ScrollIntoView(int c, int r)
{
    int left = m_leftCol;
    int top = m_topRow;
    if (c >= m_fixedCols) {
        if (c < left) {
            left = c;
        } else {
            // Scroll right until column c ends inside the client area (or is the left one).
            const int avail = ClientWidth() - FixedWidth();
            while (left < c) {
                int w = 0;
                for (int i = left; i <= c; ++i)
                    w += ColWidth(i);
                if (w <= avail)
                    break;
                ++left;
            }
        }
    }
    if (r >= m_fixedRows) {
        if (r < top) {
            top = r;
        } else {
            const int avail = ClientHeight() - FixedHeight();
            while (top < r) {
                int h = 0;
                for (int i = top; i <= r; ++i)
                    h += RowHeight(i);
                if (h <= avail)
                    break;
                ++top;
            }
        }
    }
    if (left != m_leftCol || top != m_topRow)
        ScrollToCellRaw(left, top);
}

int cuiGrid::ColX(int c) const
{
    int x = 0;
    if (c < m_fixedCols || c < m_leftCol) {
        for (int i = 0; i < c; ++i)
            x += ColWidth(i);
        if (c >= m_fixedCols)  // scrolled away to the left: left of the fixed part
            for (int i = c; i < m_leftCol; ++i)
                x -= ColWidth(i);
        return x;
    }
    x = FixedWidth();
    for (int i = m_leftCol; i < c; ++i)
        x += ColWidth(i);
    return x;
}

int cuiGrid::RowY(int r) const
{
    int y = 0;
    if (r < m_fixedRows || r < m_topRow) {
        for (int i = 0; i < r; ++i)
            y += RowHeight(i);
        if (r >= m_fixedRows)
            for (int i = r; i < m_topRow; ++i)
                y -= RowHeight(i);
        return y;
    }
    y = FixedHeight();
    for (int i = m_topRow; i < r; ++i)
        y += RowHeight(i);
    return y;
}

QRect cuiGrid::CellRect(int c, int r) const
{
    if (c < 0 || c >= ColCount() || r < 0 || r >= RowCount())
        return {};
    if ((c >= m_fixedCols && c < m_leftCol) || (r >= m_fixedRows && r < m_topRow))
        return {};
    const int x = ColX(c);
    const int y = RowY(r);
    if (x >= viewport()->width() || y >= viewport()->height())
        return {};
    return QRect(x, y, ColWidth(c), RowHeight(r));
}

bool cuiGrid::CellAt(const QPoint& pos, int* c, int* r) const
{
    *c = -1;
    *r = -1;
    if (pos.x() < 0 || pos.y() < 0)
        return false;
    int col = -1;
    int x = 0;
    for (int i = 0; i < ColCount(); ++i) {
        if (i >= m_fixedCols && i < m_leftCol)
            continue;
        if (pos.x() < x + ColWidth(i)) {
            col = i;
            break;
        }
        x += ColWidth(i);
    }
    int row = -1;
    int y = 0;
    for (int i = 0; i < RowCount(); ++i) {
        if (i >= m_fixedRows && i < m_topRow)
            continue;
        if (pos.y() < y + RowHeight(i)) {
            row = i;
            break;
        }
        y += RowHeight(i);
    }
    if (col < 0 || row < 0)
        return false;
    *c = col;
    *r = row;
    return true;
}

void cuiGrid::InvalidateCell(int c, int r)
{
    // Cells outside the grid are ignored, so a repaint request can never reach past it.
    const QRect rc = CellRect(c, r);
    if (!rc.isEmpty())
        viewport()->update(rc);
}

void cuiGrid::InvalidateRow(int r, int firstCol)
{
    if (r < 0 || r >= RowCount())
        return;
    for (int c = std::max(0, firstCol); c < ColCount(); ++c)
        InvalidateCell(c, r);
}

void cuiGrid::InvalidateAll()
{
    viewport()->update();
}

int cuiGrid::TotalWidth() const
{
    int w = 0;
    for (int v : m_colWidths)
        w += v;
    return w;
}

int cuiGrid::TotalHeight() const
{
    int h = 0;
    for (int v : m_rowHeights)
        h += v;
    return h;
}

int cuiGrid::ClientWidth() const
{
    return viewport()->width();
}

int cuiGrid::ClientHeight() const
{
    return viewport()->height();
}

int cuiGrid::FixedWidth() const
{
    int w = 0;
    for (int c = 0; c < m_fixedCols; ++c)
        w += ColWidth(c);
    return w;
}

int cuiGrid::FixedHeight() const
{
    int h = 0;
    for (int r = 0; r < m_fixedRows; ++r)
        h += RowHeight(r);
    return h;
}

void cuiGrid::SetScrollBars(bool on)
{
    m_scrollBars = on;
    const Qt::ScrollBarPolicy p = on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(p);
    setVerticalScrollBarPolicy(p);
    UpdateScrollBars();
}

void cuiGrid::SetBackground(const QColor& c)
{
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Base, c);
    viewport()->setPalette(pal);
}

void cuiGrid::UpdateScrollBars()
{
    m_syncingBars = true;
    horizontalScrollBar()->setRange(m_fixedCols, std::max(m_fixedCols, MaxLeftCol()));
    verticalScrollBar()->setRange(m_fixedRows, std::max(m_fixedRows, MaxTopRow()));
    horizontalScrollBar()->setPageStep(VisibleColCount());
    verticalScrollBar()->setPageStep(VisibleRowCount());
    horizontalScrollBar()->setValue(m_leftCol);
    verticalScrollBar()->setValue(m_topRow);
    m_syncingBars = false;
    // A resize may leave the grid scrolled further than it needs to be.
    const int left = std::clamp(m_leftCol, m_fixedCols, std::max(m_fixedCols, MaxLeftCol()));
    const int top = std::clamp(m_topRow, m_fixedRows, std::max(m_fixedRows, MaxTopRow()));
    if (left != m_leftCol || top != m_topRow) {
        m_leftCol = left;
        m_topRow = top;
        InvalidateAll();
    }
}

void cuiGrid::RepaintNow()
{
    viewport()->repaint();
}

void cuiGrid::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    m_painter = &painter;
    const QRegion region = event->region();
    const QRect bounds = region.boundingRect();
    const int w = viewport()->width();
    const int h = viewport()->height();
    // Fixed and scrolled parts, each in its own column and row order.
    auto paintRange = [&](int c0, int c1, int r0, int r1) {
        int y = r0 < m_fixedRows ? RowY(r0) : RowY(std::max(r0, m_topRow));
        for (int r = r0 < m_fixedRows ? r0 : std::max(r0, m_topRow); r < r1 && y < h; ++r) {
            const int rh = RowHeight(r);
            if (y + rh > bounds.top() && y < bounds.bottom() + 1) {
                int x = c0 < m_fixedCols ? ColX(c0) : ColX(std::max(c0, m_leftCol));
                for (int c = c0 < m_fixedCols ? c0 : std::max(c0, m_leftCol); c < c1 && x < w;
                     ++c) {
                    const int cw = ColWidth(c);
                    const QRect rc(x, y, cw, rh);
                    if (cw > 0 && rh > 0 && region.intersects(rc) && onDrawCell) {
                        painter.save();
                        painter.setClipRect(rc);
                        onDrawCell(this, c, r, rc);
                        painter.restore();
                    }
                    x += cw;
                }
            }
            y += rh;
        }
    };
    paintRange(0, m_fixedCols, 0, m_fixedRows);
    paintRange(m_fixedCols, ColCount(), 0, m_fixedRows);
    paintRange(0, m_fixedCols, m_fixedRows, RowCount());
    paintRange(m_fixedCols, ColCount(), m_fixedRows, RowCount());
    m_painter = nullptr;
}

void cuiGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    if (onColWidthsChanged)
        onColWidthsChanged(this);
}

void cuiGrid::scrollContentsBy(int, int)
{
    if (m_syncingBars)
        return;
    const int left = horizontalScrollBar()->value();
    const int top = verticalScrollBar()->value();
    if (left != m_leftCol || top != m_topRow)
        ScrollToCellRaw(left, top);
}

void cuiGrid::keyPressEvent(QKeyEvent* event)
{
    if (onKeyDown && onKeyDown(event)) {
        event->accept();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Left:
            MoveCurrent(std::max(m_fixedCols, m_col - 1), m_row, true);
            break;
        case Qt::Key_Right:
            MoveCurrent(std::min(ColCount() - 1, m_col + 1), m_row, true);
            break;
        case Qt::Key_Up:
            MoveCurrent(m_col, std::max(m_fixedRows, m_row - 1), true);
            break;
        case Qt::Key_Down:
            MoveCurrent(m_col, std::min(RowCount() - 1, m_row + 1), true);
            break;
        default:
            event->ignore();
            return;
    }
    event->accept();
}

void cuiGrid::keyReleaseEvent(QKeyEvent* event)
{
    if (onKeyUp)
        onKeyUp(event);
    QAbstractScrollArea::keyReleaseEvent(event);
}

int cuiGrid::SizingBorderAt(const QPoint& pos) const
{
    if (!m_colSizing || pos.y() < 0 || pos.y() >= FixedHeight())
        return -1;
    for (int c = m_fixedCols; c < ColCount(); ++c) {
        const QRect rc = CellRect(c, 0);
        if (rc.isEmpty() || ColWidth(c) <= 0)
            continue;
        const int right = rc.left() + ColWidth(c);
        if (std::abs(pos.x() - right) <= kSizingGrip)
            return c;
    }
    return -1;
}

void cuiGrid::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (onMouseDown && onMouseDown(event))
        return;
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const int sc = SizingBorderAt(pos);
        if (sc >= 0) {
            m_sizingCol = sc;
            m_sizingStartX = pos.x();
            m_sizingStartW = ColWidth(sc);
            return;
        }
        m_buttonDown = true;
        m_lastMouse = pos;
        int c = 0;
        int r = 0;
        if (CellAt(pos, &c, &r) && c >= m_fixedCols && r >= m_fixedRows)
            MoveCurrent(c, r, true);
    }
}

void cuiGrid::mouseReleaseEvent(QMouseEvent* event)
{
    m_buttonDown = false;
    m_sizingCol = -1;
    m_scrollTimer->stop();
    if (onMouseUp)
        onMouseUp(event);
}

void cuiGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (m_sizingCol >= 0) {
        SetColWidth(m_sizingCol, std::max(1, m_sizingStartW + pos.x() - m_sizingStartX));
        return;
    }
    if (onMouseMove && onMouseMove(event))
        return;
    if (!m_buttonDown) {
        viewport()->setCursor(SizingBorderAt(pos) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
        return;
    }
    m_lastMouse = pos;
    const QRect client = viewport()->rect();
    if (!client.contains(pos)) {
        if (!m_scrollTimer->isActive())
            m_scrollTimer->start();
        return;
    }
    m_scrollTimer->stop();
    int c = 0;
    int r = 0;
    if (CellAt(pos, &c, &r) && c >= m_fixedCols && r >= m_fixedRows && (c != m_col || r != m_row))
        MoveCurrent(c, r, true);
}

void cuiGrid::OnTimedScroll()
{
    if (!m_buttonDown) {
        m_scrollTimer->stop();
        return;
    }
    const QRect client = viewport()->rect();
    int dirs = 0;
    if (m_lastMouse.x() < 0)
        dirs |= kScrollLeft;
    if (m_lastMouse.x() >= client.width())
        dirs |= kScrollRight;
    if (m_lastMouse.y() < 0)
        dirs |= kScrollUp;
    if (m_lastMouse.y() >= client.height())
        dirs |= kScrollDown;
    if (dirs == 0)
        return;
    if (onTimedScroll) {
        onTimedScroll(dirs);
        return;
    }
    const int dx = ((dirs & kScrollRight) ? 1 : 0) - ((dirs & kScrollLeft) ? 1 : 0);
    const int dy = ((dirs & kScrollDown) ? 1 : 0) - ((dirs & kScrollUp) ? 1 : 0);
    MoveCurrent(std::clamp(m_col + dx, m_fixedCols, ColCount() - 1),
                std::clamp(m_row + dy, m_fixedRows, RowCount() - 1), true);
}

void cuiGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (onDoubleClick && onDoubleClick(event))
        return;
    mousePressEvent(event);
}

void cuiGrid::wheelEvent(QWheelEvent* event)
{
    const QPoint d = event->angleDelta();
    int steps = 0;
    bool horizontal = false;
    if (d.y() != 0) {
        steps = -d.y() / 120 * kWheelRows;
        if (steps == 0)
            steps = d.y() > 0 ? -1 : 1;
        horizontal = (event->modifiers() & Qt::ShiftModifier) != 0;
    } else if (d.x() != 0) {
        steps = -d.x() / 120 * kWheelRows;
        if (steps == 0)
            steps = d.x() > 0 ? -1 : 1;
        horizontal = true;
    }
    if (horizontal)
        SetLeftCol(m_leftCol + steps);
    else
        SetTopRow(m_topRow + steps);
    event->accept();
}

void cuiGrid::focusInEvent(QFocusEvent* event)
{
    // A popup menu of ours taking the focus for a moment is no change of focus.
    if (onFocusGained && event->reason() != Qt::PopupFocusReason)
        onFocusGained();
    QAbstractScrollArea::focusInEvent(event);
}

void cuiGrid::focusOutEvent(QFocusEvent* event)
{
    if (onFocusLost && event->reason() != Qt::PopupFocusReason)
        onFocusLost();
    QAbstractScrollArea::focusOutEvent(event);
}

void cuiGrid::contextMenuEvent(QContextMenuEvent* event)
{
    if (onContextMenu)
        onContextMenu(event);
}

bool cuiGrid::focusNextPrevChild(bool)
{
    // Tab moves between cells, not out of the grid.
    return false;
}

bool cuiGrid::viewportEvent(QEvent* event)
{
    return QAbstractScrollArea::viewportEvent(event);
}
