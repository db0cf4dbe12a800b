#include "table/TableCopy.h"

#include "base/SeparatedText.h"
#include "table/Grid.h"

#include <algorithm>

namespace {

bool rowHasText(const Grid& grid, int row, int left, int right)
{
    for (int c = left; c <= right; ++c)
        if (!grid.cell(row, c).isEmpty()) return true;
    return false;
}

}  // namespace

CopiedCells copyCells(const Grid& grid, CellBlock block)
{
    const int top = std::max(block.top, 0);
    const int left = std::max(block.left, 0);
    const int right = std::min(block.right, grid.cols() - 1);
    int bottom = std::min(block.bottom, grid.rows() - 1);
    while (bottom >= top && left <= right && !rowHasText(grid, bottom, left, right)) --bottom;
    if (bottom < top || right < left) return {};

    CopiedCells copied;
    copied.html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><table>\n");
    for (int r = top; r <= bottom; ++r) {
        // Row 0 holds the headings.
        const QString cellTag = r == 0 ? QStringLiteral("th") : QStringLiteral("td");
        copied.html += QStringLiteral("<tr>");
        for (int c = left; c <= right; ++c) {
            const QString text = grid.cell(r, c);
            if (c > left) copied.text += QLatin1Char('\t');
            copied.text += separatedField(text, QLatin1Char('\t'));
            copied.html += QLatin1Char('<') + cellTag + QLatin1Char('>') + text.toHtmlEscaped() + QStringLiteral("</")
                           + cellTag + QLatin1Char('>');
        }
        copied.text += QLatin1Char('\n');
        copied.html += QStringLiteral("</tr>\n");
    }
    copied.html += QStringLiteral("</table></body></html>\n");
    return copied;
}
