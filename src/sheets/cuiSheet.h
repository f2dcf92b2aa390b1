#pragma once
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "sheets/cuiGrid.h"

class QFrame;
class QImage;
class QKeyEvent;
class QMouseEvent;
class QLabel;
class QMenu;
class QPaintDevice;
class QPainter;
class QPlainTextEdit;
class QWidget;
class cmcGTex;
class cuiGrid;
class cuiImageList;
class cuiPainterCanvas;
class cuiSheetMenu;
class indRulesHost;
struct cmcEvent;

// One grid row as the rows entry built it: the line of "_Cells" it comes from, and whether
// it was added while rows were selectable for multi-selection.
struct clsSheeRowAtr {
    int32_t line = 0;
    bool selectable = true;
};

// One grid cell: its parsed definition and its selection state.
struct clsSheetCellId {
    cmcCellObj cell;
    bool rowSelectable = true;  // may join a multi-selection
    bool selected = false;
    bool lineHighlighted = false;
};

// A page of settings shown as a grid of cells. Nothing of its content is built in: the
// sheet reads the overlay entries N + "_Style", N + "_BasicCell" and N + "_Cells" and builds
// rows, columns and cells from them. It never interprets a setting: to paint a cell or
// act on a key, click or menu command it fills a capsule and calls the rules function.
// The same class serves the page in the main window, the choice list of a cell editor
// (popup mode), printing and preview (a painter on another device), and the model sheets.
class cuiSheet : public QObject {
public:
    static constexpr int kMultiNone = 0;
    static constexpr int kMultiCell = 1;
    static constexpr int kMultiLine = 2;
    static constexpr int kMaxColWidth = 650;
    static constexpr int kMinColWidth = 10;
    // Pauses before each repetition a rule asks for (ms); 0 from then on.
    static constexpr int kRepeatFirstWait = 30;
    static constexpr int kRepeatWaitStep = 6;
    static constexpr int kEditorMaxChars = 1024;

    cuiSheet(QWidget* parent, const cmcCellCapsule* context, int32_t initialId,
             int32_t initialIndex, cmcGTex* store, std::string entryName, cuiImageList* images);
    ~cuiSheet() override;
    cuiSheet(const cuiSheet&) = delete;
    cuiSheet& operator=(const cuiSheet&) = delete;

    // Overridable steps, in the order model sheets know them.
    virtual std::string SetParameter(const std::string& parameter);
    virtual void Show();
    virtual void ApplyStyleKey(std::string_view group);
    virtual void ApplyRowDirective(std::string_view group);
    virtual void Build();
    virtual void LoadBasicCell();
    virtual void ScanRows(const std::string& entry);
    virtual void FillCells(const std::string& entry);
    virtual void BeforeRow(int row);
    virtual void BeforeCell(int col, int row);
    virtual std::string GetPrintTitle();
    virtual bool IsPrintable();
    virtual bool IsPrintableCurrent();
    virtual void LoadColumnWidths();
    virtual void SaveColumnWidths();

    // Set-up before Show.
    const std::string& SetDisplayName(const std::string& name);
    const std::string& GetDisplayName() const { return m_displayName; }
    std::string GetParameter() const { return m_parameter.value_or(std::string()); }
    void SetRules(cmcCellRulesFn rules, void* context);
    void SetPopupMode(bool on) { m_popupMode = on; }
    bool PopupMode() const { return m_popupMode; }
    // Printing: cells are measured and painted for this device; scale is its vertical
    // resolution over the screen's. Column widths are then never saved.
    void SetPrinter(QPaintDevice* printer);
    // Preview: the bitmap stands in for the printer's page; scale 1.
    void SetPreviewTarget(QPaintDevice* printer, QImage* bitmap);
    void SetPreview(bool on) { m_preview = on; }
    void SetFontSize(int height) { m_fontHeightOverride = height; }
    void SetSavedPosition(int col, int row, int leftCol, int topRow);
    // The next build forgets the stored widths of every sheet.
    void SetResetWidths(bool on) { m_resetWidths = on; }

    // The program-wide defaults: the rules every sheet uses when none was set (the model
    // cell rules, wired by the main window), and where the model type and modes come from.
    static void SetDefaultRules(cmcCellRulesFn rules, void* context);
    static void SetModelHost(indRulesHost* host);
    static indRulesHost* ModelHost();
    // The pause between repeated rule calls; tests replace it to watch the waits.
    static void SetSleep(void (*sleep)(int ms));
    // Deletes the stored column widths of every sheet listed in "GI_CellWidthRegList".
    static void ResetAllColumnWidths(cmcGTex* store);

    // Queries.
    cuiGrid* Grid() const { return m_grid; }
    QWidget* Panel() const { return m_panel; }
    int ColCount() const { return m_colCount; }
    int RowCount() const { return m_rowCount; }
    // Rows the grid can show without a rebuild (see PrepareSpareRows).
    int RowCapacity() const { return m_rowCapacity; }
    int MultiSelectMode() const { return m_multiSelect; }
    bool MultiSelectionActive() const { return m_multiActive; }
    bool IsPrinting() const { return m_printer != nullptr; }
    int Scale() const { return m_scale; }
    const cmcCellObj& BasicCell() const { return m_basicCell; }
    const std::string& EntryName() const { return m_entryName; }
    const std::string& TitleString() const { return m_title; }
    bool EditorVisible() const;
    QPlainTextEdit* Editor() const { return m_editor; }
    QMenu* PopupMenu() const { return m_menu; }
    cuiSheetMenu* MenuBuilder() const { return m_menuBuilder.get(); }
    cmcCellCapsule* ContextCapsule() const { return m_context.get(); }
    cmcCellRulesFn Rules() const { return m_rules; }
    void* RulesContext() const { return m_rulesContext; }
    // The window size that shows every column (row): the sum of the widths (heights) plus
    // what the parent has around the grid's client area.
    int NeededWidth();
    int NeededHeight();
    // Lays out the panels now, also while the parent window is not yet shown.
    void LayoutNow();
    void ScrollHome();
    const cmcCellObj& CellAt(int col, int row) const;
    clsSheetCellId& CellIdAt(int col, int row);
    const clsSheetCellId& CellIdAt(int col, int row) const;
    bool IsSelectable(int col, int row) const;
    // The registry name of this sheet's column widths, empty when it keeps none.
    std::string WidthRegistryName() const;
    // The column widths as the user sees them (tests, printing).
    int ColWidth(int col) const;

    // Painting: paints cell (col, row) into rect with the painter. The grid calls it for
    // the screen; printing and preview call it with their own painter and layout.
    void DrawCell(QPainter& painter, int col, int row, const QRect& rect);
    // Invalidates the cells that the selector matches for the reference capsule's cell.
    void RepaintMatching(const cmcCellCapsule* reference, int selector);

    // Interaction.
    void SendAction(int col, int row, int32_t key, int32_t command,
                    const std::string* text = nullptr);
    void MoveTo(int col, int row);
    void MoveQuiet(int col, int row);
    void Navigate(int dx, int dy);
    void MoveToIdentity(int32_t category, int32_t id, int32_t index);
    void OpenEditor(int col, int row);
    void HideEditor(bool refocus);
    void ClearMultiSelection();
    // Opens the popup menu of the current cell at a viewport position (the menu key opens
    // it at the current cell).
    void PopupMenuAt(const QPoint& viewportPos);
    // Runs a popup-menu command on the current cell, as a click on its item does.
    void MenuCommand(const cmcCellObj& item);
    // Auto-fits column c to the widest text it shows.
    void AutoFitColumn(int col);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Fields the model sheets work with.
    cmcGTex* m_store;
    std::string m_entryName;
    std::vector<clsSheeRowAtr> m_rows;
    int m_skipCount = 0;
    int m_currentLine = 0;
    int m_rowCount = 0;
    int m_colCount = 0;
    int m_rowCapacity = 0;
    int m_loopStart = -1;
    int m_loopEnd = -1;
    int m_loopCount = -1;
    int m_loopBodyLength = 0;
    bool m_selectState = true;
    int m_fixedCols = 0;
    int m_fixedRows = 0;
    cmcCounters m_counters{};
    // The bank the sheet's requests name (capsule field bank): a channel list shows the
    // channels of one bank, and a choice made in it carries that bank back to its opener.
    int32_t m_requestBank = 0;
    std::vector<clsSheetCellId> m_cells;
    std::optional<std::string> m_parameter;
    QPointer<cuiGrid> m_grid;

    // The number after the first space of a directive; false when there is none.
    static bool DirectiveNumber(std::string_view group, int* n);
    // Skips the number of lines after the directive's first space.
    void SkipLines(std::string_view group);
    // Adds a row entry for the line being scanned.
    void AddRow(int line, bool selectable);
    // Rows that lists growing with the image can add without a rebuild: after Build, the
    // cells of rows up to capacity - 1 are prepared as copies of the row above with the
    // index one higher. AddGridRow shows the next one (the last shown row becomes
    // row-selectable, the new one not); RemoveGridRow hides the last row and keeps the
    // cursor on a shown row at or below firstDataRow. Both are false at their limit.
    void PrepareSpareRows(int capacity);
    bool AddGridRow();
    bool RemoveGridRow(int firstDataRow);
    // The program-wide events a sheet acts on; model sheets add their own.
    virtual void HandleEvent(const cmcEvent& event);

private:
    void CreateUi();
    void AttachHandlers();
    void ApplyWidthLimits();
    const QFont& QtFont(const cmcFont* font);
    const QFontMetrics& ScreenMetrics(const cmcFont* font);
    const cmcFont* CellFont(const cmcCellObj& cell) const;
    void UpdateDerivedColors();
    QColor Sys(cmcColor c) const;
    void PrepareCapsule(cmcCellCapsule& cap, int col, int row, cmcRect& rect);
    void DrawMarker(QPainter& p, const QRect& r, bool error, int x, bool printing);
    int TextWidth(const cmcCellObj& cell, const std::string& text);
    bool ResolveTail(int* col, int* row) const;
    void SelectCell(int col, int row, bool* allow);
    void SelectionUpdate(int col, int row);
    void SetSelected(int col, int row, bool on);
    void UpdateLineHighlights();
    void UpdatePopupMenu(int col, int row, bool force);
    bool StepFrom(int* col, int* row, int dx, int dy, bool wrap) const;
    bool SideSearch(int* col, int* row, int dx, int dy) const;
    void MoveToFirstInRow(bool last);
    void MoveToCorner(bool last);
    bool GridKeyDown(QKeyEvent* e);
    bool EditorKey(QKeyEvent* e);
    void CommitEditor();
    bool MouseDown(QMouseEvent* e);
    bool MouseUp(QMouseEvent* e);
    bool MouseMove(QMouseEvent* e);
    bool DoubleClick(QMouseEvent* e);
    void RepaintSelected();
    static void OnEvent(void* context, const cmcEvent& event);
    int32_t RangeIndex(int row) const;
    void SendStatusClear();

    QWidget* m_parent;
    std::unique_ptr<cmcCellCapsule> m_context;  // own copy of the opening cell's capsule
    cuiImageList* m_images;
    cmcCellRulesFn m_rules = nullptr;
    void* m_rulesContext = nullptr;
    int32_t m_initialId;
    int32_t m_initialIndex;
    bool m_building = false;
    QPoint m_lastMouse{-1, -1};
    QPaintDevice* m_printer = nullptr;
    QImage* m_previewBitmap = nullptr;
    int m_scale = 1;
    int m_fontHeightOverride = 0;
    int m_savedCol = -1, m_savedRow = -1, m_savedLeft = -1, m_savedTop = -1;
    std::string m_displayName;
    std::string m_title;
    std::unique_ptr<cmcFont> m_titleFont;
    cmcColor m_titleColor = clGrayText;
    int m_printFontRatio = 100;
    int m_multiSelect = kMultiNone;
    bool m_preview = false;
    bool m_popupMode = false;
    bool m_noPrint = false;
    bool m_colSizingStyle = false;
    bool m_colorSelectLine = false;
    int m_firstSelCol = 0;
    int m_firstSelRow = 0;
    QPointer<QWidget> m_panel;
    QFrame* m_titlePanel = nullptr;
    QLabel* m_titleLabel = nullptr;
    QFrame* m_gridPanel = nullptr;
    QPlainTextEdit* m_editor = nullptr;
    int m_editorCol = -1;
    int m_editorRow = -1;
    bool m_commitOnLeave = true;
    QMenu* m_menu = nullptr;
    std::unique_ptr<cuiSheetMenu> m_menuBuilder;
    const cmcCellObj* m_lastFocusedCell = nullptr;
    std::string m_lastMenuName;
    bool m_autoPopup = false;
    bool m_resetWidths = false;
    bool m_loadingWidths = false;
    bool m_inWidthLimits = false;
    cmcCellObj m_basicCell;
    cmcCellCapsule m_drawCapsule;
    QRect m_cellRect;
    int m_navCol = 0;
    int m_navRow = 0;
    int m_anchorCol = -1;
    int m_anchorRow = -1;
    bool m_inColChange = false;
    bool m_multiActive = false;
    bool m_mouseDrag = false;
    bool m_subscribed = false;
    bool m_shiftDown = false;     // Shift held in the key being handled
    bool m_anyHighlight = false;  // some cell carries a line highlight
    bool m_committing = false;
    cmcColor m_seenText = 0xFFFFFFFFu;
    cmcColor m_seenWindow = 0xFFFFFFFFu;
    QColor m_inactiveSel;
    QColor m_selLine;
    QFont m_baseFont;
    std::vector<std::pair<cmcFont, QFont>> m_fontCache;
    std::vector<std::pair<cmcFont, QFontMetrics>> m_metricsCache;
    std::unique_ptr<QFontMetrics> m_baseMetrics;
};
