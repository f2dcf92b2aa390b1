#include "maker/iuiWinAd.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWindow>

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "common/EventIds.h"
#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"
#include "rules/indAdjust.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"

iuiWinAd::iuiWinAd(QWidget* owner, const std::string& caption, cmcGTex& store, std::string entry,
                   cuiImageList* images, Host host)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_owner(owner),
      m_store(store),
      m_entry(std::move(entry)),
      m_images(images),
      m_host(std::move(host))
{
    setObjectName(QStringLiteral("iuiWinAd"));
    setWindowTitle(plat::ToQt(caption));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The sheet's panel: a raised outer and a lowered inner bevel around the sheet.
    auto* outer = new QFrame(this);
    outer->setFrameStyle(QFrame::Panel | QFrame::Raised);
    outer->setLineWidth(2);
    auto* outerLayout = new QVBoxLayout(outer);
    outerLayout->setContentsMargins(8, 8, 8, 8);
    auto* inner = new QFrame(outer);
    inner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    inner->setLineWidth(2);
    m_sheetPanel = inner;
    auto* innerLayout = new QVBoxLayout(inner);
    innerLayout->setContentsMargins(2, 2, 2, 2);
    outerLayout->addWidget(inner);
    layout->addWidget(outer, 1);

    auto* bottom = new QWidget(this);
    auto* row = new QHBoxLayout(bottom);
    row->setContentsMargins(5, 5, 5, 5);
    row->setSpacing(5);
    m_status = new QLabel(bottom);
    m_status->setObjectName(QStringLiteral("AdjustStatus"));
    m_stop = new QPushButton(plat::ToQt(store.GetLine("GI_AppInd_Adjust_Stop", 0)), bottom);
    m_update = new QPushButton(plat::ToQt(store.GetLine("GI_AppInd_Update", 0)), bottom);
    m_ok = new QPushButton(plat::ToQt(store.GetLine("GI_AppInd_Button_OkCancel", 0)), bottom);
    row->addWidget(m_status, 1);
    row->addWidget(m_stop);
    row->addWidget(m_update);
    row->addWidget(m_ok);
    layout->addWidget(bottom);
    setTabOrder(m_update, m_ok);
    m_ok->setDefault(true);

    connect(m_update, &QPushButton::clicked, this, [this] { Update(); });
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (!m_host.mainEnabled || m_host.mainEnabled())
            close();
    });
    connect(m_stop, &QPushButton::clicked, this, [this] {
        if (m_host.adjust)
            m_host.adjust->Stop();
        RefreshStatus();
    });
    // Escape is the OK button's.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, m_ok, &QPushButton::click);

    const int buttonWidth = m_ok->sizeHint().width();
    const int bottomHeight = m_ok->sizeHint().height() + 10;
    setMinimumSize(4 * buttonWidth + 34, 8 * bottomHeight);

    BuildSheet();
    if (g_EvMan)
        g_EvMan->Subscribe(&iuiWinAd::OnEvent, this);
}

iuiWinAd::~iuiWinAd()
{
    delete m_sheet;
    m_sheet = nullptr;
    if (g_EvMan) {
        // Windows owned by this one let go of it; the id goes out now, while it is valid.
        g_EvMan->Send(ev::kWindowDestroyed, 0, reinterpret_cast<intptr_t>(this));
        g_EvMan->Unsubscribe(&iuiWinAd::OnEvent, this);
        g_EvMan->Post(ev::kRedrawAll);
    }
    if (m_host.adjust)
        m_host.adjust->readingsDisplay = false;
    if (g_Environ)
        g_Environ->adjWindowOpen = false;
    if (m_host.closed)
        m_host.closed();
    if (g_EvMan)
        g_EvMan->Post(ev::kRefreshUi);
}

void iuiWinAd::BuildSheet()
{
    delete m_sheet;
    m_sheet = new cuiSheet(m_sheetPanel, nullptr, 0, 0, &m_store, m_entry, m_images);
    if (const indEnviron::WindowEntry* e = g_Environ ? g_Environ->GetWindowEntry(m_entry) : nullptr)
        m_sheet->SetSavedPosition(e->curCol, e->curRow, e->leftCol, e->topRow);
    m_sheet->Show();
    if (QWidget* panel = m_sheet->Panel())
        m_sheetPanel->layout()->addWidget(panel);
}

void iuiWinAd::Place()
{
    const indEnviron::WindowEntry* e = g_Environ ? g_Environ->GetWindowEntry(m_entry) : nullptr;
    QScreen* screen =
        m_owner && m_owner->screen() ? m_owner->screen() : QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (e && e->width > 0 && e->height > 0) {
        setGeometry(e->left, e->top, e->width, e->height);
        if (e->windowState == 2)
            setWindowState(Qt::WindowMaximized);
    } else {
        // The sheet's width, half the screen's height, over the owner.
        const int width = std::max(minimumWidth(), m_sheet ? m_sheet->NeededWidth() + 40 : 0);
        const int height = std::max(minimumHeight(), work.height() / 2);
        resize(width, height);
        if (m_owner) {
            const QRect o = m_owner->frameGeometry();
            move(o.center() - QPoint(width / 2, height / 2));
            // Above the owner when there is room, rather than over it.
            if (y() < o.bottom() && o.top() - work.top() >= height)
                move(x(), o.top() - height);
        }
    }
    QRect g = frameGeometry();
    if (g.right() > work.right())
        g.moveRight(work.right());
    if (g.bottom() > work.bottom())
        g.moveBottom(work.bottom());
    if (g.left() < work.left())
        g.moveLeft(work.left());
    if (g.top() < work.top())
        g.moveTop(work.top());
    move(g.topLeft());
}

void iuiWinAd::Open()
{
    if (m_owner)
        m_owner->setEnabled(true);
    Place();
    show();
    if (m_owner && windowHandle() && m_owner->windowHandle())
        windowHandle()->setTransientParent(m_owner->windowHandle());
    RefreshStatus();
    if (m_host.adjust)
        m_host.adjust->ReadAdValues();
}

void iuiWinAd::Update()
{
    if (m_host.mainEnabled && !m_host.mainEnabled())
        return;
    if (m_host.adjust)
        m_host.adjust->ReadAdValues();
}

void iuiWinAd::RefreshStatus()
{
    const bool running = m_host.adjust && m_host.adjust->Running();
    m_status->setText(plat::ToQt(
        m_store.GetLine(running ? "GI_AppInd_Adjust_Running" : "GI_AppInd_Adjust_Idle", 0)));
    m_stop->setEnabled(running);
}

void iuiWinAd::StorePlacement()
{
    if (!g_Environ)
        return;
    const QRect g = geometry();
    const int state = isMaximized() ? 2 : isMinimized() ? 1 : 0;
    cuiGrid* grid = m_sheet ? m_sheet->Grid() : nullptr;
    g_Environ->SetWindowEntry(m_entry, g.left(), g.top(), g.width(), g.height(),
                              grid ? grid->Col() : -1, grid ? grid->Row() : -1,
                              grid ? grid->LeftCol() : -1, grid ? grid->TopRow() : -1, state, 0);
}

void iuiWinAd::closeEvent(QCloseEvent* event)
{
    if (!m_closing) {
        m_closing = true;
        StorePlacement();
        if (m_owner && (!m_host.mainEnabled || m_host.mainEnabled()))
            m_owner->setEnabled(true);
    }
    event->accept();
}

void iuiWinAd::OnEvent(void* context, const cmcEvent& event)
{
    static_cast<iuiWinAd*>(context)->HandleEvent(event);
}

void iuiWinAd::HandleEvent(const cmcEvent& event)
{
    switch (event.id) {
        case ev::kWindowDestroyed:
            if (m_owner && event.arg2 == reinterpret_cast<intptr_t>(m_owner))
                close();
            break;
        case ev::kRedrawAll:
            RefreshStatus();
            break;
        case ev::kAdjustRefresh:
            RefreshStatus();
            if (m_sheet) {
                cmcCellObj ref;
                ref.category = 0;
                ref.id = 0;
                ref.index = -1;
                cmcCellCapsule cap;
                cap.cell = &ref;
                m_sheet->RepaintMatching(&cap, cmcCellCapsule::kRepaintAllValues);
            }
            break;
        case ev::kCloseAdjustWindow:
            if (m_entry == event.Text())
                close();
            break;
        case ev::kRebuildAdjustWindow:
            if (isVisible()) {
                StorePlacement();
                BuildSheet();
            }
            break;
        default:
            break;
    }
}
