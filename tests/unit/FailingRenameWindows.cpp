#include "FailingRename.h"

#include <windows.h>

namespace {

HANDLE held = INVALID_HANDLE_VALUE;

}  // namespace

namespace failingRename {

void setFailing(const QString& target)
{
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    held = INVALID_HANDLE_VALUE;
    if (target.isEmpty()) return;
    held = CreateFileW(reinterpret_cast<const wchar_t*>(target.utf16()), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

int failedCalls()
{
    return held != INVALID_HANDLE_VALUE ? 1 : 0;
}

}  // namespace failingRename
