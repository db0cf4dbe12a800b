#pragma once

#include "base/RuntimeError.h"
#include "workbook/SheetRows.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

// The readers open files by path: each input is written to one file of this
// process's own, which is overwritten by the next input.
inline QString writeFuzzFile(const std::uint8_t* data, std::size_t size, const char* suffix)
{
    static const QString path =
        QDir::tempPath() + QStringLiteral("/gipfelfluss-fuzz-%1%2").arg(getpid()).arg(QLatin1String(suffix));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    return path;
}

// Runs one reader on one input: every file is either read, each row handed
// on holding what the row handler is promised, or refused with a
// RuntimeError. Anything else (a crash, a hang, a leak, another exception, a
// row out of order or with trailing empty cells) is a finding.
inline void fuzzReader(QString (*read)(const QString&, int, const SheetRowHandler&), const std::uint8_t* data,
                       std::size_t size, const char* suffix, int lastRow = 1048576)
{
    try {
        int previous = 0;
        read(writeFuzzFile(data, size, suffix), lastRow, [&](const SheetRow& row) {
            if (row.number <= previous || row.number > lastRow || row.cells.empty() ||
                row.cells.size() > std::size_t(16384))
                std::abort();
            const bool lastEmpty = std::holds_alternative<std::monostate>(row.cells.back());
            if (lastEmpty && row.unreadable.empty()) std::abort();
            previous = row.number;
            return true;
        });
    } catch (const RuntimeError&) {
    }
}
