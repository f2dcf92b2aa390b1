#pragma once
#include <functional>
#include <string>

#include "model/indUndo.h"

class QAction;
class QMenu;
class QWidget;
class cmcCellObj;
class cmcEeprom;
class cuiSheet;

// The edit history of the working image as the user meets it: Undo and Redo entries at the
// top of the Edit menu that name the step ("Undo Channel 3 Receive Frequency"), with
// Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y on the main form. The steps themselves are recorded by the
// cell rules (indUndo); undoing puts the bytes back and lets the main window repaint and
// recompute the modified state.
class cuiEditHistory {
public:
    cuiEditHistory(cmcEeprom& work, std::function<void()> afterChange);
    ~cuiEditHistory();
    cuiEditHistory(const cuiEditHistory&) = delete;
    cuiEditHistory& operator=(const cuiEditHistory&) = delete;

    indUndo& History() { return m_undo; }
    // The shortcuts work on the form; the entries are put back at the top of the menu each
    // time it opens (the sheets rebuild the Edit menu when they change).
    void Install(QWidget* form, QMenu* editMenu);
    // New, open and clone read start a new history.
    void Clear();
    bool Undo();
    bool Redo();
    // The captions of the entries as they stand now.
    std::string UndoText() const;
    std::string RedoText() const;
    // "Channel 3 Receive Frequency": the row's and the column's caption of the cell on the
    // sheet (empty when the sheet does not hold the cell).
    static std::string Describe(const cuiSheet* sheet, const cmcCellObj* cell);

private:
    void Update();
    void PlaceEntries();

    cmcEeprom& m_work;
    indUndo m_undo;
    std::function<void()> m_afterChange;
    QMenu* m_menu = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QAction* m_separator = nullptr;
};
