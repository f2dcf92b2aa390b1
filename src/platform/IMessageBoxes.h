#pragma once
#include <deque>
#include <string>
#include <vector>

namespace plat {

enum class BoxIcon { None, Information, Warning, Error, Question };
enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class BoxResult { Ok, Cancel, Yes, No };

// Modal message boxes. Texts are in the overlay's code page.
class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    virtual BoxResult Show(const std::string& caption, const std::string& text, BoxIcon icon,
                           BoxButtons buttons) = 0;
};

// Test double: answers from a script and remembers every box it was asked to show.
// With the script empty it answers the first button (OK or Yes).
class ScriptedMessageBoxes : public IMessageBoxes {
public:
    struct Shown {
        std::string caption;
        std::string text;
        BoxIcon icon;
        BoxButtons buttons;
    };
    BoxResult Show(const std::string& caption, const std::string& text, BoxIcon icon,
                   BoxButtons buttons) override;
    void Answer(BoxResult r) { m_script.push_back(r); }
    const std::vector<Shown>& Seen() const { return m_seen; }
    void Clear()
    {
        m_seen.clear();
        m_script.clear();
    }

private:
    std::deque<BoxResult> m_script;
    std::vector<Shown> m_seen;
};

}  // namespace plat
