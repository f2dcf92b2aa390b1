#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/IMessageBoxes.h"

namespace qvtest {

// The message boxes every test runs with. A test scripts each box it expects with
// Answer(); a box nobody scripted fails the test that showed it (and is answered with its
// first button so the code under test can go on). A test about the messages themselves
// may say AnswerAll() once instead. Every box shown is remembered.
class TestMessageBoxes : public plat::IMessageBoxes {
public:
    struct Shown {
        std::string caption;
        std::string text;
        plat::BoxIcon icon;
        plat::BoxButtons buttons;
    };
    plat::BoxResult Show(const std::string& caption, const std::string& text, plat::BoxIcon icon,
                         plat::BoxButtons buttons) override;
    // The answer to the next box.
    void Answer(plat::BoxResult r) { m_script.push_back(r); }
    // The answer to every box once the script is used up.
    void AnswerAll(plat::BoxResult r) { m_standing = r; }
    const std::vector<Shown>& Seen() const { return m_seen; }
    void Clear()
    {
        m_seen.clear();
        m_script.clear();
        m_standing.reset();
    }

private:
    std::deque<plat::BoxResult> m_script;
    std::optional<plat::BoxResult> m_standing;
    std::vector<Shown> m_seen;
};

}  // namespace qvtest
