#include "link/imcCloneDrv.h"

#include <algorithm>
#include <cstdio>

namespace {

int HexDigit(uint8_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

CloneFrames::Bytes imcCloneDrv::CommandFrame(int modelCode, int subCode, int command, int value)
{
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", value & 0xFF);
    return {CloneFrames::kPreamble,
            CloneFrames::kPreamble,
            CloneFrames::kRadio,
            CloneFrames::kProgram,
            CloneFrames::kCmdMode,
            static_cast<uint8_t>(modelCode >> 8),
            static_cast<uint8_t>(modelCode),
            static_cast<uint8_t>(subCode >> 8),
            static_cast<uint8_t>(subCode),
            static_cast<uint8_t>(command),
            static_cast<uint8_t>(digits[0]),
            static_cast<uint8_t>(digits[1]),
            CloneFrames::kEnd};
}

int imcCloneDrv::DecodeAnswer(const CloneFrames::Bytes& frame, int modelCode, uint8_t& value)
{
    if (frame.size() <= 10 || frame[0] != CloneFrames::kPreamble ||
        frame[1] != CloneFrames::kProgram || frame[2] != CloneFrames::kRadio ||
        frame[3] != CloneFrames::kCmdMode || frame[4] != ((modelCode >> 8) & 0xFF) ||
        frame[5] != (modelCode & 0xFF))
        return ResFrame;
    const int high = HexDigit(frame[9]), low = HexDigit(frame[10]);
    if (high < 0 || low < 0)
        return ResFrame;
    value = static_cast<uint8_t>(high * 16 + low);
    return ResOk;
}

bool imcCloneDrv::Start(int operation, Callback callback, void* context)
{
    if (IsBusy())
        return false;
    // The caller's callback runs after the pending flag is cleared (OnDone).
    if (!Begin(operation, &imcCloneDrv::OnDone, this))
        return false;
    m_outer = callback;
    m_outerContext = context;
    m_pending = true;
    return true;
}

bool imcCloneDrv::SendCommand(int command, int value, uint8_t* output, Callback callback,
                              void* context)
{
    if (IsBusy())
        return false;
    m_command = command & 0xFF;
    m_value = value & 0xFF;
    m_output = output;
    return Start(OpCommand, callback, context);
}

bool imcCloneDrv::ReadTable(const Entry* table, Callback callback, void* context)
{
    if (IsBusy() || !table)
        return false;
    m_table.clear();
    for (int i = 0; i < kTableMax && table[i].command != kTableEnd; ++i)
        m_table.push_back(table[i]);
    m_entry = 0;
    return Start(OpTable, callback, context);
}

bool imcCloneDrv::Sweep(const SweepJob& job, Callback callback, void* context)
{
    if (IsBusy())
        return false;
    m_job = job;
    // A frame carries one byte: a limit beyond it would never end the sweep, and a step
    // of 0 would never move it.
    m_job.start = std::clamp(m_job.start, 0, 255);
    m_job.limit = std::clamp(m_job.limit, 0, 255);
    m_job.step = std::max(m_job.step, 1);
    m_sweepValue = m_job.start;
    m_level = 0;
    m_firstSet = true;
    m_setNext = true;
    return Start(OpSweep, callback, context);
}

void imcCloneDrv::OnDone(void* context, dst_CDrv_Result* result)
{
    auto* self = static_cast<imcCloneDrv*>(context);
    self->m_pending = false;
    const Callback callback = self->m_outer;
    void* outer = self->m_outerContext;
    self->m_outer = nullptr;
    self->m_outerContext = nullptr;
    if (callback)
        callback(outer, result);
}

int imcCloneDrv::FirstStateFor(int operation)
{
    switch (operation) {
        case OpCommand:
            return StCommand;
        case OpTable:
            return StTable;
        case OpSweep:
            return StSweep;
        case OpUnused:
            return StUnused;
        default:
            return StInfoRequest;
    }
}

int imcCloneDrv::NextEntry()
{
    if (m_entry >= m_table.size()) {
        ResultRecord()->result = ResOk;
        return StDrain;
    }
    const Entry& e = m_table[m_entry++];
    m_command = e.command;
    m_value = e.value ? *e.value : 0;
    m_output = e.output;
    return StCommand;
}

int imcCloneDrv::StepExtra(int state, bool& progress)
{
    dst_CDrv_Result* result = ResultRecord();
    const int operation = result ? result->operation : 0;
    switch (state) {
        case StCommand: {
            SendBytes(CommandFrame(ModelCode(), SubCode(), m_command, m_value));
            m_pending = false;
            progress = true;
            if (m_output)
                return StAnswer;
            if (operation == OpSweep) {
                m_wait.Start(static_cast<uint32_t>(
                    std::max(m_firstSet ? m_job.firstWaitMs : m_job.waitMs, 0)));
                m_firstSet = false;
                return StWait;
            }
            if (operation == OpTable) {
                m_wait.Start(kTableWaitMs);
                return StWait;
            }
            result->result = ResOk;
            return StDrain;
        }
        case StAnswer: {
            CloneFrames::Bytes answer;
            if (!ExtractAnswer(answer))
                return state;
            uint8_t value = 0;
            result->result = DecodeAnswer(answer, ModelCode(), value);
            if (result->result != ResOk)
                return StDrain;
            if (m_output)
                *m_output = value;
            progress = true;
            if (operation == OpSweep)
                return StEvaluate;
            if (operation == OpTable)
                return NextEntry();
            return StDrain;
        }
        case StTable:
            progress = true;
            return NextEntry();
        case StWait:
            // Our own wait, bounded by its tick: it holds the state's time-out off.
            progress = true;
            if (m_wait.Remaining() > 0)
                return state;
            return operation == OpSweep ? StSweep : StTable;
        case StSweep:
            progress = true;
            if (m_setNext) {
                if (m_sweepValue > m_job.limit) {
                    result->result = ResOk;
                    return StDrain;
                }
                m_command = m_job.command;
                m_value = m_sweepValue;
                m_output = nullptr;
            } else {
                m_command = 3;
                m_value = 4;
                m_output = &m_level;
            }
            m_setNext = !m_setNext;
            return StCommand;
        case StEvaluate:
            progress = true;
            if (m_job.evaluate)
                m_job.evaluate(m_sweepValue, m_level);
            m_sweepValue += m_job.step;
            return StSweep;
        default:
            return cmcCloneDrv::StepExtra(state, progress);
    }
}
