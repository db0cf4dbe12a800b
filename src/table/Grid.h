#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <vector>

// The results table's store: a rectangle of text cells addressed by row and
// column from 0, with one fixed (heading) row 0 and one fixed column 0.
// A cell is reached by selecting its row, then its column, then reading or
// writing the selected cell's text. Selecting or sizing outside the grid is a
// run-time error. The window shows this model as it is.
class Grid : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int fixedRows = 1;
    static constexpr int fixedCols = 1;

    explicit Grid(QObject* parent = nullptr);

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    // Header row included. Growing adds empty cells; shrinking drops the rows
    // or columns beyond the new count.
    void setRows(int rows);
    void setCols(int cols);

    int row() const { return m_row; }
    int col() const { return m_col; }
    void setRow(int row);
    void setCol(int col);

    QString text() const;
    void setText(const QString& text);

    // The text at (row, col) without moving the selection, for showing and checking.
    QString cell(int row, int col) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QString& at(int row, int col) { return m_cells[std::size_t(row) * std::size_t(m_cols) + std::size_t(col)]; }
    const QString& at(int row, int col) const { return m_cells[std::size_t(row) * std::size_t(m_cols) + std::size_t(col)]; }

    int m_rows = 2;  // an empty grid of 2 x 2 cells until the table is set up
    int m_cols = 2;
    int m_row = 1;
    int m_col = 1;
    std::vector<QString> m_cells;  // row-major, m_rows * m_cols
};
