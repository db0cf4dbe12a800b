#pragma once

#include "base/CellValue.h"
#include "workbook/SheetCells.h"
#include "workbook/SheetRows.h"

#include <QString>

// A workbook file opened for reading, offering what the program asks of a
// spreadsheet's workbook object: its first worksheet through Worksheets(1)
// and a cell through Cells(row, column) and its Value().
//
// The format is recognised by the file's content, not its name: an OLE2
// container (D0 CF 11 E0 ...) is a legacy Excel workbook, a ZIP package with
// [Content_Types].xml an Office Open XML workbook, a ZIP package whose
// mimetype is application/vnd.oasis.opendocument.spreadsheet an OpenDocument
// spreadsheet. Anything else, and any file that cannot be read, is refused
// with a RuntimeError whose text is the German reason.

class Cell {
public:
    explicit Cell(CellValue value) : m_value(std::move(value)) {}
    const CellValue& Value() const { return m_value; }

private:
    CellValue m_value;
};

class Worksheet {
public:
    Worksheet(QString name, SheetCells cells) : m_name(std::move(name)), m_cells(std::move(cells)) {}
    const QString& Name() const { return m_name; }
    // Row and column from 1 (Cells(2, 1) is A2). A cell whose value the file
    // does not hold (a formula saved without its result) is a RuntimeError.
    Cell Cells(int row, int column) const;

private:
    QString m_name;
    SheetCells m_cells;
};

class Workbook {
public:
    enum class Format { Xls, Xlsx, Ods };

    // Reads the file at once, the first worksheet's rows 1 to rowLimit only
    // (through readRows): what lies below is neither read nor checked, so the
    // cost of reading does not grow with the workbook. Throws RuntimeError
    // with the German reason.
    explicit Workbook(const QString& path, int rowLimit = SheetCells::maxRows);

    // Only the first worksheet is read: index 1.
    const Worksheet& Worksheets(int index) const;
    Format format() const { return m_format; }

    // Recognises the format by content; throws RuntimeError for files that
    // are missing, unreadable, empty or no workbook.
    static Format detectFormat(const QString& path);
    // Throws RuntimeError for a path that is missing, a folder, unreadable or empty.
    static void checkReadable(const QString& path);

    // The rows of the first worksheet up to lastRow, as the reader of its
    // format (detectFormat, decided where the file is opened) hands them on:
    // one reader a format, for this class and for every other use; returns
    // the sheet's name. Throws RuntimeError.
    static QString readRows(Format format, const QString& path, int lastRow, const SheetRowHandler& handler);

private:
    Format m_format;
    Worksheet m_sheet;
};
