#include "app/window/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("gipfelfluss"));
    MainWindow window;
    window.show();
    return app.exec();
}
