#pragma once

#include "workbook/SheetRows.h"

#include <QString>

// Reads the first table of an OpenDocument spreadsheet (.ods) from the values
// saved in the file: numbers (also percentages and currencies), texts, truth
// values, dates, times and error values; repeated rows and cells as saved.
// A formula saved without its result is handed on as unreadable.
// The rows go to `handler` as they are read, up to lastRow; rows below are
// not read. Returns the table's name.
// Any failure, on any input, is a RuntimeError with a German reason.
QString readOds(const QString& path, int lastRow, const SheetRowHandler& handler);
