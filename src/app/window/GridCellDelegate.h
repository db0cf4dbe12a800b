#pragma once

#include <QStyledItemDelegate>

// Paints the cells of the results table as the grid control does: the heading
// row 0 and column 0 as fixed cells in the button-face look with black lines
// between them, ordinary cells light grey with light grey lines. A line is
// drawn along the right and lower edge of every cell.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    static constexpr QRgb cellBackground = qRgb(224, 224, 224);
    static constexpr QRgb cellLines = qRgb(192, 192, 192);
    static constexpr QRgb fixedLines = qRgb(0, 0, 0);

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static bool isFixed(const QModelIndex& index);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
