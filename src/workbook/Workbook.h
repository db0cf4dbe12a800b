#pragma once

#include "workbook/CellValue.h"
#include "workbook/SheetCells.h"

#include <QString>

#include <functional>

// A workbook file opened for reading, offering what the program asks of a
// spreadsheet's workbook object: its first worksheet through Worksheets(1), a
// cell through Cells(row, column) and its Value(), and Parent().Windows(1)
// whose Visible shows the workbook to the user.
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

// The window in which the workbook is shown: the desktop's default
// application for the file.
class WorkbookWindow {
public:
    using ShowDocument = std::function<bool(const QString& path)>;
    WorkbookWindow(QString path, ShowDocument show) : m_path(std::move(path)), m_show(std::move(show)) {}

    bool Visible() const { return m_visible; }
    // Showing hands the file to the desktop; where no application takes it,
    // the window simply stays hidden. Hiding a shown workbook is not possible.
    void setVisible(bool visible);

private:
    QString m_path;
    ShowDocument m_show;
    bool m_visible = false;
};

// The program that shows workbooks; it has the one window of the workbook.
class WorkbookApplication {
public:
    explicit WorkbookApplication(WorkbookWindow window) : m_window(std::move(window)) {}
    WorkbookWindow& Windows(int index);

private:
    WorkbookWindow m_window;
};

class Workbook {
public:
    enum class Format { Xls, Xlsx, Ods };

    // Reads the file at once; throws RuntimeError with the German reason.
    explicit Workbook(const QString& path, WorkbookWindow::ShowDocument show = {});

    // Only the first worksheet is read: index 1.
    const Worksheet& Worksheets(int index) const;
    WorkbookApplication& Parent() { return m_application; }
    Format format() const { return m_format; }

    // Recognises the format by content; throws RuntimeError for files that
    // are missing, unreadable, empty or no workbook.
    static Format detectFormat(const QString& path);

private:
    QString m_path;
    Format m_format;
    Worksheet m_sheet;
    WorkbookApplication m_application;
};
