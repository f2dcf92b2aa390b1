#include "maker/cuiDebugWin.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

#include "common/EventIds.h"
#include "common/cmcEvMan.h"
#include "platform/qt/QtServices.h"

namespace {
int s_live = 0;
}  // namespace

cuiDebugWin::cuiDebugWin(QWidget* owner)
{
    ++s_live;
    m_window = new QWidget(owner, Qt::Window);
    m_window->setAttribute(Qt::WA_DeleteOnClose, true);
    m_window->setWindowTitle(QStringLiteral("Free Debug Window"));
    setParent(m_window);  // the window frees us
    auto* layout = new QVBoxLayout(m_window);
    layout->setContentsMargins(0, 0, 0, 0);
    m_text = new QPlainTextEdit(m_window);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(m_text);

    const QRect over = owner ? owner->frameGeometry() : QRect(0, 0, 800, 600);
    const int h = std::max(100, static_cast<int>(over.height() * 0.8));
    m_window->resize(std::min(over.width(), 480), h);
    QRect r(QPoint(0, 0), m_window->size());
    r.moveCenter(over.center());
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect work = screen->availableGeometry();
        r.moveLeft(
            std::clamp(r.left(), work.left(), std::max(work.left(), work.right() - r.width())));
        r.moveTop(
            std::clamp(r.top(), work.top(), std::max(work.top(), work.bottom() - r.height())));
    }
    m_window->move(r.topLeft());
    m_window->show();
    if (g_EvMan) {
        g_EvMan->Subscribe(&cuiDebugWin::OnEvent, this);
        m_subscribed = true;
    }
}

cuiDebugWin::~cuiDebugWin()
{
    --s_live;
    if (m_subscribed && g_EvMan)
        g_EvMan->Unsubscribe(&cuiDebugWin::OnEvent, this);
}

int cuiDebugWin::LiveCount()
{
    return s_live;
}

void cuiDebugWin::OnEvent(void* context, const cmcEvent& event)
{
    auto* self = static_cast<cuiDebugWin*>(context);
    if (event.id != ev::kDebugText || !self->m_text)
        return;
    // A line arriving while the user selects text would move the selection: it is dropped.
    if (self->m_text->textCursor().hasSelection())
        return;
    self->m_text->appendPlainText(plat::ToQt(event.Text()));
}
