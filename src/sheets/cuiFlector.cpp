#include "sheets/cuiFlector.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

#include "common/cmcEvMan.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"

namespace {
int s_live = 0;
}  // namespace

cuiFlector::cuiFlector(const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue,
                       cmcGTex* store, const std::string& entryName)
    : cuiFlector(capsule, listId, initialValue, store, entryName, SheetFactory())
{
}

cuiFlector::cuiFlector(const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue,
                       cmcGTex* store, const std::string& entryName, const SheetFactory& factory)
    : m_owner(capsule.owner), m_store(store), m_entryName(entryName), m_images(capsule.images)
{
    ++s_live;
    Open(capsule, listId, initialValue, factory);
}

cuiFlector::~cuiFlector()
{
    --s_live;
    if (m_subscribed && g_EvMan)
        g_EvMan->Unsubscribe(&cuiFlector::OnEvent, this);
    m_sheet.reset();
}

int cuiFlector::LiveCount()
{
    return s_live;
}

void cuiFlector::Open(const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue,
                      const SheetFactory& factory)
{
    m_window = new QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint);
    m_window->setWindowTitle(QGuiApplication::applicationDisplayName());
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    setParent(m_window);  // the window frees us
    auto* layout = new QVBoxLayout(m_window);
    layout->setContentsMargins(0, 0, 0, 0);
    m_window->resize(320, 240);

    if (factory)
        m_sheet = factory(m_window, capsule, listId, initialValue, m_store, m_entryName, m_images);
    else
        m_sheet = std::make_unique<cuiSheet>(m_window, &capsule, listId, initialValue, m_store,
                                             m_entryName, m_images);
    // The opener's rectangle lives only as long as its request: the list keeps its own.
    if (capsule.rect)
        m_cellRect = *capsule.rect;
    if (cmcCellCapsule* own = m_sheet->ContextCapsule())
        own->rect = capsule.rect ? &m_cellRect : nullptr;
    // The list answers through the rules of the sheet it edits.
    if (capsule.sheet && capsule.sheet->Rules())
        m_sheet->SetRules(capsule.sheet->Rules(), capsule.sheet->RulesContext());
    m_sheet->SetPopupMode(true);
    m_sheet->Show();

    cuiGrid* grid = m_sheet->Grid();
    const QScreen* screen = m_owner ? m_owner->screen() : QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    grid->SetScrollBars(false);
    layout->activate();
    int w = m_sheet->NeededWidth();
    int h = m_sheet->NeededHeight();
    if (w > work.width() || h > work.height()) {
        grid->SetScrollBars(true);
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        layout->activate();
        w = std::min(m_sheet->NeededWidth(), work.width());
        h = std::min(m_sheet->NeededHeight(), work.height());
    }
    m_window->resize(w, h);
    layout->activate();
    m_sheet->ScrollHome();
    Place(capsule);

    m_window->installEventFilter(this);
    grid->installEventFilter(this);
    if (m_owner)
        connect(m_owner, &QObject::destroyed, this, [this] { Close(); });
    m_window->show();
    grid->setFocus();
    if (g_EvMan) {
        g_EvMan->Subscribe(&cuiFlector::OnEvent, this);
        m_subscribed = true;
    }
}

void cuiFlector::Place(const cmcCellCapsule& capsule)
{
    const QScreen* screen = m_owner ? m_owner->screen() : QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    QRect cell(0, 0, 0, 0);
    if (capsule.rect) {
        const cmcRect& r = *capsule.rect;
        cell = QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
        if (m_owner)
            cell.moveTopLeft(m_owner->viewport()->mapToGlobal(cell.topLeft()));
    }
    const int w = m_window->width();
    const int h = m_window->height();
    const int cellBottom = cell.top() + cell.height();
    int top = cellBottom;
    bool bottomAligned = false;
    if (top + h > work.bottom() + 1) {
        if (h >= cell.top() - work.top()) {
            top = work.bottom() + 1 - h;
            bottomAligned = true;
        } else {
            top = cell.top() - h;
        }
    }
    int left = cell.left() + 8;
    if (left + w > work.right() + 1) {
        left = work.right() + 1 - w;
        if (bottomAligned && cell.left() - w >= work.left())
            left = cell.left() - w;
    }
    m_window->move(left, top);
}

void cuiFlector::Close()
{
    if (m_closing)
        return;
    m_closing = true;
    if (m_subscribed && g_EvMan) {
        g_EvMan->Unsubscribe(&cuiFlector::OnEvent, this);
        m_subscribed = false;
    }
    if (m_window) {
        m_window->hide();
        // Never freed inside our own callbacks: the event loop frees the window and us.
        m_window->deleteLater();
    }
}

bool cuiFlector::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Hide) {
        Close();
    } else if (event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        Close();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void cuiFlector::OnEvent(void* context, const cmcEvent& event)
{
    auto* self = static_cast<cuiFlector*>(context);
    if (event.id == ev::kCommitEdits ||
        (event.id == ev::kWindowDestroyed &&
         event.arg2 == reinterpret_cast<intptr_t>(self->m_owner.data())))
        self->Close();
}
