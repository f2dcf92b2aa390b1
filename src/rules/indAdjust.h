#pragma once
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "link/imcCloneDrv.h"

class cmcEeprom;
class indCloneMan;

// The adjustment state of the model: entering adjustment mode and its set-up, single
// adjustment commands, the A/D readings, the two bisections (a setting whose reading
// reaches a stored target) and the band-pass filter sweeps. The main object owns one and
// lets it take a step on every event while the link is idle. Every change goes to the
// radio at once; the saved snapshot image holds what the radio was last told.
class indAdjust {
public:
    // Adjustment items: the working image byte and the command that sets it on the radio.
    static constexpr int32_t kBpf1Byte = 0x0054, kBpf2Byte = 0x0055;
    static constexpr int32_t kItemAByte = 0x005C, kItemBByte = 0x005D;
    static constexpr int32_t kTargetAByte = 0x00AE, kTargetBByte = 0x00AF;
    static constexpr int32_t kRefByte = 0x00AD;
    // The S-meter levels caught at S1 and at S3 (the bar's first and sixth segment).
    static constexpr int32_t kRssiLev1Byte = 0x00B7, kRssiLev6Byte = 0x00B8;
    enum Command {
        kCmdChannel = 0,
        kCmdSetUp = 2,
        kCmdReadAd = 3,
        kCmdRef = 5,
        kCmdItemA = 6,
        kCmdItemB = 7,
        kCmdBpf1 = 19,
        kCmdBpf2 = 20,
        kCmdRssiLev1 = 23,
        kCmdRssiLev6 = 24,
    };
    enum State { kStateIdle = 0, kStateRequested = 14, kStateSetUp = 15 };
    // The A/D channel the bisections read, and the one the sweeps read.
    static constexpr int kBisectChannel = 5;
    static constexpr int kLevelChannel = 4;
    static constexpr int kAdChannels = 18;
    static constexpr int kNone = 3;       // no bisection active
    static constexpr int kPhaseIdle = 7;  // no sweep
    // The S-meter catch: idle, waiting for the S1 signal, waiting for the S3 signal.
    enum CatchStep { kCatchIdle = 0, kCatchS1 = 1, kCatchS3 = 2 };
    // Readings averaged into one caught level.
    static constexpr int kCatchReadings = 4;

    struct Bisection {
        int current = 257;   // the value being tried (257: none)
        int lastSent = 257;  // the value the radio holds
        int low = 0, high = 0;
        int at0 = 0, at255 = 0;  // readings at the ends
        int start = 0;           // the value before the bisection began
        bool outOfRange = false;
        bool waiting = false;  // a value went out; its reading is still to be taken
        uint8_t reading = 0;
    };
    struct Filter {
        int first = 0, last = 0;
        int max = -1;  // below every level, so the first reading counts
    };

    indAdjust(indCloneMan& man, cmcEeprom& work, cmcEeprom& snapshot);
    ~indAdjust();
    indAdjust(const indAdjust&) = delete;
    indAdjust& operator=(const indAdjust&) = delete;

    // What the program around it answers: whether the main window takes input, and the
    // current model type (for the memory channel records).
    std::function<bool()> mainEnabled;
    std::function<int()> modelType;

    int State() const { return m_state; }
    void SetState(int state) { m_state = state; }
    // Adjustment mode was asked for (state 14).
    void Request() { m_state = kStateRequested; }
    // Enters adjustment mode, only in state 14: set-up pending, the radio told to get
    // ready. False in any other state. The caller sets the mode and rebuilds the window.
    bool Enter();
    // Adjustment mode ends: a running automatic adjustment is stopped first.
    void Leave();

    // One command to the radio, unless the link is busy or the main window takes no
    // input. With an answer the value read is stored at output; without, value is
    // recorded at output once the radio has taken it.
    bool AdjustCommand(int command, int value, uint8_t* output, bool expectAnswer);
    // The A/D readings of every channel.
    bool ReadAdValues();
    // Automatic adjustments; refused while one runs.
    bool StartBisectionA() { return StartBisection(0); }
    bool StartBisectionB() { return StartBisection(1); }
    bool StartSweepBoth();
    bool StartSweep1();
    bool StartSweep2();
    // The S-meter catch cell's Enter: from idle it asks for the S1 signal; at S1 and at
    // S3 it reads the level several times and stores the average as that level, in the
    // images and the radio, then asks for the next. Refused while anything else runs.
    bool CatchEnter();
    int CatchStep() const { return m_catchStep; }
    bool Catching() const { return m_catch.active; }
    // An automatic adjustment runs (or puts its starting values back).
    bool Running() const;
    // Stops it: the starting values go back into the images and the radio.
    void Stop();

    // The link is idle and no command waits to be sent: the event-driven steps may run.
    bool LinkIdle() const;
    // One step of the set-up, the restoring and the bisection (call on every event).
    void Step();

    // Readings of A/D channel ch (0 to 5, 8 to 19); the raw array of 37 bytes.
    uint8_t Reading(int ch) const;
    const uint8_t* Readings() const { return m_readings; }
    bool readingsDisplay = false;  // the A/D window shows the readings

    // The image that holds what the radio was last told (the saved snapshot).
    cmcEeprom& Snapshot() { return m_snapshot; }
    int ChannelNumber() const { return m_channel; }
    void SetChannelNumber(int ch) { m_channel = ch; }
    int ChannelLimit() const { return m_channelLimit; }
    int Ratio1() const { return m_ratio1; }
    int Ratio2() const { return m_ratio2; }
    int ActiveBisection() const { return m_active; }
    const Bisection& BisectionOf(int item) const { return m_bis[item & 1]; }
    int SweepPhase() const { return m_phase; }
    bool SweepBoth() const { return m_both; }
    const Filter& FilterResult(int f) const { return m_filter[f & 1]; }
    // The evaluation of one sweep step (the level read after the filter was set to value).
    void Evaluate(int value, int level);
    // The ratio a * 64 / b rounded half up, limited to 255 (b of 0: 255, or 0 for a of 0).
    static int Ratio(int a, int b);

private:
    enum class Purpose {
        Plain,
        SetUp,
        Table,
        Bisect,
        BisectRead,
        BisectFinish,
        Restore,
        PreSet,
        Sweeping,
        Middle,
        CatchRead,
        CatchSet,
    };
    // The catch of one S-meter level in progress.
    struct Catch {
        bool active = false;
        bool setting = false;  // the caught level went out: a failure puts the start back
        int count = 0;         // readings taken
        int sum = 0;
        int start = 0;  // the level byte before the catch
        uint8_t reading = 0;
    };
    static void OnDone(void* context, dst_CDrv_Result* result);
    void Done(int result);
    bool Send(int command, int value, uint8_t* output, bool expectAnswer, Purpose purpose);
    bool StartBisection(int item);
    bool StartFilterSweep(int phase);
    void SweepDone();
    void Abandon();
    void SetUp();
    void StepCatch();
    void Queue(int command, int32_t address, int value);
    void Post13();

    indCloneMan& m_man;
    cmcEeprom& m_work;
    cmcEeprom& m_snapshot;
    int m_state = kStateIdle;
    int m_channel = 1;
    int m_channelLimit = 16;
    int m_ratio1 = 0, m_ratio2 = 0;
    uint8_t m_readings[37] = {};
    uint8_t m_adValues[kAdChannels] = {};
    imcCloneDrv::Entry m_table[kAdChannels + 1];
    uint8_t m_tableValue = 0;
    imcCloneDrv::Entry m_select[2];  // the set-up's channel selection
    Bisection m_bis[2];
    int m_active = kNone;
    int m_phase = kPhaseIdle;
    bool m_both = false;
    Filter m_filter[2];
    int m_sweepStart[2] = {0, 0};  // the filters' values before the sweep sequence
    bool m_sweeping = false;       // a sweep sequence runs
    bool m_stopRequested = false;
    int m_catchStep = kCatchIdle;
    Catch m_catch;
    // Values to put back, one command each: (command, address, value).
    struct Restore {
        int command;
        int32_t address;
        int value;
    };
    std::vector<Restore> m_restore;
    // The command in flight and what it is for; a value recorded on success.
    Purpose m_purpose = Purpose::Plain;
    uint8_t* m_record = nullptr;
    uint8_t m_recordValue = 0;
    bool m_inStep = false;
};
