#pragma once

#include "workbook/WorkbookFiles.h"

// The workbook files of this library, for the module's exported function and
// for tests and benchmarks that link the library directly.
const WorkbookFiles& linkedWorkbookFiles();
