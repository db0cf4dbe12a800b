#include "app/window/ResultsGridView.h"

#include "app/window/GridCellDelegate.h"
#include "app/window/Twips.h"
#include "app/window/WindowFonts.h"

#include <QHeaderView>

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
}
