#pragma once
#include "platform/IClock.h"
#include "platform/IDesktop.h"
#include "platform/IMessageBoxes.h"
#include "platform/ISettingsBackend.h"
#include "platform/ITimerHost.h"
#include "support/TestMessageBoxes.h"

namespace qvtest {

// The doubles every test runs with: a manual clock and timer host, strict scripted
// message boxes, in-memory settings and a fixed desktop. Reset() puts them back to new.
struct TestServices {
    plat::ManualClock clock;
    plat::ManualTimerHost timers{clock};
    TestMessageBoxes boxes;
    plat::MemorySettingsBackend settings;
    plat::FixedDesktop desktop;
};

TestServices& Services();
// Fresh doubles, installed into plat::Get().
void ResetServices();

}  // namespace qvtest
