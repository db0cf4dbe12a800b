#pragma once

#include "base/CellValue.h"

#include <QString>

#include <functional>
#include <memory>
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

// A workbook being written row by row, rows in ascending order, so that a
// large sheet is never held in memory (its rows wait in a temporary file).
// Nothing is written to the path before finish(); a writer destroyed without
// finish() leaves no file.
class RowWriter {
public:
    virtual ~RowWriter() = default;
    // The cells of one row, all of that row, in ascending columns; the row is
    // above every row added before. Returns the empty text or the reason why
    // the row cannot be written (after which nothing more is written).
    virtual QString addRow(const std::vector<WrittenCell>& cells) = 0;
    // Completes the file at the writer's path; the empty text or the reason.
    virtual QString finish() = 0;
};

// What the program asks of workbook files. The formats live in a module of
// their own (gipfelfluss-workbook.so) that is loaded on first use; no
// exception crosses between the module and the program, a failure comes back
// as its German reason.
class WorkbookFiles {
public:
    // Raised whenever this interface changes; the program refuses a module of another.
    static constexpr int version = 3;
    // The module's one exported function: `const WorkbookFiles* (int version)`,
    // giving its WorkbookFiles, or null when the program asks for another version.
    static constexpr char factoryName[] = "gipfelflussWorkbookFiles";

    // One row that holds anything: its number from 1 and its cells from
    // column 1 up to its last cell that holds anything (empty cells between
    // are std::monostate). Returning false stops the reading (not a failure).
    using RowHandler = std::function<bool(int row, const std::vector<CellValue>& cells)>;

    // What a file holds, decided once, where it is opened: separated text by
    // its name (.csv, .tsv or .txt), whose fields are all texts; otherwise a
    // workbook, whose format its content tells.
    enum class FileKind { SeparatedText, Workbook };

    virtual ~WorkbookFiles() = default;

    // The values of one column of the first worksheet, rows firstRow to
    // lastRow (from 1), into values. Returns the empty text when read,
    // otherwise the reason why the file, or one of these cells, cannot be read.
    virtual QString readColumn(const QString& path, int column, int firstRow, int lastRow,
                               std::vector<CellValue>& values) const = 0;

    // Streams the rows of the first worksheet of a workbook (.xls, .xlsx,
    // .ods, told apart by content) or of a CSV file (by its name: .csv, .tsv
    // or .txt; separator, quoting and encoding found from the file) to
    // `handler`, in ascending order, rows that hold nothing left out, up to
    // lastRow. Memory stays bounded whatever the file: nothing is kept of
    // rows already handed on. Returns the empty text when read to the end
    // (or stopped by the handler), otherwise the reason; rows handed on
    // before a failure are not taken back. `kind` is set to what the file
    // holds before the first row is handed on.
    virtual QString readRows(const QString& path, int lastRow, const RowHandler& handler, FileKind& kind) const = 0;
    QString readRows(const QString& path, int lastRow, const RowHandler& handler) const
    {
        FileKind kind;
        return readRows(path, lastRow, handler, kind);
    }

    // A new .xlsx workbook of one worksheet with the given name at path (a
    // scratch file, which the program saves to its place); null with the
    // reason in `reason` when it cannot be begun.
    virtual std::unique_ptr<RowWriter> newWorkbook(const QString& path, const QString& sheetName,
                                                   QString& reason) const = 0;

    // An .xlsx workbook of one worksheet holding the given cells, in any
    // order, written as a new file at path. Returns the empty text when
    // written, otherwise the reason.
    virtual QString writeWorkbook(const QString& path, const QString& sheetName,
                                  const std::vector<WrittenCell>& cells) const = 0;
};
