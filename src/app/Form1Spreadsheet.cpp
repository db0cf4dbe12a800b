#include "app/Form1.h"

#include "app/MessageText.h"
#include "base/RuntimeError.h"
#include "base/SaveFile.h"
#include "workbook/CellText.h"
#include "table/Grid.h"
#include "workbook/Workbook.h"
#include "workbook/WorkbookWriter.h"

#include <QDir>

#include <array>

// Spreadsheet exchange: reading the first column of a workbook into the
// table's number column and saving the table as a workbook. Failures of
// either are not invalid input: each command reports its own with a "Fehler"
// message naming the file, and the table stays as it was.

namespace {

// Table rows 1 to 25 take the values of sheet rows 2 to 26: the sheet's first
// row lies beside the table's header row.
constexpr int importedRows = 25;

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
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
        Workbook workbook(fileName, [this](const QString& path) { return m_view.showDocument(path); });
        // All 25 values are read before the workbook is shown and the table
        // touched, so that a cell that cannot be read leaves both as they were.
        for (int r = 1; r <= importedRows; ++r)
            values[std::size_t(r - 1)] = cellText(workbook.Worksheets(1).Cells(r + 1, 1).Value(), m_numbers);
        // Without a desktop application for the file the import goes on unseen.
        workbook.Parent().Windows(1).setVisible(true);
    } catch (const RuntimeError& error) {
        m_view.showMessage(QStringLiteral("Die Datei „%1“ kann nicht eingelesen werden.").arg(shownPath(fileName)) + messageText::lineBreak +
                               QString::fromUtf8(error.what()),
                           View::Icon::Exclamation, messageText::errorCaption);
        return;
    }

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
        saveDraftedFile(fileName, [this](const QString& draft) { writeResultsWorkbook(draft, m_view.MSFlexGrid1(), m_numbers); });
    } catch (const RuntimeError& error) {
        m_view.showMessage(QStringLiteral("Die Datei „%1“ kann nicht gespeichert werden.").arg(shownPath(fileName)) + messageText::lineBreak +
                               QString::fromUtf8(error.what()),
                           View::Icon::Exclamation, messageText::errorCaption);
    }
}
