// The smallest Qt Widgets program with a window of the same size, to compare start-up against.
#include "FirstPaint.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(809, 616);
    QLabel label(QStringLiteral("Berechnung"), &window);
    QPushButton button(QStringLiteral("Beenden"), &window);
    button.move(0, 30);
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    return app.exec();
}
