#pragma once

#include "workbook/WorkbookFiles.h"

#include <QString>

#include <memory>
#include <vector>

// A new .xlsx workbook of one worksheet named sheetName at path, written row
// by row through libxlsxwriter in its constant-memory mode (libxlsxwriter
// writes only to a named file; the program saves a scratch file to its
// place): texts as texts (inline, as that mode writes them), numbers as
// numbers in their format. Throws RuntimeError with a German reason when the
// workbook cannot be begun.
std::unique_ptr<RowWriter> newRowWriter(const QString& path, const QString& sheetName);

// The same for cells in any order: sorted by row and column (of two cells
// in one place the later one counts) and written through a RowWriter.
// Failures are RuntimeError with a German reason.
void writeWorkbook(const QString& path, const QString& sheetName, const std::vector<WrittenCell>& cells);
