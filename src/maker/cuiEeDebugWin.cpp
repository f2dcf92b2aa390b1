#include "maker/cuiEeDebugWin.h"

#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "cells/cmcCellIds.h"
#include "cells/cmcCellObj.h"
#include "common/EventIds.h"
#include "common/cmcEvMan.h"
#include "platform/qt/QtServices.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"

namespace {
int s_live = 0;
constexpr int kGap = 5;
}  // namespace

cuiEeDebugWin::cuiEeDebugWin(QWidget* owner, const std::string& caption, cmcGTex* store,
                             const std::string& entryName, cuiImageList* images)
{
    ++s_live;
    if (g_EvMan) {
        g_EvMan->Subscribe(&cuiEeDebugWin::OnEvent, this);
        m_subscribed = true;
    }
    m_window = new QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                      Qt::WindowCloseButtonHint);
    m_window->setAttribute(Qt::WA_DeleteOnClose, true);
    m_window->setWindowTitle(plat::ToQt(caption));
    setParent(m_window);  // the window frees us

    auto* panel = new QFrame(m_window);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    auto* pl = new QVBoxLayout(panel);
    pl->setContentsMargins(8, 8, 8, 8);
    auto* host = new QWidget(panel);
    pl->addWidget(host);

    cmcGTex* sheetStore = store;
    std::string name = entryName;
    if (!store || entryName.empty()) {
        sheetStore = &m_ownStore;
        name = "GI_Sheet_EeDebugWin";
    }
    // No rules of its own: every cell shows what the cell rules give it.
    m_sheet = std::make_unique<cuiSheet>(host, nullptr, 1, 0, sheetStore, name, images);
    m_sheet->Show();
    cuiGrid* grid = m_sheet->Grid();
    grid->SetScrollBars(true);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int w = m_sheet->NeededWidth();
    const int h = std::min(m_sheet->NeededHeight(), work.height() / 2);
    host->setFixedSize(w, h);

    const std::string closeText = store ? store->GetLine("GI_AppInd_Button_OkCancel", 0) : "OK";
    m_close = new QPushButton(plat::ToQt(closeText), m_window);
    m_setComp = new QPushButton(QStringLiteral("Set Comp"), m_window);
    m_redraw = new QPushButton(QStringLiteral("Redraw"), m_window);
    const QSize button = m_close->sizeHint().expandedTo(QSize(75, 0));
    for (QPushButton* b : {m_close, m_setComp, m_redraw}) {
        b->setFixedSize(button);
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    panel->adjustSize();
    const int width = std::max(panel->width(), 3 * button.width() + 4 * kGap);
    const int height = panel->height() + button.height() + 10;
    m_window->setFixedSize(width, height);
    panel->setGeometry(0, 0, width, panel->height());
    int x = width - kGap - button.width();
    const int y = height - kGap - button.height();
    for (QPushButton* b : {m_close, m_setComp, m_redraw}) {
        b->move(x, y);
        x -= button.width() + kGap;
    }
    QObject::connect(m_close, &QPushButton::clicked, m_window, &QWidget::close);
    QObject::connect(m_setComp, &QPushButton::clicked, this, [] {
        if (g_EvMan) {
            g_EvMan->Send(ev::kCopyToCompareImage);
            g_EvMan->Post(ev::kEepromDebugRefresh);
        }
    });
    QObject::connect(m_redraw, &QPushButton::clicked, this, [] {
        if (g_EvMan)
            g_EvMan->Send(ev::kTreeRebuilt);
    });

    QRect r(QPoint(0, 0), m_window->size());
    r.moveCenter(owner ? owner->frameGeometry().center() : work.center());
    r.moveLeft(std::clamp(r.left(), work.left(), std::max(work.left(), work.right() - r.width())));
    r.moveTop(std::clamp(r.top(), work.top(), std::max(work.top(), work.bottom() - r.height())));
    m_window->move(r.topLeft());
    m_window->show();
}

cuiEeDebugWin::~cuiEeDebugWin()
{
    --s_live;
    if (m_subscribed && g_EvMan)
        g_EvMan->Unsubscribe(&cuiEeDebugWin::OnEvent, this);
    m_sheet.reset();
}

int cuiEeDebugWin::LiveCount()
{
    return s_live;
}

bool cuiEeDebugWin::GoToAddress(intptr_t address)
{
    cuiGrid* grid = m_sheet ? m_sheet->Grid() : nullptr;
    if (!grid || address < 0)
        return false;
    const intptr_t col = (address % 16) * 2 + kFirstByteCol;
    const intptr_t row = address / 16 + kFirstByteRow;
    // An address beyond the sheet has no cell to go to.
    if (col >= grid->ColCount() || row >= grid->RowCount())
        return false;
    grid->MoveCurrent(static_cast<int>(col), static_cast<int>(row), true);
    return true;
}

void cuiEeDebugWin::RepaintVisible()
{
    cuiGrid* grid = m_sheet ? m_sheet->Grid() : nullptr;
    if (!grid || m_sheet->RowCount() == 0)
        return;
    // The main window asks for this every 50 ms: only the cells in sight are looked at,
    // however long the image is.
    auto visible = [](int fixed, int first, int count, int total, std::vector<int>& out) {
        for (int i = 0; i < std::min(fixed, total); ++i)
            out.push_back(i);
        for (int i = std::max(first, fixed); i < std::min(first + count + 1, total); ++i)
            out.push_back(i);
    };
    std::vector<int> rows;
    std::vector<int> cols;
    visible(grid->FixedRows(), grid->TopRow(), grid->VisibleRowCount(), m_sheet->RowCount(), rows);
    visible(grid->FixedCols(), grid->LeftCol(), grid->VisibleColCount(), m_sheet->ColCount(), cols);
    for (int r : rows)
        for (int c : cols)
            if (m_sheet->CellAt(c, r).id != kNoId)
                grid->InvalidateCell(c, r);
}

void cuiEeDebugWin::OnEvent(void* context, const cmcEvent& event)
{
    auto* self = static_cast<cuiEeDebugWin*>(context);
    if (!self->m_sheet)
        return;
    if (event.id == ev::kEepromDebugRefresh)
        self->RepaintVisible();
    else if (event.id == ev::kEepromDebugGoto)
        self->GoToAddress(event.arg2);
}
