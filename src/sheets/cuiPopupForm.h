#pragma once
#include <QObject>
#include <QPointer>
#include <string>

#include "cells/cmcCellCapsule.h"
#include "sheets/cuiGrid.h"

class QWidget;
struct cmcEvent;

// What every window that a codec opens on a cell shares (the choice lists, the flag-bits
// window, the segment text window and the character editor): a copy of the opening cell's
// capsule, the window, and one way to end it. The window ends exactly once, either
// committed (its answer goes to the cell's rules) or cancelled (nothing is stored):
// - Escape cancels; the key is taken before the toolkit could close a popup on its own,
//   which would otherwise count as a click outside;
// - Enter runs the window's OK (or the focused button);
// - a click outside (the popup hides itself) commits or cancels, as the window says;
// - event 1 naming the owner grid, or the owner grid going away, cancels;
// - event 21 commits;
// - closing the window through the window manager cancels.
// The window and this object are freed with deferred deletion, never inside their own
// callbacks. The opener only creates the object.
class cuiPopupForm : public QObject {
public:
    enum class Kind {
        Popup,  // borderless, next to the cell, ends when the user clicks elsewhere
        Modal,  // a dialog window, window-modal to the owner's window
    };
    enum class OnLeave { Commit, Cancel };

    ~cuiPopupForm() override;

    QWidget* Window() const { return m_window; }
    cuiGrid* Owner() const { return m_owner.data(); }
    bool Committed() const { return m_committed; }
    bool Cancelled() const { return m_cancelled; }
    bool Closing() const { return m_closing; }
    // Ends the window with its answer (at most once).
    void Commit();
    // Ends the window without an answer.
    void Cancel();

    // Popup forms alive (open, or closed and waiting for their deferred deletion).
    static int LiveCount();

protected:
    cuiPopupForm(const cmcCellCapsule& capsule, Kind kind, OnLeave onLeave);

    // The window's answer to the cell; runs at most once, before the window closes.
    virtual void DoCommit() {}
    // Enter pressed in the window (not on a button): true when the window took it.
    virtual bool OnEnter() { return false; }

    // The copy of the opening capsule, with a rectangle of its own.
    cmcCellCapsule& Stored() { return m_stored; }
    const cmcCellCapsule& Stored() const { return m_stored; }
    // The rules that answer for the opening cell: the rules of its sheet, else none.
    cmcCellRulesFn OwnerRules(void** context) const;
    // Hands text back to the opening cell's rules as the choice of a Flex0 cell.
    void AnswerChoice(const std::string& text);
    // Places the window next to the edited cell, as a choice list opens.
    void PlaceNextToCell();
    // Subscribes to the events, watches the keys and shows the window; the last step of
    // a window's construction.
    void ShowForm();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Close();
    void Leave();
    static void OnEvent(void* context, const cmcEvent& event);

    QPointer<cuiGrid> m_owner;
    cmcCellCapsule m_stored;
    cmcRect m_rect;
    Kind m_kind;
    OnLeave m_onLeave;
    QWidget* m_window = nullptr;
    bool m_subscribed = false;
    bool m_filtering = false;
    bool m_closing = false;
    bool m_committed = false;
    bool m_cancelled = false;
};
