// Whole section lists calculated into a result workbook: 100,000 sections
// from a CSV file and from an .xlsx workbook, both made here, read, calculated
// and written as .xlsx through the same routine as the menu command and the
// command line. "more memory" is the rise of the peak resident set over the
// first run, as for ImportLarge.
#include "base/NumberText.h"
#include "sections/SectionRun.h"
#include "workbook/LinkedWorkbookFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int sections = 100000;

double statusKiB(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1));
    return 0;
}

// Section n: a name, a storey, a total and a largest single unit that between
// them take every formula and now and then a refusal.
struct Section {
    QString name, storey;
    double total, largest;
};
Section section(int n)
{
    static const double largest[] = {2, 3, 4, 5, 8, 7};
    return {QStringLiteral("Strang %1 Teilstrecke %2").arg(n / 100).arg(n % 100), QStringLiteral("OG %1").arg(n % 7),
            1.5 + (n % 600) * 0.75, largest[n % 6]};
}

const QString& list(const char* suffix)
{
    static QTemporaryDir folder;
    static QString csv, xlsx;
    QString& path = QLatin1String(suffix) == QLatin1String("csv") ? csv : xlsx;
    if (!path.isEmpty()) return path;
    path = folder.filePath(QStringLiteral("teilstrecken.") + QLatin1String(suffix));
    if (&path == &csv) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return path;
        file.write("Teilstrecke;Geschoss;BW;Einzel BW\n");
        for (int n = 1; n <= sections; ++n) {
            const Section s = section(n);
            file.write(QStringLiteral("%1;%2;%3;%4\n").arg(s.name, s.storey).arg(s.total).arg(s.largest).toUtf8());
        }
        return path;
    }
    QString reason;
    const std::unique_ptr<RowWriter> writer = linkedWorkbookFiles().newWorkbook(path, QStringLiteral("Liste"), reason);
    if (!writer) return path;
    writer->addRow({{1, 1, QStringLiteral("Teilstrecke"), {}}, {1, 2, QStringLiteral("Geschoss"), {}},
                    {1, 3, QStringLiteral("BW"), {}}, {1, 4, QStringLiteral("Einzel BW"), {}}});
    for (int n = 1; n <= sections; ++n) {
        const Section s = section(n);
        writer->addRow({{n + 1, 1, s.name, {}}, {n + 1, 2, s.storey, {}}, {n + 1, 3, s.total, {}}, {n + 1, 4, s.largest, {}}});
    }
    writer->finish();
    return path;
}

void SectionsToWorkbook(benchmark::State& state, const char* suffix)
{
    const QString& source = list(suffix);
    QTemporaryDir dir;
    const QString result = dir.filePath(QStringLiteral("ergebnis.xlsx"));
    const NumberText numbers(QLocale::c());
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const double before = statusKiB("VmRSS");
    SectionCount count;
    try {
        count = writeSectionResults(linkedWorkbookFiles(), source, result, numbers);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return;
    }
    const double extra = (statusKiB("VmHWM") - before) / 1024.0;
    for (auto _ : state) writeSectionResults(linkedWorkbookFiles(), source, result, numbers);
    state.counters["extra_MiB"] = extra;
    state.counters["file_MB"] = double(QFileInfo(source).size()) / 1e6;
    if (count.calculated + count.refused != sections || count.refused == 0 || count.calculated == 0)
        state.SkipWithError("sections lost or not calculated");
}
BENCHMARK_CAPTURE(SectionsToWorkbook, csv, "csv")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(SectionsToWorkbook, xlsx, "xlsx")->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
