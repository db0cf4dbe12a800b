#include "app/WorkbookModule.h"

#include "base/RuntimeError.h"
#include "workbook/WorkbookFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

WorkbookModule::WorkbookModule()
{
    const QString file = QStringLiteral(GIPFELFLUSS_MODULE_FILE);
    if (QCoreApplication::instance()) {
        const QDir program(QCoreApplication::applicationDirPath());
        m_paths << program.filePath(file)
                << QDir::cleanPath(program.filePath(QStringLiteral(GIPFELFLUSS_MODULE_FROM_BIN "/") + file));
    }
    m_paths << QStringLiteral(GIPFELFLUSS_MODULE_INSTALLED "/") + file;
    m_paths.removeDuplicates();
}

const WorkbookFiles& WorkbookModule::files()
{
    if (m_files) return *m_files;
    QString path;
    for (const QString& candidate : std::as_const(m_paths))
        if (QFileInfo(candidate).isFile()) {
            path = candidate;
            break;
        }
    if (path.isEmpty()) {
        QStringList shown;
        for (const QString& candidate : std::as_const(m_paths)) shown << QDir::toNativeSeparators(candidate);
        throw RuntimeError(QStringLiteral("Das Programmmodul für Arbeitsmappen ist nicht installiert (gesucht: %1).")
                               .arg(shown.join(QStringLiteral(", "))));
    }
    const QString shown = QDir::toNativeSeparators(path);
    QLibrary library(path);
    if (!library.load())
        throw RuntimeError(QStringLiteral("Das Programmmodul für Arbeitsmappen „%1“ kann nicht geladen werden: %2")
                               .arg(shown, library.errorString()));
    const auto factory = reinterpret_cast<WorkbookFilesFactory>(library.resolve(workbookFilesFactoryName));
    const WorkbookFiles* files = factory ? factory(WorkbookFiles::version) : nullptr;
    if (!files) {
        library.unload();
        throw RuntimeError(QStringLiteral("Das Programmmodul für Arbeitsmappen „%1“ gehört zu einer anderen Programmversion.")
                               .arg(shown));
    }
    // The module stays loaded for the rest of the program's run.
    m_files = files;
    return *m_files;
}
