#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "cells/cmcCellCapsule.h"
#include "sheets/cuiGrid.h"

class QWidget;
class cmcGTex;
class cuiGrid;
class cuiImageList;
class cuiSheet;
struct cmcEvent;

// The drop-down choice list of a cell: a borderless popup window next to the cell holding
// a sheet in popup mode, built from the list's overlay entry, with the cell of the current
// value selected. A choice goes back to the rules of the edited cell through the capsule
// that opened the list (the choice protocol). The window frees itself (and this object)
// with deferred deletion once it is hidden: by a choice, Escape, a click outside, event 21,
// or the edited sheet's grid going away. The caller only creates it.
class cuiFlector : public QObject {
public:
    cuiFlector(const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue, cmcGTex* store,
               const std::string& entryName);
    ~cuiFlector() override;

    QWidget* Window() const { return m_window; }
    cuiSheet* Sheet() const { return m_sheet.get(); }
    // Lists open (or hidden and waiting for their deferred deletion).
    static int LiveCount();
    // Closes the list without a choice.
    void Close();

protected:
    using SheetFactory = std::function<std::unique_ptr<cuiSheet>(
        QWidget* window, const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue,
        cmcGTex* store, const std::string& entryName, cuiImageList* images)>;
    cuiFlector(const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue, cmcGTex* store,
               const std::string& entryName, const SheetFactory& factory);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Open(const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue,
              const SheetFactory& factory);
    void Place(const cmcCellCapsule& capsule);
    static void OnEvent(void* context, const cmcEvent& event);

    QPointer<cuiGrid> m_owner;
    cmcGTex* m_store;
    std::string m_entryName;
    cuiImageList* m_images;
    cmcRect m_cellRect;
    QWidget* m_window = nullptr;
    std::unique_ptr<cuiSheet> m_sheet;
    bool m_subscribed = false;
    bool m_closing = false;
};
