#include "FailingRename.h"

#include <atomic>
#include <cerrno>
#include <cstdio>

#include <dlfcn.h>
#include <fcntl.h>

namespace {

std::atomic<bool> failing{false};
std::atomic<int> calls{0};

template <typename Function>
Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool fails()
{
    if (!failing) return false;
    ++calls;
    errno = EIO;
    return true;
}

}  // namespace

namespace failingRename {

void setFailing(const QString& target)
{
    calls = 0;
    failing = !target.isEmpty();
}

int failedCalls()
{
    return calls;
}

}  // namespace failingRename

// Defined in the executable, these take the place of the C library's for
// Qt too, since the executable comes first in the dynamic linker's search.
extern "C" int rename(const char* from, const char* to) noexcept
{
    static const auto real = next<int (*)(const char*, const char*)>("rename");
    return fails() ? -1 : real(from, to);
}

extern "C" int renameat(int fromFolder, const char* from, int toFolder, const char* to) noexcept
{
    static const auto real = next<int (*)(int, const char*, int, const char*)>("renameat");
    return fails() ? -1 : real(fromFolder, from, toFolder, to);
}

extern "C" int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned int flags) noexcept
{
    static const auto real = next<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2");
    return fails() ? -1 : real(fromFolder, from, toFolder, to, flags);
}
