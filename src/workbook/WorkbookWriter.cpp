#include "workbook/WorkbookWriter.h"

#include "base/NumberText.h"
#include "base/RuntimeError.h"
#include "table/Grid.h"

#include <QFile>

#include <xlsxwriter.h>

#include <array>
#include <optional>
#include <vector>

namespace {

QString reasonFor(lxw_error error)
{
    switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE:
        return QStringLiteral("Die Datei kann nicht angelegt werden (Ordner nicht vorhanden oder schreibgeschützt?).");
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return QStringLiteral("Eine temporäre Datei kann nicht angelegt oder gelesen werden.");
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QStringLiteral("Zu wenig Arbeitsspeicher zum Schreiben der Datei.");
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return QStringLiteral("Ein Text der Tabelle ist zu lang für eine Tabellenzelle.");
    default:
        return QStringLiteral("Die Datei kann nicht geschrieben werden (Fehler %1 beim Schreiben der Arbeitsmappe).")
            .arg(int(error));
    }
}

bool hasText(const Grid& grid, int row)
{
    for (int c = 0; c < grid.cols(); ++c)
        if (!grid.cell(row, c).isEmpty()) return true;
    return false;
}

struct PlannedCell {
    int row, col;
    QString text;
    std::optional<double> number;
    int format;  // index into the formats, -1 for the general format
};

// What goes where, decided before the file is touched.
std::vector<PlannedCell> plan(const Grid& grid, const NumberText& numbers)
{
    using P = NumberText::Pattern;
    // The table's own patterns by column: Nr., BW, Einzel BW, l/sec, l/min.
    static constexpr std::array<P, 5> patterns{P::Whole, P::Whole, P::Whole, P::TwoDecimals, P::OneDecimal};
    constexpr qsizetype maxCellText = 32767;  // characters a spreadsheet cell holds

    std::vector<PlannedCell> cells;
    for (int r = 0; r < grid.rows(); ++r) {
        if (r > 0 && !hasText(grid, r)) continue;
        for (int c = 0; c < grid.cols(); ++c) {
            PlannedCell cell{r, c, grid.cell(r, c), std::nullopt, -1};
            if (cell.text.isEmpty()) continue;
            if (cell.text.size() > maxCellText)
                throw RuntimeError(QStringLiteral("Der Text in Zeile %1, Spalte %2 der Tabelle ist zu lang für eine Tabellenzelle.")
                           .arg(r).arg(c));
            try {
                const double value = numbers.toDouble(cell.text);
                if (c < int(patterns.size()) && numbers.format(value, patterns[std::size_t(c)]) == cell.text) {
                    cell.number = value;
                    cell.format = int(patterns[std::size_t(c)]);
                } else if (numbers.general(value) == cell.text) {
                    cell.number = value;
                }
            } catch (const RuntimeError&) {
                // not a number: stays text
            }
            cells.push_back(std::move(cell));
        }
    }
    return cells;
}

}  // namespace

void writeResultsWorkbook(const QString& path, const Grid& grid, const NumberText& numbers)
{
    const std::vector<PlannedCell> cells = plan(grid, numbers);

    // The file itself is only created when the workbook is closed.
    lxw_workbook* book = workbook_new(QFile::encodeName(path).constData());
    if (!book) throw RuntimeError(reasonFor(LXW_ERROR_MEMORY_MALLOC_FAILED));
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Gipfelfluss");
    // Formats by NumberText::Pattern: Whole, OneDecimal, TwoDecimals.
    const std::array<const char*, 3> codes{"0", "0.0", "0.00"};
    std::array<lxw_format*, 3> formats{};
    for (std::size_t i = 0; i < formats.size(); ++i) {
        formats[i] = workbook_add_format(book);
        if (formats[i]) format_set_num_format(formats[i], codes[i]);
    }
    for (const PlannedCell& cell : cells) {
        if (!sheet) break;
        if (cell.number)
            worksheet_write_number(sheet, lxw_row_t(cell.row), lxw_col_t(cell.col), *cell.number,
                                   cell.format < 0 ? nullptr : formats[std::size_t(cell.format)]);
        else
            worksheet_write_string(sheet, lxw_row_t(cell.row), lxw_col_t(cell.col), cell.text.toUtf8().constData(), nullptr);
    }
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR) throw RuntimeError(reasonFor(error));
    if (!sheet) throw RuntimeError(reasonFor(LXW_ERROR_MEMORY_MALLOC_FAILED));
}
