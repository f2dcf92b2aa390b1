#pragma once

namespace plat {

class IClock;
class ITimerHost;
class IMessageBoxes;
class IFatalBox;
class ISettingsBackend;
class IDesktop;

// The platform services the program uses. The program installs the real ones at start;
// the tests install doubles. A service may be null where nothing needs it.
struct Services {
    IClock* clock = nullptr;
    ITimerHost* timers = nullptr;
    IMessageBoxes* boxes = nullptr;
    IFatalBox* fatalBox = nullptr;
    ISettingsBackend* settings = nullptr;
    IDesktop* desktop = nullptr;
};

Services& Get();

}  // namespace plat
