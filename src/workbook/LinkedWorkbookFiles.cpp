#include "workbook/LinkedWorkbookFiles.h"

#include "base/RuntimeError.h"
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
