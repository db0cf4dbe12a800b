#include "app/window/Program.h"

#include "app/ProgramInfo.h"
#include "app/window/MainWindow.h"
#include "app/window/ProgramStyle.h"
#include "app/window/QtTranslations.h"
#include "cli/CommandLine.h"

#include <QApplication>

int runProgram(int argc, char* argv[], const std::function<void(MainWindow&)>& beforeShow)
{
    QApplication app(argc, argv);
    const CommandLine line = readCommandLine(QCoreApplication::arguments(), CommandLine::Stage::AfterQt);
    if (line.request != CommandLine::Request::Window) return answerCommandLine(line);

    QApplication::setStyle(new ProgramStyle);
    installQtTranslations(app);
    QGuiApplication::setDesktopFileName(QLatin1String(programInfo::desktopId));
    MainWindow window;
    if (beforeShow) beforeShow(window);
    window.show();
    return app.exec();
}
