#include "platform/Fatal.h"

#include <cstdio>
#include <cstdlib>

#include "platform/Services.h"

namespace plat {

namespace {
std::string& NameRef()
{
    static std::string name = "quorvex";
    return name;
}
}  // namespace

void SetProgramName(const std::string& name)
{
    NameRef() = name;
}
const std::string& ProgramName()
{
    return NameRef();
}

void FatalError(const std::string& text)
{
    std::fprintf(stderr, "%s: %s\n", ProgramName().c_str(), text.c_str());
    std::fflush(stderr);
    if (IFatalBox* box = Get().fatalBox)
        box->Show(ProgramName(), text);
    std::_Exit(3);
}

}  // namespace plat
