#pragma once

#include "workbook/WorkbookFiles.h"

#include <QString>

#include <vector>

// Writes a new .xlsx workbook of one worksheet named sheetName holding the
// given cells to the file at path (libxlsxwriter writes only to a named
// file; the program saves a scratch file to its place): texts as texts,
// numbers as numbers in their format. Failures are RuntimeError with a
// German reason.
void writeWorkbook(const QString& path, const QString& sheetName, const std::vector<WrittenCell>& cells);
