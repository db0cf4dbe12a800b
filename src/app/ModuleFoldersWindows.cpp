#include "app/ModuleFolders.h"

#include <QFileInfo>

#include <string>

#include <windows.h>

// The modules are DLLs beside the executable, in a build as where the
// program is installed or unpacked: the folder is the executable's own,
// wherever that is.
QStringList moduleFolders()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return {QFileInfo(QString::fromStdWString(path)).absolutePath()};
}
