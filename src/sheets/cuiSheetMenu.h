#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"

class QMenu;
class cmcGTex;

// The popup menu of a sheet's current cell, built from the overlay entries of its name:
// name + "_BasicCell" (line 0) is the template of every item, name + "_Body" one item per
// line, "+" after the indentation, deeper lines forming sub-menus. Every item carries its
// cell; choosing one hands the cell to the click handler. Before the menu shows, the rules
// decide each item's check mark, visibility and enabled state.
class cuiSheetMenu {
public:
    using ClickFn = std::function<void(const cmcCellObj& item)>;

    cuiSheetMenu(QMenu* root, cmcGTex* store, std::string name, ClickFn onClick);
    ~cuiSheetMenu();
    cuiSheetMenu(const cuiSheetMenu&) = delete;
    cuiSheetMenu& operator=(const cuiSheetMenu&) = delete;

    // Empties the root menu and builds the items.
    void Build();
    // Runs the rules on every item cell with the given context (the current cell's capsule).
    void Refresh(cmcCellRulesFn rules, void* rulesContext, cmcCellCapsule* context);
    // Runs the click handler as if the item had been chosen.
    void Click(const cmcCellObj& item) const;

    const std::string& Name() const { return m_name; }
    int ItemCount() const { return static_cast<int>(m_cells.size()); }
    QMenu* Root() const { return m_root; }

private:
    int BuildLevel(QMenu* parent, int firstLine);

    QMenu* m_root;
    cmcGTex* m_store;
    std::string m_name;
    ClickFn m_onClick;
    cmcCellObj m_template;
    std::vector<std::unique_ptr<cmcCellObj>> m_cells;
};
