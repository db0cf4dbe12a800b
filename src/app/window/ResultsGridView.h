#pragma once

#include <QTableView>

// The results table MSFlexGrid1: shows the Grid model as it is, without Qt's
// headers (row 0 and column 0 are the grid's own fixed cells), read only.
// The area beyond the last cell is dark grey.
//
// Cells are selected by click or drag; a click on a fixed cell of column 0
// selects its whole row, on one of row 0 its whole column, on the corner
// "Nr." the whole table (as Ctrl+A does). Ctrl+C and "Kopieren" in the
// context menu put the selected texts on the clipboard. The view's selection
// is its own: the grid's selected cell, which the program's procedures move,
// stays where they left it.
class ResultsGridView : public QTableView {
    Q_OBJECT

public:
    static constexpr QRgb emptyArea = qRgb(128, 128, 128);
    static constexpr int columnWidthTwips = 960;  // the grid control's default column width
    static constexpr int rowHeightTwips = 240;    // one line of the 8.25 pt font with its padding

    explicit ResultsGridView(QWidget* parent = nullptr);

    // As tab-separated lines and as an HTML table.
    void copySelection() const;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;

private:
    // Whole rows or columns while a drag that began on a fixed cell goes on.
    mutable QItemSelectionModel::SelectionFlags m_pressedOnFixedCell;
};
