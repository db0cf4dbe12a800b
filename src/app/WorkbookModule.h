#pragma once

#include <QStringList>

class WorkbookFiles;

// The workbook file formats, loaded from their module (gipfelfluss-workbook.so)
// on first use: the spreadsheet libraries it brings (libgsf, libzip,
// libxlsxwriter and theirs) cost start-up time that only an import or an
// export needs. The module stays loaded once it is.
class WorkbookModule {
public:
    // The program's: the module beside the executable (the build tree), else
    // where it is installed, relative to the executable, else at the full path.
    WorkbookModule();
    // The module file at the first of these paths that exists.
    explicit WorkbookModule(QStringList paths) : m_paths(std::move(paths)) {}
    // Workbook files already in the process (tests and benchmarks link them).
    explicit WorkbookModule(const WorkbookFiles& linked) : m_files(&linked) {}

    // Loads the module on the first call; throws RuntimeError with the German
    // reason when it is missing or cannot be loaded, and tries again next time.
    const WorkbookFiles& files();

private:
    QStringList m_paths;
    const WorkbookFiles* m_files = nullptr;
};
