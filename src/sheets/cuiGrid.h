#pragma once
#include <QAbstractScrollArea>
#include <QRect>
#include <functional>
#include <vector>

class QPainter;
class QTimer;

// The grid inside every sheet: rows and columns with their own widths and heights, fixed
// header rows and columns that stay in place while the rest scrolls, the current cell,
// mouse-to-cell mapping and per-cell invalidation. It paints nothing itself: every cell is
// painted by the draw-cell hook, with the painter that Canvas() returns during painting.
// Each hook, when assigned, replaces (or, where noted, follows) the grid's own step.
class cuiGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Directions of the timed scroll while the mouse is held outside the grid.
    static constexpr int kScrollLeft = 1;
    static constexpr int kScrollRight = 2;
    static constexpr int kScrollUp = 4;
    static constexpr int kScrollDown = 8;

    explicit cuiGrid(QWidget* parent = nullptr);
    ~cuiGrid() override;

    // Hooks; all empty at construction.
    std::function<void(cuiGrid*, int col, int row, bool* allow)> onSelectCell;
    std::function<void(cuiGrid*, int col, int row, const QRect& rect)> onDrawCell;
    std::function<void(cuiGrid*)> onTopLeftChanged;
    // Called after the widths were changed (by the program or by the user's dragging).
    std::function<void(cuiGrid*)> onColWidthsChanged;
    std::function<void(int directions)> onTimedScroll;
    std::function<void()> onFocusGained;
    std::function<void()> onFocusLost;
    // Input hooks: return true when the event was consumed.
    std::function<bool(QKeyEvent*)> onKeyDown;
    std::function<void(QKeyEvent*)> onKeyUp;
    std::function<bool(QMouseEvent*)> onMouseDown;
    std::function<bool(QMouseEvent*)> onMouseUp;
    std::function<bool(QMouseEvent*)> onMouseMove;
    std::function<bool(QMouseEvent*)> onDoubleClick;
    std::function<void(QContextMenuEvent*)> onContextMenu;

    // Size.
    int ColCount() const { return static_cast<int>(m_colWidths.size()); }
    int RowCount() const { return static_cast<int>(m_rowHeights.size()); }
    void SetColCount(int n);
    void SetRowCount(int n);
    int FixedCols() const { return m_fixedCols; }
    int FixedRows() const { return m_fixedRows; }
    void SetFixedCols(int n);
    void SetFixedRows(int n);
    int ColWidth(int c) const;
    int RowHeight(int r) const;
    void SetColWidth(int c, int w);
    void SetRowHeight(int r, int h);
    int DefaultColWidth() const { return m_defaultColWidth; }
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultColWidth(int w);
    void SetDefaultRowHeight(int h);

    // Current cell. SetCol and SetRow ask the select-cell hook and scroll the cell into
    // view; SetRow does nothing when the row is already current. MoveCurrent moves in one
    // step and scrolls only when asked to.
    int Col() const { return m_col; }
    int Row() const { return m_row; }
    void SetCol(int c);
    void SetRow(int r);
    bool MoveCurrent(int c, int r, bool scrollIntoView);

    // Scrolling, in whole rows and columns below and right of the fixed ones.
    int TopRow() const { return m_topRow; }
    int LeftCol() const { return m_leftCol; }
    void SetTopRow(int r);
    void SetLeftCol(int c);
    // Rows (columns) right of the fixed ones that are fully visible; at least 1.
    int VisibleRowCount() const;
    int VisibleColCount() const;
    // Scrolls as little as possible so that the cell is fully visible (when it fits).
    void ScrollIntoView(int c, int r);

    // Geometry, in viewport pixels. CellRect is empty for a cell that is scrolled away.
    QRect CellRect(int c, int r) const;
    // The cell under a viewport position; false (and -1, -1) outside all cells.
    bool CellAt(const QPoint& pos, int* c, int* r) const;
    void InvalidateCell(int c, int r);
    void InvalidateRow(int r, int firstCol);
    void InvalidateAll();
    int TotalWidth() const;
    int TotalHeight() const;
    int ClientWidth() const;
    int ClientHeight() const;
    int FixedWidth() const;
    int FixedHeight() const;

    // Options.
    void SetScrollBars(bool on);
    bool HasScrollBars() const { return m_scrollBars; }
    void SetColSizing(bool on) { m_colSizing = on; }
    bool ColSizing() const { return m_colSizing; }
    void SetBackground(const QColor& c);

    // The painter of the paint in progress (the grid's drawing canvas); null outside painting.
    QPainter* Canvas() const { return m_painter; }
    // Paints the cells that intersect the rectangle now (a synchronous repaint).
    void RepaintNow();

    // The timed scroll interval (ms) while the mouse is held outside.
    static constexpr int kTimedScrollMs = 60;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool viewportEvent(QEvent* event) override;

private:
    bool AskSelect(int c, int r);
    void UpdateScrollBars();
    int MaxTopRow() const;
    int MaxLeftCol() const;
    // X of a column's left edge, Y of a row's top edge, in viewport pixels (may lie outside).
    int ColX(int c) const;
    int RowY(int r) const;
    int SizingBorderAt(const QPoint& pos) const;
    void OnTimedScroll();
    void ScrollToCellRaw(int left, int top);

    std::vector<int> m_colWidths;
    std::vector<int> m_rowHeights;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    int m_fixedCols = 0;
    int m_fixedRows = 0;
    int m_col = 0;
    int m_row = 0;
    int m_leftCol = 0;
    int m_topRow = 0;
    bool m_scrollBars = true;
    bool m_colSizing = false;
    bool m_syncingBars = false;
    QPainter* m_painter = nullptr;
    // Column sizing by dragging.
    int m_sizingCol = -1;
    int m_sizingStartX = 0;
    int m_sizingStartW = 0;
    // Button held: timed scroll when outside.
    bool m_buttonDown = false;
    QPoint m_lastMouse;
    QTimer* m_scrollTimer = nullptr;
};
