#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "common/cmcTick.h"
#include "link/cmcCloneDrv.h"

// The adjustment side of the radio link: single adjustment commands, a table of commands
// (the A/D readings), and a band-pass filter sweep that sets a filter step by step and
// reads the level after each setting. Every command is one E8 frame; a command with an
// output waits for the radio's answer and stores the value it carries there.
class imcCloneDrv : public cmcCloneDrv {
public:
    enum Operation { OpCommand = 4, OpUnused = 6, OpTable = 5, OpSweep = 7 };
    enum AdjustState {
        StSweep = 15,
        StTable = 16,
        StUnused = 17,
        StCommand = 18,
        StAnswer = 19,
        StWait = 20,
        StEvaluate = 21,
    };
    static constexpr int kTableMax = 49;
    static constexpr uint8_t kTableEnd = 0xFF;
    // The wait after a command of a table, before the next one goes out.
    static constexpr int kTableWaitMs = 50;

    // One command of a table: command byte, where its value comes from (none: 0) and
    // where its answer goes (none: no answer is awaited).
    struct Entry {
        uint8_t command = kTableEnd;
        const uint8_t* value = nullptr;
        uint8_t* output = nullptr;
    };

    // A sweep of one filter: the filter's command is set to start, start + step, ... up
    // to limit; after each setting (and its wait) the level is read with command 3,
    // value 4 and handed to evaluate with the value set.
    struct SweepJob {
        int command = 19;
        int start = 0;
        int limit = 255;
        int step = 1;
        int firstWaitMs = 0;
        int waitMs = 0;
        std::function<void(int value, int level)> evaluate;
    };

    explicit imcCloneDrv(IPort* port = nullptr) : cmcCloneDrv(port) {}

    // Operations; each refused (false) while the driver runs one.
    bool SendCommand(int command, int value, uint8_t* output, Callback callback, void* context);
    // Copies the table (up to 49 entries, ended by command FF).
    bool ReadTable(const Entry* table, Callback callback, void* context);
    // The limit is held to 255 (what a frame carries) and the step to at least 1.
    bool Sweep(const SweepJob& job, Callback callback, void* context);

    // Ends a running sweep before its next setting (it then ends with result 0).
    void EndSweep() { m_job.limit = -1; }
    // A command, table or sweep has been given and no command frame has gone out since;
    // cleared at every completion as well.
    bool CommandPending() const { return m_pending; }
    // The running sweep's current value and the last level read.
    int SweepValue() const { return m_sweepValue; }
    int Level() const { return m_level; }

    // The frame of one adjustment command: FE FE EE EF E8, model and sub code, the
    // command byte and the value as two upper-case hexadecimal characters, FD.
    static CloneFrames::Bytes CommandFrame(int modelCode, int subCode, int command, int value);
    // The radio's answer: 0 with the value, else 6 (wrong header, model code or digits).
    static int DecodeAnswer(const CloneFrames::Bytes& frame, int modelCode, uint8_t& value);

protected:
    int StepExtra(int state, bool& progress) override;
    int FirstStateFor(int operation) override;

private:
    static void OnDone(void* context, dst_CDrv_Result* result);
    bool Start(int operation, Callback callback, void* context);
    int NextEntry();

    bool m_pending = false;
    int m_command = 0;
    int m_value = 0;
    uint8_t* m_output = nullptr;
    std::vector<Entry> m_table;
    size_t m_entry = 0;
    SweepJob m_job;
    int m_sweepValue = 0;
    uint8_t m_level = 0;
    bool m_firstSet = true;
    bool m_setNext = true;  // the sweep's next step sets the filter (else it reads)
    cmcTick m_wait;
    Callback m_outer = nullptr;
    void* m_outerContext = nullptr;
};
