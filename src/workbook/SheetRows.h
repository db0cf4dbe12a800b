#pragma once

#include "base/CellValue.h"

#include <QString>

#include <functional>
#include <utility>
#include <vector>

// One row of a worksheet as a reader hands it on: its number from 1, its
// cells from column 1 to the last one that holds anything (empty cells
// between are std::monostate; an empty text counts as empty), and the cells
// whose value the file does not give, with the reason (a formula saved
// without its result, a damaged value); those are std::monostate in cells.
struct SheetRow {
    int number = 0;
    std::vector<CellValue> cells;
    std::vector<std::pair<int, QString>> unreadable;  // column from 1, reason
};

// Receives the rows of a sheet in ascending order, rows that hold nothing
// (holdsNothing: no cell but blank texts, none unreadable) left out; returning false stops the reading.
using SheetRowHandler = std::function<bool(const SheetRow&)>;

// Gathers a reader's cells into rows and hands each finished row on, so that
// no reader keeps more than the row it is reading. Rows beyond lastRow or the
// largest sheet (1048576 rows, 16384 columns) are not handed on; a cell of a
// row above the one being gathered (rows out of order) is left out.
class RowAssembler {
public:
    RowAssembler(int lastRow, const SheetRowHandler& handler) : m_lastRow(lastRow), m_handler(handler) {}

    // False once reading need not go on: past lastRow, or stopped by the handler.
    bool active() const { return m_active; }
    bool stoppedByHandler() const { return m_stopped; }
    // The row being gathered, from 1; 0 before the first cell.
    int row() const { return m_row.number; }

    // A cell of `row` (from 1); a later row than the one being gathered hands that one on first.
    void set(int row, int col, CellValue value);
    void setUnreadable(int row, int col, QString reason);
    // Hands on the row being gathered, and the same cells for the `repeats - 1`
    // rows after it (an OpenDocument repetition); empty rows cost nothing.
    void endRow(qint64 repeats = 1);

private:
    bool startCell(int row, int col);

    int m_lastRow;
    const SheetRowHandler& m_handler;
    SheetRow m_row;
    int m_nextRow = 1;  // the first row a cell may still go to
    bool m_active = true;
    bool m_stopped = false;
};
