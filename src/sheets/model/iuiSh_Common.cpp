#include "sheets/model/iuiSh_Common.h"

#include "common/cmcEeprom.h"
#include "rules/indRulesHost.h"

namespace {
bool Is(std::string_view g, std::string_view name)
{
    // A directive is its name, optionally followed by a space and the line count.
    return g.substr(0, name.size()) == name && (g.size() == name.size() || g[name.size()] == ' ');
}
}  // namespace

bool iuiSh_Common::KnownCondition(std::string_view g, bool* keep)
{
    indRulesHost* host = ModelHost();
    const int model = host ? host->ModelType() : 0;
    const bool maker = host && host->MakerMode();
    const uint8_t options = host ? host->WorkImage().GetByte(kOptionAddress) : 0;
    if (Is(g, "Only_Pmr"))
        *keep = model == 1 || model == 2;
    else if (Is(g, "Only_Lmr"))
        *keep = model == 0;
    else if (Is(g, "Only_DALO"))
        *keep = model == 2;
    else if (Is(g, "Only_notDALO"))
        *keep = model != 2;
    else if (Is(g, "Only_notDPmr446"))
        *keep = model != 3;
    else if (Is(g, "Only_SACC"))
        *keep = (options & kSaccMask) != 0;
    else if (Is(g, "Only_EACC"))
        *keep = (options & kEaccMask) != 0;
    else if (Is(g, "Only_Maker"))
        *keep = maker;
    else if (Is(g, "Never"))
        *keep = false;
    else
        return false;
    return true;
}

void iuiSh_Common::ApplyRowDirective(std::string_view group)
{
    bool keep = true;
    if (!KnownCondition(group, &keep)) {
        cuiSheet::ApplyRowDirective(group);
        return;
    }
    if (!keep)
        SkipLines(group);
}
