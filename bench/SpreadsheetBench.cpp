// "Einlesen von MS Excel" of 25 values from an .xls and an .xlsx, also from
// large workbooks, and "Ausgeben nach MS Excel" of a 100-row table, each
// through Form1's menu handler with the recording fakes answering the file dialog.
#include "LargeWorkbooks.h"
#include "PeakMemory.h"
#include "app/Form1.h"
#include "fakes/RecordingView.h"
#include "workbook/LinkedWorkbookFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace {

const QString fixtures = QStringLiteral(GIPFELFLUSS_FIXTURES);

void Import(benchmark::State& state, const QString& file)
{
    RecordingView view;
    view.canShowDocuments = false;
    Form1 form(view, QLocale::c(), WorkbookModule(linkedWorkbookFiles()));
    form.Form_Load();
    for (auto _ : state) {
        view.dialogAnswers.push_back(fixtures + QLatin1Char('/') + file);
        form.mnuexcel1_Click();
    }
    if (!view.messages.empty() || view.grid.cell(1, 0).isEmpty()) state.SkipWithError("the import failed");
}
BENCHMARK_CAPTURE(Import, xls, QStringLiteral("values-xlwt.xls"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Import, xlsx, QStringLiteral("values-openpyxl.xlsx"))->Unit(benchmark::kMillisecond);

// The large workbooks, made once: 100,000 rows of ten texts (.xls: the
// format's 65,536 rows).
const QString& largeWorkbook(const char* suffix)
{
    static QTemporaryDir folder;
    static std::map<std::string, QString> made;
    QString& path = made[suffix];
    if (path.isEmpty()) {
        path = folder.filePath(QStringLiteral("gross.") + QLatin1String(suffix));
        if (QLatin1String(suffix) == QLatin1String("xlsx")) largeWorkbooks::writeXlsx(path, 100000);
        else if (QLatin1String(suffix) == QLatin1String("ods")) largeWorkbooks::writeOds(path, 100000);
        else largeWorkbooks::writeXls(path, 65536);
    }
    return path;
}

// The import's extra memory is the rise of the peak resident set over the
// first import, in MiB.
void ImportLarge(benchmark::State& state, const char* suffix)
{
    const QString path = largeWorkbook(suffix);
    RecordingView view;
    view.canShowDocuments = false;
    Form1 form(view, QLocale::c(), WorkbookModule(linkedWorkbookFiles()));
    form.Form_Load();
    const double extra = peakMemory::riseMiB([&] {
        view.dialogAnswers.push_back(path);
        form.mnuexcel1_Click();
    });
    for (auto _ : state) {
        view.dialogAnswers.push_back(path);
        form.mnuexcel1_Click();
    }
    state.counters["extra_MiB"] = extra;
    state.counters["file_MB"] = double(QFileInfo(path).size()) / 1e6;
    if (!view.messages.empty()) state.SkipWithError(view.messages[0].prompt.toStdString().c_str());
    else if (view.grid.cell(25, 0) != QString::number(largeWorkbooks::number(26))) state.SkipWithError("wrong values");
}
BENCHMARK_CAPTURE(ImportLarge, xlsx, "xlsx")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImportLarge, ods, "ods")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImportLarge, xls, "xls")->Unit(benchmark::kMillisecond);

void ExportHundredRows(benchmark::State& state)
{
    RecordingView view;
    Form1 form(view, QLocale::c(), WorkbookModule(linkedWorkbookFiles()));
    form.Form_Load();
    for (int n = 1; n <= 100; ++n) {
        view.type(View::TextBox::Text1, QString::number(300 + n));
        view.type(View::TextBox::Text2, QStringLiteral("2"));
        form.Command1_Click();
        form.Command2_Click();
    }
    view.messages.clear();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tabelle.xlsx"));
    for (auto _ : state) {
        view.dialogAnswers.push_back(path);
        form.mnuexcel2_Click();
    }
    if (!view.messages.empty() || !QFile::exists(path)) state.SkipWithError("the export failed");
}
BENCHMARK(ExportHundredRows)->Unit(benchmark::kMillisecond);

}  // namespace
