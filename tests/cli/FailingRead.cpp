// Preloaded by cli_test.sh into quorvex-cli, so that reading its input fails in the middle, as a
// disk's or a network file system's can: read() gives the first FAIL_READ_AFTER bytes of what it
// reads, then the error EIO.

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

#include <dlfcn.h>
#include <unistd.h>

extern "C" ssize_t read(int file, void *buffer, std::size_t size)
{
    using Read = ssize_t (*)(int, void *, std::size_t);
    static const auto realRead = reinterpret_cast<Read>(dlsym(RTLD_NEXT, "read"));
    static const char *const limit = std::getenv("FAIL_READ_AFTER");
    static std::size_t left = limit ? std::stoul(limit) : 0;
    if (left == 0) {
        errno = EIO;
        return -1;
    }
    const auto got = realRead(file, buffer, std::min(size, left));
    left -= static_cast<std::size_t>(std::max<ssize_t>(got, 0));
    return got;
}
