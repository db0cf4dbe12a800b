#pragma once

#include <QTableView>

// The results table MSFlexGrid1: shows the Grid model as it is, without Qt's
// headers (row 0 and column 0 are the grid's own fixed cells), read only.
// The area beyond the last cell is dark grey.
class ResultsGridView : public QTableView {
    Q_OBJECT

public:
    static constexpr QRgb emptyArea = qRgb(128, 128, 128);
    static constexpr int columnWidthTwips = 960;  // the grid control's default column width
    static constexpr int rowHeightTwips = 240;    // one line of the 8.25 pt font with its padding

    explicit ResultsGridView(QWidget* parent = nullptr);
};
