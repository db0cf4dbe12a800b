// Rows of a whole sheet through the workbook files: 100,000 sections read
// from a CSV file and from an .xlsx workbook, and 100,000 rows of eight cells
// written row by row. Each reports its time and the rise of the peak resident
// memory over its first run, in MiB.
#include "LargeWorkbooks.h"
#include "PeakMemory.h"
#include "workbook/LinkedWorkbookFiles.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int sections = 100000;
const WorkbookFiles& files = linkedWorkbookFiles();

QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

void ReadRows(benchmark::State& state, const char* name, void (*write)(const QString&, int))
{
    const QString path = folder().filePath(QString::fromLatin1(name));
    if (!QFileInfo::exists(path)) write(path, sections);
    std::size_t rows = 0, cells = 0;
    QString reason;
    const auto read = [&] {
        rows = cells = 0;
        reason = files.readRows(path, 1048576, [&](int, const std::vector<CellValue>& row) {
            ++rows;
            cells += row.size();
            return true;
        });
    };
    const double extra = peakMemory::riseMiB(read);
    for (auto _ : state) read();
    state.counters["extra_MiB"] = extra;
    state.counters["file_MB"] = double(QFileInfo(path).size()) / 1e6;
    if (!reason.isEmpty()) state.SkipWithError(reason.toStdString().c_str());
    else if (rows != sections + 1 || cells != 4 * rows) state.SkipWithError("wrong rows");
}
BENCHMARK_CAPTURE(ReadRows, csv, "teilstrecken.csv", largeWorkbooks::writeSectionsCsv)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadRows, xlsx, "teilstrecken.xlsx", largeWorkbooks::writeSectionsXlsx)->Unit(benchmark::kMillisecond);

// As a result list is written: four texts, then four numbers, two in formats.
void WriteRows(benchmark::State& state)
{
    const QString path = folder().filePath(QStringLiteral("ergebnis.xlsx"));
    const QString formats[] = {QString(), QString(), QStringLiteral("0.00"), QStringLiteral("0.0")};
    QString reason;
    const auto write = [&] {
        const auto writer = files.newWorkbook(path, QStringLiteral("Teilstrecken"), reason);
        if (!writer) return;
        std::vector<WrittenCell> row;
        for (int r = 1; r <= sections && reason.isEmpty(); ++r) {
            row.clear();
            for (int c = 1; c <= 4; ++c) row.push_back({r, c, QStringLiteral("Teilstrecke %1-%2").arg(r).arg(c), {}});
            for (int c = 5; c <= 8; ++c) row.push_back({r, c, r * 0.731 + c, formats[c - 5]});
            reason = writer->addRow(row);
        }
        if (reason.isEmpty()) reason = writer->finish();
    };
    const double extra = peakMemory::riseMiB(write);
    for (auto _ : state) write();
    state.counters["extra_MiB"] = extra;
    state.counters["file_MB"] = double(QFileInfo(path).size()) / 1e6;
    if (!reason.isEmpty()) state.SkipWithError(reason.toStdString().c_str());
}
BENCHMARK(WriteRows)->Unit(benchmark::kMillisecond);

}  // namespace
