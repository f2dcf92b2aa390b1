#include "shell/cuiMain.h"

#include <QCoreApplication>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"
#include "shell/TForm1.h"

cuiMain* g_Main = nullptr;

namespace {

// Number of languages in the base overlay's list (at most 255).
int LanguageCount(cmcGTex& base)
{
    int n = 0;
    for (; n < 255; ++n) {
        std::string line = base.GetLine("GI_Sys_Language", n);
        if (!line.empty() && line[0] == '#')
            break;
    }
    return n;
}

}  // namespace

std::string cuiMain::ProgramDir()
{
    std::string dir;
    plat::FromQt(QCoreApplication::applicationDirPath(), dir);
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

cuiMain::cuiMain(const std::string& programCode, int imageSize)
    : m_programCode(programCode), m_imageSize(imageSize)
{
    const std::string dir = ProgramDir();
    g_BaseGTex->Open(txt::Format("%s%s.OVL", dir.c_str(), m_programCode.c_str()));
    if (g_Environ && g_Environ->language >= LanguageCount(*g_BaseGTex))
        g_Environ->language = 0;
    const int lang = g_Environ ? g_Environ->language : 0;
    const std::string file =
        txt::Field(g_BaseGTex->GetLine("GI_Sys_Language", lang), '\t', 1).value_or("");
    g_GTex->Open(file.empty() ? std::string() : dir + file);
    if (g_HelpGTex)
        g_HelpGTex->Open(txt::Format("%s%sH.OVL", dir.c_str(), m_programCode.c_str()));
    if (g_EvMan)
        g_EvMan->Subscribe(&cuiMain::OnEvent, this);
}

cuiMain::~cuiMain()
{
    if (g_EvMan)
        g_EvMan->Unsubscribe(&cuiMain::OnEvent, this);
}

void cuiMain::OnEvent(void* context, const cmcEvent& event)
{
    static_cast<cuiMain*>(context)->HandleEvent(event);
}

void cuiMain::HandleEvent(const cmcEvent&) {}

void cuiMain::CreateUi(TForm1* form, const QList<QIcon>& treeImages,
                       const QList<QIcon>& toolBarImages)
{
    m_form = form;
    m_treeImages = treeImages;
    m_toolBarImages = toolBarImages;

    // Tree panel on the left, sheet page on the right.
    m_splitter = new QSplitter(Qt::Horizontal, form);
    m_splitter->setChildrenCollapsible(false);
    m_treePanel = new QTreeWidget(m_splitter);
    static_cast<QTreeWidget*>(m_treePanel)->setHeaderHidden(true);
    m_treePanel->setMinimumWidth(8);
    m_sheetPage = new QWidget(m_splitter);
    m_splitter->addWidget(m_treePanel);
    m_splitter->addWidget(m_sheetPage);
    m_splitter->setStretchFactor(1, 1);
    const int treeWidth = g_Environ ? std::max(8, g_Environ->splitterV) : 200;
    m_splitter->setSizes({treeWidth, std::max(1, form->width() - treeWidth)});
    form->setCentralWidget(m_splitter);
    form->statusBar();
    form->show();
}

bool cuiMain::CloseQuery()
{
    return true;
}

void cuiMain::OnClose()
{
    if (!m_form || !g_Environ)
        return;
    const QRect r = m_form->isMaximized() || m_form->isMinimized() ? m_form->normalGeometry()
                                                                   : m_form->geometry();
    g_Environ->left = r.x();
    g_Environ->top = r.y();
    g_Environ->width = r.width();
    g_Environ->height = r.height();
    if (m_splitter && !m_splitter->sizes().isEmpty())
        g_Environ->splitterV = m_splitter->sizes().first();
}
