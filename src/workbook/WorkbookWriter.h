#pragma once

#include "workbook/WorkbookFiles.h"

#include <QString>

#include <vector>

class QIODevice;

// Writes a new .xlsx workbook of one worksheet named sheetName holding the
// given cells to device: texts as texts, numbers as numbers in their format.
// Failures are RuntimeError with a German reason; what device received by
// then is no workbook.
void writeWorkbook(QIODevice& device, const QString& sheetName, const std::vector<WrittenCell>& cells);
