#include "shell/TForm1.h"

#include <QApplication>
#include <QCloseEvent>

#include "cells/cmcCellObj.h"
#include "common/cmcTask.h"
#include "common/indEnviron.h"
#include "overlay/cmcGTex.h"
#include "platform/IDesktop.h"
#include "platform/Services.h"
#include "platform/qt/QtServices.h"
#include "shell/ImageLists.h"
#include "shell/QtCellFont.h"
#include "shell/WindowBounds.h"
#include "shell/cuiMain.h"

namespace {
void IdleTask(void*, cmcTask*) {}
}  // namespace

QString TForm1::IconDir()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/icons");
}

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    const QString title = plat::ToQt(g_GTex->GetLine("GI_Sys_AppTitle", 0));
    setWindowTitle(title);
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationName(title);

    ApplyOverlayFont();

    setMinimumSize(400, 200);
    plat::Rect r{0, 0, 800, 600};
    if (g_Environ)
        r = {g_Environ->left, g_Environ->top, g_Environ->width, g_Environ->height};
    if (plat::IDesktop* d = plat::Get().desktop)
        r = KeepOnWorkArea(r, d->WorkArea());
    setGeometry(r.left, r.top, std::max(r.width, 400), std::max(r.height, 200));

    m_treeImages = BuildTreeImageList(IconDir());
    m_toolBarImages = BuildToolBarImageList(IconDir());

    m_task = new cmcTask;
    m_task->SetHandler(&IdleTask, this);
    m_task->SetInterval(-1);

    if (g_Main)
        g_Main->CreateUi(this, m_treeImages, m_toolBarImages);
}

void TForm1::ApplyOverlayFont()
{
    cmcCellObj cell;
    cell.ParseCell(g_GTex->GetLine("GI_Form_Main_BasicCell", 0), nullptr, nullptr);
    if (const cmcFont* f = cell.EffectiveFont())
        setFont(ToQFont(*f, QApplication::font()));
}

TForm1::~TForm1()
{
    cmcTask::Dispose(m_task);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // A print job in progress ends first, so that what it printed is kept.
    if (g_Main)
        g_Main->EndPrinting();
    if (g_Main && !g_Main->CloseQuery()) {
        event->ignore();
        return;
    }
    if (g_Main)
        g_Main->OnClose();
    event->accept();
}
