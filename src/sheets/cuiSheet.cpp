#include "sheets/cuiSheet.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPaintDevice>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "cells/cmcCellIds.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "platform/Fatal.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"
#include "rules/indRulesHost.h"
#include "sheets/cuiColors.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiImageList.h"
#include "sheets/cuiPainterCanvas.h"
#include "sheets/cuiSheetMenu.h"
#include "shell/QtCellFont.h"

namespace {

cmcCellRulesFn s_defaultRules = nullptr;
void* s_defaultRulesContext = nullptr;
indRulesHost* s_host = nullptr;

void DefaultSleep(int ms)
{
    QThread::msleep(static_cast<unsigned long>(ms));
}
void (*s_sleep)(int) = DefaultSleep;

// Rules that know no cell: identified cells stay empty until the program wires its rules.
int NoRules(void*, cmcCellCapsule*, int)
{
    return cmcCellCapsule::kResultNone;
}

bool StartsWith(std::string_view s, std::string_view p)
{
    return s.substr(0, p.size()) == p;
}

// Every "(...)" group of a line, parentheses being single-byte characters only.
template <typename Fn>
void ForEachGroup(std::string_view line, Fn fn)
{
    size_t i = 0;
    while (i < line.size()) {
        const size_t open = txt::Find(line, '(', i);
        if (open == std::string::npos)
            return;
        const size_t close = txt::Find(line, ')', open + 1);
        if (close == std::string::npos)
            return;
        fn(line.substr(open + 1, close - open - 1));
        i = close + 1;
    }
}

std::string ValueAfterEquals(std::string_view group, bool* has)
{
    const size_t eq = group.find('=');
    *has = eq != std::string::npos;
    return *has ? std::string(group.substr(eq + 1)) : std::string();
}

int NumberAfterEquals(std::string_view group)
{
    bool has = false;
    const std::string v = ValueAfterEquals(group, &has);
    int32_t n = 0;
    if (!has || !txt::ReadLeadingInt(v, &n))
        return 0;
    return n;
}

// Cell texts are converted on every paint: plain ASCII is the same in every code page and
// needs no converter.
QString CellText(const std::string& text)
{
    for (const char ch : text)
        if (static_cast<unsigned char>(ch) >= 0x80)
            return plat::ToQt(text);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        const size_t nl = text.find('\n', start);
        if (nl == std::string::npos) {
            out.push_back(text.substr(start));
            return out;
        }
        out.push_back(text.substr(start, nl - start));
        start = nl + 1;
    }
}

cmcColor Avg(cmcColor a, cmcColor b, int wa, int wb, int round, int div)
{
    auto ch = [&](int x, int y) { return (x * wa + y * wb + round) / div; };
    return ColorRgb(ch(ColorRed(a), ColorRed(b)), ch(ColorGreen(a), ColorGreen(b)),
                    ch(ColorBlue(a), ColorBlue(b)));
}

int FontSizePercentage()
{
    return g_Environ ? g_Environ->fontSizePercentage : 100;
}

std::string DisplayKeyPath(const std::string& reg)
{
    const std::string base = g_Environ ? g_Environ->UserKeyPath() : "Software\\Tavo\\Quorvex";
    return base + "\\Display\\" + reg + "\\colwidth";
}

// Walks "GI_CellWidthRegList": fn(sheet name, registry name) for every line until the end,
// an empty line or a line without ":"; fn returns true to stop.
template <typename Fn>
void ForEachWidthEntry(cmcGTex* store, Fn fn)
{
    for (int n = 0;; ++n) {
        const std::string line = store->GetLine("GI_CellWidthRegList", n);
        if (line.empty() || line[0] == '#')
            return;
        const size_t colon = txt::Find(line, ':');
        if (colon == std::string::npos)
            return;
        if (fn(line.substr(0, colon), line.substr(colon + 1)))
            return;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Construction and programme-wide defaults

cuiSheet::cuiSheet(QWidget* parent, const cmcCellCapsule* context, int32_t initialId,
                   int32_t initialIndex, cmcGTex* store, std::string entryName,
                   cuiImageList* images)
    : m_store(store),
      m_entryName(std::move(entryName)),
      m_parent(parent),
      m_images(images),
      m_initialId(initialId),
      m_initialIndex(initialIndex)
{
    if (context)
        m_context = std::make_unique<cmcCellCapsule>(*context);
    if (g_EvMan) {
        g_EvMan->Subscribe(&cuiSheet::OnEvent, this);
        m_subscribed = true;
    }
}

cuiSheet::~cuiSheet()
{
    if (m_subscribed && g_EvMan)
        g_EvMan->Unsubscribe(&cuiSheet::OnEvent, this);
    if (m_grid && !m_cells.empty() && !IsPrinting() && !m_preview && !m_popupMode)
        SaveColumnWidths();
    if (m_editor)
        m_editor->removeEventFilter(this);
    if (g_EvMan && m_grid)
        g_EvMan->Send(ev::kWindowDestroyed, 0, reinterpret_cast<intptr_t>(m_grid.data()));
    m_menuBuilder.reset();
    // The panel owns the grid, the editor and the menu; the parent may have taken it already.
    if (m_panel) {
        QWidget* panel = m_panel;
        m_panel = nullptr;
        m_grid = nullptr;
        delete panel;
    }
}

void cuiSheet::SetDefaultRules(cmcCellRulesFn rules, void* context)
{
    s_defaultRules = rules;
    s_defaultRulesContext = context;
}

void cuiSheet::SetModelHost(indRulesHost* host)
{
    s_host = host;
}

indRulesHost* cuiSheet::ModelHost()
{
    return s_host;
}

void cuiSheet::SetSleep(void (*sleep)(int ms))
{
    s_sleep = sleep ? sleep : DefaultSleep;
}

std::string cuiSheet::SetParameter(const std::string& parameter)
{
    m_parameter = parameter;
    return parameter;
}

const std::string& cuiSheet::SetDisplayName(const std::string& name)
{
    m_displayName = name;
    return m_displayName;
}

void cuiSheet::SetRules(cmcCellRulesFn rules, void* context)
{
    m_rules = rules;
    m_rulesContext = context;
}

void cuiSheet::SetPrinter(QPaintDevice* printer)
{
    m_printer = printer;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenDpi = screen ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
    m_scale = printer ? std::max(1, printer->logicalDpiY() / std::max(1, screenDpi)) : 1;
}

void cuiSheet::SetPreviewTarget(QPaintDevice* printer, QImage* bitmap)
{
    m_printer = printer;
    m_previewBitmap = bitmap;
    m_scale = 1;
}

void cuiSheet::SetSavedPosition(int col, int row, int leftCol, int topRow)
{
    m_savedCol = col;
    m_savedRow = row;
    m_savedLeft = leftCol;
    m_savedTop = topRow;
}

// ---------------------------------------------------------------------------------------
// Show and building

void cuiSheet::Show()
{
    if (!m_rules) {
        m_rules = s_defaultRules ? s_defaultRules : NoRules;
        m_rulesContext = s_defaultRules ? s_defaultRulesContext : nullptr;
    }
    m_building = true;
    CreateUi();
    if (m_savedCol >= m_colCount || m_savedRow >= m_rowCount)
        m_savedCol = m_savedRow = m_savedLeft = m_savedTop = -1;
    if (m_savedCol < 0 || m_savedRow < 0) {
        if (m_initialId != 0) {
            bool found = false;
            for (int r = 0; r < m_rowCount && !found; ++r)
                for (int c = 0; c < m_colCount && !found; ++c) {
                    const cmcCellObj& cell = CellAt(c, r);
                    if (IsSelectable(c, r) && cell.id == m_initialId &&
                        cell.index == m_initialIndex) {
                        MoveTo(c, r);
                        found = true;
                    }
                }
        }
    } else if (IsSelectable(m_savedCol, m_savedRow)) {
        if (m_grid->TotalWidth() >= m_grid->ClientWidth() && m_savedLeft >= 0)
            m_grid->SetLeftCol(m_savedLeft);
        if (m_grid->TotalHeight() >= m_grid->ClientHeight() && m_savedTop >= 0)
            m_grid->SetTopRow(m_savedTop);
        MoveQuiet(m_savedCol, m_savedRow);
    }
    if (!IsSelectable(m_grid->Col(), m_grid->Row()))
        m_grid->setEnabled(false);
    m_building = false;
    ApplyWidthLimits();
    m_grid->InvalidateAll();
    UpdatePopupMenu(m_grid->Col(), m_grid->Row(), false);
}

void cuiSheet::CreateUi()
{
    ForEachGroup(m_store->GetLine(m_entryName + "_Style", 0),
                 [this](std::string_view g) { ApplyStyleKey(g); });

    m_panel = new QWidget(m_parent);
    auto* outer = new QVBoxLayout(m_panel);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    if (m_parent) {
        if (QLayout* l = m_parent->layout()) {
            l->addWidget(m_panel);
        } else {
            auto* pl = new QVBoxLayout(m_parent);
            pl->setContentsMargins(0, 0, 0, 0);
            pl->addWidget(m_panel);
        }
        m_panel->resize(m_parent->contentsRect().size());
    }

    if (!m_title.empty()) {
        m_titlePanel = new QFrame(m_panel);
        m_titlePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_titlePanel->setLineWidth(2);
        auto* tl = new QVBoxLayout(m_titlePanel);
        tl->setContentsMargins(2, 2, 2, 2);
        m_titleLabel = new QLabel(m_titlePanel);
        m_titleLabel->setTextFormat(Qt::PlainText);
        m_titleLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_titleLabel->setText(plat::ToQt(m_title));
        if (m_titleFont)
            m_titleLabel->setFont(ToQFont(*m_titleFont, m_titleLabel->font()));
        QPalette pal = m_titleLabel->palette();
        const QColor back = ToQColor(m_titleColor, pal);
        pal.setColor(QPalette::Window, back);
        // The caption stays readable on any title colour, dark themes included.
        pal.setColor(QPalette::WindowText,
                     back.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black));
        m_titleLabel->setPalette(pal);
        m_titleLabel->setAutoFillBackground(true);
        tl->addWidget(m_titleLabel);
        m_titlePanel->setFixedHeight(QFontMetrics(m_titleLabel->font()).height() + 2 + 8 + 4);
        outer->addWidget(m_titlePanel);
    }

    m_gridPanel = new QFrame(m_panel);
    auto* gl = new QVBoxLayout(m_gridPanel);
    if (m_popupMode) {
        m_gridPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        m_gridPanel->setLineWidth(1);
        gl->setContentsMargins(3, 3, 3, 3);
    } else {
        m_gridPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_gridPanel->setLineWidth(2);
        gl->setContentsMargins(2, 2, 2, 2);
    }
    m_grid = new cuiGrid(m_gridPanel);
    gl->addWidget(m_grid);
    outer->addWidget(m_gridPanel, 1);
    outer->activate();

    Build();

    m_grid->SetColSizing(m_colSizingStyle);
    m_grid->SetFixedCols(std::min(m_fixedCols, m_colCount - 1));
    m_grid->SetFixedRows(std::min(m_fixedRows, m_rowCount - 1));
    m_grid->SetScrollBars(true);
    m_menu = new QMenu(m_grid);

    MoveQuiet(0, 0);
    Navigate(0, 1);
    Navigate(0, -1);
    Navigate(1, 0);
    Navigate(-1, 0);

    AttachHandlers();
    m_panel->show();
}

void cuiSheet::AttachHandlers()
{
    m_grid->onSelectCell = [this](cuiGrid*, int c, int r, bool* allow) { SelectCell(c, r, allow); };
    m_grid->onDrawCell = [this](cuiGrid* g, int c, int r, const QRect& rc) {
        if (g->Canvas())
            DrawCell(*g->Canvas(), c, r, rc);
    };
    m_grid->onColWidthsChanged = [this](cuiGrid*) { ApplyWidthLimits(); };
    m_grid->onTimedScroll = [this](int dirs) {
        const int dx =
            ((dirs & cuiGrid::kScrollRight) ? 1 : 0) - ((dirs & cuiGrid::kScrollLeft) ? 1 : 0);
        const int dy =
            ((dirs & cuiGrid::kScrollDown) ? 1 : 0) - ((dirs & cuiGrid::kScrollUp) ? 1 : 0);
        if (dx != 0)
            Navigate(dx, 0);
        if (dy != 0)
            Navigate(0, dy);
    };
    m_grid->onFocusGained = [this] {
        UpdatePopupMenu(m_grid->Col(), m_grid->Row(), true);
        RepaintSelected();
    };
    m_grid->onFocusLost = [this] {
        // A popup menu of our own takes the focus for a moment; it keeps its items.
        if (QApplication::activePopupWidget())
            return;
        m_menuBuilder.reset();
        m_lastFocusedCell = nullptr;
        m_lastMenuName.clear();
        if (g_EvMan) {
            g_EvMan->Send(ev::kClearSubMenu, 0, CL_Menu_Edit_Top);
            g_EvMan->Send(ev::kRefreshMenu);
        }
        RepaintSelected();
    };
    m_grid->onKeyDown = [this](QKeyEvent* e) { return GridKeyDown(e); };
    m_grid->onKeyUp = [this](QKeyEvent*) { m_autoPopup = true; };
    m_grid->onMouseDown = [this](QMouseEvent* e) { return MouseDown(e); };
    m_grid->onMouseUp = [this](QMouseEvent* e) { return MouseUp(e); };
    m_grid->onMouseMove = [this](QMouseEvent* e) { return MouseMove(e); };
    m_grid->onDoubleClick = [this](QMouseEvent* e) { return DoubleClick(e); };
    m_grid->onContextMenu = [this](QContextMenuEvent* e) {
        if (e->reason() != QContextMenuEvent::Mouse)
            PopupMenuAt(m_grid->CellRect(m_grid->Col(), m_grid->Row()).center());
    };
    if (m_popupMode)
        m_grid->viewport()->setMouseTracking(true);
}

void cuiSheet::ApplyStyleKey(std::string_view g)
{
    bool has = false;
    if (StartsWith(g, "TitleString")) {
        const std::string v = ValueAfterEquals(g, &has);
        if (has && !v.empty())
            m_title = v;
    } else if (StartsWith(g, "TitleColor")) {
        cmcColor c = m_titleColor;
        if (LookupColor(txt::Trim(ValueAfterEquals(g, &has)), &c))
            m_titleColor = c;
    } else if (StartsWith(g, "TitleFont")) {
        m_titleFont = std::make_unique<cmcFont>();
        m_titleFont->ApplyDescription(ValueAfterEquals(g, &has));
    } else if (StartsWith(g, "FixedCols")) {
        m_fixedCols = NumberAfterEquals(g);
    } else if (StartsWith(g, "FixedRows")) {
        m_fixedRows = NumberAfterEquals(g);
    } else if (g == "NoPrint") {
        m_noPrint = true;
    } else if (StartsWith(g, "PrintFontRatio")) {
        m_printFontRatio = NumberAfterEquals(g);
    } else if (StartsWith(g, "MultiSelect")) {
        const std::string v = ValueAfterEquals(g, &has);
        m_multiSelect = !has          ? kMultiNone
                        : v == "Cell" ? kMultiCell
                        : v == "Line" ? kMultiLine
                                      : kMultiNone;
    } else if (StartsWith(g, "ColSizing")) {
        m_colSizingStyle = true;
    } else if (StartsWith(g, "ColorSelectLine")) {
        m_colorSelectLine = true;
    }
}

bool cuiSheet::DirectiveNumber(std::string_view g, int* n)
{
    const size_t sp = g.find(' ');
    if (sp == std::string::npos)
        return false;
    const std::string rest = txt::Trim(g.substr(sp + 1));
    if (rest.empty())
        return false;
    int32_t v = 0;
    if (!txt::ReadLeadingInt(rest, &v))
        v = 0;
    *n = v;
    return true;
}

void cuiSheet::SkipLines(std::string_view g)
{
    int n = 0;
    if (DirectiveNumber(g, &n) && n > 0)
        m_skipCount = n;
}

void cuiSheet::ApplyRowDirective(std::string_view g)
{
    const int model = s_host ? s_host->ModelType() : 0;
    const bool extended = s_host && s_host->ExtendedMode();
    int n = 0;
    if (StartsWith(g, "Only_notDPmr446")) {
        if (model == 3)
            SkipLines(g);
    } else if (StartsWith(g, "Only_DPmr446")) {
        if (model != 3)
            SkipLines(g);
    } else if (StartsWith(g, "Only_EEDIT")) {
        if (!extended)
            SkipLines(g);
    } else if (StartsWith(g, "Only_notEEDIT")) {
        if (extended)
            SkipLines(g);
    } else if (StartsWith(g, "LoopFrom")) {
        if (DirectiveNumber(g, &n)) {
            m_loopStart = m_currentLine;
            m_loopCount = std::max(n, 1);
        }
    } else if (StartsWith(g, "LoopTo")) {
        m_loopEnd = m_currentLine;
    } else if (StartsWith(g, "SelectON")) {
        m_selectState = true;
    } else if (StartsWith(g, "SelectOFF")) {
        m_selectState = false;
    }
}

void cuiSheet::AddRow(int line, bool selectable)
{
    m_rows.push_back({line, selectable});
}

void cuiSheet::Build()
{
    LoadBasicCell();
    ScanRows(m_entryName + "_Cells");
    m_cells.clear();
    m_cells.resize(static_cast<size_t>(m_colCount) * static_cast<size_t>(m_rowCount));
    int minSize = 1;
    if (m_printer && !m_preview) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const int screenDpi = screen ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
        minSize = std::max(1, m_printer->logicalDpiY() / std::max(1, screenDpi));
    }
    m_grid->SetDefaultColWidth(minSize);
    m_grid->SetDefaultRowHeight(minSize);
    m_firstSelCol = m_colCount;
    m_firstSelRow = m_rowCount;
    m_rowCapacity = m_rowCount;
    FillCells(m_entryName + "_Cells");
}

void cuiSheet::LoadBasicCell()
{
    std::string text = m_store->GetLine(m_entryName + "_BasicCell", 0);
    if (m_fontHeightOverride != 0)
        text += txt::Format("{(Font=,,,%d,,,)}", m_fontHeightOverride);
    else
        text += txt::Format("{(Font=,,,%%%d,,,)}", FontSizePercentage());
    if (m_printer && m_printFontRatio != 100)
        text += txt::Format("{(Font=,,,%%%d,,,)}", m_printFontRatio);
    m_basicCell.ParseCell(text, nullptr, &m_counters);
    m_fontCache.clear();
    m_metricsCache.clear();
    m_baseMetrics.reset();
    m_baseFont = QApplication::font();
    if (m_basicCell.font)
        m_baseFont = ToQFont(*m_basicCell.font, QApplication::font());
    if (m_grid) {
        const QPalette pal = m_grid->palette();
        m_grid->SetBackground(ToQColor(m_basicCell.color, pal));
        if (m_gridPanel)
            m_gridPanel->setFont(m_baseFont);
    }
}

void cuiSheet::ScanRows(const std::string& entry)
{
    m_loopStart = m_loopEnd = m_loopCount = -1;
    m_colCount = m_rowCount = 0;
    m_selectState = true;
    m_loopBodyLength = 0;
    m_rows.clear();
    cmcCellObj counter;
    for (int n = 0;; ++n) {
        const std::string line = m_store->GetLine(entry, n);
        if (!line.empty() && line[0] == '#')
            break;
        m_currentLine = n;
        if (m_skipCount > 0) {
            --m_skipCount;
            continue;
        }
        if (!line.empty() && line[0] == ':') {
            ForEachGroup(std::string_view(line).substr(1),
                         [this](std::string_view g) { ApplyRowDirective(g); });
            if (m_loopStart >= 0 && m_loopEnd >= 0 && m_loopCount > 0) {
                for (int k = 1; k < m_loopCount; ++k)
                    for (int i = 0; i < m_loopBodyLength; ++i)
                        AddRow(m_loopStart + 1 + i, m_selectState);
                m_loopStart = m_loopEnd = m_loopCount = -1;
                m_loopBodyLength = 0;
            }
            continue;
        }
        int count = 0;
        std::string rest = line;
        do {
            rest = counter.ParseCell(rest, nullptr, nullptr, true);
            ++count;
        } while (!rest.empty());
        m_colCount = std::max(m_colCount, count);
        AddRow(n, m_selectState);
        if (m_loopStart >= 0 && m_loopEnd < 0)
            ++m_loopBodyLength;
        else
            m_loopBodyLength = 0;
    }
    m_rowCount = static_cast<int>(m_rows.size());
    if (m_colCount == 0 || m_rowCount == 0)
        plat::FatalError("Illegal Cell assign");
    m_grid->SetColCount(m_colCount);
    m_grid->SetRowCount(m_rowCount);
}

void cuiSheet::FillCells(const std::string& entry)
{
    QPaintDevice* device = m_previewBitmap ? static_cast<QPaintDevice*>(m_previewBitmap)
                           : m_printer     ? m_printer
                                           : nullptr;
    int prevCount = 0;
    for (int r = 0; r < m_rowCount; ++r) {
        BeforeRow(r);
        const bool copy =
            r > 0 && m_rows[static_cast<size_t>(r)].line == m_rows[static_cast<size_t>(r - 1)].line;
        std::string rest;
        if (!copy)
            rest = m_store->GetLine(entry, m_rows[static_cast<size_t>(r)].line);
        int c = 0;
        for (;;) {
            if (c >= m_colCount || (copy && c >= prevCount))
                break;
            BeforeCell(c, r);
            clsSheetCellId& id = CellIdAt(c, r);
            if (copy) {
                id.cell.Assign(CellAt(c, r - 1));
                ++id.cell.index;
                m_grid->SetRowHeight(r, m_grid->RowHeight(r - 1));
            } else {
                rest = id.cell.ParseCell(rest, &m_basicCell, &m_counters);
                if (id.cell.layout &
                    (cmcCellObj::kLayoutGrowWidth | cmcCellObj::kLayoutGrowHeight)) {
                    const QFont& f = QtFont(CellFont(id.cell));
                    const QFontMetrics fm = device ? QFontMetrics(f, device) : QFontMetrics(f);
                    int w = 0;
                    int h = 0;
                    for (const std::string& l : SplitLines(id.cell.Text())) {
                        w = std::max(w, fm.horizontalAdvance(CellText(l)));
                        h += fm.height();
                    }
                    if ((id.cell.layout & cmcCellObj::kLayoutGrowWidth) &&
                        m_grid->ColWidth(c) < w + 8 * m_scale)
                        m_grid->SetColWidth(c, w + 8 * m_scale);
                    if ((id.cell.layout & cmcCellObj::kLayoutGrowHeight) &&
                        m_grid->RowHeight(r) < h + 2 * m_scale)
                        m_grid->SetRowHeight(r, h + 2 * m_scale);
                }
            }
            if (id.cell.marks & cmcCellObj::kMarkSelectable) {
                m_firstSelCol = std::min(m_firstSelCol, c);
                m_firstSelRow = std::min(m_firstSelRow, r);
            }
            id.rowSelectable =
                m_multiSelect != kMultiNone && m_rows[static_cast<size_t>(r)].selectable;
            ++c;
            if (!copy && rest.empty())
                break;
        }
        prevCount = c;
    }
    if (m_printer) {
        LoadColumnWidths();
    } else if (!m_popupMode) {
        if (m_resetWidths)
            ResetAllColumnWidths(m_store);
        else
            LoadColumnWidths();
        SaveColumnWidths();
    }
    m_resetWidths = false;
}

void cuiSheet::PrepareSpareRows(int capacity)
{
    m_rowCapacity = std::max(capacity, m_rowCount);
    if (m_rowCount == 0 || m_colCount == 0)
        return;
    m_cells.resize(static_cast<size_t>(m_colCount) * static_cast<size_t>(m_rowCapacity));
    for (int r = m_rowCount; r < m_rowCapacity; ++r)
        for (int c = 0; c < m_colCount; ++c) {
            const clsSheetCellId& above = m_cells[static_cast<size_t>(c + (r - 1) * m_colCount)];
            clsSheetCellId& id = m_cells[static_cast<size_t>(c + r * m_colCount)];
            id.cell.Assign(above.cell);
            ++id.cell.index;
            id.rowSelectable = false;
            id.selected = false;
            id.lineHighlighted = false;
        }
}

bool cuiSheet::AddGridRow()
{
    if (!m_grid || m_rowCount == 0 || m_rowCount >= m_rowCapacity)
        return false;
    const bool multi = m_multiSelect != kMultiNone;
    for (int c = 0; c < m_colCount; ++c) {
        m_cells[static_cast<size_t>(c + (m_rowCount - 1) * m_colCount)].rowSelectable = multi;
        m_cells[static_cast<size_t>(c + m_rowCount * m_colCount)].rowSelectable = false;
    }
    ++m_rowCount;
    m_grid->SetRowCount(m_rowCount);
    m_grid->SetRowHeight(m_rowCount - 1, m_grid->RowHeight(m_rowCount - 2));
    m_grid->InvalidateAll();
    return true;
}

bool cuiSheet::RemoveGridRow(int firstDataRow)
{
    if (!m_grid || m_rowCount <= std::max(1, firstDataRow + 1))
        return false;
    if (m_rowCount >= 2)
        for (int c = 0; c < m_colCount; ++c)
            m_cells[static_cast<size_t>(c + (m_rowCount - 2) * m_colCount)].rowSelectable = false;
    const int col = m_grid->Col();
    const int row = std::clamp(m_grid->Row() - 1, std::max(0, firstDataRow), m_rowCount - 2);
    --m_rowCount;
    m_grid->SetRowCount(m_rowCount);
    if (IsSelectable(col, row))
        MoveQuiet(col, row);
    m_grid->InvalidateAll();
    return true;
}

void cuiSheet::BeforeRow(int) {}
void cuiSheet::BeforeCell(int, int) {}

std::string cuiSheet::GetPrintTitle()
{
    return m_title;
}

bool cuiSheet::IsPrintable()
{
    return !m_noPrint;
}

bool cuiSheet::IsPrintableCurrent()
{
    return IsPrintable();
}

// ---------------------------------------------------------------------------------------
// Column widths

std::string cuiSheet::WidthRegistryName() const
{
    std::string name = m_displayName.substr(0, m_displayName.find(','));
    if (!name.empty() && name[0] == '[') {
        const size_t close = name.find(']');
        name = close == std::string::npos ? std::string() : name.substr(close + 1);
    }
    if (name.empty())
        return {};
    std::string reg;
    ForEachWidthEntry(m_store, [&](const std::string& sheet, const std::string& r) {
        if (sheet != name)
            return false;
        reg = r;
        return true;
    });
    return reg;
}

void cuiSheet::LoadColumnWidths()
{
    const std::string reg = WidthRegistryName();
    if (reg.empty() || !g_Environ)
        return;
    m_loadingWidths = true;
    const int refRow = std::min(m_fixedRows, m_rowCount - 1);
    double k = 1.0;
    if (m_printer) {
        QPaintDevice* device =
            m_previewBitmap ? static_cast<QPaintDevice*>(m_previewBitmap) : m_printer;
        const QFont f(m_baseFont, device);
        const double p = f.pointSizeF() > 0 ? f.pointSizeF() : 10.0;
        const double fdpi = device->logicalDpiY();
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double sdpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        const int g = std::max(1, FontSizePercentage() * 16 / 100);
        k = p * ((fdpi / sdpi) * 16.0 / g) * 0.1;
    }
    const std::string path = DisplayKeyPath(reg);
    for (int c = 0; c < m_colCount; ++c) {
        if (!IsSelectable(c, refRow))
            continue;
        const int32_t w = g_Environ->ReadInt(path, std::to_string(c));
        if (w < 0)
            continue;
        if (m_printer)
            m_grid->SetColWidth(
                c, std::min(m_grid->ColWidth(c), static_cast<int>(std::lround(w * k))));
        else
            m_grid->SetColWidth(c, w);
    }
    ApplyWidthLimits();
    m_loadingWidths = false;
}

void cuiSheet::SaveColumnWidths()
{
    // A sheet that paints for the printer or the preview has scaled widths of its own.
    if (m_printer || m_preview || !g_Environ || !m_grid)
        return;
    const std::string reg = WidthRegistryName();
    if (reg.empty())
        return;
    const int refRow = std::min(m_fixedRows, m_rowCount - 1);
    const std::string path = DisplayKeyPath(reg);
    for (int c = 0; c < m_colCount; ++c)
        if (IsSelectable(c, refRow))
            g_Environ->WriteInt(path, std::to_string(c), m_grid->ColWidth(c));
}

void cuiSheet::ResetAllColumnWidths(cmcGTex* store)
{
    if (!g_Environ)
        return;
    const std::string base = g_Environ->UserKeyPath();
    ForEachWidthEntry(store, [&](const std::string&, const std::string& reg) {
        g_Environ->DeleteKey(base, "Display\\" + reg + "\\colwidth");
        return false;
    });
}

void cuiSheet::ApplyWidthLimits()
{
    if (!m_grid || m_cells.empty() || m_inWidthLimits)
        return;
    m_inWidthLimits = true;
    // On paper the limits are in printer pixels: the screen's limits times the scale.
    const int scale = (m_printer && !m_preview) ? std::max(1, m_scale) : 1;
    const int minWidth = kMinColWidth * scale;
    const int maxWidth = kMaxColWidth * scale;
    int limit = maxWidth;
    // Until the grid is on screen its size means nothing: only the absolute limits then;
    // its first resize applies the window's limit.
    if (!m_loadingWidths && !m_building && m_grid->isVisible())
        limit = std::clamp(m_grid->ClientWidth() - m_grid->FixedWidth(), minWidth, maxWidth);
    const int row = std::min(m_grid->FixedRows(), m_rowCount - 1);
    for (int c = 0; c < m_colCount; ++c) {
        if (!IsSelectable(c, row))
            continue;
        const int w = m_grid->ColWidth(c);
        if (w < minWidth)
            m_grid->SetColWidth(c, minWidth);
        else if (w > limit)
            m_grid->SetColWidth(c, limit);
    }
    m_inWidthLimits = false;
}

int cuiSheet::ColWidth(int col) const
{
    return m_grid ? m_grid->ColWidth(col) : 0;
}

void cuiSheet::AutoFitColumn(int col)
{
    if (col < 0 || col >= m_colCount)
        return;
    int best = 0;
    for (int r = 0; r < m_rowCount; ++r) {
        const cmcCellObj& cell = CellAt(col, r);
        if (r < m_grid->FixedRows()) {
            if (col + 1 < m_colCount && (CellAt(col + 1, r).layout & cmcCellObj::kLayoutJoinLeft))
                continue;
            best = std::max(best, TextWidth(cell, cell.Text()) + 8 * m_scale);
        } else {
            std::string text;
            if (cell.id != kNoId) {
                cmcCellCapsule cap;
                cap.context = m_context.get();
                cap.cell = const_cast<cmcCellObj*>(&cell);
                m_rules(m_rulesContext, &cap, 0);
                text = cap.text;
            }
            best = std::max(best, (text.empty() ? 0 : TextWidth(cell, text)) + 8 * m_scale);
        }
    }
    m_grid->SetColWidth(col, best);
}

int cuiSheet::TextWidth(const cmcCellObj& cell, const std::string& text)
{
    const QFontMetrics fm(QtFont(CellFont(cell)));
    int w = 0;
    for (const std::string& l : SplitLines(text))
        w = std::max(w, fm.horizontalAdvance(CellText(l)));
    return w;
}

// ---------------------------------------------------------------------------------------
// Small queries

void cuiSheet::LayoutNow()
{
    // A window not yet shown lays out its children only when asked.
    for (QWidget* w :
         {m_parent, static_cast<QWidget*>(m_panel), static_cast<QWidget*>(m_gridPanel)})
        if (w && w->layout())
            w->layout()->activate();
}

int cuiSheet::NeededWidth()
{
    LayoutNow();
    // The grid's client width is its width less its frame and a vertical scroll bar that
    // is on; measured so, it holds before the window is first shown.
    int client = m_grid->width() - 2 * m_grid->frameWidth();
    if (m_grid->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        client -= m_grid->verticalScrollBar()->sizeHint().width();
    const int parentW = m_parent ? m_parent->width() : m_panel->width();
    return m_grid->TotalWidth() + parentW - client;
}

int cuiSheet::NeededHeight()
{
    LayoutNow();
    int client = m_grid->height() - 2 * m_grid->frameWidth();
    if (m_grid->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        client -= m_grid->horizontalScrollBar()->sizeHint().height();
    const int parentH = m_parent ? m_parent->height() : m_panel->height();
    return m_grid->TotalHeight() + parentH - client;
}

void cuiSheet::ScrollHome()
{
    m_grid->SetTopRow(m_grid->FixedRows());
    m_grid->SetLeftCol(m_grid->FixedCols());
    m_grid->setFocus();
}

const cmcCellObj& cuiSheet::CellAt(int col, int row) const
{
    return CellIdAt(col, row).cell;
}

const clsSheetCellId& cuiSheet::CellIdAt(int col, int row) const
{
    if (m_cells.empty() || col < 0 || row < 0 || col >= m_colCount || row >= m_rowCount)
        plat::FatalError("Illegal Cell selection");
    return m_cells[static_cast<size_t>(col) + static_cast<size_t>(row) * m_colCount];
}

clsSheetCellId& cuiSheet::CellIdAt(int col, int row)
{
    return const_cast<clsSheetCellId&>(std::as_const(*this).CellIdAt(col, row));
}

bool cuiSheet::IsSelectable(int col, int row) const
{
    if (col < 0 || row < 0 || col >= m_colCount || row >= m_rowCount || m_cells.empty())
        return false;
    return (CellAt(col, row).marks & cmcCellObj::kMarkSelectable) != 0;
}

bool cuiSheet::EditorVisible() const
{
    return m_editor && m_editor->isVisible();
}

const cmcFont* cuiSheet::CellFont(const cmcCellObj& cell) const
{
    if (cell.font)
        return cell.font.get();
    return m_basicCell.font.get();
}

const QFontMetrics& cuiSheet::ScreenMetrics(const cmcFont* font)
{
    QtFont(font);
    if (!font) {
        if (!m_baseMetrics)
            m_baseMetrics = std::make_unique<QFontMetrics>(m_baseFont);
        return *m_baseMetrics;
    }
    for (auto& e : m_metricsCache)
        if (e.first == *font)
            return e.second;
    m_metricsCache.emplace_back(*font, QFontMetrics(QtFont(font)));
    return m_metricsCache.back().second;
}

const QFont& cuiSheet::QtFont(const cmcFont* font)
{
    if (!font)
        return m_baseFont;
    for (const auto& [k, v] : m_fontCache)
        if (k == *font)
            return v;
    m_fontCache.emplace_back(*font, ToQFont(*font, m_baseFont));
    return m_fontCache.back().second;
}

// ---------------------------------------------------------------------------------------
// Events

void cuiSheet::OnEvent(void* context, const cmcEvent& event)
{
    static_cast<cuiSheet*>(context)->HandleEvent(event);
}

void cuiSheet::HandleEvent(const cmcEvent& event)
{
    if (!m_grid || m_cells.empty())
        return;
    cmcCellObj ref;
    ref.category = 0;
    ref.id = 0;
    ref.index = -1;
    cmcCellCapsule cap;
    cap.cell = &ref;
    const auto v = static_cast<int32_t>(event.arg2);
    switch (event.id) {
        case ev::kRedrawAll:
            RepaintMatching(&cap, cmcCellCapsule::kRepaintAllValues);
            break;
        case ev::kRedrawCategory:
            ref.category = v;
            RepaintMatching(&cap, cmcCellCapsule::kRepaintCategory);
            break;
        case ev::kRedrawIdentifier:
            ref.id = v;
            RepaintMatching(&cap, cmcCellCapsule::kRepaintId);
            break;
        case ev::kRedrawIndex:
            ref.index = v;
            RepaintMatching(&cap, cmcCellCapsule::kRepaintIndex);
            break;
        case ev::kRedrawIndexUpTo:
            ref.index = v;
            RepaintMatching(&cap, cmcCellCapsule::kRepaintUpToIndex);
            break;
        case ev::kRedrawIndexFrom:
            ref.index = v;
            RepaintMatching(&cap, cmcCellCapsule::kRepaintFromIndex);
            break;
        case ev::kQueryPopupCell:
            if (event.arg1 == reinterpret_cast<intptr_t>(m_menu) && m_menu && g_EvMan) {
                // The answer carries the address of the current cell's definition.
                const cmcCellObj* cur = &CellAt(m_grid->Col(), m_grid->Row());
                g_EvMan->AnswerBytes(&cur, sizeof cur);
            }
            break;
        case ev::kCommitEdits:
            if (EditorVisible())
                HideEditor(true);
            break;
        default:
            break;
    }
}

void cuiSheet::SendStatusClear()
{
    if (g_EvMan)
        g_EvMan->SendText(ev::kStatusMessage, static_cast<intptr_t>(clWindowText),
                          static_cast<intptr_t>(clBtnFace), std::string());
}

// ---------------------------------------------------------------------------------------
// Painting

QColor cuiSheet::Sys(cmcColor c) const
{
    return ToQColor(c, m_grid ? m_grid->palette() : QApplication::palette());
}

void cuiSheet::UpdateDerivedColors()
{
    const cmcColor text = FromQColor(Sys(clWindowText));
    const cmcColor window = FromQColor(Sys(clWindow));
    if (text == m_seenText && window == m_seenWindow)
        return;
    m_seenText = text;
    m_seenWindow = window;
    const cmcColor inactive = Avg(text, window, 1, 3, 2, 4);
    const cmcColor line = Avg(text, window, 1, 7, 4, 8);
    m_inactiveSel = ToQColor(inactive, QPalette());
    m_selLine = ToQColor(line, QPalette());
}

void cuiSheet::DrawCell(QPainter& p, int c, int r, const QRect& rect)
{
    if (m_cells.empty() || m_building || c < 0 || r < 0 || c >= m_colCount || r >= m_rowCount)
        return;
    if (m_grid->ColWidth(c) < 1 || m_grid->RowHeight(r) < 1)
        return;
    const bool printing = m_printer != nullptr;
    const QPalette pal = m_grid->palette();
    cuiPainterCanvas canvas(&p, pal);
    const QBrush oldBrush = p.brush();
    UpdateDerivedColors();

    // R as left, top, right, bottom with right and bottom exclusive.
    const int rl = rect.left();
    const int rt = rect.top();
    const int rr = rect.left() + rect.width();
    const int rb = rect.top() + rect.height();

    const bool rightBorder =
        !(c + 1 < m_colCount && (CellAt(c + 1, r).layout & cmcCellObj::kLayoutJoinLeft));
    int srcCol = c;
    int textLeft = rl;
    if ((CellAt(c, r).layout & cmcCellObj::kLayoutJoinLeft) && c > 0) {
        int k = c - 1;
        int left = rl;
        for (; k >= 0; --k) {
            left -= m_grid->ColWidth(k);
            if (!(CellAt(k, r).layout & cmcCellObj::kLayoutJoinLeft))
                break;
        }
        textLeft = left;
        if (k >= 0)
            srcCol = k;
    }
    const cmcCellObj& src = CellAt(srcCol, r);
    const clsSheetCellId& id = CellIdAt(c, r);
    const bool isCurrent = c == m_grid->Col() && r == m_grid->Row();
    bool selected = (id.rowSelectable && (id.selected || id.lineHighlighted)) || isCurrent;
    if (!selected && (src.marks & cmcCellObj::kMarkTogether) && r == m_grid->Row()) {
        // A tail shows the selection of the selectable cell it belongs to.
        int k = srcCol;
        while (k >= 0 && !(CellAt(k, r).marks & cmcCellObj::kMarkSelectable) &&
               (CellAt(k, r).marks & cmcCellObj::kMarkTogether))
            --k;
        if (k >= 0 && (CellAt(k, r).marks & cmcCellObj::kMarkSelectable)) {
            const clsSheetCellId& owner = CellIdAt(k, r);
            selected = k == m_grid->Col() ||
                       (owner.rowSelectable && (owner.selected || owner.lineHighlighted));
        }
    }

    const bool plainColor = src.color == clWindow || src.color == clWhite;
    QColor bg;
    bool fill = true;
    bool onHighlight = false;
    bool onInactive = false;
    if (printing) {
        bg = plainColor ? QColor(255, 255, 255) : QColor(96, 96, 96);
        fill = !plainColor;
    } else if (!selected || EditorVisible()) {
        if (m_colorSelectLine && r == m_grid->Row() && srcCol >= m_grid->FixedCols() &&
            !m_popupMode)
            bg = m_selLine;
        else
            bg = canvas.ToQt(src.color);
    } else if (m_grid->hasFocus() || m_popupMode) {
        bg = Sys(clHighlight);
        onHighlight = true;
    } else {
        bg = m_inactiveSel;
        onInactive = true;
    }
    if (fill)
        p.fillRect(rect, bg);

    const QColor lineColor =
        plainColor ? (printing ? QColor(0, 0, 0) : QColor(128, 128, 128)) : QColor(255, 255, 255);
    if (src.layout & cmcCellObj::kLayoutBottomLine)
        p.fillRect(QRect(rl, rb - 1, rr - rl, 1), lineColor);
    if (rightBorder) {
        if (src.MarkBar() == 1)
            p.fillRect(QRect(rr - 1, rt, 1, rb - rt), lineColor);
        else if (src.MarkBar() == 2) {
            const int top = rt + (rb - rt) * 7 / 10;
            p.fillRect(QRect(rr - 1, top, 1, rb - top), lineColor);
        }
    }

    const cmcFont* font = CellFont(src);
    const QFont& qf = QtFont(font);
    canvas.SetFontColor(font ? font->color : clWindowText);
    if (selected && onHighlight)
        canvas.SetFontColor(clHightlightText);

    const cmcRect textRect{textLeft, rt, rr, rb};
    std::string text;
    int hAlign = src.HAlign();
    int vAlign = src.VAlign();
    if (src.id != kNoId) {
        m_drawCapsule.Reset();
        m_drawCapsule.context = m_context.get();
        // The rules may change the alignment of the cell they draw.
        auto& drawn = const_cast<cmcCellObj&>(src);
        m_drawCapsule.cell = &drawn;
        m_drawCapsule.canvas = &canvas;
        m_drawCapsule.rect = &textRect;
        m_drawCapsule.images = m_images;
        m_drawCapsule.flags = static_cast<uint8_t>((selected ? cmcCellCapsule::kFlagCurrent : 0) |
                                                   (printing ? cmcCellCapsule::kFlagPrinting : 0));
        m_rules(m_rulesContext, &m_drawCapsule, 0);
        text = m_drawCapsule.text;
        hAlign = src.HAlign();
        vAlign = src.VAlign();
    } else {
        text = src.Text();
    }

    if (printing) {
        canvas.SetFontColor(plainColor ? clBlack : clWhite);
    } else if (selected && onInactive) {
        const cmcColor fc = canvas.FontColor();
        const cmcColor fcRgb = FromQColor(canvas.ToQt(fc));
        const cmcColor inactive = FromQColor(m_inactiveSel);
        if (fc == clBtnFace || fc == clGrayText || fcRgb == inactive || fcRgb == clSilver ||
            fcRgb == FromQColor(Sys(clBtnFace)) || fcRgb == FromQColor(Sys(clGrayText)))
            canvas.SetFontColor(clWindow);
    }

    // Placement.
    p.setFont(qf);
    p.setPen(canvas.ToQt(canvas.FontColor()));
    const QFontMetrics fm = printing ? QFontMetrics(qf, p.device()) : ScreenMetrics(font);
    const int s = m_scale;
    int penX = textRect.left;
    if (!text.empty()) {
        const std::vector<std::string> lines = SplitLines(text);
        const int lh = fm.height();
        const int h = lh * static_cast<int>(lines.size());
        const int tl = textRect.left;
        const int tt = textRect.top;
        const int tr = textRect.right;
        const int tb = textRect.bottom;
        int y = vAlign == 1 ? tt + (tb + 1 - tt - h) / 2 : vAlign == 2 ? tb - h - s : tt + s;
        for (const std::string& l : lines) {
            const QString q = CellText(l);
            const int w = fm.horizontalAdvance(q);
            int x = hAlign == 1   ? tl + (tr + 1 - tl - w) / 2
                    : hAlign == 2 ? tr + 1 - w - 4 * s
                                  : tl + 4 * s;
            x = std::max(x, tl);
            if (tl + w + 1 < tr) {
                p.drawText(x, y + fm.ascent(), q);
                penX = x + w;
            } else {
                p.save();
                p.setClipRect(QRect(tl, tt, tr - tl, tb - tt), Qt::IntersectClip);
                p.drawText(x, y + fm.ascent(), q);
                p.restore();
                penX = tr;
            }
            y += lh;
        }
    }

    if (m_images && src.id != kNoId &&
        (m_drawCapsule.flags & (cmcCellCapsule::kFlagWarning | cmcCellCapsule::kFlagError))) {
        const bool error = (m_drawCapsule.flags & cmcCellCapsule::kFlagError) != 0;
        const int W = printing ? (rb - rt) / 2 : m_images->Width();
        const int H = W / 8;
        int code = m_drawCapsule.markPosition;
        if (code == 0)
            code = hAlign == 2 ? 1 : 3;
        int x;
        if (code == 1) {
            x = rl + H;
        } else {
            const int x0 = rr - W - 1;
            x = (code == 3 && penX < x0) ? penX : std::max(x0, rl);
        }
        DrawMarker(p, rect, error, x, printing);
        m_drawCapsule.flags &=
            static_cast<uint8_t>(~(cmcCellCapsule::kFlagWarning | cmcCellCapsule::kFlagError));
    }
    p.setBrush(oldBrush);

    if (!printing && srcCol + 1 < m_colCount &&
        (CellAt(srcCol + 1, r).marks & cmcCellObj::kMarkTogether) && srcCol + 1 != c)
        m_grid->InvalidateCell(srcCol + 1, r);
}

void cuiSheet::DrawMarker(QPainter& p, const QRect& rect, bool error, int x, bool printing)
{
    const int rb = rect.top() + rect.height();
    if (!printing) {
        m_images->Draw(p, x, rb - m_images->Height() - 1, error ? 9 : 8);
        return;
    }
    const int W = rect.height() / 2;
    const int H = W / 8;
    const int J = W / 2;
    const int K = W - 1;
    const int ox = x;
    const int oy = rb - W - H;
    auto pt = [&](int px, int py) { return QPoint(ox + px, oy + py); };
    p.save();
    if (error) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::black);
        const QPoint pts[] = {pt(H, 0),     pt(J, J - H), pt(K - H, 0), pt(K, H),
                              pt(J + H, J), pt(K, K - H), pt(K - H, K), pt(J, J + H),
                              pt(H, K),     pt(0, K - H), pt(J - H, J), pt(0, H)};
        p.drawPolygon(pts, 12);
    } else {
        p.setPen(QPen(Qt::black, W / 16 + 1));
        p.setBrush(Qt::white);
        const QPoint tri[] = {pt(J, 0), pt(K, K), pt(0, K)};
        p.drawPolygon(tri, 3);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::black);
        const QPoint bar[] = {pt(J - H, W / 3), pt(J + H, W / 3), pt(J + W / 10, 2 * W / 3),
                              pt(J - W / 10, 2 * W / 3)};
        p.drawPolygon(bar, 4);
        const QPoint dot[] = {pt(J - W / 10, 3 * W / 4), pt(J + W / 10, 3 * W / 4),
                              pt(J + W / 10, 3 * W / 4 + W / 6), pt(J - W / 10, 3 * W / 4 + W / 6)};
        p.drawPolygon(dot, 4);
    }
    p.restore();
}

void cuiSheet::RepaintMatching(const cmcCellCapsule* reference, int selector)
{
    if (!reference || !reference->cell || !m_grid || m_cells.empty())
        return;
    const cmcCellObj& R = *reference->cell;
    // Only cells of the grid: the scan never reaches past its rows and columns.
    const int rows = std::min(m_rowCount, m_grid->TopRow() + m_grid->VisibleRowCount() + 1);
    const int cols = std::min(m_colCount, m_grid->LeftCol() + m_grid->VisibleColCount() + 1);
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
            const cmcCellObj& C = CellAt(j, i);
            if (cmcCellCapsule::RepaintMatches(selector, R.category, R.id, R.index, C.category,
                                               C.id, C.index))
                m_grid->InvalidateCell(j, i);
        }
}

void cuiSheet::RepaintSelected()
{
    if (!m_grid || m_cells.empty())
        return;
    for (int r = 0; r < m_rowCount; ++r)
        for (int c = 0; c < m_colCount; ++c) {
            const clsSheetCellId& id = CellIdAt(c, r);
            if (id.selected || id.lineHighlighted || (c == m_grid->Col() && r == m_grid->Row()))
                m_grid->InvalidateCell(c, r);
        }
}

// ---------------------------------------------------------------------------------------
// Actions

int32_t cuiSheet::RangeIndex(int row) const
{
    const int col = std::min(m_grid->FixedCols(), m_colCount - 1);
    return row >= 0 && row < m_rowCount ? CellAt(col, row).index : 0;
}

void cuiSheet::PrepareCapsule(cmcCellCapsule& cap, int col, int row, cmcRect& rect)
{
    cap.Reset();
    cap.bank = m_requestBank;
    cap.owner = m_grid;
    cap.grid = m_grid;
    cap.cell = &CellIdAt(col, row).cell;
    const QRect rc = m_grid->CellRect(col, row);
    m_cellRect = rc;
    rect = {rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height()};
    cap.rect = &rect;
    cap.images = m_images;
    cap.context = m_context.get();
    cap.sheet = this;
    cap.repaint = [](cuiSheet* s, cmcCellCapsule* c, int sel) {
        if (s)
            s->RepaintMatching(c, sel);
    };
    cap.refreshEditor = [](cuiSheet* s, cmcCellCapsule* c, int flag) {
        if (!s || flag != 0 || !s->m_grid)
            return;
        if (c->cell != &s->CellIdAt(s->m_grid->Col(), s->m_grid->Row()).cell)
            return;
        s->OpenEditor(s->m_grid->Col(), s->m_grid->Row());
        if (s->m_editor) {
            s->m_editor->setPlainText(plat::ToQt(c->text));
            QTextCursor tc = s->m_editor->textCursor();
            tc.setPosition(std::clamp(c->selStart, 0, static_cast<int>(c->text.size())));
            tc.setPosition(
                std::clamp(c->selStart + c->selLength, 0, static_cast<int>(c->text.size())),
                QTextCursor::KeepAnchor);
            s->m_editor->setTextCursor(tc);
        }
    };
    const bool current = col == m_grid->Col() && row == m_grid->Row();
    cap.flags = static_cast<uint8_t>((current ? cmcCellCapsule::kFlagCurrent : 0) |
                                     (m_printer ? cmcCellCapsule::kFlagPrinting : 0));
    if (m_multiActive) {
        cap.selectionFlags = cmcCellCapsule::kSelRange;
        const int32_t a = RangeIndex(m_anchorRow);
        const int32_t b = RangeIndex(m_grid->Row());
        cap.rangeFirst = std::min(a, b);
        cap.rangeLast = std::max(a, b);
    }
}

void cuiSheet::SendAction(int col, int row, int32_t key, int32_t command, const std::string* text)
{
    if (!m_grid || m_cells.empty() || col < 0 || row < 0 || col >= m_colCount || row >= m_rowCount)
        return;
    cmcCellCapsule cap;
    cmcRect rect;
    int wait = kRepeatFirstWait;
    bool repetition = false;
    // However a rule answers, the repetitions end: each must move the cursor, and no
    // sheet can need more of them than it has cells.
    int budget = m_colCount * m_rowCount + 1;
    for (;;) {
        PrepareCapsule(cap, col, row, rect);
        cap.key = key;
        cap.command = command;
        if (text) {
            cap.inputMode = cmcCellCapsule::kInputText;
            cap.key = 0;
            cap.inputText = *text;
        }
        if (m_popupMode) {
            if (key == cmcCellCapsule::kKeyEnter || key == cmcCellCapsule::kKeyDoubleClick) {
                if (m_context) {
                    cmcCellCapsule choice(*m_context);
                    choice.context = &cap;
                    choice.inputMode = cmcCellCapsule::kInputChoice;
                    cap.key = 0;
                    m_rules(m_rulesContext, &choice, 1);
                }
                if (m_parent && m_parent->window())
                    m_parent->window()->hide();
            }
            return;
        }
        const int beforeCol = m_grid->Col();
        const int beforeRow = m_grid->Row();
        const int result = m_rules(m_rulesContext, &cap, 1);
        if (!m_grid)
            return;
        if (cap.jump) {
            MoveToIdentity(cap.jumpCategory, cap.jumpId, cap.jumpIndex);
            col = m_grid->Col();
            row = m_grid->Row();
        }
        if (result == cmcCellCapsule::kResultPopup)
            ClearMultiSelection();
        else if (result == cmcCellCapsule::kResultEditor) {
            OpenEditor(col, row);
            if (m_editor && EditorVisible()) {
                m_editor->setPlainText(plat::ToQt(cap.text));
                QTextCursor tc = m_editor->textCursor();
                const int len = static_cast<int>(cap.text.size());
                tc.setPosition(std::clamp(cap.selStart, 0, len));
                tc.setPosition(std::clamp(cap.selStart + cap.selLength, 0, len),
                               QTextCursor::KeepAnchor);
                m_editor->setTextCursor(tc);
            }
        }
        if (cap.repeatKey == 0)
            break;
        const bool moved = m_grid->Col() != beforeCol || m_grid->Row() != beforeRow;
        if ((repetition && !moved) || --budget <= 0)
            break;
        repetition = true;
        if (wait > 0) {
            m_grid->RepaintNow();
            s_sleep(wait);
            wait -= kRepeatWaitStep;
        }
        key = cap.repeatKey;
        text = nullptr;
        col = m_grid->Col();
        row = m_grid->Row();
    }
    if (m_multiSelect != kMultiNone && (cap.selectionFlags & cmcCellCapsule::kSelRangeChanged)) {
        const int32_t first = cap.rangeFirst;
        const int32_t last = cap.rangeLast;
        ClearMultiSelection();
        const cmcCellObj& here = CellAt(col, row);
        const int32_t farEnd = here.index == first ? last : first;
        for (int r = 0; r < m_rowCount; ++r)
            for (int c = 0; c < m_colCount; ++c) {
                const cmcCellObj& cell = CellAt(c, r);
                if (!IsSelectable(c, r) || cell.id != here.id || cell.index < first ||
                    cell.index > last)
                    continue;
                SetSelected(c, r, true);
                if (cell.index == farEnd) {
                    m_anchorCol = c;
                    m_anchorRow = r;
                }
            }
        m_multiActive = true;
        UpdateLineHighlights();
    } else {
        ClearMultiSelection();
        SelectionUpdate(m_grid->Col(), m_grid->Row());
    }
    if (g_EvMan)
        g_EvMan->Send(ev::kRefreshMenu);
}

void cuiSheet::MenuCommand(const cmcCellObj& item)
{
    SendAction(m_grid->Col(), m_grid->Row(), 0, item.id);
}

// ---------------------------------------------------------------------------------------
// Moving and selecting

void cuiSheet::MoveTo(int col, int row)
{
    if (col == m_grid->Col() && row == m_grid->Row())
        return;
    SelectionUpdate(col, row);
    m_inColChange = true;
    m_grid->SetCol(col);
    m_inColChange = false;
    m_grid->SetRow(row);
    UpdatePopupMenu(col, row, false);
}

void cuiSheet::MoveQuiet(int col, int row)
{
    if (col == m_grid->Col() && row == m_grid->Row())
        return;
    SelectionUpdate(col, row);
    m_grid->MoveCurrent(col, row, false);
    UpdatePopupMenu(col, row, false);
}

void cuiSheet::MoveToIdentity(int32_t category, int32_t id, int32_t index)
{
    int fc = -1;
    int fr = -1;
    for (int r = 0; r < m_rowCount; ++r)
        for (int c = 0; c < m_colCount; ++c) {
            const cmcCellObj& cell = CellAt(c, r);
            if (IsSelectable(c, r) && cell.category == category && cell.id == id &&
                cell.index == index) {
                fc = c;
                fr = r;
                break;
            }
        }
    if (fc >= 0)
        MoveQuiet(fc, fr);
}

void cuiSheet::SelectCell(int col, int row, bool* allow)
{
    SendStatusClear();
    if (!m_inColChange) {
        *allow = IsSelectable(col, row) && (!m_multiActive || CellIdAt(col, row).rowSelectable);
        if (col != m_grid->Col() || row != m_grid->Row()) {
            if (g_EvMan) {
                const cmcCellObj& cell = CellAt(col, row);
                const int32_t bytes[3] = {cell.category, cell.id, cell.index};
                g_EvMan->PostBytes(ev::kSheetNotice, bytes, sizeof bytes);
            }
        }
        if (row != m_grid->Row() && *allow && !m_popupMode) {
            m_grid->InvalidateRow(m_grid->Row(), m_grid->FixedCols());
            m_grid->InvalidateRow(row, m_grid->FixedCols());
        }
        if (*allow) {
            UpdatePopupMenu(col, row, false);
            SelectionUpdate(col, row);
        }
    }
    HideEditor(true);
}

void cuiSheet::SetSelected(int col, int row, bool on)
{
    if (!IsSelectable(col, row))
        return;
    clsSheetCellId& id = CellIdAt(col, row);
    if (id.selected == on)
        return;
    id.selected = on;
    m_grid->InvalidateCell(col, row);
}

void cuiSheet::SelectionUpdate(int col, int row)
{
    const int oc = m_grid->Col();
    const int orow = m_grid->Row();
    const bool extending =
        m_shiftDown || (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) || m_mouseDrag;
    const bool differs = col != oc || row != orow;
    const bool rangeable = ((m_multiSelect != kMultiNone && differs) || m_multiActive) &&
                           CellIdAt(oc, orow).rowSelectable && CellIdAt(col, row).rowSelectable;
    if (!(rangeable && extending && m_anchorCol >= 0)) {
        m_anchorCol = col;
        m_anchorRow = row;
    }
    if (extending && rangeable) {
        const int c0 = std::min({m_anchorCol, oc, col});
        const int c1 = std::max({m_anchorCol, oc, col});
        const int r0 = std::min({m_anchorRow, orow, row});
        const int r1 = std::max({m_anchorRow, orow, row});
        const int sc0 = std::min(m_anchorCol, col);
        const int sc1 = std::max(m_anchorCol, col);
        const int sr0 = std::min(m_anchorRow, row);
        const int sr1 = std::max(m_anchorRow, row);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                SetSelected(c, r, c >= sc0 && c <= sc1 && r >= sr0 && r <= sr1);
        m_multiActive = true;
    } else if (m_multiActive) {
        ClearMultiSelection();
    } else {
        SetSelected(oc, orow, false);
        clsSheetCellId& o = CellIdAt(oc, orow);
        if (o.lineHighlighted) {
            o.lineHighlighted = false;
            m_grid->InvalidateCell(oc, orow);
        }
    }
    SetSelected(col, row, true);
    UpdateLineHighlights();
}

void cuiSheet::ClearMultiSelection()
{
    if (m_cells.empty())
        return;
    for (int r = 0; r < m_rowCount; ++r)
        for (int c = 0; c < m_colCount; ++c)
            SetSelected(c, r, false);
    m_multiActive = false;
    UpdateLineHighlights();
}

void cuiSheet::UpdateLineHighlights()
{
    const bool lines = m_multiActive && m_multiSelect == kMultiLine;
    if (!lines && !m_anyHighlight)
        return;
    const int first = m_grid->FixedCols();
    bool any = false;
    for (int r = 0; r < m_rowCount; ++r) {
        bool has = false;
        if (lines)
            for (int c = 0; c < m_colCount && !has; ++c)
                has = CellIdAt(c, r).selected;
        for (int c = first; c < m_colCount; ++c) {
            clsSheetCellId& id = CellIdAt(c, r);
            if (id.lineHighlighted != has) {
                id.lineHighlighted = has;
                m_grid->InvalidateCell(c, r);
            }
        }
        any = any || has;
    }
    m_anyHighlight = any;
}

bool cuiSheet::StepFrom(int* col, int* row, int dx, int dy, bool wrap) const
{
    const int sc = *col;
    const int sr = *row;
    int c = sc;
    int r = sr;
    for (;;) {
        if (wrap) {
            c = (c + dx + m_colCount) % m_colCount;
            r = (r + dy + m_rowCount) % m_rowCount;
            if (c == sc && r == sr)
                return false;
        } else {
            c += dx;
            r += dy;
            if (c < 0 || r < 0 || c >= m_colCount || r >= m_rowCount)
                return false;
        }
        if (IsSelectable(c, r)) {
            *col = c;
            *row = r;
            return true;
        }
    }
}

bool cuiSheet::SideSearch(int* col, int* row, int dx, int dy) const
{
    if (dx != 0) {
        for (int c = *col + dx; c >= 0 && c < m_colCount; c += dx) {
            int best = -1;
            for (int r = 0; r < m_rowCount; ++r)
                if (IsSelectable(c, r) &&
                    (best < 0 || std::abs(r - m_navRow) < std::abs(best - m_navRow)))
                    best = r;
            if (best >= 0) {
                *col = c;
                *row = best;
                return true;
            }
        }
    } else {
        for (int r = *row + dy; r >= 0 && r < m_rowCount; r += dy) {
            int best = -1;
            for (int c = 0; c < m_colCount; ++c)
                if (IsSelectable(c, r) &&
                    (best < 0 || std::abs(c - m_navCol) < std::abs(best - m_navCol)))
                    best = c;
            if (best >= 0) {
                *col = best;
                *row = r;
                return true;
            }
        }
    }
    return false;
}

void cuiSheet::Navigate(int dx, int dy)
{
    if (m_cells.empty())
        return;
    const bool wrap =
        m_popupMode && std::abs(dx) <= 1 && std::abs(dy) <= 1 && !m_grid->HasScrollBars();
    int e = m_grid->Col();
    int d = m_grid->Row();
    const int sx = dx > 0 ? 1 : dx < 0 ? -1 : 0;
    const int sy = dx != 0 ? 0 : (dy > 0 ? 1 : dy < 0 ? -1 : 0);
    const int steps = dx != 0 ? std::abs(dx) : std::abs(dy);
    for (int i = 0; i < steps; ++i) {
        int c = e;
        int r = d;
        bool found = StepFrom(&c, &r, sx, sy, wrap);
        if (!found && !m_popupMode) {
            c = e;
            r = d;
            found = SideSearch(&c, &r, sx, sy);
        }
        if (!found)
            break;
        e = c;
        d = r;
        m_navCol = e;
        m_navRow = d;
    }
    MoveTo(e, d);
    if (e <= m_firstSelCol)
        m_grid->SetLeftCol(m_grid->FixedCols());
    if (d <= m_firstSelRow)
        m_grid->SetTopRow(m_grid->FixedRows());
}

void cuiSheet::MoveToFirstInRow(bool last)
{
    const int r = m_grid->Row();
    for (int i = 0; i < m_colCount; ++i) {
        const int c = last ? m_colCount - 1 - i : i;
        if (IsSelectable(c, r)) {
            MoveTo(c, r);
            m_navCol = c;
            if (!last)
                m_grid->SetLeftCol(m_grid->FixedCols());
            return;
        }
    }
}

void cuiSheet::MoveToCorner(bool last)
{
    for (int j = 0; j < m_rowCount; ++j) {
        const int r = last ? m_rowCount - 1 - j : j;
        for (int i = 0; i < m_colCount; ++i) {
            const int c = last ? m_colCount - 1 - i : i;
            if (IsSelectable(c, r)) {
                MoveTo(c, r);
                m_navCol = c;
                m_navRow = r;
                if (!last) {
                    m_grid->SetLeftCol(m_grid->FixedCols());
                    m_grid->SetTopRow(m_grid->FixedRows());
                }
                return;
            }
        }
    }
}

bool cuiSheet::ResolveTail(int* col, int* row) const
{
    int c = *col;
    const int r = *row;
    if (c < 0 || r < 0 || c >= m_colCount || r >= m_rowCount)
        return false;
    while (c >= 0 && !IsSelectable(c, r) && (CellAt(c, r).marks & cmcCellObj::kMarkTogether))
        --c;
    if (c < 0 || !IsSelectable(c, r))
        return false;
    *col = c;
    return true;
}

// ---------------------------------------------------------------------------------------
// The in-place editor

void cuiSheet::OpenEditor(int col, int row)
{
    if (!m_editor) {
        m_editor = new QPlainTextEdit(m_gridPanel);
        m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_editor->setFrameShape(QFrame::NoFrame);
        m_editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_editor->document()->setDocumentMargin(1);
        m_editor->hide();
        m_editor->installEventFilter(this);
        QObject::connect(m_editor, &QPlainTextEdit::textChanged, m_editor, [this] {
            // At most 1024 characters.
            if (m_editor->document()->characterCount() > kEditorMaxChars + 1) {
                QString t = m_editor->toPlainText().left(kEditorMaxChars);
                QSignalBlocker block(m_editor);
                m_editor->setPlainText(t);
                m_editor->moveCursor(QTextCursor::End);
            }
        });
    }
    ClearMultiSelection();
    MoveQuiet(col, row);
    QRect rc = m_grid->CellRect(col, row);
    if (rc.width() < 1 || rc.height() - 1 <= 0)
        return;
    rc.moveTopLeft(m_grid->viewport()->mapTo(m_gridPanel, rc.topLeft()));
    const cmcCellObj& cell = CellAt(col, row);
    const QFont& f = QtFont(CellFont(cell));
    m_editor->setFont(f);
    const int th = QFontMetrics(f).height() + 2;
    if (th < rc.height()) {
        const int va = cell.VAlign();
        const int top = va == 1   ? rc.top() + (rc.height() - th) / 2
                        : va == 2 ? rc.bottom() - th
                                  : rc.top();
        rc = QRect(rc.left(), top, rc.width(), th);
    }
    m_editor->setGeometry(rc);
    m_editor->document()->clearUndoRedoStacks();
    m_editorCol = col;
    m_editorRow = row;
    m_editor->show();
    m_editor->raise();
    m_editor->setFocus();
}

void cuiSheet::HideEditor(bool refocus)
{
    if (!EditorVisible())
        return;
    if (refocus) {
        if (m_commitOnLeave)
            CommitEditor();
        else
            m_editor->hide();
        if (m_grid)
            m_grid->setFocus();
    } else {
        m_editor->hide();
    }
}

void cuiSheet::CommitEditor()
{
    if (!EditorVisible() || m_committing)
        return;
    m_committing = true;
    std::string text;
    if (!plat::FromQt(m_editor->toPlainText(), text))
        text.clear();
    m_editor->hide();
    if (m_grid)
        m_grid->setFocus();
    SendAction(m_editorCol, m_editorRow, cmcCellCapsule::kKeyEnter, 0, &text);
    m_committing = false;
}

bool cuiSheet::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor) {
        if (event->type() == QEvent::FocusOut && EditorVisible() && m_commitOnLeave &&
            !QApplication::activePopupWidget())
            CommitEditor();
        else if (event->type() == QEvent::KeyPress)
            return EditorKey(static_cast<QKeyEvent*>(event));
    }
    return QObject::eventFilter(watched, event);
}

bool cuiSheet::EditorKey(QKeyEvent* e)
{
    if (!EditorVisible())
        return GridKeyDown(e);
    SendStatusClear();
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            HideEditor(true);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            HideEditor(true);
            Navigate(0, e->key() == Qt::Key_Up ? -1 : 1);
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            HideEditor(true);
            return GridKeyDown(e);
        case Qt::Key_Escape:
            m_commitOnLeave = false;
            HideEditor(true);
            m_commitOnLeave = true;
            return true;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            HideEditor(true);
            return GridKeyDown(e);
        default:
            break;
    }
    // Only characters of the overlay's code page can be typed, and at most 1024 bytes.
    if (!e->text().isEmpty() && e->text().at(0).isPrint()) {
        std::string bytes;
        std::string current;
        if (!plat::FromQt(e->text(), bytes))
            return true;
        if (plat::FromQt(m_editor->toPlainText(), current) &&
            current.size() + bytes.size() > static_cast<size_t>(kEditorMaxChars) &&
            !m_editor->textCursor().hasSelection())
            return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------
// Keyboard and mouse

bool cuiSheet::GridKeyDown(QKeyEvent* e)
{
    HideEditor(true);
    SendStatusClear();
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    m_shiftDown = (mods & Qt::ShiftModifier) != 0;
    struct ShiftReset {
        bool& flag;
        ~ShiftReset() { flag = false; }
    } reset{m_shiftDown};
    const bool ctrl = (mods & Qt::ControlModifier) != 0;
    const int c0 = m_grid->Col();
    const int r0 = m_grid->Row();
    switch (e->key()) {
        case Qt::Key_PageUp:
            Navigate(0, -10);
            return true;
        case Qt::Key_PageDown:
            Navigate(0, 10);
            return true;
        case Qt::Key_Home:
            if (ctrl)
                MoveToCorner(false);
            else
                MoveToFirstInRow(false);
            return true;
        case Qt::Key_End:
            if (ctrl)
                MoveToCorner(true);
            else
                MoveToFirstInRow(true);
            return true;
        case Qt::Key_Left:
            Navigate(-1, 0);
            if (m_grid->Col() == c0 && m_grid->Row() == r0)
                SendAction(c0, r0, cmcCellCapsule::kKeyLeftEdge, 0);
            return true;
        case Qt::Key_Right:
            Navigate(1, 0);
            if (m_grid->Col() == c0 && m_grid->Row() == r0)
                SendAction(c0, r0, cmcCellCapsule::kKeyRightEdge, 0);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (mods != Qt::ControlModifier)
                Navigate(0, e->key() == Qt::Key_Up ? -1 : 1);
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            // Along the row, then on to the next (previous) row, like a spreadsheet.
            const int dir = e->key() == Qt::Key_Backtab || (mods & Qt::ShiftModifier) ? -1 : 1;
            m_shiftDown = false;
            Navigate(dir, 0);
            if (m_grid->Col() == c0 && m_grid->Row() == r0) {
                for (int r = r0 + dir; r >= 0 && r < m_rowCount; r += dir) {
                    bool moved = false;
                    for (int i = 0; i < m_colCount; ++i) {
                        const int c = dir > 0 ? i : m_colCount - 1 - i;
                        if (IsSelectable(c, r)) {
                            MoveTo(c, r);
                            m_navCol = c;
                            m_navRow = r;
                            moved = true;
                            break;
                        }
                    }
                    if (moved)
                        break;
                }
            }
            return true;
        }
        case Qt::Key_Menu:
            PopupMenuAt(m_grid->CellRect(c0, r0).center());
            return true;
        default:
            break;
    }
    if (e->key() >= Qt::Key_F1 && e->key() <= Qt::Key_F12) {
        if (e->key() == Qt::Key_F10 && (mods & Qt::ShiftModifier)) {
            PopupMenuAt(m_grid->CellRect(c0, r0).center());
            return true;
        }
        SendAction(c0, r0, cmcCellCapsule::kKeyF1 + (e->key() - Qt::Key_F1) * 256, 0);
        return true;
    }
    if (ctrl || (mods & Qt::AltModifier))
        return false;
    const QString t = e->text();
    if (t.size() == 1) {
        std::string bytes;
        if (plat::FromQt(t, bytes) && bytes.size() == 1) {
            const auto code = static_cast<unsigned char>(bytes[0]);
            if (code >= 1) {
                SendAction(c0, r0, code, 0);
                return true;
            }
        }
    }
    return false;
}

bool cuiSheet::MouseDown(QMouseEvent* e)
{
    m_autoPopup = false;
    if (e->button() != Qt::RightButton) {
        m_mouseDrag = true;
        return false;
    }
    bool ok = m_multiActive;
    if (!m_multiActive) {
        int c = 0;
        int r = 0;
        if (m_grid->CellAt(e->position().toPoint(), &c, &r) && ResolveTail(&c, &r)) {
            MoveTo(c, r);
            ok = c == m_grid->Col() && r == m_grid->Row();
        }
    }
    if (ok)
        PopupMenuAt(e->position().toPoint());
    return true;
}

bool cuiSheet::MouseUp(QMouseEvent* e)
{
    m_autoPopup = false;
    m_mouseDrag = false;
    if (m_popupMode && e->button() == Qt::LeftButton)
        return DoubleClick(e);
    return false;
}

bool cuiSheet::MouseMove(QMouseEvent* e)
{
    if (!m_popupMode)
        return false;
    const QPoint pos = e->position().toPoint();
    if (m_lastMouse != QPoint(-1, -1) && pos != m_lastMouse && !EditorVisible()) {
        int c = 0;
        int r = 0;
        if (m_grid->CellAt(pos, &c, &r) && ResolveTail(&c, &r))
            MoveQuiet(c, r);
    }
    m_lastMouse = pos;
    return false;
}

bool cuiSheet::DoubleClick(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    int c = 0;
    int r = 0;
    const bool onCell = m_grid->CellAt(pos, &c, &r);
    if (m_colSizingStyle) {
        if (onCell && c >= m_grid->FixedCols() && r < m_grid->FixedRows()) {
            const QRect rc = m_grid->CellRect(c, r);
            if (pos.x() - rc.left() <= 4) {
                for (int k = c - 1; k >= m_grid->FixedCols(); --k)
                    if (m_grid->ColWidth(k) > 0) {
                        AutoFitColumn(k);
                        return true;
                    }
            } else if (rc.left() + rc.width() - pos.x() <= 4) {
                AutoFitColumn(c);
                return true;
            }
        } else if (!onCell && m_grid->FixedRows() > 0) {
            for (int k = m_colCount - 1; k >= m_grid->FixedCols(); --k) {
                if (m_grid->ColWidth(k) <= 0)
                    continue;
                const QRect rc = m_grid->CellRect(k, m_grid->FixedRows() - 1);
                if (!rc.isEmpty() && std::abs(pos.x() - (rc.left() + rc.width())) <= 4) {
                    AutoFitColumn(k);
                    return true;
                }
                break;
            }
        }
    }
    if (onCell && ResolveTail(&c, &r) && c == m_grid->Col() && r == m_grid->Row())
        SendAction(c, r, cmcCellCapsule::kKeyDoubleClick, 0);
    return true;
}

// ---------------------------------------------------------------------------------------
// The popup menu

void cuiSheet::UpdatePopupMenu(int col, int row, bool force)
{
    if (m_printer || !m_grid || m_cells.empty() || !m_menu)
        return;
    if (!force && !m_grid->hasFocus())
        return;
    const cmcCellObj* cell = &CellAt(col, row);
    if (cell == m_lastFocusedCell && !force)
        return;
    m_lastFocusedCell = cell;
    const std::optional<std::string> name = cell->PopupMenuName();
    if (!force && (!name || *name == m_lastMenuName)) {
        if (g_EvMan)
            g_EvMan->Send(ev::kRefreshMenu);
        return;
    }
    m_lastMenuName = name.value_or(std::string());
    m_menuBuilder.reset();
    if (g_EvMan)
        g_EvMan->Send(ev::kClearSubMenu, 0, CL_Menu_Edit_Top);
    if (name) {
        m_menuBuilder = std::make_unique<cuiSheetMenu>(
            m_menu, m_store, *name, [this](const cmcCellObj& item) { MenuCommand(item); });
        m_menuBuilder->Build();
        if (g_EvMan)
            g_EvMan->SendText(ev::kAppendSubMenu, reinterpret_cast<intptr_t>(m_menuBuilder.get()),
                              CL_Menu_Edit_Top, *name);
    }
    if (g_EvMan)
        g_EvMan->Send(ev::kRefreshMenu);
}

void cuiSheet::PopupMenuAt(const QPoint& viewportPos)
{
    if (!m_grid || m_cells.empty() || !m_menu)
        return;
    const int c = m_grid->Col();
    const int r = m_grid->Row();
    const cmcCellObj& cell = CellAt(c, r);
    const std::optional<std::string> name = cell.PopupMenuName();
    if (!name)
        return;
    if (!m_menuBuilder || m_menuBuilder->Name() != *name || m_lastFocusedCell != &cell)
        UpdatePopupMenu(c, r, true);
    if (!m_menuBuilder)
        return;
    cmcCellCapsule cap;
    cmcRect rect;
    PrepareCapsule(cap, c, r, rect);
    m_menuBuilder->Refresh(m_rules, m_rulesContext, &cap);
    m_menu->popup(m_grid->viewport()->mapToGlobal(viewportPos));
}
