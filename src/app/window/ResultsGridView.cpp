#include "app/window/ResultsGridView.h"

#include "app/window/GridCellDelegate.h"
#include "app/window/Twips.h"
#include "app/window/WindowFonts.h"
#include "table/Grid.h"
#include "table/TableCopy.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMimeData>

#include <algorithm>

ResultsGridView::ResultsGridView(QWidget* parent) : QTableView(parent)
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFont(windowFonts::standard());
    setItemDelegate(new GridCellDelegate(this));
    setShowGrid(false);  // the delegate draws the lines, black or grey by cell
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);  // Tab leaves the table for the next control
    setFocusPolicy(Qt::StrongFocus);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor(emptyArea));
    setPalette(colours);

    const Twips twips(logicalDpiX());
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->hide();
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    horizontalHeader()->setDefaultSectionSize(twips.toPixels(columnWidthTwips));
    verticalHeader()->setDefaultSectionSize(twips.toPixels(rowHeightTwips));

    auto* copy = new QAction(QStringLiteral("Kopieren"), this);
    copy->setObjectName(QStringLiteral("Kopieren"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &ResultsGridView::copySelection);
    addAction(copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ResultsGridView::copySelection() const
{
    const auto* grid = qobject_cast<const Grid*>(model());
    if (!grid || !selectionModel()) return;
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) return;
    CellBlock block{grid->rows(), grid->cols(), -1, -1};
    for (const QItemSelectionRange& range : selection) {
        block.top = std::min(block.top, range.top());
        block.left = std::min(block.left, range.left());
        block.bottom = std::max(block.bottom, range.bottom());
        block.right = std::max(block.right, range.right());
    }
    const CopiedCells copied = copyCells(*grid, block);
    if (copied.text.isEmpty()) return;
    auto* data = new QMimeData;
    data->setText(copied.text);
    data->setHtml(copied.html);
    QGuiApplication::clipboard()->setMimeData(data);
}

QItemSelectionModel::SelectionFlags ResultsGridView::selectionCommand(const QModelIndex& index,
                                                                      const QEvent* event) const
{
    const QItemSelectionModel::SelectionFlags command = QTableView::selectionCommand(index, event);
    if (!event || !index.isValid()) return command;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pressedOnFixedCell = {};
        if (index.column() < Grid::fixedCols) m_pressedOnFixedCell |= QItemSelectionModel::Rows;
        if (index.row() < Grid::fixedRows) m_pressedOnFixedCell |= QItemSelectionModel::Columns;
        break;
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:  // a press on a selected cell selects on release
        break;
    default:
        return command;  // keys select cells
    }
    return command == QItemSelectionModel::NoUpdate ? command : command | m_pressedOnFixedCell;
}

void ResultsGridView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    constexpr QItemSelectionModel::SelectionFlags rowsAndColumns = QItemSelectionModel::Rows | QItemSelectionModel::Columns;
    // The corner cell heads both its row and its column: it stands for the table.
    if ((command & rowsAndColumns) == rowsAndColumns && model()) {
        const QItemSelection all(model()->index(0, 0), model()->index(model()->rowCount() - 1, model()->columnCount() - 1));
        selectionModel()->select(all, command & ~rowsAndColumns);
        return;
    }
    QTableView::setSelection(rect, command);
}
