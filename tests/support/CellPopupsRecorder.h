#pragma once
#include <string>
#include <vector>

#include "cells/ICellPopups.h"
#include "cells/cmcCellCapsule.h"

// Test double of the popup windows: remembers every window a codec asked for, with a copy
// of the capsule it was given, and opens nothing.
class CellPopupsRecorder : public ICellPopups {
public:
    enum class Window { ChoiceList, ModelChoiceList, FlagBits, SegmentText, CharEditor };

    struct Request {
        Window window = Window::ChoiceList;
        cmcCellCapsule capsule;
        const cmcCellObj* cell = nullptr;  // the capsule's cell when the window was asked for
        cmcGTex* store = nullptr;
        int32_t listId = 0;
        int32_t startValue = 0;
        std::string listName;   // list name, or the flag-bits window's entry name
        std::string parameter;  // model list parameter
        uint32_t value = 0;     // flag-bits value, character pattern
        int firstLabel = 0;
        int lastLabel = 0;
        int labelKind = 0;
        int displayKind = 0;
        std::string bytes;  // segment text in stored form
        bool selectAll = false;
        int length = 0;
        const uint8_t* userChars = nullptr;
    };

    void OpenChoiceList(const cmcCellCapsule& capsule, int32_t listId, int32_t startValue,
                        cmcGTex* store, const std::string& listName) override;
    void OpenModelChoiceList(const cmcCellCapsule& capsule, int32_t listId, int32_t startValue,
                             cmcGTex* store, const std::string& listName,
                             const std::string& parameter) override;
    void OpenFlagBits(const cmcCellCapsule& capsule, cmcGTex* store, uint32_t value, int firstLabel,
                      int lastLabel, int labelKind, int displayKind,
                      const std::string& entryName) override;
    void OpenSegmentText(const cmcCellCapsule& capsule, cmcGTex* store,
                         const std::string& storedBytes, bool selectAll, int length,
                         const uint8_t* userChars) override;
    void OpenCharEditor(const cmcCellCapsule& capsule, int unused, uint16_t pattern) override;

    const std::vector<Request>& Requests() const { return m_requests; }
    const Request& Last() const { return m_requests.back(); }
    void Clear() { m_requests.clear(); }

private:
    Request& Add(Window w, const cmcCellCapsule& capsule);
    std::vector<Request> m_requests;
};
