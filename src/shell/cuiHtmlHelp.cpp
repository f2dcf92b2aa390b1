#include "shell/cuiHtmlHelp.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <fstream>
#include <sstream>

#include "overlay/HelpPopupPlace.h"
#include "overlay/OverlayBox.h"
#include "overlay/OverlayFormat.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpMap.h"
#include "platform/IDesktop.h"
#include "platform/Services.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"
#include "shell/cuiHelpWindow.h"

namespace {

QString FromFs(const std::string& path)
{
    return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

bool FileExists(const std::string& path)
{
    return !path.empty() && QFileInfo(FromFs(path)).isFile();
}

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

int OverlayNumber(const char* key, int fallback)
{
    if (!g_GTex || !g_GTex->HasKey(key))
        return fallback;
    const int n = txt::ReadDecimal(g_GTex->GetLine(key, 0));
    return n > 0 ? n : fallback;
}

}  // namespace

cuiHtmlHelp::cuiHtmlHelp(QWidget* owner) : m_owner(owner) {}

cuiHtmlHelp::~cuiHtmlHelp()
{
    CloseAll();
}

void cuiHtmlHelp::CloseAll()
{
    delete m_window;
    delete m_popup;
    m_popupBrowser = nullptr;
}

int cuiHtmlHelp::ShowContents(const std::string& path)
{
    if (!FileExists(path)) {
        Report(kFileMissing, path);
        return kFileMissing;
    }
    const QUrl home = QUrl::fromLocalFile(FromFs(path));
    if (!m_window)
        m_window = new cuiHelpWindow(m_owner, home);
    else {
        m_window->SetHome(home);
        m_window->GoHome();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return kShown;
}

std::string cuiHtmlHelp::TopicHtml(const std::string& page, const std::string& anchor)
{
    if (anchor.empty())
        return page;
    const std::string id = "id=\"" + anchor + "\"";
    const size_t at = page.find(id);
    if (at == std::string::npos)
        return std::string();
    const size_t open = page.rfind('<', at);
    if (open == std::string::npos)
        return std::string();
    // The element's name, then its end: the closing tag of the same name at the same depth.
    size_t nameEnd = open + 1;
    while (nameEnd < page.size() && std::isalnum(static_cast<unsigned char>(page[nameEnd])))
        ++nameEnd;
    const std::string name = page.substr(open + 1, nameEnd - open - 1);
    int depth = 0;
    size_t pos = open;
    while (pos < page.size()) {
        const size_t nextOpen = page.find("<" + name, pos + 1);
        const size_t nextClose = page.find("</" + name + ">", pos + 1);
        if (nextClose == std::string::npos)
            return page.substr(open);
        if (nextOpen != std::string::npos && nextOpen < nextClose) {
            ++depth;
            pos = nextOpen;
            continue;
        }
        if (depth == 0)
            return page.substr(open, nextClose + name.size() + 3 - open);
        --depth;
        pos = nextClose;
    }
    return page.substr(open);
}

int cuiHtmlHelp::ShowPopupTopic(const std::string& path, int context, QPoint at)
{
    // The pop-up on screen goes away while the next topic is looked for.
    m_hiddenRect = QRect();
    if (m_popup && m_popup->isVisible()) {
        m_hiddenRect = m_popup->geometry();
        m_popup->hide();
    }
    if (!FileExists(path)) {
        Report(kFileMissing, path);
        return kFileMissing;
    }
    cmcHelpMap map;
    map.Load(FolderOf(path) + cmcHelpMap::kFileName);
    const std::string target = map.PageOf(context);
    const std::string pagePath = FolderOf(path) + txt::UpTo(target, "#");
    const size_t hash = target.find('#');
    const std::string anchor = hash == std::string::npos ? std::string() : target.substr(hash + 1);
    std::string html;
    if (!target.empty() && FileExists(pagePath))
        html = TopicHtml(Slurp(pagePath), anchor);
    if (html.empty()) {
        // The last pop-up comes back, without taking the focus, under the warning.
        if (m_popup && m_hiddenRect.isValid()) {
            m_popup->setGeometry(m_hiddenRect);
            m_popup->show();
        }
        Report(kTopicMissing, path);
        return kTopicMissing;
    }
    EnsurePopup();
    m_popupBrowser->setSearchPaths({FromFs(FolderOf(path))});
    m_popupBrowser->setHtml(QString::fromUtf8(html.data(), static_cast<qsizetype>(html.size())));
    const QSize size = m_hiddenRect.isValid()
                           ? m_hiddenRect.size()
                           : QSize(OverlayNumber("GI_Sys_HtmlHelp_Popup_Width", 360),
                                   OverlayNumber("GI_Sys_HtmlHelp_Popup_Height", 180));
    PlacePopup(at, size);
    m_popup->show();
    return kShown;
}

void cuiHtmlHelp::EnsurePopup()
{
    if (m_popup)
        return;
    m_popup = new QWidget(m_owner, Qt::Tool | Qt::WindowStaysOnTopHint);
    m_popup->setObjectName(QStringLiteral("HelpPopup"));
    m_popup->setAttribute(Qt::WA_ShowWithoutActivating);
    if (g_GTex && g_GTex->HasKey("GI_Sys_HelpWindow"))
        m_popup->setWindowTitle(plat::ToQt(g_GTex->GetLine("GI_Sys_HelpWindow", 4)));
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(0, 0, 0, 0);
    m_popupBrowser = new QTextBrowser(m_popup);
    m_popupBrowser->setOpenLinks(false);
    layout->addWidget(m_popupBrowser);
}

void cuiHtmlHelp::PlacePopup(QPoint at, QSize size)
{
    plat::Rect work{0, 0, 1024, 768};
    if (plat::IDesktop* d = plat::Get().desktop)
        work = d->WorkAreaAt(at.x(), at.y());
    const plat::Rect r = PlaceHelpPopup(at.x(), at.y(), size.width(), size.height(), work);
    m_popup->setGeometry(r.left, r.top, r.width, r.height);
}

void cuiHtmlHelp::Report(int answer, const std::string& path)
{
    if (!g_GTex)
        return;
    if (answer == kFileMissing)
        OverlayTextBox(OvlFormat(g_GTex->GetLine("GI_Sys_HtmlHelp_Error", 0), {path}),
                       plat::BoxIcon::Error, plat::BoxButtons::Ok);
    else if (answer == kTopicMissing)
        OverlayTextBox(g_GTex->GetLine("GI_Sys_HtmlHelp_Error", 1), plat::BoxIcon::Warning,
                       plat::BoxButtons::Ok);
}
