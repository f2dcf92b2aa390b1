#pragma once
#include <QObject>
#include <memory>
#include <string>

#include "overlay/cmcGTex.h"

class QPushButton;
class QWidget;
class cuiImageList;
class cuiSheet;
struct cmcEvent;

// The EEPROM debug window: a sheet laid out as the image's bytes (16 to a row, two grid
// columns per byte) whose cells show what the cell rules give them, with "Set Comp" (the
// working image becomes the compare snapshot), "Redraw" and a close button. Event 23
// repaints its cells, event 24 moves its cursor to an image address. Each one lives until
// it is closed and frees itself then; the owner's destruction frees it too.
class cuiEeDebugWin : public QObject {
public:
    static constexpr int kFirstByteCol = 3;
    static constexpr int kFirstByteRow = 3;

    cuiEeDebugWin(QWidget* owner, const std::string& caption, cmcGTex* store,
                  const std::string& entryName, cuiImageList* images);
    ~cuiEeDebugWin() override;

    QWidget* Window() const { return m_window; }
    cuiSheet* Sheet() const { return m_sheet.get(); }
    QPushButton* CloseButton() const { return m_close; }
    QPushButton* SetCompButton() const { return m_setComp; }
    QPushButton* RedrawButton() const { return m_redraw; }
    // Moves the cursor to the cell of an image address; false (and no move) when the sheet
    // has no such cell.
    bool GoToAddress(intptr_t address);
    // Repaints the identified cells in sight (event 23).
    void RepaintVisible();
    static int LiveCount();

private:
    static void OnEvent(void* context, const cmcEvent& event);

    QWidget* m_window = nullptr;
    cmcGTex m_ownStore;
    std::unique_ptr<cuiSheet> m_sheet;
    QPushButton* m_close = nullptr;
    QPushButton* m_setComp = nullptr;
    QPushButton* m_redraw = nullptr;
    bool m_subscribed = false;
};
