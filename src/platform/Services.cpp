#include "platform/Services.h"

#include "platform/IClock.h"

namespace plat {

Services& Get()
{
    static SteadyClock steady;
    static Services services{&steady};
    return services;
}

}  // namespace plat
