#pragma once

#include "workbook/WorkbookFiles.h"

#include <QString>

#include <memory>
#include <vector>

// A new .xlsx workbook of one worksheet named sheetName at path, written row
// by row: the sheet's rows wait in a temporary file beside path, and finish()
// packs the workbook with libzip at path (a scratch file, which the program
// saves to its place). Texts as inline texts, numbers as numbers in their
// format. Throws RuntimeError with a German reason when the
// workbook cannot be begun.
std::unique_ptr<RowWriter> newRowWriter(const QString& path, const QString& sheetName);

// The same for cells in any order: sorted by row and column (of two cells
// in one place the later one counts) and written through a RowWriter.
// Failures are RuntimeError with a German reason.
void writeWorkbook(const QString& path, const QString& sheetName, const std::vector<WrittenCell>& cells);
