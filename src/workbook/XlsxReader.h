#pragma once

#include "workbook/SheetCells.h"

#include <QString>

// Reads the first worksheet of an Office Open XML workbook (.xlsx, .xlsm) from
// the values saved in the file: numbers, shared and inline texts, truth
// values, error values, dates (by the cell's number format) and the saved
// results of formulas. Relationship targets may be relative or absolute part
// names. A formula saved without its result is kept as unreadable.
// Any other failure, on any input, is a RuntimeError with a German reason.
// Rows below rowLimit are not read.
FirstWorksheet readXlsx(const QString& path, int rowLimit = SheetCells::maxRows);
