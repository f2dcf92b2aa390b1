#pragma once
#include <QIcon>
#include <QList>
#include <memory>
#include <string>
#include <vector>

#include "cells/cmcCellObj.h"

class QAction;
class QMainWindow;
class QToolBar;
class cmcGTex;
struct cmcEvent;

// The tool bar, built from N + "_BasicCell" and N + "_Body" (one button per line). A cell
// with the text "-" is a separator, "/" a line break; any other cell is a button with the
// cell's icon and its text as hint. Clicking runs the cell rules with Enter; every refresh
// lets the rules press, release, enable and disable the buttons.
class cuiToolBar {
public:
    cuiToolBar(QMainWindow* owner, cmcGTex& gtex, const std::string& entry,
               const QList<QIcon>& images);
    ~cuiToolBar();
    cuiToolBar(const cuiToolBar&) = delete;
    cuiToolBar& operator=(const cuiToolBar&) = delete;

    void Build();
    void Refresh();
    QToolBar* Control() const { return m_bar; }
    const std::vector<QAction*>& Buttons() const { return m_buttons; }
    static cmcCellObj* CellOf(QAction* action);

private:
    static void OnEvent(void* context, const cmcEvent& event);

    QMainWindow* m_owner;
    cmcGTex& m_gtex;
    std::string m_entry;
    QList<QIcon> m_images;
    QToolBar* m_bar = nullptr;
    cmcCellObj m_template;
    std::vector<std::unique_ptr<cmcCellObj>> m_cells;
    std::vector<QAction*> m_buttons;
};
