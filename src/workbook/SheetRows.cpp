#include "workbook/SheetRows.h"

#include "workbook/SheetCells.h"

#include <algorithm>

bool RowAssembler::startCell(int row, int col)
{
    if (!m_active || row < 1 || col < 1 || col > SheetCells::maxCols) return false;
    if (row != m_row.number) {
        if (row < m_row.number || row < m_nextRow) return false;
        endRow();
        if (!m_active) return false;
        if (row > m_lastRow || row > SheetCells::maxRows) {
            m_active = false;
            return false;
        }
        m_row.number = row;
    }
    if (std::size_t(col) > m_row.cells.size()) m_row.cells.resize(std::size_t(col));
    return true;
}

void RowAssembler::set(int row, int col, CellValue value)
{
    if (std::holds_alternative<std::monostate>(value)) return;
    if (const QString* text = std::get_if<QString>(&value); text && text->isEmpty()) return;
    if (startCell(row, col)) m_row.cells[std::size_t(col - 1)] = std::move(value);
}

void RowAssembler::setUnreadable(int row, int col, QString reason)
{
    if (!startCell(row, col)) return;
    m_row.cells[std::size_t(col - 1)] = std::monostate();
    m_row.unreadable.emplace_back(col, std::move(reason));
}

void RowAssembler::endRow(qint64 repeats)
{
    if (m_row.number == 0) return;
    const int first = m_row.number;
    const qint64 last = std::min<qint64>({first + std::max<qint64>(repeats, 1) - 1, m_lastRow, SheetCells::maxRows});
    const bool holdsSomething = !m_row.unreadable.empty() || !holdsNothing(m_row.cells);
    for (qint64 r = first; r <= last && m_active && holdsSomething; ++r) {
        m_row.number = int(r);
        m_active = m_handler(m_row);
        m_stopped = !m_active;
    }
    m_nextRow = int(std::min<qint64>(first + std::max<qint64>(repeats, 1), SheetCells::maxRows + 1));
    if (m_nextRow > m_lastRow) m_active = false;
    m_row.number = 0;
    m_row.cells.clear();
    m_row.unreadable.clear();
}
