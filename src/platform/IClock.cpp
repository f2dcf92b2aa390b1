#include "platform/IClock.h"

#include <chrono>

namespace plat {

uint32_t SteadyClock::Milliseconds()
{
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms);
}

}  // namespace plat
