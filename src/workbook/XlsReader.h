#pragma once

#include "workbook/SheetRows.h"

#include <QString>

// Reads the first worksheet of a legacy Excel workbook (.xls, Excel 5 to
// 2003): numbers, texts, dates (by the cell's number format), truth and error
// values and the saved results of formulas. libgsf opens the OLE2 container;
// the cell records of the workbook stream are read here one at a time, every
// read checked against the record's end.
// The rows go to `handler` as they are read, up to lastRow; rows below are
// not read. Returns the sheet's name.
// Any failure, on any input, is a RuntimeError with a German reason.
QString readXls(const QString& path, int lastRow, const SheetRowHandler& handler);
