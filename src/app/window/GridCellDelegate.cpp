#include "app/window/GridCellDelegate.h"

#include "table/Grid.h"

#include <QPainter>

bool GridCellDelegate::isFixed(const QModelIndex& index)
{
    return index.row() < Grid::fixedRows || index.column() < Grid::fixedCols;
}

void GridCellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    if (isFixed(index)) {
        option->backgroundBrush = option->palette.brush(QPalette::Button);
        option->palette.setBrush(QPalette::Text, option->palette.brush(QPalette::ButtonText));
        // Headings are never selected.
        option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    } else {
        option->backgroundBrush = QColor(cellBackground);
    }
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(QColor(isFixed(index) ? fixedLines : cellLines));
    const QRect r = option.rect;
    painter->drawLine(r.topRight(), r.bottomRight());
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->restore();
}
