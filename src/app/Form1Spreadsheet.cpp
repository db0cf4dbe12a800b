#include "app/Form1.h"

#include "app/MessageText.h"
#include "base/CellText.h"
#include "base/RuntimeError.h"
#include "base/SaveFile.h"
#include "table/Grid.h"
#include "workbook/WorkbookFiles.h"

#include <array>

// Spreadsheet exchange: reading the first column of a workbook into the
// table's number column and saving the table as a workbook. Failures of
// either are not invalid input: each command reports its own with a "Fehler"
// message naming the file, and the table stays as it was.

namespace {

// Table rows 1 to 25 take the values of sheet rows 2 to 26: the sheet's first
// row lies beside the table's header row.
constexpr int importedRows = 25;

bool hasText(const Grid& grid, int row)
{
    for (int c = 0; c < grid.cols(); ++c)
        if (!grid.cell(row, c).isEmpty()) return true;
    return false;
}

// The header row and every row that has text in any column, each text in the
// same place (table row r, column c -> sheet row r + 1, column c + 1; "Nr."
// lands in A1). A text that is a number in the user's locale is written as
// that number, with the number format that shows it as the table does: the
// column's own ("0" for "Nr.", "BW" and "Einzel BW", "0.00" for l/sec, "0.0"
// for l/min) when that reproduces the text, otherwise the spreadsheet's
// general format when that does (imported numbers, as a spreadsheet shows them).
// Any other text, and a number text neither format reproduces, is a text.
std::vector<WrittenCell> workbookCells(const Grid& grid, const NumberText& numbers)
{
    using P = NumberText::Pattern;
    struct ColumnFormat {
        P pattern;
        const char* code;
    };
    // Nr., BW, Einzel BW, l/sec, l/min.
    static constexpr std::array<ColumnFormat, 5> columns{{
        {P::Whole, "0"}, {P::Whole, "0"}, {P::Whole, "0"}, {P::TwoDecimals, "0.00"}, {P::OneDecimal, "0.0"}}};
    constexpr qsizetype maxCellText = 32767;  // characters a spreadsheet cell holds

    std::vector<WrittenCell> cells;
    for (int r = 0; r < grid.rows(); ++r) {
        if (r > 0 && !hasText(grid, r)) continue;
        for (int c = 0; c < grid.cols(); ++c) {
            const QString text = grid.cell(r, c);
            if (text.isEmpty()) continue;
            if (text.size() > maxCellText)
                throw RuntimeError(QStringLiteral("Der Text in Zeile %1, Spalte %2 der Tabelle ist zu lang für eine Tabellenzelle.")
                                       .arg(r).arg(c));
            WrittenCell cell{r + 1, c + 1, text, {}};
            if (numbers.isNumber(text)) {
                const double value = numbers.toDouble(text);
                if (c < int(columns.size()) && numbers.format(value, columns[std::size_t(c)].pattern) == text)
                    cell = {r + 1, c + 1, value, QString::fromLatin1(columns[std::size_t(c)].code)};
                else if (numbers.general(value) == text)
                    cell = {r + 1, c + 1, value, {}};
            }
            cells.push_back(std::move(cell));
        }
    }
    return cells;
}

}  // namespace

void Form1::mnuexcel1_Click()
{
    const QString fileName = m_view.showOpenDialog(
        QString(), {{QStringLiteral("*.xls"), QStringLiteral("*.xls")},
                    {QStringLiteral("*.xlsx"), QStringLiteral("*.xlsx")},
                    {QStringLiteral("*.ods"), QStringLiteral("*.ods")}});
    if (fileName.isEmpty()) return;  // cancelled

    std::array<QString, importedRows> values;
    try {
        // All 25 values are read before the workbook is shown and the table
        // touched, so that a cell that cannot be read leaves both as they were.
        // Rows below the last one needed are never read.
        std::vector<CellValue> cells;
        const QString reason = m_workbooks.files().readColumn(fileName, 1, 2, importedRows + 1, cells);
        if (!reason.isEmpty()) throw RuntimeError(reason);
        for (std::size_t i = 0; i < values.size(); ++i) values[i] = cellText(cells.at(i), m_numbers);
    } catch (const RuntimeError& error) {
        m_view.showMessage(messageText::fileFailure(fileName, QStringLiteral("eingelesen werden"), error.what()),
                           View::Icon::Exclamation, messageText::errorCaption);
        return;
    }
    // The workbook is shown in the desktop's application for it; without one
    // the import goes on unseen.
    m_view.showDocument(fileName);

    Grid& grid = m_view.MSFlexGrid1();
    // A table of fewer rows grows, so that no imported value is lost.
    if (grid.rows() < importedRows + 1) grid.setRows(importedRows + 1);
    for (int r = 1; r <= importedRows; ++r) {
        grid.setRow(r);
        grid.setCol(0);
        grid.setText(values[std::size_t(r - 1)]);
    }
}

void Form1::mnuexcel2_Click()
{
    // The other workbook formats' suffixes give way to .xlsx, since an .xlsx
    // workbook is what gets written.
    const QString fileName = m_view.showSaveDialog(
        QString(), {{QStringLiteral("*.xlsx"), QStringLiteral("*.xlsx")}}, QStringLiteral("xlsx"),
        {QStringLiteral("xls"), QStringLiteral("xlsm"), QStringLiteral("xlsb"), QStringLiteral("ods"), QStringLiteral("csv")});
    if (fileName.isEmpty()) return;  // cancelled
    try {
        const std::vector<WrittenCell> cells = workbookCells(m_view.MSFlexGrid1(), m_numbers);
        const WorkbookFiles& files = m_workbooks.files();
        saveDraftedFile(fileName, [&](const QString& draft) {
            const QString reason = files.writeWorkbook(draft, QStringLiteral("Gipfelfluss"), cells);
            if (!reason.isEmpty()) throw RuntimeError(reason);
        });
    } catch (const RuntimeError& error) {
        m_view.showMessage(messageText::fileFailure(fileName, QStringLiteral("gespeichert werden"), error.what()),
                           View::Icon::Exclamation, messageText::errorCaption);
    }
}
