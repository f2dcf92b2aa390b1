#include "FuzzSupport.h"

#include <sys/mman.h>
#include <unistd.h>

std::string InputAsFile(const uint8_t* data, size_t size)
{
    static int fd = -1;
    if (fd < 0)
        fd = memfd_create("fuzz-input", 0);
    if (fd < 0)
        return {};
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        return {};
    return "/proc/self/fd/" + std::to_string(fd);
}
