#include "sheets/cuiPopupForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>

#include "cells/cmcCellIds.h"
#include "cells/cmcCellObj.h"
#include "common/EventIds.h"
#include "common/cmcEvMan.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"

namespace {
int s_live = 0;
}  // namespace

cuiPopupForm::cuiPopupForm(const cmcCellCapsule& capsule, Kind kind, OnLeave onLeave)
    : m_owner(capsule.owner), m_stored(capsule), m_kind(kind), m_onLeave(onLeave)
{
    ++s_live;
    // The opener's rectangle lives only as long as its request.
    if (capsule.rect)
        m_rect = *capsule.rect;
    m_stored.rect = capsule.rect ? &m_rect : nullptr;
    m_stored.context = nullptr;
    m_stored.canvas = nullptr;

    if (kind == Kind::Popup) {
        m_window = new QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint);
    } else {
        QWidget* parent = m_owner ? m_owner->window() : nullptr;
        m_window = new QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                           Qt::WindowCloseButtonHint);
        // A disabled owner still receives the window manager's close; a window-modal
        // child keeps the owner from taking any input while it is open.
        m_window->setWindowModality(Qt::WindowModal);
    }
    m_window->setWindowTitle(QGuiApplication::applicationDisplayName());
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    setParent(m_window);  // the window frees us
    if (m_owner)
        connect(m_owner, &QObject::destroyed, this, [this] { Cancel(); });
}

cuiPopupForm::~cuiPopupForm()
{
    --s_live;
    if (m_subscribed && g_EvMan)
        g_EvMan->Unsubscribe(&cuiPopupForm::OnEvent, this);
    if (m_filtering && qApp)
        qApp->removeEventFilter(this);
}

int cuiPopupForm::LiveCount()
{
    return s_live;
}

cmcCellRulesFn cuiPopupForm::OwnerRules(void** context) const
{
    // The opening sheet lives as long as its grid: it announces its end (event 1) first.
    if (!m_owner || !m_stored.sheet || !m_stored.sheet->Rules())
        return nullptr;
    *context = m_stored.sheet->RulesContext();
    return m_stored.sheet->Rules();
}

void cuiPopupForm::AnswerChoice(const std::string& text)
{
    void* context = nullptr;
    const cmcCellRulesFn rules = OwnerRules(&context);
    if (!rules || !m_stored.cell)
        return;
    cmcCellObj flex;
    flex.id = Flex0;
    cmcCellCapsule choice;
    choice.cell = &flex;
    m_stored.context = &choice;
    m_stored.inputMode = cmcCellCapsule::kInputChoice;
    m_stored.key = 0;
    m_stored.inputText = text;
    rules(context, &m_stored, 1);
    m_stored.context = nullptr;
}

void cuiPopupForm::PlaceNextToCell()
{
    const QScreen* screen = m_owner ? m_owner->screen() : QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    QRect cell(0, 0, 0, 0);
    if (m_stored.rect) {
        const cmcRect& r = *m_stored.rect;
        cell = QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
        if (m_owner)
            cell.moveTopLeft(m_owner->viewport()->mapToGlobal(cell.topLeft()));
    }
    const QRect frame = m_window->frameGeometry();
    const int w = frame.width() > 0 ? frame.width() : m_window->width();
    const int h = frame.height() > 0 ? frame.height() : m_window->height();
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
    if (left < work.left())
        left = work.left();
    if (top < work.top())
        top = work.top();
    m_window->move(left, top);
}

void cuiPopupForm::ShowForm()
{
    m_window->installEventFilter(this);
    if (qApp) {
        qApp->installEventFilter(this);
        m_filtering = true;
    }
    m_window->show();
    if (g_EvMan) {
        g_EvMan->Subscribe(&cuiPopupForm::OnEvent, this);
        m_subscribed = true;
    }
}

void cuiPopupForm::Commit()
{
    if (m_closing || m_committed || m_cancelled)
        return;
    m_committed = true;
    DoCommit();
    Close();
}

void cuiPopupForm::Cancel()
{
    if (m_closing || m_committed)
        return;
    m_cancelled = true;
    Close();
}

void cuiPopupForm::Leave()
{
    if (m_onLeave == OnLeave::Commit)
        Commit();
    else
        Cancel();
}

void cuiPopupForm::Close()
{
    if (m_closing)
        return;
    m_closing = true;
    if (m_subscribed && g_EvMan) {
        g_EvMan->Unsubscribe(&cuiPopupForm::OnEvent, this);
        m_subscribed = false;
    }
    if (m_filtering && qApp) {
        qApp->removeEventFilter(this);
        m_filtering = false;
    }
    if (m_window) {
        m_window->hide();
        // Never freed inside our own callbacks: the event loop frees the window and us.
        m_window->deleteLater();
    }
    if (m_kind == Kind::Modal && m_owner) {
        QWidget* top = m_owner->window();
        top->activateWindow();
        top->setFocus();
    }
}

bool cuiPopupForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::Hide && !m_closing) {
            // The toolkit hid the popup: the user clicked elsewhere.
            Leave();
        } else if (event->type() == QEvent::Close && !m_closing) {
            // The toolkit closes a popup on a click elsewhere; a window manager's close of
            // a dialog window stores nothing.
            if (m_kind == Kind::Popup)
                Leave();
            else
                Cancel();
            return false;
        }
    }
    if (m_closing ||
        (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
        return QObject::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    // Keys of this window only; a menu popped up from it is a window of its own.
    if (!widget || widget->window() != m_window)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        Cancel();
        return true;
    }
    if (event->type() == QEvent::KeyPress &&
        (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (button->isEnabled())
                button->click();
            return true;
        }
        if (OnEnter())
            return true;
    }
    return QObject::eventFilter(watched, event);
}

void cuiPopupForm::OnEvent(void* context, const cmcEvent& event)
{
    auto* self = static_cast<cuiPopupForm*>(context);
    if (event.id == ev::kCommitEdits)
        self->Commit();
    else if (event.id == ev::kWindowDestroyed &&
             event.arg2 == reinterpret_cast<intptr_t>(self->m_owner.data()))
        self->Cancel();
}
