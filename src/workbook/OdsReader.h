#pragma once

#include "workbook/SheetCells.h"

#include <QString>

// Reads the first table of an OpenDocument spreadsheet (.ods) from the values
// saved in the file: numbers (also percentages and currencies), texts, truth
// values, dates, times and error values; repeated rows and cells as saved.
// A formula saved without its result is kept as unreadable.
// Any other failure, on any input, is a RuntimeError with a German reason.
// Rows below rowLimit are not read.
FirstWorksheet readOds(const QString& path, int rowLimit = SheetCells::maxRows);
