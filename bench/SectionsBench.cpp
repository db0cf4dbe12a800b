// Whole section lists calculated into a result workbook: 100,000 sections
// from a CSV file (with stated, sized or counted units) and from an .xlsx workbook, read, calculated and written
// as .xlsx through the same routine as the menu command and the command line.
// "more memory" is the rise of the peak resident set over the first run.
#include "LargeWorkbooks.h"
#include "PeakMemory.h"
#include "base/NumberText.h"
#include "sections/SectionRun.h"
#include "workbook/LinkedWorkbookFiles.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int sections = 100000;

void SectionsToWorkbook(benchmark::State& state, const char* name, void (*write)(const QString&, int),
                        const SizingOptions& sizing = SectionList::noSizing())
{
    static QTemporaryDir folder;
    const QString list = folder.filePath(QString::fromLatin1(name));
    if (!QFileInfo::exists(list)) write(list, sections);
    const QString result = folder.filePath(QStringLiteral("ergebnis.xlsx"));
    // The CSV list has decimal commas.
    const NumberText numbers(QLocale(QStringLiteral("de_DE")));
    SectionCount count;
    QString failure;
    const auto run = [&] {
        try {
            count = writeSectionResults(linkedWorkbookFiles(), list, result, numbers, sizing);
        } catch (const std::exception& error) {
            failure = QString::fromUtf8(error.what());
        }
    };
    const double extra = peakMemory::riseMiB(run);
    for (auto _ : state) run();
    state.counters["extra_MiB"] = extra;
    state.counters["file_MB"] = double(QFileInfo(list).size()) / 1e6;
    if (!failure.isEmpty()) state.SkipWithError(failure.toStdString().c_str());
    else if (count.calculated + count.refused != sections || count.calculated == 0)
        state.SkipWithError("sections lost or not calculated");
}
BENCHMARK_CAPTURE(SectionsToWorkbook, csv, "liste.csv", largeWorkbooks::writeSectionsCsv)
    ->Unit(benchmark::kMillisecond)->Iterations(3);
// Every section sized too: seven more number columns, a Colebrook solution each.
BENCHMARK_CAPTURE(SectionsToWorkbook, csv_sized, "liste-bemessen.csv", largeWorkbooks::writeSizedSectionsCsv, SizingOptions{})
    ->Unit(benchmark::kMillisecond)->Iterations(3);
// Draw-off points counted in ten columns instead of "BW" and "Einzel BW": an exact sum each.
BENCHMARK_CAPTURE(SectionsToWorkbook, csv_counted, "liste-gezaehlt.csv", largeWorkbooks::writeCountedSectionsCsv)
    ->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(SectionsToWorkbook, xlsx, "liste.xlsx", largeWorkbooks::writeSectionsXlsx)
    ->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
