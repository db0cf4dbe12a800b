#pragma once

#include "ModalWatchdog.h"
#include "ScriptedDialogs.h"
#include "app/window/MainWindow.h"

#include <QColor>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class Grid;
class PictureCanvas;
class ResultsGridView;

// A fresh, shown and active program window per test. Its modal dialogs are
// answered by `dialogs`; any other modal window fails the test at once.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { openWindow(); }
    void TearDown() override;

    // A new window in place of the old one.
    void openWindow();

    QLineEdit& box(int n);         // Text1 .. Text4
    QPushButton& button(int n);    // Command1 .. Command3
    PictureCanvas& canvas();
    ResultsGridView& gridView();
    Grid& grid();
    QWidget* focused() const;

    // Clicks into the box and types, as a person would.
    void type(int n, const QString& text);
    void click(int n);
    // Types the two inputs and presses "Berechnen".
    void calculate(const QString& total, const QString& largest);

    // Runs the program's event loop, does `action` in it, and tells whether
    // the loop then ended by itself (within five seconds) with code 0.
    static bool endsTheProgram(const std::function<void()>& action);

    ScriptedDialogs dialogs;
    ModalWatchdog watchdog;
    std::unique_ptr<MainWindow> window;
};

// Twips to device pixels of an image drawn at the given device pixel ratio,
// at 96 dpi: 15 twips a pixel.
int devicePixel(double twips, qreal ratio);

// Whether a pixel of the colour lies within `radius` pixels of (x, y).
bool colourNear(const QImage& image, int x, int y, QRgb colour, int radius);
