#pragma once
#include <QIcon>
#include <QList>
#include <list>
#include <memory>
#include <string>

#include "cells/cmcCellObj.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;
class cmcGTex;
struct cmcEvent;
struct OutlineLine;

// A menu built from the overlay entries N + "_BasicCell" (template) and N + "_Body" (one
// item per line, depth by the characters before "+"). Every item is a cell: clicking runs
// the cell rules on it with Enter, and every refresh lets the rules set its check mark,
// hidden and disabled state and caption.
class cuiMenu {
public:
    // root is a menu bar or a menu; images are the tool bar's icons.
    cuiMenu(QWidget* root, cmcGTex& gtex, const std::string& entry, const QList<QIcon>& images);
    ~cuiMenu();
    cuiMenu(const cuiMenu&) = delete;
    cuiMenu& operator=(const cuiMenu&) = delete;

    void SetSource(cmcGTex& gtex, const std::string& entry);
    void Build();
    void Refresh();
    QWidget* Root() const { return m_root; }
    // Every item, depth first.
    QList<QAction*> Actions() const;
    static cmcCellObj* CellOf(QAction* action);
    // The item whose cell has this identifier, or null.
    QAction* FindById(int32_t id) const;

private:
    static void OnEvent(void* context, const cmcEvent& event);
    void HandleEvent(const cmcEvent& event);
    QAction* AddItem(QAction* parent, const OutlineLine& line);
    void AddItems(QAction* parent, const std::string& key);
    void RefreshAction(QAction* a);
    void Clicked(QAction* a);

    QWidget* m_root;
    cmcGTex* m_gtex;
    std::string m_entry;
    QList<QIcon> m_images;
    cmcCellObj m_template;
    std::list<std::unique_ptr<cmcCellObj>> m_cells;
};
