// From the click on "Berechnen" to the painted result in the real window, on
// Qt's offscreen platform: the handler runs, then the pending paints are done.
#include "app/window/MainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// Counts the paints of the widgets it watches.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// Handles everything pending, the table's delayed layout and the paints it
// brings included, so that no work of "Neue Eingabe" is timed with the click.
void settle()
{
    for (int i = 0; i < 3; ++i) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

void ClickToResult(benchmark::State& state)
{
    MainWindow window([](QDialog&) { return 0; });
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window did not appear");
        return;
    }
    auto* total = window.findChild<QLineEdit*>(QStringLiteral("Text1"));
    auto* largest = window.findChild<QLineEdit*>(QStringLiteral("Text2"));
    auto* berechnen = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* neueEingabe = window.findChild<QPushButton*>(QStringLiteral("Command2"));
    auto* flow = window.findChild<QLineEdit*>(QStringLiteral("Text3"));
    QWidget* picture = window.findChild<QWidget*>(QStringLiteral("Picture1"));
    if (!total || !largest || !berechnen || !neueEingabe || !flow || !picture) {
        state.SkipWithError("a control is missing");
        return;
    }
    PaintCounter counter;
    picture->installEventFilter(&counter);
    int rounds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTest::mouseClick(neueEingabe, Qt::LeftButton);
        settle();
        total->setText(QStringLiteral("250"));
        largest->setText(QStringLiteral("5"));
        counter.paints = 0;
        state.ResumeTiming();
        QTest::mouseClick(berechnen, Qt::LeftButton);
        QApplication::processEvents();
        state.PauseTiming();
        if (counter.paints == 0 || flow->text().isEmpty()) state.SkipWithError("the result was not painted");
        ++rounds;
        state.ResumeTiming();
    }
    state.counters["rounds"] = rounds;
}
BENCHMARK(ClickToResult)->Unit(benchmark::kMicrosecond)->Iterations(200);

}  // namespace
