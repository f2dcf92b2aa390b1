#pragma once
#include <cstdint>

// What the clone manager asks of the window around it while a link operation runs. The
// main window installs one; the command line has its own; without one nothing is shown.
class ICloneUi {
public:
    virtual ~ICloneUi() = default;
    // The main window is disabled while an operation runs, so no second one can start.
    virtual void EnableMainWindow(bool enabled) = 0;
    // After an operation (except the adjustment table read) the main window takes the focus.
    virtual void FocusMainWindow() {}
    // The progress display of a read or write: shown at the start (if not shown yet),
    // updated every 30 ms with the data bytes moved out of the total, closed at the end.
    virtual void ShowProgress() = 0;
    virtual void UpdateProgress(int32_t done, int32_t total) = 0;
    virtual void CloseProgress() = 0;
};
