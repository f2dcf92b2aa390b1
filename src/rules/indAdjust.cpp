#include "rules/indAdjust.h"

#include <algorithm>
#include <cstdlib>

#include "common/EventIds.h"
#include "common/cmcEeprom.h"
#include "common/cmcEvMan.h"
#include "link/indCloneMan.h"
#include "model/datCh.h"
#include "overlay/cmcGTex.h"

namespace {

constexpr int kModelCode = 0x3285;

int SysInt(const char* key, int fallback)
{
    return g_GTex ? std::atoi(g_GTex->GetLine(key, 0).c_str()) : fallback;
}

struct Item {
    int command;
    int32_t byte;
    int32_t target;
};
constexpr Item kItems[2] = {
    {indAdjust::kCmdItemA, indAdjust::kItemAByte, indAdjust::kTargetAByte},
    {indAdjust::kCmdItemB, indAdjust::kItemBByte, indAdjust::kTargetBByte},
};
// The S-meter levels of the catch steps S1 and S3.
constexpr Item kCatchItems[2] = {
    {indAdjust::kCmdRssiLev1, indAdjust::kRssiLev1Byte, 0},
    {indAdjust::kCmdRssiLev6, indAdjust::kRssiLev6Byte, 0},
};
constexpr int32_t kFilterByte[2] = {indAdjust::kBpf1Byte, indAdjust::kBpf2Byte};
constexpr int kFilterCommand[2] = {indAdjust::kCmdBpf1, indAdjust::kCmdBpf2};

}  // namespace

indAdjust::indAdjust(indCloneMan& man, cmcEeprom& work, cmcEeprom& snapshot)
    : m_man(man), m_work(work), m_snapshot(snapshot)
{
    static const uint8_t channels[kAdChannels] = {0,  1,  2,  3,  4,  5,  8,  9,  10,
                                                  11, 12, 13, 14, 15, 16, 17, 18, 19};
    std::copy(std::begin(channels), std::end(channels), m_adValues);
    for (int i = 0; i < kAdChannels; ++i) {
        const int ch = m_adValues[i];
        m_table[i] = {static_cast<uint8_t>(kCmdReadAd), &m_adValues[i],
                      &m_readings[ch <= 5 ? ch : ch + 12]};
    }
    m_table[kAdChannels] = {};
    m_man.SetAdjustReset([](void* self) { static_cast<indAdjust*>(self)->m_state = kStateIdle; },
                         this);
}

indAdjust::~indAdjust()
{
    m_man.SetAdjustReset(nullptr, nullptr);
}

int indAdjust::Ratio(int a, int b)
{
    if (b == 0)
        return a == 0 ? 0 : 255;
    return std::min(255, (a * 64 * 2 + b) / (2 * b));
}

uint8_t indAdjust::Reading(int ch) const
{
    if (ch >= 0 && ch <= 5)
        return m_readings[ch];
    if (ch >= 8 && ch <= 19)
        return m_readings[ch + 12];
    return 0;
}

bool indAdjust::LinkIdle() const
{
    return !m_man.IsBusy() && !m_man.AdjustCommandPending();
}

bool indAdjust::Running() const
{
    return m_active != kNone || m_sweeping || m_catch.active || !m_restore.empty() ||
           m_purpose == Purpose::Restore || m_purpose == Purpose::BisectFinish;
}

void indAdjust::Post13()
{
    if (g_EvMan)
        g_EvMan->Post(ev::kRedrawAll);
}

bool indAdjust::Enter()
{
    if (m_state != kStateRequested)
        return false;
    m_man.RememberEchoFlag();
    m_bis[0].outOfRange = m_bis[1].outOfRange = false;
    indCloneMan::SetLinkSpeed(-1);
    m_state = kStateSetUp;
    Send(kCmdSetUp, 1, nullptr, false, Purpose::Plain);
    return true;
}

void indAdjust::Leave()
{
    if (Running())
        Stop();
    m_catchStep = kCatchIdle;
    m_state = kStateIdle;
}

bool indAdjust::Send(int command, int value, uint8_t* output, bool expectAnswer, Purpose purpose)
{
    if (m_man.IsBusy() || (mainEnabled && !mainEnabled()))
        return false;
    m_man.AdjustDriver().SetCodes(kModelCode, 0);
    const int stepMs = m_state == kStateSetUp ? 250 : 4;
    if (!m_man.SendCommand(command, value, expectAnswer ? output : nullptr, m_sweeping, stepMs,
                           &indAdjust::OnDone, this))
        return false;
    m_purpose = purpose;
    // Without an answer the value counts as the radio's only once it has been sent.
    m_record = expectAnswer ? nullptr : output;
    m_recordValue = static_cast<uint8_t>(value);
    return true;
}

bool indAdjust::AdjustCommand(int command, int value, uint8_t* output, bool expectAnswer)
{
    return Send(command, value, output, expectAnswer, Purpose::Plain);
}

bool indAdjust::ReadAdValues()
{
    if (m_man.IsBusy())
        return false;
    m_man.AdjustDriver().SetCodes(kModelCode, 0);
    if (!m_man.ReadTable(m_table, &indAdjust::OnDone, this))
        return false;
    m_purpose = Purpose::Table;
    m_record = nullptr;
    return true;
}

void indAdjust::OnDone(void* context, dst_CDrv_Result* result)
{
    static_cast<indAdjust*>(context)->Done(result->result);
}

void indAdjust::Done(int result)
{
    const Purpose purpose = m_purpose;
    m_purpose = Purpose::Plain;
    if (result == 0 && m_record)
        *m_record = m_recordValue;
    m_record = nullptr;

    if (result != 0) {
        switch (purpose) {
            case Purpose::Bisect:
            case Purpose::BisectRead:
            case Purpose::PreSet:
            case Purpose::Sweeping:
            case Purpose::Middle:
            case Purpose::CatchRead:
            case Purpose::CatchSet:
                // A failed step ends the automatic adjustment: its starting values go back.
                Abandon();
                break;
            case Purpose::Restore:
                // The radio cannot be reached: the images keep the starting values, and
                // what could not be sent is not tried again and again.
                m_restore.clear();
                break;
            default:
                break;
        }
    } else if (m_stopRequested && purpose != Purpose::Restore) {
        Abandon();
    } else {
        switch (purpose) {
            case Purpose::Table:
                if (readingsDisplay && g_EvMan)
                    g_EvMan->Send(ev::kAdjustRefresh);
                break;
            case Purpose::PreSet:
                StartFilterSweep(0);
                break;
            case Purpose::CatchRead:
                m_catch.sum += m_catch.reading;
                ++m_catch.count;
                break;
            case Purpose::CatchSet:
                m_catch = Catch{};
                m_catchStep = m_catchStep == kCatchS1 ? kCatchS3 : kCatchIdle;
                break;
            case Purpose::Sweeping:
                SweepDone();
                break;
            case Purpose::Middle:
                if (readingsDisplay && g_EvMan)
                    g_EvMan->Send(ev::kAdjustRefresh);
                if (m_phase == 0 && m_both) {
                    StartFilterSweep(1);
                } else {
                    m_phase = kPhaseIdle;
                    m_both = false;
                    m_sweeping = false;
                }
                break;
            default:
                break;
        }
    }
    // The event-driven steps go on at the next event.
    Post13();
}

void indAdjust::Queue(int command, int32_t address, int value)
{
    m_work.SetByte(address, static_cast<uint8_t>(value));
    m_restore.push_back({command, address, value});
}

void indAdjust::Abandon()
{
    m_stopRequested = false;
    if (m_active != kNone) {
        const Bisection& b = m_bis[m_active];
        const Item& it = kItems[m_active];
        m_active = kNone;
        Queue(it.command, it.byte, b.start);
    }
    if (m_catch.active) {
        const Catch c = m_catch;
        m_catch = Catch{};
        // Readings alone changed nothing; a level that may have gone out is put back.
        if (c.setting) {
            const Item& it = kCatchItems[m_catchStep == kCatchS3 ? 1 : 0];
            Queue(it.command, it.byte, c.start);
        }
    }
    if (m_sweeping) {
        m_sweeping = false;
        const bool first = m_both || m_phase == 0;
        const bool second = m_both || m_phase == 1;
        m_phase = kPhaseIdle;
        m_both = false;
        if (first)
            Queue(kFilterCommand[0], kFilterByte[0], m_sweepStart[0]);
        if (second)
            Queue(kFilterCommand[1], kFilterByte[1], m_sweepStart[1]);
    }
}

void indAdjust::Stop()
{
    if (!Running())
        return;
    if (m_man.IsBusy()) {
        // The operation in flight ends first; a sweep ends before its next setting.
        m_stopRequested = true;
        m_man.AdjustDriver().EndSweep();
        return;
    }
    Abandon();
    Post13();
}

bool indAdjust::StartBisection(int item)
{
    if (Running() || !LinkIdle())
        return false;
    Bisection& b = m_bis[item];
    const Item& it = kItems[item];
    const int start = m_work.GetByte(it.byte);
    if (!Send(it.command, 0, nullptr, false, Purpose::Bisect))
        return false;
    b = Bisection{};
    b.start = start;
    // Both ends open: read literally (both 0) the first step would already finish.
    b.low = 0;
    b.high = 255;
    b.current = b.lastSent = 0;
    b.waiting = true;
    m_work.SetByte(it.byte, 0);
    m_active = item;
    return true;
}

void indAdjust::SetUp()
{
    const int kind = (modelType ? modelType() : 0) + 1;
    m_channel = 1;
    for (int i = 0; i < m_channelLimit; ++i) {
        datCh rec(m_work);
        rec.Load(kind, i);
        if (rec.part[0][0] || rec.part[0][1] || rec.part[0][2] || rec.part[0][3]) {
            m_channel = i + 1;
            break;
        }
    }
    m_ratio1 = Ratio(m_work.GetByte(0x0062), m_work.GetByte(0x0069));
    m_ratio2 = Ratio(m_work.GetByte(0x0070), m_work.GetByte(0x0069));
    m_tableValue = static_cast<uint8_t>(m_channel);
    m_select[0] = {static_cast<uint8_t>(kCmdChannel), &m_tableValue, nullptr};
    m_select[1] = {};
    m_man.AdjustDriver().SetCodes(kModelCode, 0);
    if (m_man.ReadTable(m_select, &indAdjust::OnDone, this)) {
        m_purpose = Purpose::SetUp;
        m_record = nullptr;
    }
    m_state = kStateIdle;
}

void indAdjust::Step()
{
    if (m_inStep || !LinkIdle())
        return;
    m_inStep = true;
    if (m_state == kStateSetUp) {
        SetUp();
    } else if (!m_restore.empty()) {
        const Restore r = m_restore.front();
        m_work.SetByte(r.address, static_cast<uint8_t>(r.value));
        if (Send(r.command, r.value, m_snapshot.Data() + r.address, false, Purpose::Restore))
            m_restore.erase(m_restore.begin());
    } else if (m_catch.active) {
        StepCatch();
    } else {
        // An evaluation sends nothing: go on to the step that does.
        for (int i = 0; i < 2 && m_active != kNone && LinkIdle(); ++i) {
            Bisection& b = m_bis[m_active];
            const Item& it = kItems[m_active];
            if (b.waiting) {
                if (std::abs(b.low - b.high) <= 1) {
                    m_work.SetByte(it.byte, static_cast<uint8_t>(b.current));
                    m_active = kNone;
                    Send(it.command, b.current, m_snapshot.Data() + it.byte, false,
                         Purpose::BisectFinish);
                } else if (b.current == b.lastSent) {
                    if (Send(kCmdReadAd, kBisectChannel, &b.reading, true, Purpose::BisectRead))
                        b.waiting = false;
                } else {
                    m_work.SetByte(it.byte, static_cast<uint8_t>(b.current));
                    if (Send(it.command, b.current, nullptr, false, Purpose::Bisect))
                        b.lastSent = b.current;
                }
                break;
            }
            const int r = b.reading;
            const int v = b.current;
            const int target = m_work.GetByte(it.target);
            if (v == 0) {
                b.at0 = r;
                b.current = 255;
            } else if (v == 255) {
                b.at255 = r;
                const bool falling = b.at255 < b.at0;
                b.low = falling ? 255 : 0;
                b.high = falling ? 0 : 255;
                const int hi = std::max(b.at0, b.at255), lo = std::min(b.at0, b.at255);
                if (target > hi || target <= lo) {
                    b.current = b.start;
                    b.low = b.high = 0;
                    b.outOfRange = true;
                } else {
                    b.current = 127;
                }
            } else if (r == target) {
                b.low = b.high = v;
            } else if (target < r) {
                b.high = v;
                b.current = (v + b.low) / 2;
            } else {
                b.low = v;
                b.current = (v + b.high + 1) / 2;
            }
            b.waiting = true;
        }
    }
    m_inStep = false;
}

bool indAdjust::CatchEnter()
{
    if (Running() || !LinkIdle())
        return false;
    if (m_catchStep == kCatchIdle) {
        m_catchStep = kCatchS1;
        Post13();
        return true;
    }
    const Item& it = kCatchItems[m_catchStep == kCatchS3 ? 1 : 0];
    Catch c;
    c.active = true;
    c.start = m_work.GetByte(it.byte);
    m_catch = c;
    if (!Send(kCmdReadAd, kLevelChannel, &m_catch.reading, true, Purpose::CatchRead)) {
        m_catch = Catch{};
        return false;
    }
    return true;
}

void indAdjust::StepCatch()
{
    if (m_catch.count < kCatchReadings) {
        Send(kCmdReadAd, kLevelChannel, &m_catch.reading, true, Purpose::CatchRead);
        return;
    }
    if (m_catch.setting)
        return;
    const Item& it = kCatchItems[m_catchStep == kCatchS3 ? 1 : 0];
    const int level = (m_catch.sum + kCatchReadings / 2) / kCatchReadings;
    m_work.SetByte(it.byte, static_cast<uint8_t>(level));
    if (Send(it.command, level, m_snapshot.Data() + it.byte, false, Purpose::CatchSet))
        m_catch.setting = true;
    else
        m_work.SetByte(it.byte, static_cast<uint8_t>(m_catch.start));
}

bool indAdjust::StartFilterSweep(int phase)
{
    const bool all = m_both;
    imcCloneDrv::SweepJob job;
    job.command = kFilterCommand[phase];
    job.start = SysInt(all ? "GI_Sys_Adjust_BPF_All_Min" : "GI_Sys_Adjust_BPF_Ind_Min", 0);
    job.limit = SysInt(all ? "GI_Sys_Adjust_BPF_All_Max" : "GI_Sys_Adjust_BPF_Ind_Max", 255);
    job.step = SysInt(all ? "GI_Sys_Adjust_BPF_All_Step" : "GI_Sys_Adjust_BPF_Ind_Step", 1);
    job.firstWaitMs = SysInt("GI_Sys_Adjust_BPF_Set_First_Wait", 0);
    job.waitMs = SysInt("GI_Sys_Adjust_BPF_Set_Wait", 0);
    job.evaluate = [this](int value, int level) { Evaluate(value, level); };
    m_phase = phase;
    // Each sweep starts afresh: an earlier sweep's plateau must not survive into this one.
    m_filter[phase] = Filter{};
    m_sweeping = true;
    m_man.AdjustDriver().SetCodes(kModelCode, 0);
    if (!m_man.Sweep(job, &indAdjust::OnDone, this)) {
        Abandon();
        return false;
    }
    m_purpose = Purpose::Sweeping;
    m_record = nullptr;
    return true;
}

void indAdjust::Evaluate(int value, int level)
{
    const int f = m_phase == 1 ? 1 : 0;
    Filter& r = m_filter[f];
    if (level >= r.max) {
        r.last = value;
        if (level > r.max) {
            r.max = level;
            r.first = value;
        }
    }
    m_work.SetByte(kFilterByte[f], static_cast<uint8_t>(value));
    Post13();
}

void indAdjust::SweepDone()
{
    const int f = m_phase == 1 ? 1 : 0;
    const int middle = (m_filter[f].first + m_filter[f].last) / 2;
    m_work.SetByte(kFilterByte[f], static_cast<uint8_t>(middle));
    if (!Send(kFilterCommand[f], middle, m_snapshot.Data() + kFilterByte[f], false,
              Purpose::Middle))
        Abandon();
}

bool indAdjust::StartSweepBoth()
{
    if (Running() || !LinkIdle())
        return false;
    m_sweepStart[0] = m_work.GetByte(kBpf1Byte);
    m_sweepStart[1] = m_work.GetByte(kBpf2Byte);
    m_both = true;
    m_phase = 0;
    m_sweeping = true;
    m_filter[0] = m_filter[1] = Filter{};
    if (!Send(kCmdBpf2, 100, m_snapshot.Data() + kBpf2Byte, false, Purpose::PreSet)) {
        m_both = m_sweeping = false;
        m_phase = kPhaseIdle;
        return false;
    }
    m_work.SetByte(kBpf2Byte, 100);
    return true;
}

bool indAdjust::StartSweep1()
{
    if (Running() || !LinkIdle())
        return false;
    m_sweepStart[0] = m_work.GetByte(kBpf1Byte);
    m_both = false;
    return StartFilterSweep(0);
}

bool indAdjust::StartSweep2()
{
    if (Running() || !LinkIdle())
        return false;
    m_sweepStart[1] = m_work.GetByte(kBpf2Byte);
    m_both = false;
    return StartFilterSweep(1);
}
