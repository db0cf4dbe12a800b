// The results table as the user sees it: the Grid model without Qt's headers,
// the grid control's colours and column widths, read only, growing with the model.
#include "WindowFixture.h"

#include "app/window/ResultsGridView.h"
#include "table/Grid.h"

#include <QHeaderView>
#include <QTest>

namespace {

QRgb at(const QImage& image, QPoint logical)
{
    const qreal ratio = image.devicePixelRatio();
    return image.pixel(int(logical.x() * ratio), int(logical.y() * ratio)) & 0xffffff;
}

}  // namespace

TEST_F(WindowTest, TableShowsTheGridModelWithoutHeaders)
{
    ResultsGridView& view = gridView();
    EXPECT_EQ(view.model(), &grid());
    EXPECT_TRUE(view.horizontalHeader()->isHidden());
    EXPECT_TRUE(view.verticalHeader()->isHidden());
    ASSERT_EQ(view.model()->rowCount(), 3);
    ASSERT_EQ(view.model()->columnCount(), 5);
    const QStringList headings{"Nr.", "BW", "Einzel BW", "l/sec", "l/min"};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(view.model()->index(0, c).data().toString(), headings[c]);
        // The grid control's default width, 960 twips.
        EXPECT_EQ(view.columnWidth(c), 64) << c;
        // Row 0 and column 0 are in the model as they are, at the top left of the table.
        EXPECT_EQ(view.visualRect(view.model()->index(0, c)).top(), 0);
    }
    EXPECT_EQ(view.visualRect(view.model()->index(0, 0)).topLeft(), QPoint(0, 0));
    EXPECT_EQ(view.rowHeight(0), 16);
}

TEST_F(WindowTest, TableCannotBeEdited)
{
    ResultsGridView& view = gridView();
    EXPECT_EQ(view.editTriggers(), QAbstractItemView::NoEditTriggers);
    const QModelIndex cell = view.model()->index(0, 1);
    const QPoint centre = view.visualRect(cell).center();
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, centre);
    QTest::keyClicks(&view, QStringLiteral("99"));
    QTest::keyClick(&view, Qt::Key_F2);
    EXPECT_EQ(view.viewport()->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(grid().cell(0, 1), QStringLiteral("BW"));
}

TEST_F(WindowTest, TableHasTheGridControlsColours)
{
    ResultsGridView& view = gridView();
    const QModelIndex fixed = view.model()->index(0, 0);
    const QModelIndex ordinary = view.model()->index(1, 1);
    const QRect fixedRect = view.visualRect(fixed);
    const QRect cellRect = view.visualRect(ordinary);
    const QImage image = view.viewport()->grab().toImage();

    const QRgb buttonFace = view.palette().color(QPalette::Button).rgb() & 0xffffff;
    EXPECT_EQ(at(image, fixedRect.bottomRight() - QPoint(3, 3)), buttonFace);
    EXPECT_EQ(at(image, cellRect.bottomRight() - QPoint(3, 3)), qRgb(224, 224, 224) & 0xffffff);
    // Lines along the right edge: black between fixed cells, light grey between ordinary ones.
    EXPECT_EQ(at(image, {fixedRect.right(), fixedRect.center().y()}), 0u);
    EXPECT_EQ(at(image, {cellRect.right(), cellRect.center().y()}), qRgb(192, 192, 192) & 0xffffff);
    // Below and right of the last cell.
    const QRect last = view.visualRect(view.model()->index(2, 4));
    EXPECT_EQ(at(image, last.bottomRight() + QPoint(10, 10)), qRgb(128, 128, 128) & 0xffffff);
    EXPECT_EQ(at(image, {last.right() + 10, last.top() + 3}), qRgb(128, 128, 128) & 0xffffff);
}

TEST_F(WindowTest, SelectedCellsShowTheHighlightColour)
{
    ResultsGridView& view = gridView();
    const QRect cellRect = view.visualRect(view.model()->index(1, 2));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cellRect.center());
    const QImage image = view.viewport()->grab().toImage();
    // The style shades the highlight a little.
    const QRgb selected = at(image, cellRect.bottomRight() - QPoint(3, 3));
    const QColor highlight = view.palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_NEAR(qRed(selected), highlight.red(), 8);
    EXPECT_NEAR(qGreen(selected), highlight.green(), 8);
    EXPECT_NEAR(qBlue(selected), highlight.blue(), 8);
    // Its neighbour stays as it was.
    const QRect other = view.visualRect(view.model()->index(1, 3));
    EXPECT_EQ(at(image, other.bottomRight() - QPoint(3, 3)), qRgb(224, 224, 224) & 0xffffff);
}

TEST_F(WindowTest, TableShowsRowsAddedToTheModel)
{
    ResultsGridView& view = gridView();
    EXPECT_FALSE(view.visualRect(view.model()->index(3, 0)).isValid());
    calculate(QStringLiteral("10"), QStringLiteral("2"));
    click(2);
    ASSERT_EQ(view.model()->rowCount(), 4);
    const QRect added = view.visualRect(view.model()->index(3, 0));
    EXPECT_TRUE(added.isValid());
    EXPECT_EQ(added.top(), 3 * 16);
    EXPECT_EQ(view.model()->index(1, 1).data().toString(), QStringLiteral("10"));
}
