#include "overlay/OverlayLanguages.h"

#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"

namespace ovlLang {

namespace {
std::string FieldOf(cmcGTex& base, int n, int field)
{
    return txt::Trim(txt::Field(base.GetLine(kKey, n), '\t', field).value_or(""));
}
}  // namespace

int Count(cmcGTex& base)
{
    int n = 0;
    for (; n < 255; ++n) {
        const std::string line = base.GetLine(kKey, n);
        if (!line.empty() && line[0] == '#')
            break;
    }
    return n;
}

std::string Name(cmcGTex& base, int n)
{
    return FieldOf(base, n, 0);
}

std::string File(cmcGTex& base, int n)
{
    return FieldOf(base, n, 1);
}

int CodePage(cmcGTex& base, int n)
{
    const int cp = txt::ReadDecimal(FieldOf(base, n, 2));
    return cp > 0 ? cp : 1252;
}

int ForLocale(cmcGTex& base, const std::string& locale)
{
    if (locale.empty())
        return -1;
    const int count = Count(base);
    for (int n = 0; n < count; ++n) {
        const std::string prefix = FieldOf(base, n, 3);
        if (!prefix.empty() && locale.compare(0, prefix.size(), prefix) == 0)
            return n;
    }
    return -1;
}

bool Usable(const std::string& path)
{
    if (path.empty())
        return false;
    cmcGTex probe;
    probe.Open(path);
    return probe.HasKey("GI_Sys_AppTitle") && probe.HasKey("GI_Menu_Main_Body") &&
           probe.HasKey("GI_Tree_Main_Body");
}

}  // namespace ovlLang
