#include "sheets/cuiSheetMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "overlay/cmcGTex.h"
#include "platform/qt/QtServices.h"

cuiSheetMenu::cuiSheetMenu(QMenu* root, cmcGTex* store, std::string name, ClickFn onClick)
    : m_root(root), m_store(store), m_name(std::move(name)), m_onClick(std::move(onClick))
{
}

cuiSheetMenu::~cuiSheetMenu()
{
    // The actions point at our cells; they go with us.
    if (m_root)
        m_root->clear();
}

void cuiSheetMenu::Build()
{
    m_root->clear();
    m_cells.clear();
    cmcCounters counters{};
    m_template.ParseCell(m_store->GetLine(m_name + "_BasicCell", 0), nullptr, &counters);
    BuildLevel(m_root, 0);
}

int cuiSheetMenu::BuildLevel(QMenu* parent, int firstLine)
{
    const std::string body = m_name + "_Body";
    int level = -1;
    QAction* last = nullptr;
    int n = firstLine;
    for (;;) {
        const std::string line = m_store->GetLine(body, n);
        if (!line.empty() && line[0] == '#')
            break;
        const size_t plus = line.find('+');
        const int depth = static_cast<int>(plus == std::string::npos ? line.size() : plus);
        if (level < 0)
            level = depth;
        if (depth > level) {
            if (!last)
                break;
            auto* sub = new QMenu(parent);
            last->setMenu(sub);
            n += BuildLevel(sub, n);
            continue;
        }
        if (depth < level)
            break;
        ++n;
        if (plus == std::string::npos)
            continue;
        cmcCounters counters{};
        auto cell = std::make_unique<cmcCellObj>();
        cell->ParseCell(line.substr(plus + 1), &m_template, &counters);
        // Tabs separate the caption from its shortcut in the overlay's layout.
        std::string caption = cell->Text();
        if (const size_t tab = caption.find('\t'); tab != std::string::npos)
            caption.resize(tab);
        QAction* act = parent->addAction(plat::ToQt(caption));
        if (cell->altText && !cell->altText->empty())
            act->setShortcut(QKeySequence(plat::ToQt(*cell->altText)));
        const cmcCellObj* raw = cell.get();
        QObject::connect(act, &QAction::triggered, act, [this, raw] { Click(*raw); });
        act->setData(QVariant::fromValue(static_cast<void*>(cell.get())));
        m_cells.push_back(std::move(cell));
        last = act;
    }
    return n - firstLine;
}

void cuiSheetMenu::Refresh(cmcCellRulesFn rules, void* rulesContext, cmcCellCapsule* context)
{
    if (!rules)
        return;
    const auto walk = [&](auto&& self, QMenu* menu) -> void {
        for (QAction* act : menu->actions()) {
            auto* cell = static_cast<cmcCellObj*>(act->data().value<void*>());
            if (cell) {
                cell->SetUserFlag(cmcCellObj::kFlagChecked, false);
                cell->SetUserFlag(cmcCellObj::kFlagHidden, false);
                cell->SetUserFlag(cmcCellObj::kFlagDisabled, false);
                cmcCellCapsule cap;
                cap.cell = cell;
                cap.context = context;
                rules(rulesContext, &cap, 0);
                act->setCheckable(cell->UserFlag(cmcCellObj::kFlagChecked));
                act->setChecked(cell->UserFlag(cmcCellObj::kFlagChecked));
                act->setVisible(!cell->UserFlag(cmcCellObj::kFlagHidden));
                act->setEnabled(!cell->UserFlag(cmcCellObj::kFlagDisabled));
            }
            if (act->menu())
                self(self, act->menu());
        }
    };
    walk(walk, m_root);
}

void cuiSheetMenu::Click(const cmcCellObj& item) const
{
    if (m_onClick)
        m_onClick(item);
}
