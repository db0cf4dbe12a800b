#pragma once

#include "workbook/CellValue.h"

#include <QString>

#include <variant>
#include <vector>

// One cell of a workbook to be written: row and column from 1, a text or a
// number, and for a number the format code that shows it ("0.00"); an empty
// code is the spreadsheet's general format.
struct WrittenCell {
    int row;
    int col;
    std::variant<QString, double> value;
    QString numberFormat;
};

// What the program asks of workbook files. The formats live in a module of
// their own (gipfelfluss-workbook.so) that is loaded on first use; no
// exception crosses between the module and the program, a failure comes back
// as its German reason.
class WorkbookFiles {
public:
    // Raised whenever this interface changes; the program refuses a module of another.
    static constexpr int version = 1;
    // The module's one exported function: `const WorkbookFiles* (int version)`,
    // giving its WorkbookFiles, or null when the program asks for another version.
    static constexpr char factoryName[] = "gipfelflussWorkbookFiles";

    virtual ~WorkbookFiles() = default;

    // The values of one column of the first worksheet, rows firstRow to
    // lastRow (from 1), into values. Returns the empty text when read,
    // otherwise the reason why the file, or one of these cells, cannot be read.
    virtual QString readColumn(const QString& path, int column, int firstRow, int lastRow,
                               std::vector<CellValue>& values) const = 0;

    // An .xlsx workbook of one worksheet with the given name holding the
    // given cells, written as a new file at path (a scratch file, which the
    // program saves to its place). Returns the empty text when written,
    // otherwise the reason.
    virtual QString writeWorkbook(const QString& path, const QString& sheetName,
                                  const std::vector<WrittenCell>& cells) const = 0;
};
