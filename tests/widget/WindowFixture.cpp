#include "WindowFixture.h"

#include "app/window/PictureCanvas.h"
#include "app/window/ResultsGridView.h"
#include "table/Grid.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <cmath>

void WindowTest::openWindow()
{
    window.reset();
    window = std::make_unique<MainWindow>([this](QDialog& dialog) { return dialogs.present(dialog); });
    // Every place in the layout assumes 15 twips a pixel.
    ASSERT_EQ(window->logicalDpiX(), 96);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

void WindowTest::TearDown()
{
    EXPECT_EQ(dialogs.pending(), 0u) << "a dialog the test expected was never shown";
    window.reset();
}

QLineEdit& WindowTest::box(int n)
{
    auto* box = window->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
    if (!box) throw std::runtime_error("no text box");
    return *box;
}

QPushButton& WindowTest::button(int n)
{
    auto* button = window->findChild<QPushButton*>(QStringLiteral("Command%1").arg(n));
    if (!button) throw std::runtime_error("no button");
    return *button;
}

PictureCanvas& WindowTest::canvas()
{
    auto* canvas = window->findChild<PictureCanvas*>(QStringLiteral("Picture1"));
    if (!canvas) throw std::runtime_error("no canvas");
    return *canvas;
}

ResultsGridView& WindowTest::gridView()
{
    auto* view = window->findChild<ResultsGridView*>(QStringLiteral("MSFlexGrid1"));
    if (!view) throw std::runtime_error("no results table");
    return *view;
}

Grid& WindowTest::grid()
{
    return window->MSFlexGrid1();
}

QWidget* WindowTest::focused() const
{
    return QApplication::focusWidget();
}

void WindowTest::type(int n, const QString& text)
{
    QTest::mouseClick(&box(n), Qt::LeftButton);
    QTest::keyClicks(&box(n), text);
}

void WindowTest::click(int n)
{
    QTest::mouseClick(&button(n), Qt::LeftButton);
}

void WindowTest::calculate(const QString& total, const QString& largest)
{
    type(1, total);
    type(2, largest);
    click(1);
}

bool WindowTest::endsTheProgram(const std::function<void()>& action)
{
    QTimer start;
    start.setSingleShot(true);
    QObject::connect(&start, &QTimer::timeout, action);
    bool timedOut = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&timedOut] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    start.start(0);
    guard.start(5000);
    const int code = QApplication::exec();
    return !timedOut && code == 0;
}

int devicePixel(double twips, qreal ratio)
{
    return int(std::lround(twips / 15.0 * ratio));
}

bool colourNear(const QImage& image, int x, int y, QRgb colour, int radius)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p(x + dx, y + dy);
            if (image.rect().contains(p) && (image.pixel(p) & 0xffffff) == (colour & 0xffffff)) return true;
        }
    return false;
}
