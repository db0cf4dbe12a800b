#include "app/window/Program.h"

#include "app/window/MainWindow.h"
#include "app/window/ProgramStyle.h"
#include "app/window/QtTranslations.h"
#include "base/ProgramInfo.h"

#include <QApplication>

int runProgram(int argc, char* argv[], const WindowProgram::Start& start,
               const std::function<void(MainWindow&)>& beforeShow)
{
    QApplication app(argc, argv);
    if (start.answerRemaining)
        if (const int status = start.answerRemaining(QCoreApplication::arguments()); status >= 0) return status;

    QApplication::setStyle(new ProgramStyle);
    installQtTranslations(app);
    QGuiApplication::setDesktopFileName(QLatin1String(programInfo::desktopId));
    MainWindow window;
    if (beforeShow) beforeShow(window);
    window.show();
    return app.exec();
}
