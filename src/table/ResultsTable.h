#pragma once

#include <QString>

class Grid;
class NumberText;

// The results table kept in the grid: header row 0, one data row per
// completed calculation. A data row is occupied when its column 1 ("BW") holds
// text; rows fill strictly from the top. The grid is the only store.
namespace resultsTable {

inline constexpr int columnCount = 5;
inline constexpr int rowsAtSetUp = 3;  // header and two empty data rows

// When "Neue Eingabe" finds this row to be the first free one (rows 1 to 25
// occupied), the user is told that the table is full.
inline constexpr int fullTableRow = 26;

// Row count 3, five columns, the headers "Nr.", "BW", "Einzel BW", "l/sec", "l/min".
void setUp(Grid& grid);

// First data row whose column 1 is empty, searching every row the grid has;
// rows() when all are occupied.
int firstFreeRow(Grid& grid);

// Writes one completed calculation into the first free row: its number, the
// total and the largest single unit ("0"), Q ("0.00") and Q * 60 ("0.0"), Q in
// l/s and unrounded. A grid without a free row grows by one, so no result is lost.
void enter(Grid& grid, const NumberText& numbers, double total, double largestUnit, double flow);

// After "Neue Eingabe": the row count becomes the first free row plus 2 (the
// next row to fill and one empty row below it), but never cuts off a row that
// holds any text; five columns and the headers written again.
void prepareNextEntry(Grid& grid, int firstFree);

}  // namespace resultsTable
