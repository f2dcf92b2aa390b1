#pragma once
#include <string>

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

}  // namespace plat
