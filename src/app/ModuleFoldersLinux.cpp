#include "app/ModuleFolders.h"

#include "base/ProgramInfo.h"

#include <QDir>
#include <QFileInfo>

// Beside the executable (the build tree), then where they are installed:
// relative to the executable, then at the full path. The executable's folder
// as QCoreApplication::applicationDirPath() finds it; the window's module is
// loaded before there is a QCoreApplication.
QStringList moduleFolders()
{
    QStringList folders;
    const QFileInfo executable(QStringLiteral("/proc/self/exe"));
    if (executable.exists()) {
        const QDir program(executable.canonicalPath());
        folders << program.path() << QDir::cleanPath(program.filePath(QLatin1String(programInfo::moduleFolderFromProgram)));
    }
    folders << QLatin1String(programInfo::moduleFolder);
    folders.removeDuplicates();
    return folders;
}
