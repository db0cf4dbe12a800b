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

// As a result list is written: a name, the two units, a remark, the formula,
// the flows in their formats and a note for every tenth.
void WriteRows(benchmark::State& state)
{
    const QString path = folder().filePath(QStringLiteral("ergebnis.xlsx"));
    const QString twoDecimals = QStringLiteral("0.00"), oneDecimal = QStringLiteral("0.0");
    const QString formula = QStringLiteral("Einzel BW 2"), note = QStringLiteral("Total 1,5 BW unter dem Minimum 2");
    QString reason;
    const auto write = [&] {
        const auto writer = files.newWorkbook(path, QStringLiteral("Teilstrecken"), reason);
        if (!writer) return;
        std::vector<WrittenCell> row;
        for (int r = 1; r <= sections && reason.isEmpty(); ++r) {
            const double total = 300 + r % 900;
            row = {{r, 1, QStringLiteral("Teilstrecke ") + QString::number(r), {}},
                   {r, 2, total, {}},
                   {r, 3, double(2 + r % 7), {}},
                   {r, 4, QStringLiteral("Bemerkung ") + QString::number(r % 1000), {}},
                   {r, 5, formula, {}},
                   {r, 6, 0.2 * total / 60, twoDecimals},
                   {r, 7, 0.2 * total, oneDecimal},
                   {r, 8, r % 10 ? QString() : note, {}}};
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
