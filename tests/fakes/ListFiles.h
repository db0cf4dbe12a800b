#pragma once

#include "base/SeparatedText.h"
#include "workbook/WorkbookFiles.h"

#include <QFile>

#include <memory>
#include <vector>

// A list handed over as rows, and a workbook that records what is written.
class ListFiles : public WorkbookFiles {
public:
    explicit ListFiles(std::vector<std::vector<CellValue>> rows) : m_rows(std::move(rows)) {}

    using WorkbookFiles::readRows;
    QString readColumn(const QString&, int, int, int, std::vector<CellValue>&) const override { return {}; }
    QString readRows(const QString& path, int, const RowHandler& handler, FileKind& kind) const override
    {
        // Told by the name, as the program's own files tell it.
        kind = isSeparatedTextName(path) ? FileKind::SeparatedText : FileKind::Workbook;
        int number = 0;
        for (const std::vector<CellValue>& row : m_rows)
            if (!handler(++number, row)) break;
        return failure;
    }
    std::unique_ptr<RowWriter> newWorkbook(const QString& path, const QString&, QString&) const override
    {
        struct Recorder : RowWriter {
            std::vector<std::vector<WrittenCell>>& rows;
            QString path;
            Recorder(std::vector<std::vector<WrittenCell>>& r, QString p) : rows(r), path(std::move(p)) {}
            QString addRow(const std::vector<WrittenCell>& cells) override
            {
                rows.push_back(cells);
                return {};
            }
            QString finish() override
            {
                QFile file(path);
                return file.open(QIODevice::WriteOnly) && file.write("PK") == 2 ? QString() : file.errorString();
            }
        };
        return std::make_unique<Recorder>(written, path);
    }
    QString writeWorkbook(const QString&, const QString&, const std::vector<WrittenCell>&) const override { return {}; }

    QString failure;
    mutable std::vector<std::vector<WrittenCell>> written;

private:
    std::vector<std::vector<CellValue>> m_rows;
};


