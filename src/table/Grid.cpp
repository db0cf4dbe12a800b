#include "table/Grid.h"

#include "base/RuntimeError.h"

Grid::Grid(QObject* parent) : QAbstractTableModel(parent), m_cells(std::size_t(m_rows * m_cols)) {}

void Grid::setRows(int rows)
{
    if (rows < fixedRows + 1) throw RuntimeError("Ungültiger Zeilenwert");
    if (rows == m_rows) return;
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_cells.resize(std::size_t(rows) * std::size_t(m_cols));
        m_rows = rows;
        endInsertRows();
    } else {
        beginRemoveRows({}, rows, m_rows - 1);
        m_cells.resize(std::size_t(rows) * std::size_t(m_cols));
        m_rows = rows;
        endRemoveRows();
    }
    if (m_row >= m_rows) m_row = m_rows - 1;
}

void Grid::setCols(int cols)
{
    if (cols < fixedCols + 1) throw RuntimeError("Ungültiger Spaltenwert");
    if (cols == m_cols) return;
    std::vector<QString> cells(std::size_t(m_rows) * std::size_t(cols));
    const int kept = std::min(cols, m_cols);
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < kept; ++c) cells[std::size_t(r) * std::size_t(cols) + std::size_t(c)] = at(r, c);
    if (cols > m_cols) {
        beginInsertColumns({}, m_cols, cols - 1);
        m_cells.swap(cells);
        m_cols = cols;
        endInsertColumns();
    } else {
        beginRemoveColumns({}, cols, m_cols - 1);
        m_cells.swap(cells);
        m_cols = cols;
        endRemoveColumns();
    }
    if (m_col >= m_cols) m_col = m_cols - 1;
}

void Grid::setRow(int row)
{
    if (row < 0 || row >= m_rows) throw RuntimeError("Ungültiger Zeilenwert");
    m_row = row;
}

void Grid::setCol(int col)
{
    if (col < 0 || col >= m_cols) throw RuntimeError("Ungültiger Spaltenwert");
    m_col = col;
}

QString Grid::text() const
{
    return at(m_row, m_col);
}

void Grid::setText(const QString& text)
{
    at(m_row, m_col) = text;
    const QModelIndex changed = index(m_row, m_col);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

QString Grid::cell(int row, int col) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols) throw RuntimeError("Ungültiger Zellbezug");
    return at(row, col);
}

int Grid::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int Grid::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant Grid::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return at(index.row(), index.column());
}
