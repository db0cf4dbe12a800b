#pragma once

#include "workbook/SheetRows.h"

#include <QString>

// Reads the first worksheet of an Office Open XML workbook (.xlsx, .xlsm) from
// the values saved in the file: numbers, shared and inline texts, truth
// values, error values, dates (by the cell's number format) and the saved
// results of formulas. Relationship targets may be relative or absolute part
// names. A formula saved without its result is handed on as unreadable.
// The rows go to `handler` as they are read, up to lastRow; rows below are
// not read. Returns the sheet's name.
// Any failure, on any input, is a RuntimeError with a German reason.
QString readXlsx(const QString& path, int lastRow, const SheetRowHandler& handler);
