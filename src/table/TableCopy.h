#pragma once

#include <QString>

class Grid;

// A rectangle of the table's cells, rows and columns counted as the grid
// counts them (row 0 the headings, column 0 the entry numbers), both ends
// included.
struct CellBlock {
    int top, left, bottom, right;
};

// Cells as other programs paste them: one line of tab-separated texts per
// row, each ending in "\n", and the same cells as an HTML table.
struct CopiedCells {
    QString text;
    QString html;
};

// The texts of the block exactly as the table shows them. Rows at the lower
// end of the block with no text in it are left out; the heading row comes
// with the copy when it lies in the block (whole columns, the whole table).
// A text holding a tab, a line break or a double quote is quoted as
// spreadsheets quote it, so that it pastes into one cell. The grid is only
// read: neither its texts nor its selected cell change.
CopiedCells copyCells(const Grid& grid, CellBlock block);
