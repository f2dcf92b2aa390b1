#include "cli/CliFleet.h"

#include <climits>
#include <cstdio>

#include "model/indDocument.h"
#include "overlay/cmcGTex.h"
#include "platform/LoopTimerHost.h"
#include "platform/TextUtil.h"

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
    bool unverified = false;
    std::string failed;
    for (size_t i = 0; i < outs.size(); ++i) {
        if (outs[i].Good()) {
            ++good;
            unverified = unverified || outs[i].verify < 0;
        } else {
            failed += failed.empty() ? "" : ", ";
            failed += ports[i].name;
        }
    }
    std::string text = txt::Format(g_GTex->GetLine("GI_Mess_Cli_Fleet", unverified ? 9 : 7).c_str(),
                                   good, static_cast<int>(outs.size()));
    if (!failed.empty())
        text += "\n" + txt::Format(g_GTex->GetLine("GI_Mess_Cli_Fleet", 8).c_str(), failed.c_str());
    return text;
}

int CliFleet::Run(const std::vector<Port>& ports, indDocument& doc)
{
    indFleetWrite fleet(m_ui);
    fleet.SetHighSpeed(m_high);
    fleet.SetVerify(m_verify);
    if (m_password)
        fleet.SetPassword(m_passwordText);
    fleet.SetChecks(
        [&doc](dst_CDrv_Result* r, indFleetWrite::Radio& radio) {
            doc.IdentificationCheck(*r);
            if (r->result != 0)
                return;
            radio.model = doc.RadioModelCode();
            radio.readEnd = doc.ReadEnd();
            radio.wantsPassword = doc.PasswordWanted(true);
        },
        [&doc](dst_CDrv_Result* r) { doc.ReadCheck(*r); });
    // Each radio gets the image as a clone write sends it to that radio.
    fleet.SetPrepare([&doc](cmcEeprom& image, std::vector<int32_t>& ranges) {
        doc.PrepareCloneWrite(image, ranges);
    });
    fleet.SetImageSize(indDocument::kImageSize);
    const auto progress = [&](int index) {
        if (index >= 0) {
            std::printf("%s\n", Line(index, static_cast<int>(ports.size()), ports[index],
                                     fleet.Outcomes()[index])
                                    .c_str());
            if (fleet.Outcomes()[index].result == indFleetWrite::kPasswordMissing)
                std::fprintf(stderr, "%s\n",
                             g_GTex->GetLines("GI_Mess_Cli_PasswordNeeded").c_str());
        } else {
            std::printf("%s\n", Summary(ports, fleet.Outcomes()).c_str());
        }
        std::fflush(stdout);
    };
    if (!fleet.Start(ports, progress))
        return -1;
    m_loop.RunUntil([&] { return !fleet.Running(); }, UINT32_MAX);
    return fleet.Status();
}
