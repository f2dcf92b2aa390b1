#pragma once
#include <string>

#include "overlay/cmcGTex.h"

// The help overlay store: the topic tables that tie cells to help topics and topics to
// context numbers. A store over one file like every overlay store, but it keeps the first
// file it was given: a later Open answers 0 and changes nothing.
class cmcHelpGTex : public cmcGTex {
public:
    int Open(const std::string& fileName);

    // The tables. Each ends with a line that is "#" alone; a reader stops only there.
    static constexpr const char* kTopicTable = "GI_AppItem_Topic_ID";
    static constexpr const char* kKeyAssignTable = "GI_AppItem_Key_Assign_Topic_ID";
    static constexpr const char* kContextTable = "GI_AppItem_Context_ID";

    // The topic of the first line of a table whose item matches one of the names (an
    // identifier's name or its number); empty when none does.
    std::string TopicOf(const std::string& table, const std::string& name,
                        const std::string& altName = std::string());
    // The context number of a topic: the last matching line wins; 0 when none matches.
    int ContextOf(const std::string& topic);
    // The context number of a cell: its topic found by the identifier's name or number.
    int CellContext(const std::string& idName, int idNumber);
    // The context number of a key or port assignment cell: by the assigned function's name
    // as shown, or by its code key ("key:", "in:" or "out:" and the code), which finds the
    // function whatever the language of the names.
    int KeyAssignContext(const std::string& functionName,
                         const std::string& codeKey = std::string());
};
