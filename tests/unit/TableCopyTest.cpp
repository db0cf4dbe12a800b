#include "base/NumberText.h"
#include "table/Grid.h"
#include "table/ResultsTable.h"
#include "table/TableCopy.h"

#include <gtest/gtest.h>

namespace {

// Two results, "Neue Eingabe" (rows 3 and 4 empty), and an imported text in
// the number column of row 4.
Grid& tableWithTwoResults(Grid& grid)
{
    const NumberText numbers{QLocale::c()};
    resultsTable::setUp(grid);
    resultsTable::enter(grid, numbers, 10, 2, 0.396278);
    resultsTable::enter(grid, numbers, 12.7, -3, 1.692503);
    resultsTable::prepareNextEntry(grid, 3);
    return grid;
}

TEST(TableCopy, GivesTabSeparatedLinesOfTheSelectedCells)
{
    struct Case {
        const char* what;
        CellBlock block;
        const char* text;
    } cases[] = {
        {"whole table", {0, 0, 4, 4}, "Nr.\tBW\tEinzel BW\tl/sec\tl/min\n1\t10\t2\t0.40\t23.8\n2\t13\t-3\t1.69\t101.6\n"},
        {"whole column", {0, 3, 4, 3}, "l/sec\n0.40\n1.69\n"},
        {"whole row", {2, 0, 2, 4}, "2\t13\t-3\t1.69\t101.6\n"},
        {"cells", {1, 1, 2, 2}, "10\t2\n13\t-3\n"},
        {"one cell", {2, 4, 2, 4}, "101.6\n"},
        {"empty rows only", {3, 0, 4, 4}, ""},
        {"beyond the grid", {1, 3, 9, 9}, "0.40\t23.8\n1.69\t101.6\n"},
    };
    for (const Case& c : cases) {
        Grid grid;
        EXPECT_EQ(copyCells(tableWithTwoResults(grid), c.block).text, QString::fromUtf8(c.text)) << c.what;
    }
}

TEST(TableCopy, KeepsEmptyRowsBetweenTextsAndQuotesWhatWouldSplitACell)
{
    Grid grid;
    tableWithTwoResults(grid);
    grid.setRow(4);
    grid.setCol(0);
    grid.setText(QStringLiteral("Haus \"Süd\"\tA"));
    EXPECT_EQ(copyCells(grid, {1, 0, 4, 0}).text, QStringLiteral("1\n2\n\n\"Haus \"\"Süd\"\"\tA\"\n"));
}

TEST(TableCopy, GivesTheSameCellsAsAnHtmlTable)
{
    Grid grid;
    tableWithTwoResults(grid);
    grid.setRow(1);
    grid.setCol(2);
    grid.setText(QStringLiteral("<2 & 3>"));
    EXPECT_EQ(copyCells(grid, {0, 1, 4, 2}).html,
              QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><table>\n"
                             "<tr><th>BW</th><th>Einzel BW</th></tr>\n"
                             "<tr><td>10</td><td>&lt;2 &amp; 3&gt;</td></tr>\n"
                             "<tr><td>13</td><td>-3</td></tr>\n"
                             "</table></body></html>\n"));
    EXPECT_EQ(copyCells(grid, {3, 0, 4, 4}).html, QString());
}

}  // namespace
