// The results table as the user sees it: the Grid model without Qt's headers,
// the grid control's colours and column widths, read only, growing with the model.
#include "WindowFixture.h"

#include "app/window/ResultsGridView.h"
#include "table/Grid.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMimeData>
#include <QTest>

namespace {

// The grid's rows as tab-separated lines.
QString lines(const Grid& grid, int top, int bottom, int left, int right)
{
    QString text;
    for (int r = top; r <= bottom; ++r) {
        QStringList cells;
        for (int c = left; c <= right; ++c) cells << grid.cell(r, c);
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

QString clipboardText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data ? data->text() : QString();
}

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

TEST_F(WindowTest, CtrlAAndCtrlCCopyTheTableAsItShowsAndChangeNothing)
{
    calculate(QStringLiteral("10"), QStringLiteral("2"));
    click(2);
    calculate(QStringLiteral("250"), QStringLiteral("5"));  // the result stays shown
    ASSERT_EQ(grid().rows(), 4);
    const Grid& g = grid();
    std::vector<QString> before;
    for (int r = 0; r < g.rows(); ++r) before.push_back(lines(g, r, r, 0, 4));
    const int row = g.row(), col = g.col();
    QGuiApplication::clipboard()->clear();

    ResultsGridView& view = gridView();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(view.model()->index(1, 1)).center());
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);

    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->text(), QStringLiteral("Nr.\tBW\tEinzel BW\tl/sec\tl/min\n") + lines(g, 1, 2, 0, 4));
    EXPECT_TRUE(copied->html().contains(QStringLiteral("<tr><th>Nr.</th><th>BW</th>"))) << copied->html().toStdString();
    EXPECT_TRUE(copied->html().contains(QStringLiteral("<td>250</td>")));
    for (int r = 0; r < g.rows(); ++r) EXPECT_EQ(lines(g, r, r, 0, 4), before[std::size_t(r)]);
    EXPECT_EQ(g.row(), row);
    EXPECT_EQ(g.col(), col);
    EXPECT_EQ(window->form().Berechnet(), Form1::True);
}

TEST_F(WindowTest, HeadingsSelectWholeRowsAndColumnsForKopieren)
{
    calculate(QStringLiteral("10"), QStringLiteral("2"));
    click(2);
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    ResultsGridView& view = gridView();
    const Grid& g = grid();
    auto* kopieren = view.findChild<QAction*>(QStringLiteral("Kopieren"));
    ASSERT_NE(kopieren, nullptr);
    EXPECT_TRUE(view.actions().contains(kopieren));
    EXPECT_EQ(view.contextMenuPolicy(), Qt::ActionsContextMenu);
    EXPECT_EQ(kopieren->text(), QStringLiteral("Kopieren"));

    const auto centre = [&view](int r, int c) { return view.visualRect(view.model()->index(r, c)).center(); };
    struct Case {
        const char* what;
        QPoint from, to;
        QString copied;
    } cases[] = {
        {"row heading", centre(2, 0), centre(2, 0), lines(g, 2, 2, 0, 4)},
        {"column heading, with the heading row", centre(0, 3), centre(0, 3), lines(g, 0, 2, 3, 3)},
        {"corner: the whole table", centre(0, 0), centre(0, 0), lines(g, 0, 2, 0, 4)},
        {"cells dragged over", centre(1, 1), centre(2, 2), lines(g, 1, 2, 1, 2)},
        {"rows dragged over from their headings", centre(1, 0), centre(2, 2), lines(g, 1, 2, 0, 4)},
        {"columns dragged over from their headings", centre(0, 4), centre(3, 3), lines(g, 0, 2, 3, 4)},
    };
    for (const Case& c : cases) {
        QGuiApplication::clipboard()->clear();
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, c.from);
        QTest::mouseMove(view.viewport(), c.to);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, c.to);
        kopieren->trigger();
        EXPECT_EQ(clipboardText(), c.copied) << c.what;
    }
}
