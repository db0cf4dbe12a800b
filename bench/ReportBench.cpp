// The calculation report written as PDF from the real window on Qt's
// offscreen platform: the chart of one result and a results table of 25 or
// 1,000 rows, from gathering the report's texts to the file committed on disk.
#include "app/window/MainWindow.h"
#include "base/SaveFile.h"
#include "report/ReportContent.h"
#include "table/Grid.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void ReportPdf(benchmark::State& state)
{
    MainWindow window([](QDialog&) { return 0; });
    window.setText(View::TextBox::Text1, QStringLiteral("250"));
    window.setText(View::TextBox::Text2, QStringLiteral("5"));
    window.form().Command1_Click();
    Grid& grid = window.MSFlexGrid1();
    const int rows = int(state.range(0));
    grid.setRows(rows + 1);
    for (int r = 2; r <= rows; ++r)
        for (int c = 0; c < grid.cols(); ++c) {
            grid.setRow(r);
            grid.setCol(c);
            grid.setText(grid.cell(1, c));
        }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Protokoll.pdf"));
    for (auto _ : state) {
        const ReportContent content = window.form().reportContent();
        saveFile(path, [&](QIODevice& device) { window.writeReport(device, content); });
    }
    state.counters["bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(ReportPdf)->Arg(25)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
