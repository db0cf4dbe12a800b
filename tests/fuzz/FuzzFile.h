#pragma once

#include "base/RuntimeError.h"
#include "workbook/SheetCells.h"

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

// Runs one reader on one input: every file is either read, with every cell the
// import asks for answering or refusing, or refused with a RuntimeError.
// Anything else (a crash, a hang, a leak, another exception) is a finding.
inline void fuzzReader(FirstWorksheet (*read)(const QString&, int), const std::uint8_t* data, std::size_t size,
                       const char* suffix)
{
    try {
        // As the import reads: rows 1 to 26.
        const FirstWorksheet sheet = read(writeFuzzFile(data, size, suffix), 26);
        for (int r = 1; r <= 26; ++r) {
            try {
                (void)sheet.cells.value(r, 1);
            } catch (const RuntimeError&) {
                // a formula saved without its result
            }
        }
    } catch (const RuntimeError&) {
    }
}
