#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>

// One value for an overlay format: a text for "%s", a number for "%d", "%u", "%x", "%X",
// "%o", "%c" (with the usual flags, width, precision and length letters).
struct OvlArg {
    OvlArg(const std::string& s) : isText(true), text(s) {}
    OvlArg(const char* s) : isText(true), text(s ? s : "") {}
    OvlArg(int n) : number(n) {}
    OvlArg(long n) : number(n) {}
    OvlArg(long long n) : number(n) {}
    OvlArg(unsigned n) : number(n) {}
    bool isText = false;
    std::string text;
    long long number = 0;
};

// Fills an overlay text used as a format. Each directive takes the next value when the
// value is of the kind the directive expects; "%%" is one "%"; every other "%" (an unknown
// or surplus directive, one of the wrong kind, one after the values ran out) is written
// literally, so a translator's stray "%" can never read memory that was not passed. The
// second byte of a double-byte character is never taken for a "%".
std::string OvlFormat(const std::string& format, std::initializer_list<OvlArg> args);
