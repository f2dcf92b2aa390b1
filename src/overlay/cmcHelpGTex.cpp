#include "overlay/cmcHelpGTex.h"

#include "platform/TextUtil.h"

int cmcHelpGTex::Open(const std::string& fileName)
{
    if (!FileName().empty())
        return 0;
    return cmcGTex::Open(fileName);
}

std::string cmcHelpGTex::TopicOf(const std::string& table, const std::string& name,
                                 const std::string& altName)
{
    for (int n = 0;; ++n) {
        const std::string line = GetLine(table, n);
        if (line == "#")
            return std::string();
        const std::string item = txt::Field(line, '\t', 0).value_or("");
        if (!item.empty() && (item == name || (!altName.empty() && item == altName)))
            return txt::Field(line, '\t', 1).value_or("");
    }
}

int cmcHelpGTex::ContextOf(const std::string& topic)
{
    int context = 0;
    for (int n = 0;; ++n) {
        const std::string line = GetLine(kContextTable, n);
        if (line == "#")
            return context;
        if (txt::Field(line, '\t', 0).value_or("") == topic)
            context = txt::ReadDecimal(txt::Field(line, '\t', 1).value_or(""));
    }
}

int cmcHelpGTex::CellContext(const std::string& idName, int idNumber)
{
    const std::string topic = TopicOf(kTopicTable, idName, std::to_string(idNumber));
    return topic.empty() ? 0 : ContextOf(topic);
}

int cmcHelpGTex::KeyAssignContext(const std::string& functionName, const std::string& codeKey)
{
    const std::string topic = TopicOf(kKeyAssignTable, functionName, codeKey);
    return topic.empty() ? 0 : ContextOf(topic);
}
