#include "shell/cuiToolBar.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>

#include "cells/cmcCellCapsule.h"
#include "common/cmcEvMan.h"
#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"
#include "shell/cuiMain.h"

cuiToolBar::cuiToolBar(QMainWindow* owner, cmcGTex& gtex, const std::string& entry,
                       const QList<QIcon>& images)
    : m_owner(owner), m_gtex(gtex), m_entry(entry), m_images(images)
{
    m_bar = new QToolBar(owner);
    m_bar->setObjectName(QStringLiteral("MainToolBar"));
    m_bar->setIconSize(QSize(16, 16));
    m_bar->setMovable(true);
    m_bar->setFloatable(true);
    owner->addToolBar(Qt::TopToolBarArea, m_bar);
    if (g_EvMan)
        g_EvMan->Subscribe(&cuiToolBar::OnEvent, this);
}

cuiToolBar::~cuiToolBar()
{
    if (g_EvMan)
        g_EvMan->Unsubscribe(&cuiToolBar::OnEvent, this);
}

cmcCellObj* cuiToolBar::CellOf(QAction* action)
{
    return action ? reinterpret_cast<cmcCellObj*>(action->data().value<quintptr>()) : nullptr;
}

void cuiToolBar::Build()
{
    m_bar->clear();
    m_buttons.clear();
    m_cells.clear();
    m_template = cmcCellObj();
    m_template.ParseCell(m_gtex.GetLine(m_entry + "_BasicCell", 0), nullptr, nullptr);
    for (int n = 0;; ++n) {
        const std::string line = m_gtex.GetLine(m_entry + "_Body", n);
        if (!line.empty() && line[0] == '#')
            break;
        auto cell = std::make_unique<cmcCellObj>();
        cell->ParseCell(line, &m_template, nullptr);
        const std::string text = cell->Text();
        if (text == "-" || text == "/") {
            // Qt lays a tool bar out in one row; a line break becomes a separator too.
            m_bar->addSeparator();
            m_cells.push_back(std::move(cell));
            continue;
        }
        QIcon icon = cell->imageIndex >= 0 && cell->imageIndex < m_images.size()
                         ? m_images.at(cell->imageIndex)
                         : QIcon();
        QAction* a = m_bar->addAction(icon, plat::ToQt(text));
        a->setToolTip(plat::ToQt(text));
        a->setData(QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(cell.get())));
        cmcCellObj* c = cell.get();
        QObject::connect(a, &QAction::triggered, [this, c] {
            if (g_Main)
                g_Main->ExecuteCell(c);
            Refresh();
        });
        m_buttons.push_back(a);
        m_cells.push_back(std::move(cell));
    }
}

void cuiToolBar::Refresh()
{
    if (!g_Main)
        return;
    for (QAction* a : m_buttons) {
        cmcCellObj* c = CellOf(a);
        for (int f = 0; f <= 3; ++f)
            c->SetUserFlag(f, false);
        cmcCellCapsule capsule;
        capsule.cell = c;
        g_Main->RunRules(capsule, 0);
        const bool checked = c->UserFlag(cmcCellObj::kFlagChecked);
        a->setCheckable(checked);
        a->setChecked(checked);
        a->setEnabled(!c->UserFlag(cmcCellObj::kFlagDisabled));
        if (c->imageIndex >= 0 && c->imageIndex < m_images.size())
            a->setIcon(m_images.at(c->imageIndex));
    }
}

void cuiToolBar::OnEvent(void* context, const cmcEvent& event)
{
    if (event.id == ev::kRefreshToolBar)
        static_cast<cuiToolBar*>(context)->Refresh();
}
