#pragma once

#include <QStringList>

// The folders the program's modules are looked for in, in this order. Where
// they are differs between Linux and Windows (ModuleFoldersLinux.cpp,
// ModuleFoldersWindows.cpp); both begin with the executable's own folder,
// where a build keeps them.
QStringList moduleFolders();
