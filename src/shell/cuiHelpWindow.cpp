#include "shell/cuiHelpWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "platform/IDesktop.h"
#include "platform/Services.h"
#include "platform/qt/QtServices.h"
#include "shell/WindowBounds.h"

namespace {

// The captions of the window's buttons: lines of "GI_Sys_HelpWindow" (back, forward,
// home, find, window title).
QString Caption(int n)
{
    return g_GTex ? plat::ToQt(g_GTex->GetLine("GI_Sys_HelpWindow", n)) : QString();
}

}  // namespace

cuiHelpWindow::cuiHelpWindow(QWidget* owner, const QUrl& home)
    : QWidget(owner, Qt::Window), m_homeUrl(home)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(Caption(4));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* bar = new QHBoxLayout;
    m_back = new QToolButton(this);
    m_back->setText(Caption(0));
    m_back->setIcon(QIcon::fromTheme(QStringLiteral("go-previous")));
    m_back->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_forward = new QToolButton(this);
    m_forward->setText(Caption(1));
    m_forward->setIcon(QIcon::fromTheme(QStringLiteral("go-next")));
    m_forward->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_home = new QToolButton(this);
    m_home->setText(Caption(2));
    m_home->setIcon(QIcon::fromTheme(QStringLiteral("go-home")));
    m_home->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_find = new QLineEdit(this);
    m_find->setPlaceholderText(Caption(3));
    m_find->setClearButtonEnabled(true);
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(m_home);
    bar->addStretch(1);
    bar->addWidget(m_find);
    layout->addLayout(bar);

    m_browser = new QTextBrowser(this);
    m_browser->setOpenLinks(false);
    layout->addWidget(m_browser, 1);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, &cuiHelpWindow::GoHome);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &cuiHelpWindow::OnLink);
    connect(m_find, &QLineEdit::returnPressed, this, [this] { Find(m_find->text()); });

    plat::Rect r{0, 0, 720, 560};
    if (owner)
        r = {owner->x() + 60, owner->y() + 60, 720, 560};
    if (g_Environ)
        if (const indEnviron::WindowEntry* e = g_Environ->GetWindowEntry(kPlaceName);
            e && e->width > 0 && e->height > 0)
            r = {e->left, e->top, e->width, e->height};
    if (plat::IDesktop* d = plat::Get().desktop)
        r = KeepOnWorkArea(r, d->WorkArea());
    setGeometry(r.left, r.top, std::max(r.width, 320), std::max(r.height, 240));
    GoHome();
}

cuiHelpWindow::~cuiHelpWindow()
{
    Remember();
}

void cuiHelpWindow::SetHome(const QUrl& home)
{
    m_homeUrl = home;
}

void cuiHelpWindow::GoHome()
{
    m_browser->setSource(m_homeUrl);
}

bool cuiHelpWindow::Find(const QString& text)
{
    if (text.isEmpty())
        return false;
    if (m_browser->find(text))
        return true;
    // Once more from the top.
    QTextCursor top = m_browser->textCursor();
    top.movePosition(QTextCursor::Start);
    m_browser->setTextCursor(top);
    return m_browser->find(text);
}

void cuiHelpWindow::OnLink(const QUrl& url)
{
    const QString scheme = url.scheme();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("mailto")) {
        if (plat::IDesktop* d = plat::Get().desktop)
            d->OpenUrl(url.toString().toStdString());
        return;
    }
    m_browser->setSource(m_browser->source().resolved(url));
}

void cuiHelpWindow::Remember()
{
    if (!g_Environ)
        return;
    const QRect r = geometry();
    g_Environ->SetWindowEntry(kPlaceName, r.x(), r.y(), r.width(), r.height(), -1, -1, -1, -1, 0,
                              0);
}

void cuiHelpWindow::closeEvent(QCloseEvent* event)
{
    Remember();
    event->accept();
}
