#include "shell/cuiMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <functional>

#include "cells/cmcCellCapsule.h"
#include "common/cmcEvMan.h"
#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"
#include "shell/Outline.h"
#include "shell/cuiMain.h"

namespace {
constexpr int kTextReplaced = 3;  // user flag the rules set when they give a new caption
}

cuiMenu::cuiMenu(QWidget* root, cmcGTex& gtex, const std::string& entry, const QList<QIcon>& images)
    : m_root(root), m_gtex(&gtex), m_entry(entry), m_images(images)
{
    if (g_EvMan)
        g_EvMan->Subscribe(&cuiMenu::OnEvent, this);
}

cuiMenu::~cuiMenu()
{
    if (g_EvMan)
        g_EvMan->Unsubscribe(&cuiMenu::OnEvent, this);
}

void cuiMenu::SetSource(cmcGTex& gtex, const std::string& entry)
{
    m_gtex = &gtex;
    m_entry = entry;
}

cmcCellObj* cuiMenu::CellOf(QAction* action)
{
    return action ? reinterpret_cast<cmcCellObj*>(action->data().value<quintptr>()) : nullptr;
}

void cuiMenu::Build()
{
    for (QAction* a : m_root->actions()) {
        m_root->removeAction(a);
        delete a->menu();
        delete a;
    }
    m_cells.clear();
    m_template = cmcCellObj();
    m_template.ParseCell(m_gtex->GetLine(m_entry + "_BasicCell", 0), nullptr, nullptr);
    AddItems(nullptr, m_entry + "_Body");
}

void cuiMenu::AddItems(QAction* parent, const std::string& key)
{
    const std::vector<OutlineLine> lines = ReadOutline(*m_gtex, key);
    std::function<QAction*(QAction*, const OutlineLine&)> create =
        [this](QAction* p, const OutlineLine& line) { return AddItem(p, line); };
    size_t at = 0;
    while (at < lines.size())
        at += static_cast<size_t>(std::max(1, BuildOutlineLevel(lines, at, parent, create)));
}

QAction* cuiMenu::AddItem(QAction* parent, const OutlineLine& line)
{
    auto cell = std::make_unique<cmcCellObj>();
    cell->ParseCell(line.definition, &m_template, nullptr);
    const std::string text = cell->Text();
    QWidget* owner = m_root;
    if (parent) {
        if (!parent->menu()) {
            auto* sub = new QMenu(m_root);
            QObject::connect(sub, &QMenu::aboutToShow, [this] { Refresh(); });
            parent->setMenu(sub);
        }
        owner = parent->menu();
    }
    QAction* a = nullptr;
    if (text == "-" && parent) {
        a = static_cast<QMenu*>(owner)->addSeparator();
    } else {
        a = new QAction(plat::ToQt(text), owner);
        if (cell->altText && !cell->altText->empty())
            a->setShortcut(QKeySequence(plat::ToQt(*cell->altText)));
        if (cell->imageIndex >= 0 && cell->imageIndex < m_images.size())
            a->setIcon(m_images.at(cell->imageIndex));
        owner->addAction(a);
        QObject::connect(a, &QAction::triggered, [this, a] { Clicked(a); });
    }
    a->setData(QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(cell.get())));
    m_cells.push_back(std::move(cell));
    return a;
}

QList<QAction*> cuiMenu::Actions() const
{
    QList<QAction*> out;
    std::function<void(QWidget*)> walk = [&](QWidget* w) {
        for (QAction* a : w->actions()) {
            out.push_back(a);
            if (a->menu())
                walk(a->menu());
        }
    };
    walk(m_root);
    return out;
}

QAction* cuiMenu::FindById(int32_t id) const
{
    for (QAction* a : Actions())
        if (cmcCellObj* c = CellOf(a); c && c->id == id)
            return a;
    return nullptr;
}

void cuiMenu::RefreshAction(QAction* a)
{
    cmcCellObj* c = CellOf(a);
    if (!c || a->isSeparator() || !g_Main)
        return;
    for (int f = 0; f <= kTextReplaced; ++f)
        c->SetUserFlag(f, false);
    cmcCellCapsule capsule;
    capsule.cell = c;
    g_Main->RunRules(capsule, 0);
    const bool checked = c->UserFlag(cmcCellObj::kFlagChecked);
    a->setCheckable(checked || a->isCheckable());
    a->setChecked(checked);
    a->setVisible(!c->UserFlag(cmcCellObj::kFlagHidden));
    a->setEnabled(!c->UserFlag(cmcCellObj::kFlagDisabled));
    if (c->UserFlag(kTextReplaced) && a->text() != plat::ToQt(capsule.text))
        a->setText(plat::ToQt(capsule.text));
    if (c->imageIndex >= 0 && c->imageIndex < m_images.size())
        a->setIcon(m_images.at(c->imageIndex));
}

void cuiMenu::Refresh()
{
    for (QAction* a : Actions())
        RefreshAction(a);
}

void cuiMenu::Clicked(QAction* a)
{
    if (cmcCellObj* c = CellOf(a); c && g_Main)
        g_Main->ExecuteCell(c);
    Refresh();
}

void cuiMenu::OnEvent(void* context, const cmcEvent& event)
{
    static_cast<cuiMenu*>(context)->HandleEvent(event);
}

void cuiMenu::HandleEvent(const cmcEvent& event)
{
    switch (event.id) {
        case ev::kRefreshMenu:
            Refresh();
            break;
        case ev::kClearSubMenu:
            if (QAction* a = FindById(static_cast<int32_t>(event.arg2)); a && a->menu()) {
                for (QAction* sub : a->menu()->actions()) {
                    a->menu()->removeAction(sub);
                    delete sub;
                }
            }
            break;
        case ev::kAppendSubMenu:
            if (reinterpret_cast<cuiMenu*>(event.arg1) == this) {
                if (QAction* a = FindById(static_cast<int32_t>(event.arg2)))
                    AddItems(a, std::string(event.Text()) + "_Body");
            }
            break;
        default:
            break;
    }
}
