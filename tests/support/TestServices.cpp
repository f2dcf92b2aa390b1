#include "support/TestServices.h"

#include <memory>

#include "platform/Services.h"

namespace qvtest {

namespace {
std::unique_ptr<TestServices> g_services;
}

TestServices& Services()
{
    if (!g_services)
        ResetServices();
    return *g_services;
}

void ResetServices()
{
    auto next = std::make_unique<TestServices>();
    plat::Services& s = plat::Get();
    s.clock = &next->clock;
    s.timers = &next->timers;
    s.boxes = &next->boxes;
    s.settings = &next->settings;
    s.desktop = &next->desktop;
    s.fatalBox = nullptr;
    g_services = std::move(next);
}

}  // namespace qvtest
