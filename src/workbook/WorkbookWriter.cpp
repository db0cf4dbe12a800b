#include "workbook/WorkbookWriter.h"

#include "base/RuntimeError.h"

#include <QFile>
#include <QHash>

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
    default:
        return QStringLiteral("Die Datei kann nicht geschrieben werden (Fehler %1 beim Schreiben der Arbeitsmappe).")
            .arg(int(error));
    }
}

}  // namespace

void writeWorkbook(const QString& path, const QString& sheetName, const std::vector<WrittenCell>& cells)
{
    // The file itself is only created when the workbook is closed.
    lxw_workbook* book = workbook_new(QFile::encodeName(path).constData());
    if (!book) throw RuntimeError(reasonFor(LXW_ERROR_MEMORY_MALLOC_FAILED));
    lxw_worksheet* sheet = workbook_add_worksheet(book, sheetName.toUtf8().constData());
    QHash<QString, lxw_format*> formats;
    for (const WrittenCell& cell : cells) {
        if (!sheet) break;
        const auto row = lxw_row_t(cell.row - 1);
        const auto col = lxw_col_t(cell.col - 1);
        if (const double* number = std::get_if<double>(&cell.value)) {
            lxw_format* format = nullptr;
            if (!cell.numberFormat.isEmpty()) {
                format = formats.value(cell.numberFormat);
                if (!format && (format = workbook_add_format(book))) {
                    format_set_num_format(format, cell.numberFormat.toUtf8().constData());
                    formats.insert(cell.numberFormat, format);
                }
            }
            worksheet_write_number(sheet, row, col, *number, format);
        } else {
            worksheet_write_string(sheet, row, col, std::get<QString>(cell.value).toUtf8().constData(), nullptr);
        }
    }
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR) throw RuntimeError(reasonFor(error));
    if (!sheet) throw RuntimeError(reasonFor(LXW_ERROR_MEMORY_MALLOC_FAILED));
}
