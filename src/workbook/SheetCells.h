#pragma once

#include "base/CellValue.h"
#include "base/SheetLimits.h"

#include <QHash>
#include <QString>

// The cells of one worksheet as a reader found them, addressed by row and
// column counted from 1 (A1 is row 1, column 1). Cells not set are empty.
// A cell may instead hold the reason why its value cannot be given (a formula
// saved without its result); asking for its value is then a run-time error.
class SheetCells {
public:
    static constexpr int maxRows = maxSheetRows;
    static constexpr int maxCols = maxSheetColumns;

    // Cells outside the largest sheet are not kept.
    void set(int row, int col, CellValue value);
    void setUnreadable(int row, int col, QString reason);

    // Throws RuntimeError for an unreadable cell; row and col from 1.
    CellValue value(int row, int col) const;

    bool isEmpty() const { return m_cells.isEmpty(); }

    // A cell's name as spreadsheets show it: row 12, column 2 is "B12".
    static QString reference(int row, int col);

private:
    struct Entry {
        CellValue value;
        QString problem;  // not empty: the value cannot be given
    };
    static quint64 key(int row, int col) { return quint64(row) * quint64(maxCols + 1) + quint64(col); }

    QHash<quint64, Entry> m_cells;
};
