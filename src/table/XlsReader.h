#pragma once

#include "table/SheetCells.h"

#include <QString>

// Reads the first worksheet of a legacy Excel workbook (.xls, Excel 5 to
// 2003). FreeXL reads numbers, texts and dates; the saved results of formulas
// and the truth and error values, which FreeXL leaves empty or turns into
// numbers, are read from the workbook stream's own cell records.
// Any failure, on any input, is a RuntimeError with a German reason.
FirstWorksheet readXls(const QString& path);
