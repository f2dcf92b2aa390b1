#include "shell/cuiMainPrintHost.h"

#include <QTreeWidgetItem>

#include "cells/cmcCellObj.h"
#include "common/EventIds.h"
#include "common/cmcEvMan.h"
#include "shell/TForm1.h"
#include "shell/cuiMain.h"
#include "shell/cuiSheetPage.h"
#include "shell/iuiTree.h"

QWidget* cuiMainPrintHost::Owner()
{
    return m_main.Form();
}

cuiSheet* cuiMainPrintHost::CreatePrintSheet(QWidget* host, const std::string& reference)
{
    // The page belongs to host and its sheet to the page. Entries without a sheet show a
    // notice and print nothing.
    cuiSheetPage* page = m_main.CreateSheet(host, reference);
    return page ? page->Sheet() : nullptr;
}

std::vector<std::string> cuiMainPrintHost::SheetReferences()
{
    std::vector<std::string> refs;
    if (!m_main.Tree())
        return refs;
    for (QTreeWidgetItem* n : m_main.Tree()->Nodes())
        if (cmcCellObj* c = cuiTree::CellOf(n); c && c->altText)
            refs.push_back(*c->altText);
    return refs;
}

void cuiMainPrintHost::CommitEdits()
{
    if (g_EvMan)
        g_EvMan->Send(ev::kCommitEdits);
}
