#include "overlay/OverlayFormat.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

#include "platform/TextUtil.h"

namespace {

bool IsNumberConversion(char c)
{
    return c == 'd' || c == 'i' || c == 'u' || c == 'x' || c == 'X' || c == 'o' || c == 'c';
}

}  // namespace

std::string OvlFormat(const std::string& format, std::initializer_list<OvlArg> args)
{
    const std::vector<const OvlArg*> values = [&] {
        std::vector<const OvlArg*> v;
        for (const OvlArg& a : args)
            v.push_back(&a);
        return v;
    }();
    size_t next = 0;
    std::string out;
    const size_t n = format.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = format[i];
        if (txt::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < n) {
            out += c;
            out += format[++i];
            continue;
        }
        if (c != '%') {
            out += c;
            continue;
        }
        if (i + 1 < n && format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // Flags, width (at most three digits), precision (at most three digits), length.
        size_t j = i + 1;
        std::string directive = "%";
        while (j < n && std::string_view("-+#0").find(format[j]) != std::string_view::npos)
            directive += format[j++];
        for (int d = 0; j < n && d < 3 && std::isdigit(static_cast<unsigned char>(format[j])); ++d)
            directive += format[j++];
        // A fourth digit means a damaged text, never a width.
        if (j < n && std::isdigit(static_cast<unsigned char>(format[j]))) {
            out += '%';
            continue;
        }
        if (j < n && format[j] == '.') {
            directive += format[j++];
            for (int d = 0; j < n && d < 3 && std::isdigit(static_cast<unsigned char>(format[j]));
                 ++d)
                directive += format[j++];
        }
        while (j < n && (format[j] == 'l' || format[j] == 'h'))
            ++j;
        const char conv = j < n ? format[j] : '\0';
        const OvlArg* value = next < values.size() ? values[next] : nullptr;
        const bool text = conv == 's' && value && value->isText;
        const bool number = IsNumberConversion(conv) && value && !value->isText;
        if (!text && !number) {
            out += '%';
            continue;
        }
        ++next;
        char buf[1100];
        if (text) {
            // The text itself may be long: only the width and precision go through printf.
            directive += 's';
            const int len = std::snprintf(nullptr, 0, directive.c_str(), value->text.c_str());
            std::string filled(static_cast<size_t>(std::max(len, 0)), '\0');
            std::snprintf(filled.data(), filled.size() + 1, directive.c_str(), value->text.c_str());
            out += filled;
        } else {
            directive += "ll";
            directive += conv == 'c' ? 'd' : conv;
            if (conv == 'c')
                out += static_cast<char>(value->number);
            else {
                std::snprintf(buf, sizeof buf, directive.c_str(), value->number);
                out += buf;
            }
        }
        i = j;
    }
    return out;
}
