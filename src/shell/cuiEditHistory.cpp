#include "shell/cuiEditHistory.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include "cells/cmcCellObj.h"
#include "common/cmcEeprom.h"
#include "overlay/OverlayFormat.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"
#include "sheets/cuiSheet.h"

namespace {

// A caption without the padding that widens header columns, and on one line.
std::string Caption(const std::string& text)
{
    std::string t = text;
    for (char& ch : t)
        if (ch == '_' || ch == '\n' || ch == '\r')
            ch = ' ';
    return txt::Trim(t);
}

}  // namespace

cuiEditHistory::cuiEditHistory(cmcEeprom& work, std::function<void()> afterChange)
    : m_work(work), m_afterChange(std::move(afterChange))
{
}

cuiEditHistory::~cuiEditHistory() = default;

void cuiEditHistory::Install(QWidget* form, QMenu* editMenu)
{
    m_menu = editMenu;
    m_undoAction = new QAction(form);
    m_undoAction->setShortcut(QKeySequence::Undo);
    m_undoAction->setShortcutContext(Qt::WindowShortcut);
    m_redoAction = new QAction(form);
    m_redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m_redoAction->setShortcutContext(Qt::WindowShortcut);
    m_separator = new QAction(form);
    m_separator->setSeparator(true);
    form->addAction(m_undoAction);
    form->addAction(m_redoAction);
    QObject::connect(m_undoAction, &QAction::triggered, form, [this]() { Undo(); });
    QObject::connect(m_redoAction, &QAction::triggered, form, [this]() { Redo(); });
    if (m_menu != nullptr)
        QObject::connect(m_menu, &QMenu::aboutToShow, form, [this]() { PlaceEntries(); });
    PlaceEntries();
}

void cuiEditHistory::PlaceEntries()
{
    Update();
    if (m_menu == nullptr)
        return;
    m_menu->removeAction(m_undoAction);
    m_menu->removeAction(m_redoAction);
    m_menu->removeAction(m_separator);
    QAction* first = m_menu->actions().isEmpty() ? nullptr : m_menu->actions().first();
    m_menu->insertAction(first, m_undoAction);
    m_menu->insertAction(first, m_redoAction);
    if (first != nullptr)
        m_menu->insertAction(first, m_separator);
}

// Line 0 of the entry is the bare caption, line 1 the format that names the step.
std::string EntryText(const char* key, const std::string& step)
{
    if (g_GTex == nullptr)
        return step;
    if (step.empty())
        return g_GTex->GetLine(key, 0);
    return OvlFormat(g_GTex->GetLine(key, 1), {txt::DoubleAmpersand(step)});
}

std::string cuiEditHistory::UndoText() const
{
    return EntryText("GI_AppInd_Undo", m_undo.UndoDescription());
}

std::string cuiEditHistory::RedoText() const
{
    return EntryText("GI_AppInd_Redo", m_undo.RedoDescription());
}

void cuiEditHistory::Update()
{
    if (m_undoAction == nullptr)
        return;
    m_undoAction->setText(plat::ToQt(UndoText()));
    m_undoAction->setEnabled(m_undo.CanUndo());
    m_redoAction->setText(plat::ToQt(RedoText()));
    m_redoAction->setEnabled(m_undo.CanRedo());
}

void cuiEditHistory::Clear()
{
    m_undo.Clear();
    Update();
}

bool cuiEditHistory::Undo()
{
    const bool done = m_undo.Undo(m_work.Data(), m_work.size());
    Update();
    if (done && m_afterChange)
        m_afterChange();
    return done;
}

bool cuiEditHistory::Redo()
{
    const bool done = m_undo.Redo(m_work.Data(), m_work.size());
    Update();
    if (done && m_afterChange)
        m_afterChange();
    return done;
}

std::string cuiEditHistory::Describe(const cuiSheet* sheet, const cmcCellObj* cell)
{
    if (sheet == nullptr || cell == nullptr)
        return std::string();
    for (int r = 0; r < sheet->RowCount(); ++r)
        for (int c = 0; c < sheet->ColCount(); ++c) {
            const cmcCellObj& at = sheet->CellAt(c, r);
            if (at.id != cell->id || at.index != cell->index || at.category != cell->category)
                continue;
            const std::string row = c > 0 ? Caption(sheet->CellAt(0, r).Text()) : std::string();
            const std::string col = r > 0 ? Caption(sheet->CellAt(c, 0).Text()) : std::string();
            return row.empty() ? col : col.empty() ? row : row + " " + col;
        }
    return std::string();
}
