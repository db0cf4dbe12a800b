#include "workbook/SheetCells.h"

#include "base/RuntimeError.h"

namespace {
bool inSheet(int row, int col)
{
    return row >= 1 && row <= SheetCells::maxRows && col >= 1 && col <= SheetCells::maxCols;
}
}  // namespace

void SheetCells::set(int row, int col, CellValue value)
{
    if (!inSheet(row, col)) return;
    if (std::holds_alternative<std::monostate>(value))
        m_cells.remove(key(row, col));
    else
        m_cells.insert(key(row, col), Entry{std::move(value), {}});
}

void SheetCells::setUnreadable(int row, int col, QString reason)
{
    if (!inSheet(row, col)) return;
    m_cells.insert(key(row, col), Entry{{}, std::move(reason)});
}

CellValue SheetCells::value(int row, int col) const
{
    const auto it = m_cells.constFind(key(row, col));
    if (it != m_cells.constEnd()) {
        if (!it->problem.isEmpty()) throw RuntimeError(it->problem);
        return it->value;
    }
    return {};
}

QString SheetCells::reference(int row, int col)
{
    QString letters;
    for (int c = col; c > 0; c = (c - 1) / 26) letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(row);
}
