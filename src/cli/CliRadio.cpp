#include "cli/CliRadio.h"

#include <algorithm>
#include <climits>

#include "model/CheckImageIdentity.h"
#include "platform/LoopTimerHost.h"
#include "platform/TextUtil.h"

CliRadio::CliRadio(plat::LoopTimerHost& loop, ICloneUi* ui) : m_loop(loop)
{
    m_man.SetUi(ui);
    m_man.SetCodes(0, 0);
    m_man.SetImageSize(kImageSize);
    m_man.SetChecks(&IdentificationCheck, this, &ReadCheck, nullptr);
}

void CliRadio::SetPassword(const std::string& text)
{
    m_man.SetPassword(text);
    m_man.SetSendPassword(true);
}

void CliRadio::IdentificationCheck(void* context, dst_CDrv_Result* r)
{
    auto* radio = static_cast<CliRadio*>(context);
    if ((r->modelCode != 0x3285 && r->modelCode != 0x3179) || r->info.Size() != 80 ||
        r->info.Data()[0] != 80) {
        r->result = indCloneMan::ResWrongRadio;
        return;
    }
    if (!radio) {
        if (r->info.Data()[3] > 1)
            r->result = indCloneMan::ResNewerRadio;
        return;
    }
    radio->m_identified = true;
    radio->m_model = r->modelCode;
    std::copy(r->info.Data(), r->info.Data() + 80, radio->m_info);
    if (radio->m_info[3] > 1)
        r->result = indCloneMan::ResNewerRadio;
}

void CliRadio::ReadCheck(void*, dst_CDrv_Result* r)
{
    if (CheckImageIdentity(r->image, true) != indIdentity::Accepted)
        r->result = indCloneMan::ResNotThisImage;
}

void CliRadio::OnDone(void* context, dst_CDrv_Result* r)
{
    auto* radio = static_cast<CliRadio*>(context);
    radio->m_finished = true;
    radio->m_result = r->result;
    radio->m_received.Assign(r->image);
}

int CliRadio::Run()
{
    m_loop.RunUntil([&] { return m_finished; }, UINT32_MAX);
    return m_result;
}

int CliRadio::Identify()
{
    m_finished = false;
    m_identified = false;
    if (!m_man.Connect(&OnDone, this))
        return -1;
    return Run();
}

namespace {

// Where a clone read ends: four hexadecimal characters of the information block.
int32_t ReadEndOf(const uint8_t* info)
{
    int32_t end = 0;
    for (int i = 64; i < 68; ++i) {
        const int d = txt::HexDigit(static_cast<char>(info[i]));
        end = end * 16 + (d < 0 ? 0 : d);
    }
    end = (end & ~0xF) + 15;
    return end > CliRadio::kEepromEnd ? CliRadio::kEepromEnd : end;
}

}  // namespace

int32_t CliRadio::ReadEnd() const
{
    return ReadEndOf(m_info);
}

void CliRadio::Accept(dst_CDrv_Result* r, indFleetWrite::Radio& radio)
{
    CliRadio::IdentificationCheck(nullptr, r);
    if (r->result != 0)
        return;
    radio.model = r->modelCode;
    radio.readEnd = ReadEndOf(r->info.Data());
    radio.wantsPassword = (r->info.Data()[15] & 0x08) != 0;
}

bool CliRadio::WantsPassword(bool write) const
{
    const uint8_t lock = m_info[15];
    return (lock & 0x08) != 0 && (write || (lock & 0x10) == 0);
}

int CliRadio::Read(const int32_t* ranges, cmcEeprom& image)
{
    m_finished = false;
    if (!m_man.Read(ranges, &OnDone, this))
        return -1;
    const int result = Run();
    if (result == 0)
        image.Assign(m_received);
    return result;
}

int CliRadio::Write(const cmcEeprom& image, const int32_t* ranges)
{
    m_finished = false;
    if (!m_man.Write(image, ranges, &OnDone, this))
        return -1;
    return Run();
}
