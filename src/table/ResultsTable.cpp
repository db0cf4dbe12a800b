#include "table/ResultsTable.h"

#include "base/NumberText.h"
#include "table/Grid.h"

#include <array>

namespace resultsTable {

namespace {

constexpr int totalColumn = 1;  // decides whether a row is occupied

void writeCell(Grid& grid, int row, int col, const QString& text)
{
    grid.setRow(row);
    grid.setCol(col);
    grid.setText(text);
}

bool isEmpty(Grid& grid, int row, int col)
{
    grid.setRow(row);
    grid.setCol(col);
    return grid.text().isEmpty();
}

void writeHeaders(Grid& grid)
{
    static const std::array<QString, columnCount> headers{
        QStringLiteral("Nr."), QStringLiteral("BW"), QStringLiteral("Einzel BW"),
        QStringLiteral("l/sec"), QStringLiteral("l/min")};
    for (int c = 0; c < columnCount; ++c) writeCell(grid, 0, c, headers[std::size_t(c)]);
}

// The last row with text in any column (imported numbers included), 0 when
// only the header row has text.
int lastRowWithText(Grid& grid)
{
    for (int r = grid.rows() - 1; r > 0; --r)
        for (int c = 0; c < grid.cols(); ++c)
            if (!isEmpty(grid, r, c)) return r;
    return 0;
}

}  // namespace

void setUp(Grid& grid)
{
    grid.setRows(rowsAtSetUp);
    grid.setCols(columnCount);
    writeHeaders(grid);
}

int firstFreeRow(Grid& grid)
{
    int z = 1;
    while (z < grid.rows() && !isEmpty(grid, z, totalColumn)) ++z;
    return z;
}

void enter(Grid& grid, const NumberText& numbers, double total, double largestUnit, double flow)
{
    using P = NumberText::Pattern;
    const int z = firstFreeRow(grid);
    if (z >= grid.rows()) grid.setRows(z + 1);
    writeCell(grid, z, 0, numbers.format(z, P::Whole));
    writeCell(grid, z, 1, numbers.format(total, P::Whole));
    writeCell(grid, z, 2, numbers.format(largestUnit, P::Whole));
    writeCell(grid, z, 3, numbers.format(flow, P::TwoDecimals));
    writeCell(grid, z, 4, numbers.format(flow * 60, P::OneDecimal));
}

void prepareNextEntry(Grid& grid, int firstFree)
{
    grid.setRows(std::max(firstFree + 2, lastRowWithText(grid) + 1));
    grid.setCols(columnCount);
    writeHeaders(grid);
}

}  // namespace resultsTable
