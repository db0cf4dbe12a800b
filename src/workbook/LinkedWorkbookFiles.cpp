#include "workbook/LinkedWorkbookFiles.h"

#include "base/RuntimeError.h"
#include "base/SeparatedText.h"
#include "workbook/CsvReader.h"
#include "workbook/Workbook.h"
#include "workbook/WorkbookWriter.h"

#include <new>

namespace {

// Whatever fails comes back as its reason: no exception leaves the module.
template <typename Work>
QString reasonOf(Work work)
{
    try {
        work();
        return {};
    } catch (const RuntimeError& error) {
        return QString::fromUtf8(error.what());
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Zu wenig Arbeitsspeicher.");
    } catch (const std::exception& error) {
        return QStringLiteral("Unerwarteter Fehler: %1").arg(QString::fromUtf8(error.what()));
    }
}

class Files : public WorkbookFiles {
public:
    QString readColumn(const QString& path, int column, int firstRow, int lastRow,
                       std::vector<CellValue>& values) const override
    {
        return reasonOf([&] {
            const Workbook workbook(path, lastRow);
            std::vector<CellValue> read;
            for (int row = firstRow; row <= lastRow; ++row) read.push_back(workbook.Worksheets(1).Cells(row, column).Value());
            values = std::move(read);
        });
    }

    using WorkbookFiles::readRows;
    QString readRows(const QString& path, int lastRow, const RowHandler& handler, FileKind& kind) const override
    {
        return reasonOf([&] {
            // A cell whose value the file does not give makes the list unreadable:
            // every value of it is in doubt (a workbook saved without its results).
            const SheetRowHandler rows = [&handler](const SheetRow& row) {
                if (!row.unreadable.empty()) throw RuntimeError(row.unreadable.front().second);
                return handler(row.number, row.cells);
            };
            if (isSeparatedTextName(path)) {
                kind = FileKind::SeparatedText;
                Workbook::checkReadable(path);
                readCsv(path, lastRow, rows);
            } else {
                kind = FileKind::Workbook;
                Workbook::readRows(Workbook::detectFormat(path), path, lastRow, rows);
            }
        });
    }

    std::unique_ptr<RowWriter> newWorkbook(const QString& path, const QString& sheetName, QString& reason) const override
    {
        std::unique_ptr<RowWriter> writer;
        reason = reasonOf([&] { writer = newRowWriter(path, sheetName); });
        return writer;
    }

    QString writeWorkbook(const QString& path, const QString& sheetName, const std::vector<WrittenCell>& cells) const override
    {
        return reasonOf([&] { ::writeWorkbook(path, sheetName, cells); });
    }
};

}  // namespace

const WorkbookFiles& linkedWorkbookFiles()
{
    static const Files files;
    return files;
}
