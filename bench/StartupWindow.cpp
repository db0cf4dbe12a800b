// Starts the program's window exactly as the program does and ends at its first paint.
#include "FirstPaint.h"
#include "app/window/CommandLine.h"
#include "app/window/MainWindow.h"
#include "app/window/QtTranslations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    if (readCommandLine(arguments, CommandLine::Stage::BeforeQt).request != CommandLine::Request::Window) return 2;
    QApplication app(argc, argv);
    if (readCommandLine(QCoreApplication::arguments(), CommandLine::Stage::AfterQt).request != CommandLine::Request::Window)
        return 2;
    installQtTranslations(app);
    MainWindow window;
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    return app.exec();
}
