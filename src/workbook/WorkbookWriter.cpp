#include "workbook/WorkbookWriter.h"

#include "base/RuntimeError.h"
#include "workbook/SheetCells.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <cmath>

#include <xlsxwriter.h>

namespace {

QString reasonFor(lxw_error error)
{
    switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return QStringLiteral("Eine temporäre Datei kann nicht angelegt oder gelesen werden.");
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QStringLiteral("Zu wenig Arbeitsspeicher zum Schreiben der Datei.");
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return QStringLiteral("Ein Text der Tabelle ist zu lang für eine Tabellenzelle.");
    case LXW_ERROR_SHEETNAME_LENGTH_EXCEEDED:
    case LXW_ERROR_INVALID_SHEETNAME_CHARACTER:
    case LXW_ERROR_SHEETNAME_START_END_APOSTROPHE:
        return QStringLiteral("Der Name des Tabellenblatts ist ungültig (höchstens 31 Zeichen, keines von : \\ / ? * [ ]).");
    default:
        return QStringLiteral("Die Datei kann nicht geschrieben werden (Fehler %1 beim Schreiben der Arbeitsmappe).")
            .arg(int(error));
    }
}

class XlsxRowWriter : public RowWriter {
public:
    XlsxRowWriter(const QString& path, const QString& sheetName)
    {
        // Rows go to a temporary file as they are added; the workbook file
        // itself is only created by finish().
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        m_book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
        if (!m_book) throw RuntimeError(reasonFor(LXW_ERROR_CREATING_TMPFILE));
        const QByteArray name = sheetName.toUtf8();
        if (const lxw_error error = workbook_validate_sheet_name(m_book, name.constData()); error != LXW_NO_ERROR) {
            lxw_workbook_free(m_book);
            throw RuntimeError(reasonFor(error));
        }
        m_sheet = workbook_add_worksheet(m_book, name.constData());
        if (!m_sheet) {
            lxw_workbook_free(m_book);
            throw RuntimeError(reasonFor(LXW_ERROR_CREATING_TMPFILE));
        }
    }

    ~XlsxRowWriter() override
    {
        if (m_book) lxw_workbook_free(m_book);  // unfinished: no file
    }

    QString addRow(const std::vector<WrittenCell>& cells) override
    {
        if (!m_reason.isEmpty()) return m_reason;
        if (!m_book) return m_reason = QStringLiteral("Die Arbeitsmappe ist schon abgeschlossen.");
        if (cells.empty()) return {};
        const int row = cells.front().row;
        if (row <= m_lastRow || row > SheetCells::maxRows)
            return m_reason = QStringLiteral("Die Zeile %1 kann nicht geschrieben werden (Zeilen gehen aufsteigend, "
                                             "bis %2).").arg(row).arg(SheetCells::maxRows);
        int lastCol = 0;
        for (const WrittenCell& cell : cells) {
            if (cell.row != row || cell.col <= lastCol || cell.col > SheetCells::maxCols)
                return m_reason = QStringLiteral("Die Zelle %1 kann nicht geschrieben werden (Spalten gehen in einer "
                                                 "Zeile aufsteigend, bis %2).")
                                      .arg(SheetCells::reference(cell.row, cell.col)).arg(SheetCells::maxCols);
            lastCol = cell.col;
            if (const lxw_error error = write(cell); error != LXW_NO_ERROR) return m_reason = reasonFor(error);
            if (!m_reason.isEmpty()) return m_reason;
        }
        m_lastRow = row;
        return {};
    }

    QString finish() override
    {
        if (!m_reason.isEmpty()) return m_reason;
        if (!m_book) return QStringLiteral("Die Arbeitsmappe ist schon abgeschlossen.");
        const lxw_error error = workbook_close(m_book);  // frees the workbook, whatever it returns
        m_book = nullptr;
        if (error != LXW_NO_ERROR) return m_reason = reasonFor(error);
        return {};
    }

private:
    lxw_error write(const WrittenCell& cell)
    {
        const auto row = lxw_row_t(cell.row - 1);
        const auto col = lxw_col_t(cell.col - 1);
        if (const double* number = std::get_if<double>(&cell.value)) {
            // A spreadsheet has no cell for them; a file holding one does not open.
            if (!std::isfinite(*number)) {
                m_reason = QStringLiteral("Die Zelle %1 hält keine endliche Zahl.").arg(SheetCells::reference(cell.row, cell.col));
                return LXW_NO_ERROR;
            }
            return worksheet_write_number(m_sheet, row, col, *number, format(cell.numberFormat));
        }
        return worksheet_write_string(m_sheet, row, col, std::get<QString>(cell.value).toUtf8().constData(), nullptr);
    }

    lxw_format* format(const QString& code)
    {
        if (code.isEmpty()) return nullptr;
        lxw_format*& format = m_formats[code];
        if (!format && (format = workbook_add_format(m_book))) format_set_num_format(format, code.toUtf8().constData());
        return format;
    }

    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    QHash<QString, lxw_format*> m_formats;  // owned by the workbook
    int m_lastRow = 0;
    QString m_reason;  // of the first failure; nothing more is written after it
};

}  // namespace

std::unique_ptr<RowWriter> newRowWriter(const QString& path, const QString& sheetName)
{
    return std::make_unique<XlsxRowWriter>(path, sheetName);
}

void writeWorkbook(const QString& path, const QString& sheetName, const std::vector<WrittenCell>& cells)
{
    std::vector<const WrittenCell*> order;
    order.reserve(cells.size());
    for (const WrittenCell& cell : cells) order.push_back(&cell);
    std::stable_sort(order.begin(), order.end(), [](const WrittenCell* a, const WrittenCell* b) {
        return a->row != b->row ? a->row < b->row : a->col < b->col;
    });
    const std::unique_ptr<RowWriter> writer = newRowWriter(path, sheetName);
    std::vector<WrittenCell> row;
    const auto flush = [&] {
        if (row.empty()) return;
        if (const QString reason = writer->addRow(row); !reason.isEmpty()) throw RuntimeError(reason);
        row.clear();
    };
    for (const WrittenCell* cell : order) {
        if (!row.empty() && row.back().row != cell->row) flush();
        if (!row.empty() && row.back().col == cell->col) row.back() = *cell;
        else row.push_back(*cell);
    }
    flush();
    if (const QString reason = writer->finish(); !reason.isEmpty()) throw RuntimeError(reason);
}
