#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/ICloneUi.h"
#include "link/IPort.h"
#include "overlay/cmcGTex.h"
#include "support/ScopedGlobal.h"
#include "support/TestServices.h"

namespace linktest {

// The installed English overlay as the program's main store, for the messages.
class OverlayInstalled {
public:
    OverlayInstalled();
    ~OverlayInstalled();

private:
    cmcGTex m_store;
    qvtest::ScopedGlobal<cmcGTex> m_global{g_GTex};
};

// Steps the manual clock 10 ms at a time until done or limitMs have passed.
bool RunManual(const std::function<bool()>& done, uint32_t limitMs = 60000);
// The waiter a driver needs on the manual clock: the short blocking waits move it.
std::function<void(uint32_t)> ManualWaiter();

// A port whose peer is the test: it sees every byte sent and may answer, and can be
// told to keep output pending or to fail writing.
class ScriptedPort : public IPort {
public:
    bool Open(int, const std::string& settings) override { return DoOpen(settings); }
    bool OpenDevice(const std::string&, const std::string& settings) override
    {
        return DoOpen(settings);
    }
    void Close() override
    {
        if (open)
            ++closes;
        open = false;
    }
    bool IsOpen() const override { return open; }
    int Send(const void* bytes, int32_t length) override;
    int32_t Read(void* buffer, int32_t length) override;
    void PurgeInput() override
    {
        input.clear();
        ++purges;
    }
    int32_t InputCount() const override { return static_cast<int32_t>(input.size()); }
    int32_t PendingCount() const override { return pending; }
    void SetRtsMode(int mode) override { rts = mode; }
    bool WriteError() const override { return writeError; }

    void Push(const std::vector<uint8_t>& bytes)
    {
        input.insert(input.end(), bytes.begin(), bytes.end());
    }

    // Called with each piece sent; may Push an answer.
    std::function<void(const std::vector<uint8_t>&)> onSend;
    std::deque<uint8_t> input;
    std::vector<uint8_t> sent;
    std::vector<std::string> openings;
    bool canOpen = true;
    bool open = false;
    bool writeError = false;
    int32_t pending = 0;
    int rts = -1;
    int closes = 0;
    int purges = 0;

private:
    bool DoOpen(const std::string& settings);
};

// Records what the manager asks of the window around it.
class RecordingUi : public ICloneUi {
public:
    void EnableMainWindow(bool enabled) override
    {
        this->enabled = enabled;
        ++(enabled ? enables : disables);
    }
    void FocusMainWindow() override { ++focuses; }
    void ShowProgress() override
    {
        progressShown = true;
        ++shows;
    }
    void UpdateProgress(int32_t done, int32_t total) override
    {
        lastDone = done;
        lastTotal = total;
        ++updates;
    }
    void CloseProgress() override { progressShown = false; }

    bool enabled = true;
    bool progressShown = false;
    int enables = 0, disables = 0, focuses = 0, shows = 0, updates = 0;
    int32_t lastDone = 0, lastTotal = 0;
};

// Finds a byte sequence in another; the position or -1.
long Find(const std::vector<uint8_t>& hay, const std::vector<uint8_t>& needle, size_t from = 0);

}  // namespace linktest
