#include "FailingWrites.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string_view>

#include <dlfcn.h>
#include <sys/prctl.h>
#include <unistd.h>
#include <zip.h>

namespace {

std::atomic<failingWrites::Step> failing{failingWrites::Step::None};
std::atomic<int> calls{0};

template <typename Function>
Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool fails(failingWrites::Step step)
{
    if (failing != step) return false;
    ++calls;
    return true;
}

// The temporary file of a worksheet, which the writer's thread "sheet
// deflate" writes, and nothing else does.
bool isSheetFile()
{
    char name[16] = {};
    return prctl(PR_GET_NAME, name) == 0 && std::string_view(name) == "sheet deflate";
}

}  // namespace

namespace failingWrites {

void failAt(Step step)
{
    calls = 0;
    failing = step;
}

int failedCalls()
{
    return calls;
}

}  // namespace failingWrites

using failingWrites::Step;

// Defined in the executable, these take the place of the C library's and
// libzip's for Qt and for the workbook library linked in.
extern "C" ssize_t write(int fd, const void* data, size_t size)
{
    static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
    if (failing == Step::SheetFile && isSheetFile() && fails(Step::SheetFile)) {
        errno = ENOSPC;
        return -1;
    }
    return real(fd, data, size);
}

extern "C" zip_int64_t zip_file_add(zip_t* archive, const char* name, zip_source_t* source, zip_flags_t flags)
{
    static const auto real = next<zip_int64_t (*)(zip_t*, const char*, zip_source_t*, zip_flags_t)>("zip_file_add");
    if (std::strcmp(name, "xl/styles.xml") == 0 && fails(Step::Entry)) {
        zip_error_set(zip_get_error(archive), ZIP_ER_MEMORY, 0);
        return -1;
    }
    return real(archive, name, source, flags);
}

extern "C" int zip_set_file_compression(zip_t* archive, zip_uint64_t index, zip_int32_t method, zip_uint32_t level)
{
    static const auto real = next<int (*)(zip_t*, zip_uint64_t, zip_int32_t, zip_uint32_t)>("zip_set_file_compression");
    if (fails(Step::Compression)) {
        zip_error_set(zip_get_error(archive), ZIP_ER_COMPNOTSUPP, 0);
        return -1;
    }
    return real(archive, index, method, level);
}

extern "C" int zip_close(zip_t* archive)
{
    static const auto real = next<int (*)(zip_t*)>("zip_close");
    if (fails(Step::Close)) {
        zip_error_set(zip_get_error(archive), ZIP_ER_WRITE, ENOSPC);
        return -1;
    }
    return real(archive);
}
