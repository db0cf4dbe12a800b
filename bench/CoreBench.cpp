#include "app/Form1.h"
#include "base/NumberText.h"
#include "calc/PeakFlow.h"
#include "chart/ChartFrame.h"
#include "fakes/RecordingView.h"

#include <benchmark/benchmark.h>

namespace {

void PeakFlowFormula(benchmark::State& state)
{
    double total = 2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::peakFlow(calc::Case::Two, total));
        total = total < 299 ? total + 1 : 2;
    }
}
BENCHMARK(PeakFlowFormula);

// One "Berechnen" press with a valid input: conversion, formula, two output
// texts, the marker and the table row, with the given number of rows already
// in the table (the free row is searched from the top). Taking the new row
// out again and "Neue Eingabe" between the presses are not timed.
void BerechnenPress(benchmark::State& state)
{
    RecordingView view;
    Form1 form(view, QLocale::c());
    form.Form_Load();
    const int occupied = int(state.range(0));
    for (int i = 0; i < occupied; ++i) {
        view.type(View::TextBox::Text1, QStringLiteral("250"));
        view.type(View::TextBox::Text2, QStringLiteral("5"));
        form.Command1_Click();
        form.Command2_Click();
    }
    for (auto _ : state) {
        state.PauseTiming();
        for (int c = 0; c < view.grid.cols(); ++c) {
            view.grid.setRow(occupied + 1);
            view.grid.setCol(c);
            view.grid.setText(QString());
        }
        form.Command2_Click();
        view.log.clear();
        view.type(View::TextBox::Text1, QStringLiteral("250"));
        view.type(View::TextBox::Text2, QStringLiteral("5"));
        state.ResumeTiming();
        form.Command1_Click();
    }
    if (form.Berechnet() != Form1::True || view.grid.cell(occupied + 1, 0) != QString::number(occupied + 1))
        state.SkipWithError("the press did not enter its row");
}
BENCHMARK(BerechnenPress)->Arg(0)->Arg(25)->Arg(1000);

void NeueEingabe(benchmark::State& state)
{
    RecordingView view;
    Form1 form(view, QLocale::c());
    form.Form_Load();
    view.type(View::TextBox::Text1, QStringLiteral("250"));
    view.type(View::TextBox::Text2, QStringLiteral("5"));
    form.Command1_Click();
    for (auto _ : state) {
        form.Command2_Click();
        view.log.clear();
    }
}
BENCHMARK(NeueEingabe);

void ChartFrame(benchmark::State& state)
{
    RecordingCanvas canvas;
    const NumberText numbers(QLocale::c());
    for (auto _ : state) {
        canvas.clear();
        benchmark::DoNotOptimize(drawChartFrame(canvas, numbers));
    }
}
BENCHMARK(ChartFrame);

}  // namespace
