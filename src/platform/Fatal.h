#pragma once
#include <string>

namespace plat {

// Shows the fatal error box. The program installs a toolkit box; the default writes to
// standard error only.
class IFatalBox {
public:
    virtual ~IFatalBox() = default;
    virtual void Show(const std::string& caption, const std::string& text) = 0;
};

// Installation and definition errors end the program at once: the text goes to standard
// error and to the installed box, then the process exits with code 3 without running any
// destructor, so no settings are written. The caption is the program file's name.
[[noreturn]] void FatalError(const std::string& text);

// The program file's name without folder, used as the caption of fatal boxes.
void SetProgramName(const std::string& name);
const std::string& ProgramName();

}  // namespace plat
