// Starts the program's window exactly as the program does and ends at its first paint.
#include "FirstPaint.h"
#include "app/window/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    MainWindow window;
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    return app.exec();
}
