#include "support/CellPopupsRecorder.h"

CellPopupsRecorder::Request& CellPopupsRecorder::Add(Window w, const cmcCellCapsule& capsule)
{
    Request& r = m_requests.emplace_back();
    r.window = w;
    r.capsule.Copy(capsule);  // as the windows take it: all but the bank
    r.cell = capsule.cell;
    return r;
}

void CellPopupsRecorder::OpenChoiceList(const cmcCellCapsule& capsule, int32_t listId,
                                        int32_t startValue, cmcGTex* store,
                                        const std::string& listName)
{
    Request& r = Add(Window::ChoiceList, capsule);
    r.listId = listId;
    r.startValue = startValue;
    r.store = store;
    r.listName = listName;
}

void CellPopupsRecorder::OpenModelChoiceList(const cmcCellCapsule& capsule, int32_t listId,
                                             int32_t startValue, cmcGTex* store,
                                             const std::string& listName,
                                             const std::string& parameter)
{
    Request& r = Add(Window::ModelChoiceList, capsule);
    r.listId = listId;
    r.startValue = startValue;
    r.store = store;
    r.listName = listName;
    r.parameter = parameter;
}

void CellPopupsRecorder::OpenFlagBits(const cmcCellCapsule& capsule, cmcGTex* store, uint32_t value,
                                      int firstLabel, int lastLabel, int labelKind, int displayKind,
                                      const std::string& entryName)
{
    Request& r = Add(Window::FlagBits, capsule);
    r.store = store;
    r.value = value;
    r.firstLabel = firstLabel;
    r.lastLabel = lastLabel;
    r.labelKind = labelKind;
    r.displayKind = displayKind;
    r.listName = entryName;
}

void CellPopupsRecorder::OpenSegmentText(const cmcCellCapsule& capsule, cmcGTex* store,
                                         const std::string& storedBytes, bool selectAll, int length,
                                         const uint8_t* userChars)
{
    Request& r = Add(Window::SegmentText, capsule);
    r.store = store;
    r.bytes = storedBytes;
    r.selectAll = selectAll;
    r.length = length;
    r.userChars = userChars;
}

void CellPopupsRecorder::OpenCharEditor(const cmcCellCapsule& capsule, int unused, uint16_t pattern)
{
    Request& r = Add(Window::CharEditor, capsule);
    r.startValue = unused;
    r.value = pattern;
}
