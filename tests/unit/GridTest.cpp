#include "base/RuntimeError.h"
#include "table/Grid.h"
#include "fakes/QtPrinters.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace {

void write(Grid& g, int r, int c, const QString& text)
{
    g.setRow(r);
    g.setCol(c);
    g.setText(text);
}

TEST(Grid, ReadsAndWritesTheSelectedCell)
{
    Grid g;
    g.setRows(4);
    g.setCols(5);
    write(g, 3, 4, "x");
    write(g, 0, 0, "Nr.");
    g.setRow(3);
    g.setCol(4);
    EXPECT_EQ(g.text(), "x");
    EXPECT_EQ(g.cell(0, 0), "Nr.");
    EXPECT_EQ(g.cell(3, 3), "");
    EXPECT_EQ(g.data(g.index(3, 4)).toString(), "x");
}

TEST(Grid, RefusesCellsOutsideIt)
{
    Grid g;
    g.setRows(3);
    g.setCols(5);
    EXPECT_THROW(g.setRow(3), RuntimeError);
    EXPECT_THROW(g.setRow(-1), RuntimeError);
    EXPECT_THROW(g.setCol(5), RuntimeError);
    EXPECT_THROW(g.cell(0, 5), RuntimeError);
    EXPECT_THROW(g.setRows(1), RuntimeError);  // the header row needs a row below it
    EXPECT_THROW(g.setCols(0), RuntimeError);
    EXPECT_EQ(g.rows(), 3);
    EXPECT_EQ(g.cols(), 5);
}

TEST(Grid, KeepsCellsWhenResizedAndDropsOnlyWhatIsCutOff)
{
    Grid g;
    g.setRows(3);
    g.setCols(5);
    write(g, 2, 4, "a");
    write(g, 1, 1, "b");
    g.setRows(10);
    g.setCols(7);
    EXPECT_EQ(g.cell(2, 4), "a");
    EXPECT_EQ(g.cell(1, 1), "b");
    EXPECT_EQ(g.cell(9, 6), "");
    g.setCols(2);
    g.setRows(2);
    EXPECT_EQ(g.cell(1, 1), "b");
    g.setCols(5);
    g.setRows(3);
    EXPECT_EQ(g.cell(2, 4), "");  // cut off before, empty now
    // The selection moves back inside when its row or column goes.
    write(g, 2, 4, "c");
    g.setRows(2);
    EXPECT_EQ(g.row(), 1);
}

TEST(Grid, TellsItsViewsAboutEveryChange)
{
    Grid g;
    QSignalSpy inserted(&g, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&g, &QAbstractItemModel::rowsRemoved);
    QSignalSpy columns(&g, &QAbstractItemModel::columnsInserted);
    QSignalSpy changed(&g, &QAbstractItemModel::dataChanged);
    g.setRows(5);
    g.setCols(5);
    write(g, 4, 4, "z");
    g.setRows(3);
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(columns.count(), 1);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(g.rowCount(), 3);
    EXPECT_EQ(g.columnCount(), 5);
}

// A view shows exactly the rows named: one too many piles up blank rows.
TEST(Grid, NamesExactlyTheRowsItAddsAndDrops)
{
    struct Step {
        int rows;
        bool added;
        int first, last;
    } steps[] = {{3, true, 2, 2}, {26, true, 3, 25}, {4, false, 4, 25}, {29, true, 4, 28}, {28, false, 28, 28}};
    Grid g;  // two rows
    QSignalSpy inserted(&g, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&g, &QAbstractItemModel::rowsRemoved);
    for (const Step& s : steps) {
        inserted.clear();
        removed.clear();
        g.setRows(s.rows);
        QSignalSpy& told = s.added ? inserted : removed;
        ASSERT_EQ(told.count(), 1) << s.rows;
        EXPECT_EQ((s.added ? removed : inserted).count(), 0) << s.rows;
        EXPECT_FALSE(told[0][0].toModelIndex().isValid());
        EXPECT_EQ(told[0][1].toInt(), s.first) << s.rows;
        EXPECT_EQ(told[0][2].toInt(), s.last) << s.rows;
        EXPECT_EQ(g.rowCount(), s.rows);
    }
}

}  // namespace
