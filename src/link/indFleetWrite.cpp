#include "link/indFleetWrite.h"

#include "common/cmcTask.h"
#include "link/indCloneMan.h"

indFleetWrite::indFleetWrite(ICloneUi* ui) : m_ui(ui)
{
    m_task = new cmcTask;
    m_task->SetHandler(&OnTask, this);
    m_task->SetInterval(-1);
}

indFleetWrite::~indFleetWrite()
{
    cmcTask::Dispose(m_task);
}

void indFleetWrite::SetChecks(IdentifyCheck identify, ReadCheck read)
{
    m_identify = std::move(identify);
    m_read = std::move(read);
}

void indFleetWrite::SetPassword(const std::string& text)
{
    m_password = true;
    m_passwordText = text;
}

bool indFleetWrite::Start(const std::vector<Port>& ports, const cmcEeprom& image,
                          const int32_t* ranges, Progress progress)
{
    if (m_running || ports.empty() || !ranges)
        return false;
    m_ports = ports;
    m_outcomes.assign(ports.size(), Outcome{});
    m_image.Assign(image);
    m_ranges.clear();
    for (int i = 0;; ++i) {
        m_ranges.push_back(ranges[2 * i]);
        m_ranges.push_back(ranges[2 * i + 1]);
        if (ranges[2 * i + 1] < ranges[2 * i])
            break;
    }
    m_progress = std::move(progress);
    m_index = 0;
    m_running = true;
    m_stage = Stage::Identify;
    m_stepDue = true;
    m_task->SetInterval(10);
    return true;
}

bool indFleetWrite::Start(const std::vector<Port>& ports, Progress progress)
{
    if (!m_prepare)
        return false;
    const int32_t none[] = {1, 0};
    return Start(ports, cmcEeprom(), none, std::move(progress));
}

int indFleetWrite::Status() const
{
    for (const Outcome& o : m_outcomes)
        if (!o.Good())
            return o.result != 0 ? o.result : kVerifyFailed;
    return 0;
}

void indFleetWrite::OnTask(void* context, cmcTask*)
{
    auto* self = static_cast<indFleetWrite*>(context);
    if (self->m_stepDue) {
        self->m_stepDue = false;
        self->Step();
    }
}

void indFleetWrite::OnIdentify(void* context, dst_CDrv_Result* r)
{
    auto* self = static_cast<indFleetWrite*>(context);
    self->m_radio = Radio{};
    if (self->m_identify)
        self->m_identify(r, self->m_radio);
}

void indFleetWrite::OnRead(void* context, dst_CDrv_Result* r)
{
    auto* self = static_cast<indFleetWrite*>(context);
    if (self->m_read)
        self->m_read(r);
}

void indFleetWrite::OnDone(void* context, dst_CDrv_Result* r)
{
    static_cast<indFleetWrite*>(context)->Done(r);
}

// Runs from the task, never from inside a manager's callback: a finished manager is
// replaced here.
void indFleetWrite::Step()
{
    const Port& port = m_ports[m_index];
    bool started = false;
    switch (m_stage) {
        case Stage::Identify:
            m_man = std::make_unique<indCloneMan>();
            if (m_waiter)
                m_man->Driver().SetWaiter(m_waiter);
            m_man->SetUi(m_ui);
            m_man->SetCodes(0, 0);
            m_man->SetImageSize(m_imageSize > 0 ? m_imageSize : m_image.GetSize());
            m_man->SetChecks(&OnIdentify, this, &OnRead, this);
            m_man->SetPort(port.number, port.device);
            m_man->SetHighSpeed(m_high);
            started = m_man->Connect(&OnDone, this);
            break;
        case Stage::Write:
            started = m_man->Write(m_image, m_ranges.data(), &OnDone, this);
            break;
        case Stage::Verify: {
            // From the radio's start, so the read check can see whose memory it is, to
            // where it ends.
            const int32_t back[] = {0, m_radio.readEnd, 1, 0};
            started = m_man->Read(back, &OnDone, this);
            break;
        }
        case Stage::Idle:
            return;
    }
    if (!started) {
        m_outcomes[m_index].result = -1;
        Finish();
    }
}

void indFleetWrite::Done(dst_CDrv_Result* r)
{
    Outcome& o = m_outcomes[m_index];
    if (r->result != 0) {
        o.result = r->result;
        Finish();
        return;
    }
    switch (m_stage) {
        case Stage::Identify:
            o.model = m_radio.model;
            if (m_radio.wantsPassword && !m_password) {
                o.result = kPasswordMissing;
                Finish();
                return;
            }
            if (m_password) {
                m_man->SetPassword(m_passwordText);
                m_man->SetSendPassword(true);
            }
            if (m_prepare) {
                m_ranges.clear();
                m_prepare(m_image, m_ranges);
            }
            m_stage = Stage::Write;
            break;
        case Stage::Write:
            if (!m_verify) {
                Finish();
                return;
            }
            m_stage = Stage::Verify;
            break;
        case Stage::Verify:
            o.verify = 0;
            for (size_t i = 0; i + 1 < m_ranges.size() && m_ranges[i + 1] >= m_ranges[i]; i += 2) {
                for (int32_t a = m_ranges[i]; a <= m_ranges[i + 1] && a <= m_radio.readEnd; ++a) {
                    if (r->image.GetByte(a) != m_image.GetByte(a)) {
                        o.verify = 1;
                        o.firstDifference = a;
                        break;
                    }
                }
                if (o.verify == 1)
                    break;
            }
            Finish();
            return;
        case Stage::Idle:
            return;
    }
    m_stepDue = true;
}

void indFleetWrite::Finish()
{
    const int index = static_cast<int>(m_index);
    ++m_index;
    if (m_index < m_ports.size()) {
        m_stage = Stage::Identify;
        m_stepDue = true;
    } else {
        m_stage = Stage::Idle;
        m_running = false;
        m_task->SetInterval(-1);
    }
    if (m_progress)
        m_progress(index);
    if (!m_running && m_progress)
        m_progress(-1);
}
