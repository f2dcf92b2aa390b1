#include "sheets/cuiFBitsR.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <bit>

#include "cells/cmcCellIds.h"
#include "cells/cmcCellObj.h"
#include "common/EventIds.h"
#include "common/cmcEvMan.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"

namespace {

const char* const kSentences[] = {"RMC", "GGA", "GLL", "GSA", "VTG"};

uint32_t BitOf(int j)
{
    return 1u << (26 - j);
}

}  // namespace

std::string cuiFBitsR::Label(int labelKind, int n, int last, const std::string& previous)
{
    switch (labelKind) {
        case 1:
            return txt::Format("%X", n);
        case 2:
            return n == 10 ? "0" : txt::Format("%d", n);
        case 3:
            return n == 10 ? "0" : n == 11 ? "Z" : txt::Format("%d", n);
        case 4:
            return std::string(1, static_cast<char>(n + 64));
        case 5:
            // Sentence names exist for 1 to 5 only; others repeat the label before.
            return n >= 1 && n <= 5 ? kSentences[n - 1] : previous;
        case 6:
            return txt::Format("B%d", last - n);
        default:
            return txt::Format("%d", n);
    }
}

std::vector<std::string> cuiFBitsR::OwnLines(int firstLabel, int lastLabel, int labelKind)
{
    std::string labels;
    std::string bits;
    std::string previous;
    const int n = lastLabel - firstLabel + 1;
    for (int j = 1; j <= n; ++j) {
        previous = Label(labelKind, firstLabel + j - 1, lastLabel, previous);
        labels += "|{($iChI)}" + previous + "|";
        bits += txt::Format("|{($eWh)^(%%CL_FBits[%d])}9|", j);
        if (j < n)
            bits += "{($iQp)}";
    }
    return {
        "#GI_Sheet_FBitsR_Style",
        "(FixedCols=1)(FixedRows=1)",
        "#GI_Sheet_FBitsR_BasicCell",
        "{($Basic)(PopupMenu=GI_PMenu_NoItem)}",
        "#GI_Sheet_FBitsR_Cells",
        "",
        labels,
        "",
        bits,
        "",
        "",
        "#",
        "#CellModel_iChI",
        "^-WH(Color=clGray)(Font=,,clWhite,,,fsBold,)",
        "#CellModel_eWh",
        "S<_WHB",
        "#CellModel_iQp",
        "(%CT_Null.CL_Misc_QuarterPillar)",
        "#CellModel_Basic",
        "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)(PopupMenu=GI_PMenu_Edit)",
        "#GI_PMenu_NoItem_BasicCell",
        "{($Basic)}",
        "#GI_PMenu_NoItem_Body",
        "+No item\t{(%CT_PopupMenu.CL_PMenu_NoItem)}",
        "#",
        "#GI_PMenu_Edit_BasicCell",
        "{($Basic)(%CT_PopupMenu.)}",
        "#GI_PMenu_Edit_Body",
        "+Edit...\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}",
        "#",
        "#End_Of_Ovl",
        ""};
}

cuiFBitsR::cuiFBitsR(const cmcCellCapsule& capsule, cmcGTex* store, uint32_t value, int firstLabel,
                     int lastLabel, int labelKind, int displayKind, const std::string& entryName)
    : cuiPopupForm(capsule, Kind::Popup, OnLeave::Commit),
      m_value(value),
      m_first(firstLabel),
      m_labelKind(labelKind),
      m_displayKind(displayKind)
{
    // A window of one bit at least; the value has room for 25.
    m_last = std::clamp(lastLabel, firstLabel, firstLabel + kMaxBits - 1);
    m_bits = m_last - m_first + 1;

    QWidget* window = Window();
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* bevel = new QFrame(window);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel->setLineWidth(2);
    outer->addWidget(bevel);
    auto* inside = new QVBoxLayout(bevel);
    inside->setContentsMargins(2, 2, 2, 2);
    inside->setSpacing(0);
    auto* sheetPanel = new QWidget(bevel);
    sheetPanel->setContentsMargins(0, 0, 0, 0);
    inside->addWidget(sheetPanel);
    auto* bottom = new QWidget(bevel);
    auto* buttons = new QHBoxLayout(bottom);
    buttons->setContentsMargins(5, 5, 5, 5);
    buttons->setSpacing(8);
    buttons->addStretch(1);
    cmcGTex* texts = store ? store : g_GTex;
    m_ok = new QPushButton(
        plat::ToQt(texts ? texts->GetLine("GI_AppInd_Button_OkCancel", 0) : "OK"), bottom);
    m_cancel = new QPushButton(
        plat::ToQt(texts ? texts->GetLine("GI_AppInd_Button_OkCancel", 1) : "Cancel"), bottom);
    m_ok->setDefault(true);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    inside->addWidget(bottom);
    QObject::connect(m_ok, &QPushButton::clicked, this, [this] { Commit(); });
    QObject::connect(m_cancel, &QPushButton::clicked, this, [this] { Cancel(); });

    cmcGTex* sheetStore = store;
    std::string sheetName = entryName;
    if (entryName.empty() || !store) {
        m_lines = OwnLines(m_first, m_last, m_labelKind);
        for (const std::string& l : m_lines)
            m_linePtrs.push_back(l.c_str());
        m_linePtrs.push_back(nullptr);
        m_ownStore.UseLines(m_linePtrs.data());
        sheetStore = &m_ownStore;
        sheetName = "GI_Sheet_FBitsR";
    }
    m_sheet = std::make_unique<cuiSheet>(sheetPanel, &Stored(), Flex0, 0, sheetStore, sheetName,
                                         capsule.images);
    m_sheet->SetRules(&cuiFBitsR::Rules, this);
    m_sheet->Show();

    cuiGrid* grid = m_sheet->Grid();
    grid->SetScrollBars(false);
    const int buttonsWidth = m_ok->sizeHint().width() + m_cancel->sizeHint().width() + 2 * 5 + 8;
    sheetPanel->setFixedSize(std::max(m_sheet->NeededWidth(), buttonsWidth),
                             m_sheet->NeededHeight());
    window->adjustSize();
    m_sheet->ScrollHome();
    // The cursor starts on the first bit, whatever the sheet chose.
    for (int r = 0; r < m_sheet->RowCount(); ++r)
        for (int c = 0; c < m_sheet->ColCount(); ++c)
            if (m_sheet->CellAt(c, r).id == CL_FBits && m_sheet->CellAt(c, r).index == 1 &&
                (grid->Col() != c || grid->Row() != r) &&
                m_sheet->CellAt(grid->Col(), grid->Row()).id != CL_FBits)
                m_sheet->MoveQuiet(c, r);
    UpdateOk();
    PlaceNextToCell();
    ShowForm();
    grid->setFocus();
}

cuiFBitsR::~cuiFBitsR()
{
    m_sheet.reset();
}

int cuiFBitsR::SetCount() const
{
    uint32_t mask = 0;
    for (int j = 1; j <= m_bits; ++j)
        mask |= BitOf(j);
    return std::popcount(m_value & mask);
}

bool cuiFBitsR::TooMany() const
{
    return m_labelKind == 5 && SetCount() > kMaxSetForSentences;
}

void cuiFBitsR::UpdateOk()
{
    if (m_ok)
        m_ok->setEnabled(!TooMany());
}

void cuiFBitsR::DoCommit()
{
    // The value OK refuses is not stored by any other way out either.
    if (TooMany())
        return;
    AnswerChoice(txt::Format("%u", m_value));
}

bool cuiFBitsR::OnEnter()
{
    if (!TooMany())
        Commit();
    return true;
}

int cuiFBitsR::Rules(void* self, cmcCellCapsule* capsule, int mode)
{
    return static_cast<cuiFBitsR*>(self)->Run(capsule, mode);
}

int cuiFBitsR::Run(cmcCellCapsule* capsule, int mode)
{
    cmcCellCapsule& cap = *capsule;
    if (!cap.cell)
        return 0;
    if (cap.cell->id != CL_FBits) {
        // Labels and spacers show what the cell rules give them.
        void* context = nullptr;
        if (const cmcCellRulesFn rules = OwnerRules(&context))
            return rules(context, capsule, 0);
        return 0;
    }
    const int j = cap.cell->index;
    cap.text.clear();
    if (j < 1 || j > m_bits)
        return 0;
    const uint32_t bit = BitOf(j);
    bool toggled = false;
    if (mode == 1 &&
        (cap.key == cmcCellCapsule::kKeySpace || cap.key == cmcCellCapsule::kKeyDoubleClick)) {
        m_value ^= bit;
        toggled = true;
    } else if (mode == 1 && cap.key == cmcCellCapsule::kKeyEnter) {
        OnEnter();
    }
    cap.key = 0;
    if ((m_value & bit) && cap.canvas) {
        if (m_displayKind == 1)
            DrawCheck(cap);
        else
            cap.text = "o";
    }
    if (TooMany())
        cap.flags |= cmcCellCapsule::kFlagError;
    if (mode == 1)
        cap.Repaint(cmcCellCapsule::kRepaintSame);
    if (toggled) {
        UpdateOk();
        // Every bit cell shows the error mark of label kind 5 again.
        if (g_EvMan)
            g_EvMan->Post(ev::kRedrawAll);
    }
    return 0;
}

void cuiFBitsR::DrawCheck(cmcCellCapsule& cap) const
{
    if (!cap.rect)
        return;
    const cmcRect& r = *cap.rect;
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const double side = 0.7 * std::min(w, h);
    const double x0 = r.left + (w - side) / 2;
    const double y0 = r.top + (h - side) / 2;
    static const double kPoints[6][2] = {{0, 0.4},  {0, 0.6},  {0.4, 1},
                                         {1, 0.35}, {1, 0.15}, {0.4, 0.7}};
    cmcCanvas::Point points[6];
    for (int i = 0; i < 6; ++i) {
        points[i].x = static_cast<int32_t>(x0 + kPoints[i][0] * side);
        points[i].y = static_cast<int32_t>(y0 + kPoints[i][1] * side);
    }
    cmcCanvas& canvas = *cap.canvas;
    const cmcColor brush = canvas.BrushColor();
    const cmcColor pen = canvas.PenColor();
    canvas.SetBrushColor(canvas.FontColor());
    canvas.SetPenColor(canvas.FontColor());
    canvas.Polygon(points, 6);
    canvas.SetBrushColor(brush);
    canvas.SetPenColor(pen);
}
