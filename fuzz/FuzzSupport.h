#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/Fatal.h"
#include "platform/Services.h"

// A fatal error ends the process in the program; under the fuzzer it is an expected answer
// to bad definitions, so it comes back as an exception the target catches.
struct FuzzFatal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ThrowingFatalBox : public plat::IFatalBox {
public:
    void Show(const std::string&, const std::string& text) override { throw FuzzFatal(text); }
};

// The input as a file the readers can open (an anonymous in-memory file).
std::string InputAsFile(const uint8_t* data, size_t size);
