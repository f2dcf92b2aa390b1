#include "sheets/indFlector.h"

#include "sheets/cuiSheet.h"
#include "sheets/model/iuiSh_Mch.h"

namespace {
indFlector::ListSheetFactory& Factory()
{
    static indFlector::ListSheetFactory f;
    return f;
}
}  // namespace

void indFlector::SetListSheetFactory(ListSheetFactory factory)
{
    Factory() = std::move(factory);
}

indFlector::indFlector(const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue,
                       cmcGTex* store, const std::string& entryName, const std::string& parameter)
    : cuiFlector(capsule, listId, initialValue, store, entryName,
                 [parameter](QWidget* window, const cmcCellCapsule& cap, int32_t id, int32_t value,
                             cmcGTex* texts, const std::string& entry, cuiImageList* images) {
                     std::unique_ptr<cuiSheet> sheet;
                     if (Factory())
                         sheet = Factory()(window, cap, id, value, texts, entry, images);
                     else
                         sheet = std::make_unique<iuiSh_Mch>(window, &cap, id, value, texts, entry,
                                                             images);
                     sheet->SetParameter(parameter);
                     return sheet;
                 })
{
}
