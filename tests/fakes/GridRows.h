#pragma once

#include "table/Grid.h"

#include <QStringList>

#include <vector>

// The texts of one grid row, or of all rows, for comparing whole rows in tests.
inline QStringList gridRow(const Grid& grid, int row)
{
    QStringList cells;
    for (int c = 0; c < grid.cols(); ++c) cells << grid.cell(row, c);
    return cells;
}

inline std::vector<QStringList> gridRows(const Grid& grid)
{
    std::vector<QStringList> rows;
    for (int r = 0; r < grid.rows(); ++r) rows.push_back(gridRow(grid, r));
    return rows;
}
