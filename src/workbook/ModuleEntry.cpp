#include "workbook/LinkedWorkbookFiles.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT const WorkbookFiles* gipfelflussWorkbookFiles(int version)
{
    return version == WorkbookFiles::version ? &linkedWorkbookFiles() : nullptr;
}
