#pragma once
#include <cstdint>

struct indRuleRequest;

// The row commands of the popup menu on sheets that list repeated records: copy, paste,
// carry up and down, clear, delete, insert, delete-shift and insert-shift. They work on the
// request's record (the current row) and its selection, within the rows a .. b that the
// sheet shows, and answer with the selection to show and the row to put the cursor on.
// Memory channels move with every stored reference to them; what a command would
// overwrite or lose is confirmed first.
class indRowCommands {
public:
    // Runs the command of the request's capsule (CL_PMenu_Copy .. CL_PMenu_InsShift).
    static void Run(indRuleRequest& r, int32_t a, int32_t b);

    // Status texts, confirmations and refusals.
    static constexpr const char* kStatusCopy = "GI_AppMess_S_Copy";
    static constexpr const char* kStatusPaste = "GI_AppMess_S_Paste";
    static constexpr const char* kStatusClear = "GI_AppMess_S_Clear";
    static constexpr const char* kStatusDelete = "GI_AppMess_S_Delete";
    static constexpr const char* kStatusInsert = "GI_AppMess_S_Insert";
    static constexpr const char* kConfirmOverwrite = "GI_AppMess_Conv_Overwrite";
    static constexpr const char* kConfirmClear = "GI_AppMess_Conv_Clear";
    static constexpr const char* kConfirmDelete = "GI_AppMess_Conv_Delete";
    static constexpr const char* kConfirmOverflow = "GI_AppMess_Conv_Overflow";
    static constexpr const char* kErrorDelPrio = "GI_AppMess_ChErr_DelPrio";
    static constexpr const char* kErrorOverflow = "GI_AppMess_ChErr_Overflow";
};
