#include "cli/CliUi.h"

#include <unistd.h>

#include <cstdio>

void CliUi::ShowProgress()
{
    m_shown = isatty(STDERR_FILENO) == 1;
    m_last.clear();
}

std::string CliUi::ProgressLine(const std::string& label, int32_t done, int32_t total)
{
    // The same 32 segments as the program's progress window.
    const int64_t lit = total > 0 ? int64_t{done} * 33 / total : 0;
    std::string bar;
    for (int i = 0; i < 32; ++i)
        bar += i < lit ? '#' : '.';
    const int percent = total > 0 ? static_cast<int>(int64_t{done} * 100 / total) : 0;
    return label + " [" + bar + "] " + std::to_string(percent) + "%";
}

void CliUi::UpdateProgress(int32_t done, int32_t total)
{
    if (!m_shown)
        return;
    const std::string line = ProgressLine(m_label, done, total);
    if (line == m_last)
        return;
    m_last = line;
    std::fprintf(stderr, "\r%s", line.c_str());
    std::fflush(stderr);
}

void CliUi::CloseProgress()
{
    if (m_shown && !m_last.empty())
        std::fprintf(stderr, "\n");
    m_shown = false;
}

plat::BoxResult CliUi::Show(const std::string&, const std::string& text, plat::BoxIcon icon,
                            plat::BoxButtons buttons)
{
    const char* kind = icon == plat::BoxIcon::Error     ? "error: "
                       : icon == plat::BoxIcon::Warning ? "warning: "
                                                        : "";
    std::fprintf(stderr, "%s%s\n", kind, text.c_str());
    // Nobody is there to confirm anything: a question counts as declined.
    switch (buttons) {
        case plat::BoxButtons::Ok:
            return plat::BoxResult::Ok;
        case plat::BoxButtons::OkCancel:
            return plat::BoxResult::Cancel;
        default:
            return plat::BoxResult::No;
    }
}

void CliUi::Show(const std::string&, const std::string& text)
{
    std::fprintf(stderr, "fatal: %s\n", text.c_str());
}
