#include "support/TestMessageBoxes.h"

#include <gtest/gtest.h>

namespace qvtest {

plat::BoxResult TestMessageBoxes::Show(const std::string& caption, const std::string& text,
                                       plat::BoxIcon icon, plat::BoxButtons buttons)
{
    m_seen.push_back({caption, text, icon, buttons});
    if (!m_script.empty()) {
        const plat::BoxResult r = m_script.front();
        m_script.pop_front();
        return r;
    }
    if (m_standing) {
        return *m_standing;
    }
    ADD_FAILURE() << "a message box the test did not script: \"" << caption << "\": \"" << text
                  << "\"";
    const bool yesNo =
        buttons == plat::BoxButtons::YesNo || buttons == plat::BoxButtons::YesNoCancel;
    return yesNo ? plat::BoxResult::Yes : plat::BoxResult::Ok;
}

}  // namespace qvtest
