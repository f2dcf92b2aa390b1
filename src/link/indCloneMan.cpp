#include "link/indCloneMan.h"

#include <algorithm>
#include <vector>

#include "common/cmcTask.h"
#include "link/ICloneUi.h"
#include "link/IPort.h"
#include "overlay/OverlayBox.h"
#include "overlay/OverlayFormat.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"

int indCloneMan::s_linkSpeed = -1;

namespace {

constexpr int kProgressMs = 30;

// Twenty FE bytes wake the radio's receiver before a speed command.
const char* const kWake = "FEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFE";

std::string SpeedFrame(int model, char a, char b)
{
    return txt::Format("%s EEEF E8 %04X%04X 01 %02X%02X FD", kWake, model & 0xFFFF, 0, a, b);
}

}  // namespace

indCloneMan::indCloneMan(IPort* port) : m_drv(port), m_adj(port), m_progressTask(new cmcTask)
{
    m_progressTask->SetHandler(&indCloneMan::OnProgress, this);
}

indCloneMan::~indCloneMan()
{
    cmcTask::Dispose(m_progressTask);
}

void indCloneMan::SetCodes(int modelCode, int subCode)
{
    m_drv.SetCodes(modelCode, subCode);
    m_adj.SetCodes(modelCode, subCode);
}

void indCloneMan::SetChecks(Check identification, void* idContext, Check read, void* readContext)
{
    m_idCheck = identification;
    m_idContext = idContext;
    m_readCheck = read;
    m_readContext = readContext;
}

void indCloneMan::SetPort(int number, const std::string& device)
{
    m_portNumber = number;
    m_device = device;
}

indCloneMan::Script indCloneMan::ComposeScript(int m, bool highSpeed, bool password,
                                               const std::string& passwordText, bool write)
{
    Script s;
    s.text = "(38400,N,8,1)" + SpeedFrame(m, '2', '7');
    s.text += "(9600,N,8,1)";
    if (password) {
        uint32_t sum = 0;
        for (unsigned char c : passwordText)
            sum += c;
        s.text += txt::Format("FEFE EEEF E8 %04X%04X 99 ", m & 0xFFFF, 0);
        s.text += txt::Format("%02X%02X", static_cast<unsigned>(passwordText.size() & 0xFF),
                              (0x100 - (sum & 0xFF)) & 0xFF);
        for (unsigned char c : passwordText)
            s.text += txt::Format("%02X", c);
        s.text += " FD";
    }
    s.text +=
        txt::Format("FEFE EEEF E8 %04X%04X 55 %02X%02X FD", m & 0xFFFF, 0, '0', write ? '1' : '0');
    if (highSpeed) {
        s.text += "(9600,N,8,1)" + SpeedFrame(m, '0', '9');
        s.settings = "38400,N,8,1";
        s.preamble = 48;
    } else {
        s.text += "(38400,N,8,1)" + SpeedFrame(m, '2', '7');
        s.settings = "9600,N,8,1";
        s.preamble = 12;
    }
    return s;
}

void indCloneMan::Configure(bool highSpeed, bool password, bool write)
{
    const Script s = ComposeScript(m_drv.ModelCode(), highSpeed, password, m_password, write);
    s_linkSpeed = highSpeed ? 1 : 0;
    m_drv.SetPortNumber(m_portNumber);
    m_drv.SetPortDevice(m_device);
    m_drv.SetPortSettings(s.settings);
    m_drv.SetRequestPreamble(s.preamble);
    m_drv.SetDataPreambles(0, 0);
    m_drv.SetEchoFlag(false);
    m_drv.SetEndWithCount(true);
    m_drv.SetWaitReady(true);
    m_drv.SetPageSize(128);
    m_drv.SetPageOffset(0);
    m_drv.SetDefaultTimeout(1000);
    m_drv.SetScript(s.text);
}

bool indCloneMan::Connect(Completion completion, void* context)
{
    if (IsBusy())
        return false;
    Configure(false, false, false);
    m_drv.SetRtsMode(1);
    m_drv.SetEchoDetection(true);
    if (!m_drv.StartInfo(&indCloneMan::OnDone, this))
        return false;
    m_kind = KindConnect;
    m_total = 0;
    m_completion = completion;
    m_context = context;
    if (m_ui)
        m_ui->EnableMainWindow(false);
    return true;
}

bool indCloneMan::Read(const int32_t* ranges, Completion completion, void* context)
{
    if (IsBusy() || !cmcCloneDrv::RangesInside(ranges, m_drv.ImageSize()))
        return false;
    Configure(m_highSpeed, m_sendPassword, false);
    m_drv.SetRtsMode(1);
    m_drv.SetEchoDetection(true);
    if (!m_drv.StartRead(ranges, &indCloneMan::OnDone, this))
        return false;
    Started(KindRead, ranges, completion, context);
    return true;
}

bool indCloneMan::Write(const cmcEeprom& image, const int32_t* ranges, Completion completion,
                        void* context)
{
    if (IsBusy() ||
        !cmcCloneDrv::RangesInside(ranges, std::min(m_drv.ImageSize(), image.GetSize())))
        return false;
    Configure(m_highSpeed, m_sendPassword, true);
    // A radio writing its EEPROM answers more slowly than one reading it.
    m_drv.SetReadyTimeout(5000);
    m_drv.SetDefaultTimeout(2000);
    m_drv.SetRtsMode(1);
    m_drv.SetEchoDetection(true);
    if (!m_drv.StartWrite(image, ranges, &indCloneMan::OnDone, this))
        return false;
    Started(KindWrite, ranges, completion, context);
    return true;
}

void indCloneMan::ConfigureAdjust(bool highSpeed)
{
    const int wanted = highSpeed ? 1 : 0;
    const int m = m_adj.ModelCode();
    std::string script;
    if (s_linkSpeed != wanted)
        script = highSpeed ? "(9600,N,8,1)" + SpeedFrame(m, '0', '9')
                           : "(38400,N,8,1)" + SpeedFrame(m, '2', '7');
    s_linkSpeed = wanted;
    m_adj.SetPortNumber(m_portNumber);
    m_adj.SetPortDevice(m_device);
    m_adj.SetPortSettings(highSpeed ? "38400,N,8,1" : "9600,N,8,1");
    m_adj.SetRequestPreamble(0);
    m_adj.SetDataPreambles(0, 0);
    m_adj.SetDefaultTimeout(1000);
    m_adj.SetScript(script);
    m_adj.SetRtsMode(1);
}

bool indCloneMan::StartedAdjust(bool started, Completion completion, void* context)
{
    if (!started)
        return false;
    m_kind = KindAdjust;
    m_total = 0;
    m_completion = completion;
    m_context = context;
    if (m_ui)
        m_ui->EnableMainWindow(false);
    return true;
}

bool indCloneMan::SendCommand(int command, int value, uint8_t* output, bool highSpeed, int stepMs,
                              Completion completion, void* context)
{
    if (IsBusy())
        return false;
    ConfigureAdjust(highSpeed);
    m_adj.SetEchoFlag(m_rememberedEcho);
    m_adj.SetEchoDetection(false);
    m_adj.SetStepInterval(stepMs);
    return StartedAdjust(m_adj.SendCommand(command, value, output, &indCloneMan::OnDone, this),
                         completion, context);
}

bool indCloneMan::ReadTable(const imcCloneDrv::Entry* table, Completion completion, void* context)
{
    if (IsBusy())
        return false;
    ConfigureAdjust(true);
    m_adj.SetEchoFlag(false);
    m_adj.SetEchoDetection(true);
    m_adj.SetStepInterval(10);
    return StartedAdjust(m_adj.ReadTable(table, &indCloneMan::OnDone, this), completion, context);
}

bool indCloneMan::Sweep(const imcCloneDrv::SweepJob& job, Completion completion, void* context)
{
    if (IsBusy())
        return false;
    ConfigureAdjust(true);
    m_adj.SetEchoFlag(m_rememberedEcho);
    m_adj.SetEchoDetection(false);
    m_adj.SetStepInterval(10);
    return StartedAdjust(m_adj.Sweep(job, &indCloneMan::OnDone, this), completion, context);
}

void indCloneMan::Started(int kind, const int32_t* ranges, Completion completion, void* context)
{
    m_sendPassword = false;
    m_kind = kind;
    m_total = 0;
    for (int i = 0; ranges[2 * i + 1] >= ranges[2 * i]; ++i)
        m_total += ranges[2 * i + 1] - ranges[2 * i] + 1;
    m_completion = completion;
    m_context = context;
    if (m_ui) {
        m_ui->EnableMainWindow(false);
        if (!m_progressShown)
            m_ui->ShowProgress();
        m_progressShown = true;
        m_ui->UpdateProgress(0, m_total);
    }
    m_progressTask->SetInterval(kProgressMs);
}

void indCloneMan::OnProgress(void* context, cmcTask*)
{
    auto* self = static_cast<indCloneMan*>(context);
    if (self->m_ui && self->m_progressShown)
        self->m_ui->UpdateProgress(self->m_drv.DataBytes(), self->m_total);
    if (!self->m_drv.IsBusy())
        self->m_progressTask->SetInterval(-1);
}

void indCloneMan::OnDone(void* context, dst_CDrv_Result* result)
{
    static_cast<indCloneMan*>(context)->Done(result);
}

bool indCloneMan::ResetsLinkSpeed(int result)
{
    switch (result) {
        case 0:
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
        case 16:
            return false;
        default:
            return true;
    }
}

std::string indCloneMan::MessageFor(int result, int operation, int portNumber,
                                    const std::string& device, const std::string& portFailure)
{
    if (result == 0 || !g_GTex)
        return {};
    std::vector<int> hints;
    switch (result) {
        case 10:
            hints = {0, 2, 3};
            break;
        case 11:
        case 12:
            hints = {0, 1, 2, 3, 4, 5};
            break;
        case 13:
            hints = {6, 7};
            break;
        case 14:
            hints = {0, 4, 5};
            break;
        case 16:
            break;
        default:
            hints = {0, 1, 2, 3};
            break;
    }
    std::string text;
    if (result == 2) {
        text = device.empty()
                   ? OvlFormat(g_GTex->GetLine("GI_Mess_CloneErr_Head", 2), {portNumber})
                   : OvlFormat(g_GTex->GetLine("GI_Mess_CloneErr_PortDevice", 0), {device});
        if (!portFailure.empty())
            text += "\n" + portFailure;
    } else if (result >= 0 && result <= 17) {
        text = g_GTex->GetLine("GI_Mess_CloneErr_Head", result);
    } else {
        text = OvlFormat(g_GTex->GetLine("GI_Mess_CloneErr_Other", 0), {result});
    }
    // A write that failed after it began may have left the radio with part of the image.
    if (operation == cmcCloneDrv::OpWrite && result != 2)
        text += "\n" + g_GTex->GetLine("GI_Mess_CloneErr_WriteIncomplete", 0);
    if (!hints.empty()) {
        text += "\n";
        for (int h : hints)
            text += "\n" + g_GTex->GetLine("GI_Mess_CloneErr_Check", h);
    }
    return text;
}

void indCloneMan::Done(dst_CDrv_Result* result)
{
    // Only an answer the caller has accepted counts as success.
    if (result->operation == cmcCloneDrv::OpInfo && result->result == 0) {
        if (m_idCheck)
            m_idCheck(m_idContext, result);
        else
            result->result = ResWrongRadio;
    } else if (result->operation == cmcCloneDrv::OpRead && result->result == 0) {
        if (m_readCheck)
            m_readCheck(m_readContext, result);
        else
            result->result = cmcCloneDrv::ResIncomplete;
    }
    const bool adjust = m_kind == KindAdjust;
    cmcCloneDrv& drv = adjust ? static_cast<cmcCloneDrv&>(m_adj) : m_drv;
    if (result->result != 0) {
        if (ResetsLinkSpeed(result->result))
            s_linkSpeed = -1;
        std::string text = MessageFor(result->result, result->operation, drv.PortNumber(),
                                      drv.PortDevice(), drv.Port().OpenFailure());
        // A device that went away explains the failure better than any hint: it follows
        // the head line.
        if (const std::string lost = drv.Port().LineFailure();
            !lost.empty() && result->result != 2) {
            const size_t head = text.find('\n');
            text.insert(head == std::string::npos ? text.size() : head, "\n" + lost);
        }
        if (!text.empty())
            OverlayTextBox(text, plat::BoxIcon::Error, plat::BoxButtons::Ok);
    }
    if (m_ui) {
        m_ui->EnableMainWindow(true);
        if (result->operation != imcCloneDrv::OpTable)
            m_ui->FocusMainWindow();
        if (m_progressShown)
            m_ui->CloseProgress();
    }
    m_progressShown = false;
    m_progressTask->SetInterval(-1);
    const Completion completion = m_completion;
    void* context = m_context;
    m_completion = nullptr;
    m_context = nullptr;
    if (completion)
        completion(context, result);
    if (result->result != 0 && result->operation != imcCloneDrv::OpCommand && m_adjustReset)
        m_adjustReset(m_adjustResetContext);
}
