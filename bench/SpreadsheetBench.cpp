// "Einlesen von MS Excel" of 25 values from an .xls and an .xlsx, and
// "Ausgeben nach MS Excel" of a 100-row table, each through Form1's menu
// handler with the recording fakes answering the file dialog.
#include "app/Form1.h"
#include "fakes/RecordingView.h"
#include "workbook/LinkedWorkbookFiles.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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
