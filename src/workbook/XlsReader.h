#pragma once

#include "workbook/SheetCells.h"

#include <QString>

// Reads the first worksheet of a legacy Excel workbook (.xls, Excel 5 to
// 2003): numbers, texts, dates (by the cell's number format), truth and error
// values and the saved results of formulas. libgsf opens the OLE2 container;
// the cell records of the workbook stream are read here, every read checked
// against the stream's end.
// Any failure, on any input, is a RuntimeError with a German reason.
// Rows below rowLimit are not read.
FirstWorksheet readXls(const QString& path, int rowLimit = SheetCells::maxRows);
