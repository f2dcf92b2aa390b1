#include "cli/CliFleet.h"

#include <cstdio>

#include "cli/CliRadio.h"
#include "link/cmcCloneDrv.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"

namespace {

// The radio wants its clone password and none was given.
constexpr int kPasswordMissing = 1;

bool Good(const CliFleet::Outcome& o)
{
    return o.result == 0 && o.verify == 0;
}

}  // namespace

CliFleet::Outcome CliFleet::WriteOne(const Port& port, const cmcEeprom& image,
                                     const int32_t* ranges)
{
    Outcome o;
    CliRadio radio(m_loop, m_ui);
    radio.SetPort(port.number, port.device);
    radio.SetHighSpeed(m_high);
    o.result = radio.Identify();
    if (o.result != 0)
        return o;
    o.model = radio.Model();
    if (radio.WantsPassword(true) && !m_password) {
        std::fprintf(stderr, "%s\n", g_GTex->GetLines("GI_Mess_Cli_PasswordNeeded").c_str());
        o.result = kPasswordMissing;
        return o;
    }
    if (m_password)
        radio.SetPassword(m_passwordText);
    o.result = radio.Write(image, ranges);
    if (o.result != 0)
        return o;
    // Read back what the radio now holds: from its start, so the read check can see whose
    // memory it is, to where it ends; every written address it holds must match.
    const int32_t end = radio.ReadEnd();
    const int32_t back[] = {0, end, 1, 0};
    cmcEeprom held;
    const int read = radio.Read(back, held);
    if (read != 0) {
        o.result = read;
        return o;
    }
    o.verify = 0;
    for (int i = 0; ranges[2 * i + 1] >= ranges[2 * i]; ++i) {
        for (int32_t a = ranges[2 * i]; a <= ranges[2 * i + 1] && a <= end; ++a) {
            if (held.GetByte(a) != image.GetByte(a)) {
                o.verify = 1;
                o.firstDifference = a;
                return o;
            }
        }
    }
    return o;
}

std::string CliFleet::Line(int index, int count, const Port& port, const Outcome& o)
{
    const std::string model =
        o.model ? txt::Format("%04X", o.model) : g_GTex->GetLine("GI_Mess_Cli_Fleet", 6);
    const std::string result =
        o.result == 0 ? g_GTex->GetLine("GI_Mess_Cli_Fleet", 1)
                      : txt::Format(g_GTex->GetLine("GI_Mess_Cli_Fleet", 2).c_str(), o.result);
    const std::string verify = o.verify == 0 ? g_GTex->GetLine("GI_Mess_Cli_Fleet", 3)
                               : o.verify == 1
                                   ? txt::Format(g_GTex->GetLine("GI_Mess_Cli_Fleet", 5).c_str(),
                                                 static_cast<unsigned>(o.firstDifference))
                                   : g_GTex->GetLine("GI_Mess_Cli_Fleet", 4);
    return txt::Format(g_GTex->GetLine("GI_Mess_Cli_Fleet", 0).c_str(), index + 1, count,
                       port.name.c_str(), model.c_str(), result.c_str(), verify.c_str());
}

std::string CliFleet::Summary(const std::vector<Port>& ports, const std::vector<Outcome>& outs)
{
    int good = 0;
    std::string failed;
    for (size_t i = 0; i < outs.size(); ++i) {
        if (Good(outs[i])) {
            ++good;
        } else {
            failed += failed.empty() ? "" : ", ";
            failed += ports[i].name;
        }
    }
    std::string text = txt::Format(g_GTex->GetLine("GI_Mess_Cli_Fleet", 7).c_str(), good,
                                   static_cast<int>(outs.size()));
    if (!failed.empty())
        text += "\n" + txt::Format(g_GTex->GetLine("GI_Mess_Cli_Fleet", 8).c_str(), failed.c_str());
    return text;
}

int CliFleet::Run(const std::vector<Port>& ports, const cmcEeprom& image, const int32_t* ranges)
{
    std::vector<Outcome> outs;
    int status = 0;
    for (size_t i = 0; i < ports.size(); ++i) {
        const Outcome o = WriteOne(ports[i], image, ranges);
        outs.push_back(o);
        std::printf("%s\n",
                    Line(static_cast<int>(i), static_cast<int>(ports.size()), ports[i], o).c_str());
        std::fflush(stdout);
        if (status == 0 && !Good(o))
            status = o.result != 0 ? o.result : kVerifyFailed;
    }
    std::printf("%s\n", Summary(ports, outs).c_str());
    return status;
}
