#include "platform/IMessageBoxes.h"

namespace plat {

BoxResult ScriptedMessageBoxes::Show(const std::string& caption, const std::string& text,
                                     BoxIcon icon, BoxButtons buttons)
{
    m_seen.push_back({caption, text, icon, buttons});
    if (!m_script.empty()) {
        BoxResult r = m_script.front();
        m_script.pop_front();
        return r;
    }
    return (buttons == BoxButtons::YesNo || buttons == BoxButtons::YesNoCancel) ? BoxResult::Yes
                                                                                : BoxResult::Ok;
}

}  // namespace plat
