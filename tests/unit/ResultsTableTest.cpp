#include "base/NumberText.h"
#include "table/Grid.h"
#include "table/ResultsTable.h"
#include "fakes/GridRows.h"
#include "fakes/QtPrinters.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

class ResultsTable : public testing::Test {
protected:
    void SetUp() override { resultsTable::setUp(grid); }
    void enter(double total, double largest, double flow) { resultsTable::enter(grid, numbers, total, largest, flow); }

    Grid grid;
    NumberText numbers{QLocale::c()};
};

TEST_F(ResultsTable, StartsWithHeadersAndTwoEmptyRows)
{
    EXPECT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.cols(), 5);
    EXPECT_EQ(gridRow(grid, 0), QStringList({"Nr.", "BW", "Einzel BW", "l/sec", "l/min"}));
    EXPECT_EQ(gridRow(grid, 1), QStringList({"", "", "", "", ""}));
    EXPECT_EQ(resultsTable::firstFreeRow(grid), 1);
}

TEST_F(ResultsTable, EntersNumbersWithTheColumnsPatterns)
{
    enter(10, 2, 0.396278);
    enter(12.7, -3, 1.692503);
    EXPECT_EQ(gridRow(grid, 1), QStringList({"1", "10", "2", "0.40", "23.8"}));
    EXPECT_EQ(gridRow(grid, 2), QStringList({"2", "13", "-3", "1.69", "101.6"}));
    EXPECT_EQ(resultsTable::firstFreeRow(grid), 3);
}

TEST_F(ResultsTable, AFullGridGrowsSoThatNoResultIsLost)
{
    enter(10, 2, 0.4);
    enter(20, 2, 0.5);
    EXPECT_EQ(grid.rows(), 3);
    enter(30, 2, 0.6);  // no free row left: the table takes a new one
    EXPECT_EQ(grid.rows(), 4);
    EXPECT_EQ(gridRow(grid, 3), QStringList({"3", "30", "2", "0.60", "36.0"}));
}

TEST_F(ResultsTable, OnlyTheTotalColumnDecidesWhetherARowIsTaken)
{
    grid.setRow(1);
    grid.setCol(0);
    grid.setText("imported");
    EXPECT_EQ(resultsTable::firstFreeRow(grid), 1);
    enter(10, 2, 0.4);
    EXPECT_EQ(gridRow(grid, 1).first(), "1");
}

struct Prepare {
    int occupied;
    int importedUpTo;  // last row with text in column 0 only, 0 for none
    int rowsAfter;
};

TEST_F(ResultsTable, NextEntryKeepsTheNextRowAndOneBelowButCutsNoText)
{
    const Prepare table[] = {
        {0, 0, 3}, {1, 0, 4}, {24, 0, 27}, {25, 0, 28}, {26, 0, 29}, {40, 0, 43},
        {0, 25, 26}, {3, 25, 26}, {30, 25, 33},
    };
    for (const Prepare& p : table) {
        Grid g;
        resultsTable::setUp(g);
        g.setRows(std::max({p.occupied, p.importedUpTo, 2}) + 1);
        for (int r = 1; r <= p.importedUpTo; ++r) {
            g.setRow(r);
            g.setCol(0);
            g.setText("x");
        }
        for (int i = 0; i < p.occupied; ++i) resultsTable::enter(g, numbers, 10, 2, 0.4);
        const int free = resultsTable::firstFreeRow(g);
        EXPECT_EQ(free, p.occupied + 1);
        resultsTable::prepareNextEntry(g, free);
        EXPECT_EQ(g.rows(), p.rowsAfter) << p.occupied << " occupied, text up to row " << p.importedUpTo;
        EXPECT_EQ(g.cols(), 5);
        EXPECT_EQ(gridRow(g, 0), QStringList({"Nr.", "BW", "Einzel BW", "l/sec", "l/min"}));
    }
}

TEST_F(ResultsTable, HeadersComeBackAfterTheColumnsWereChanged)
{
    grid.setCols(2);
    resultsTable::prepareNextEntry(grid, resultsTable::firstFreeRow(grid));
    EXPECT_EQ(gridRow(grid, 0), QStringList({"Nr.", "BW", "Einzel BW", "l/sec", "l/min"}));
}

}  // namespace
