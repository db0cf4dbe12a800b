#pragma once

#include "app/ModuleFile.h"

class WorkbookFiles;

// The workbook file formats, loaded from their module (gipfelfluss-workbook.so)
// on first use: the spreadsheet libraries it brings (libgsf, libzip,
// libxml2 and theirs) cost start-up time that only an import or an
// export needs.
class WorkbookModule {
public:
    // The program's module, where the program keeps it.
    WorkbookModule();
    // The module file at the first of these paths that exists.
    explicit WorkbookModule(QStringList paths);
    // Workbook files already in the process (tests and benchmarks link them).
    explicit WorkbookModule(const WorkbookFiles& linked);

    // Loads the module on the first call; throws RuntimeError with the German
    // reason when it is missing or cannot be loaded, and tries again next time.
    const WorkbookFiles& files();

private:
    ModuleFile m_file;
    const WorkbookFiles* m_files = nullptr;
};
