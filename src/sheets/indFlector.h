#pragma once
#include "sheets/cuiFlector.h"

// The model's choice list whose items follow the image (channel lists, the language list):
// the same popup as cuiFlector over the model's list sheet, which takes the parameter text
// (its first character selects the kind of list).
class indFlector : public cuiFlector {
public:
    indFlector(const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue, cmcGTex* store,
               const std::string& entryName, const std::string& parameter);

    // Builds the list sheet for a parameter; tests may install theirs. By default the
    // model's list sheet (iuiSh_Mch), which is given the parameter.
    using ListSheetFactory = std::function<std::unique_ptr<cuiSheet>(
        QWidget* window, const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue,
        cmcGTex* store, const std::string& entryName, cuiImageList* images)>;
    static void SetListSheetFactory(ListSheetFactory factory);
};
