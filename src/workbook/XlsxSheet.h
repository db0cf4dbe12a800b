#pragma once

#include "workbook/SheetRows.h"
#include "workbook/SpreadsheetDate.h"

#include <QString>

#include <vector>

class XlsxSharedStrings;
class ZipPackage;

// What the workbook's other parts say about the cells of a worksheet.
struct XlsxSheetContext {
    const std::vector<bool>& dateStyles;  // for each cell format: shows a date
    spreadsheetDate::System system;
    XlsxSharedStrings& sharedStrings;
};

// Reads the cells of one worksheet part into rows, as far as `rows` is
// active: numbers, shared and inline texts, truth values, error values,
// dates (by the cell's format) and the saved results of formulas; a formula
// saved without its result and a damaged value are unreadable cells. The
// sheet's dimension is not read: it may declare any size.
void readXlsxSheet(const ZipPackage& zip, const QString& part, const XlsxSheetContext& context, RowAssembler& rows);
